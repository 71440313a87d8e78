#include "x11platform.h"

namespace skyraid {

void X11Platform::setScreenSaverRunning(QWindow* window, bool running)
{
    if (!window)
        return;
    if (running) {
        m_grab = std::make_unique<InputGrab>(window);
    } else {
        m_grab.reset();
        window->setKeyboardGrabEnabled(false);
        window->setMouseGrabEnabled(false);
    }
}

} // namespace skyraid
