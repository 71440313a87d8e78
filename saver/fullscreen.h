#pragma once

#include "modes.h"
#include "scene/saverscene.h"
#include "scene/screencontrol.h"
#include "scene/timesource.h"
#include "settings/systemsettingsstore.h"
#include "sound/soundcontrol.h"

#include <memory>
#include <optional>

#include <QTimer>

namespace skyraid {

// The saver running full screen: the real screen, settings, sound and
// clocks around the saver scene. Given a host window (XScreenSaver's), the
// scene fills that window instead: no grab, no cursor change, and it ends
// when the window goes away.
class FullScreenSaver final : public RunningMode {
public:
    FullScreenSaver(Platform& platform, std::optional<quintptr> hostWindow);
    ~FullScreenSaver() override;

    // How often a host window is looked at for its size and its end.
    static constexpr int WatchIntervalMs = 250;

private:
    void followHost();

    Platform& m_platform;
    std::unique_ptr<Platform> m_hosted; // what the scene sees inside a host
    std::optional<quintptr> m_host;
    SystemSettingsStore m_store;
    ScreenControl m_screen;
    std::unique_ptr<SoundControl> m_sound;
    SystemTime m_time;
    UnseededRandom m_random;
    std::unique_ptr<SaverScene> m_scene;
    QTimer m_watch;
};

} // namespace skyraid
