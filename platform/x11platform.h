#pragma once

#include "inputgrab.h"
#include "unixplatform.h"

namespace skyraid {

// The desktop on an X server: the running saver keeps the keyboard and the
// pointer for itself.
class X11Platform final : public UnixPlatform {
public:
    void setScreenSaverRunning(QWindow* window, bool running) override;

private:
    std::unique_ptr<InputGrab> m_grab;
};

} // namespace skyraid
