#pragma once

#include "modes.h"
#include "scene/form1.h"
#include "scene/screencontrol.h"
#include "scene/timesource.h"
#include "settings/systemsettingsstore.h"
#include "sound/soundcontrol.h"

#include <memory>

namespace skyraid {

// The saver running full screen: the real screen, settings, sound and
// clocks around the saver form.
class FullScreenSaver final : public RunningMode {
public:
    explicit FullScreenSaver(Platform& platform);
    ~FullScreenSaver() override;

private:
    Platform& m_platform;
    SystemSettingsStore m_store;
    ScreenControl m_screen;
    std::unique_ptr<SoundControl> m_sound;
    SystemTime m_time;
    UnseededRandom m_random;
    std::unique_ptr<Form1> m_form;
};

} // namespace skyraid
