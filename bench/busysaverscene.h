#pragma once

#include "platform/platform.h"
#include "scene/imagecontrol.h"
#include "scene/saverscene.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "sound/soundcontrol.h"

#include <memory>

#include <QTemporaryDir>

namespace skyraid::bench {

// The real saver scene on the 800 x 600 canvas with the program's own
// pictures: all seventeen aircraft in the air, the message, logo and clock on,
// and the three options read again on every frame from a real settings file.
class BusySaverScene {
public:
    BusySaverScene()
    {
        writeFirstRunSettings(m_store, assetFolder());
        writeSetting(m_store, keys::MessageChecked, QStringLiteral("1"));
        writeSetting(m_store, keys::LogoChecked, QStringLiteral("1"));
        writeSetting(m_store, keys::Clock, QStringLiteral("1"));
        writeSetting(m_store, keys::Speed, QStringLiteral("0"));
        m_drawing.setEvents(&m_scene);
        m_scene.start();
        m_scene.launchWholeFormation();
        frame(); // the first frame is painted whole
    }

    void frame() { m_drawing.raiseFrame(); }

private:
    QTemporaryDir m_config;
    SystemSettingsStore m_store{m_config.filePath(QStringLiteral("SkyRaid.ini"))};
    ImageControl m_drawing;
    SilentSoundControl m_sound;
    std::unique_ptr<Platform> m_platform = createPlatform();
    SystemTime m_time;
    UnseededRandom m_random;
    skyraid::SaverScene m_scene{SceneServices{m_store, m_drawing, m_sound, *m_platform, m_time,
                                              m_random, assetFolder(), [] {}}};
};

} // namespace skyraid::bench
