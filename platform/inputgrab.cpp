#include "inputgrab.h"

#include <cstdio>

namespace skyraid {

InputGrab::InputGrab(QWindow* window) : m_window(window)
{
    if (grab())
        return;
    m_retry.setInterval(RetryMs);
    QObject::connect(&m_retry, &QTimer::timeout, &m_retry, [this] {
        if (!m_window || grab())
            m_retry.stop();
    });
    m_retry.start();
}

bool InputGrab::grab()
{
    const bool keyboard = m_window->setKeyboardGrabEnabled(true);
    const bool mouse = m_window->setMouseGrabEnabled(true);
    if (keyboard && mouse)
        return true;
    // Before the window is on screen, no grab can succeed on its own.
    if (!m_toldFailed && m_window->isExposed()) {
        m_toldFailed = true;
        std::fprintf(stderr,
                     "skyraid: another program holds the %s; trying again until it "
                     "lets go\n",
                     keyboard ? "mouse"
                     : mouse  ? "keyboard"
                              : "keyboard and the mouse");
    }
    return false;
}

} // namespace skyraid
