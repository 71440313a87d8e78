#include "fullscreen.h"

#include "sound/qtsoundcontrol.h"

#include <QCoreApplication>

namespace skyraid {

namespace {

// The desktop's sound, or none at all where there is nothing to play it on.
std::unique_ptr<SoundControl> makeSoundControl()
{
    if (QtSoundControl::hasAudioOutput())
        return std::make_unique<QtSoundControl>();
    return std::make_unique<SilentSoundControl>();
}

} // namespace

FullScreenSaver::FullScreenSaver(Platform& platform)
    : m_platform(platform), m_sound(makeSoundControl())
{
    m_form = std::make_unique<Form1>(FormServices{m_store, m_screen, *m_sound, m_platform, m_time,
                                                  m_random, assetFolder(),
                                                  [this] {
                                                      m_screen.close();
                                                      QCoreApplication::exit(0);
                                                  },
                                                  [this] { return m_screen.window(); }});
    m_screen.setEvents(m_form.get());
    m_platform.watchTermination([this] { m_form->CloseDown(); });

    // The form loads completely before its window covers the desktop.
    m_form->Form_Load();
    m_screen.showOverDesktop();
    m_platform.setScreenSaverRunning(m_screen.window(), true);
}

FullScreenSaver::~FullScreenSaver()
{
    m_platform.watchTermination({});
    m_screen.close();
    m_form.reset();
}

} // namespace skyraid
