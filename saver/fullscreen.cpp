#include "fullscreen.h"

#include <QCoreApplication>

namespace skyraid {

FullScreenSaver::FullScreenSaver(Platform& platform)
    : m_platform(platform), m_sound(std::make_unique<SilentSoundControl>())
{
    m_form = std::make_unique<Form1>(FormServices{
        m_store, m_screen, *m_sound, m_platform, m_time, m_random, assetFolder(),
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
