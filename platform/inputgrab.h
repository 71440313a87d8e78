#pragma once

#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace skyraid {

// Takes the keyboard and the pointer for a window. The grabs fail while
// another client holds them (an open menu, a screen locker): it asks again
// until it has them, and says so once on standard error. Keys that reach the
// window meanwhile still end the saver. Letting go is the owner's call.
class InputGrab {
public:
    explicit InputGrab(QWindow* window);

    static constexpr int RetryMs = 250;

private:
    bool grab();

    QPointer<QWindow> m_window;
    QTimer m_retry;
    bool m_toldFailed = false;
};

} // namespace skyraid
