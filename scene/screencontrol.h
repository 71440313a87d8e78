#pragma once

#include "canvascontrol.h"

#include <memory>
#include <vector>

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QScreen;
class QWindow;
QT_END_NAMESPACE

namespace skyraid {

class SaverWindow;

// Frame times on a fixed grid, so that timer slack does not add up; after a
// long stall the grid starts afresh rather than rushing to catch up. Times
// are nanoseconds of any steady clock.
class FramePacer {
public:
    static constexpr int FramesPerSecond = 60;
    static constexpr qint64 FrameNs = 1'000'000'000 / FramesPerSecond;

    // The first frame is now.
    void start(qint64 nowNs) { m_nextFrameNs = nowNs; }
    // After a frame that ended at `nowNs`: milliseconds until the next one.
    int delayAfterFrame(qint64 nowNs);

private:
    qint64 m_nextFrameNs = 0;
};

// The drawing control on the real screen: a frameless, topmost window over
// the primary screen that shows the canvas, and black windows
// over every other screen. Frame events come sixty times a second, whatever
// the monitor's refresh rate; input on any of the windows is reported.
class ScreenControl final : public QObject, public CanvasControl {
public:
    static constexpr int FramesPerSecond = FramePacer::FramesPerSecond;

    ScreenControl();
    ~ScreenControl() override;

    // The size in pixels of what the scene will be shown on: the primary
    // screen unless told otherwise (a host window's size, in the screen's
    // own pixels).
    void setScreenSize(QSize pixels) { m_screenSize = pixels; }
    bool openDisplay() override;
    void flip() override;

    // Covers every screen, topmost, the canvas on the primary one, and starts
    // the frame events when the display is open.
    void showOverDesktop();
    // Shows the scene inside another program's native window, at its size
    // in the screen's own pixels; input there stays the host's business.
    void showInWindow(quintptr host, QSize size);
    // Follows the host window's size.
    void resizeTo(QSize size);
    // No more frame or input events; the windows are hidden.
    void close();
    // The window that shows the scene.
    QWindow* window() const;

    // Input from any of the windows.
    void reportKey();
    void reportMouseButton();
    void reportMouseMove();

private:
    void nextFrame();
    // A size in the screen's own pixels in Qt's scaled ones.
    QSize logicalSize(QSize pixels) const;
    void startFrames();

    std::unique_ptr<QWindow> m_host; // declared first: the window below is its child
    std::unique_ptr<SaverWindow> m_window;
    std::vector<std::unique_ptr<SaverWindow>> m_blackouts;
    QSize m_screenSize;
    bool m_open = false;
    bool m_closed = false;
    QTimer m_frameTimer;
#ifdef Q_OS_WIN
    QTimer m_timerThreadHold; // see startFrames()
#endif
    QElapsedTimer m_clock;
    FramePacer m_pacer;
};

} // namespace skyraid
