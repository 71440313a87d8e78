#include "screencontrol.h"

#include "saverwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace skyraid {

int FramePacer::delayAfterFrame(qint64 nowNs)
{
    m_nextFrameNs += FrameNs;
    if (m_nextFrameNs < nowNs - 4 * FrameNs)
        m_nextFrameNs = nowNs + FrameNs;
    const qint64 waitNs = m_nextFrameNs - nowNs;
    return waitNs > 0 ? int((waitNs + 500'000) / 1'000'000) : 0;
}

ScreenControl::ScreenControl()
{
    m_frameTimer.setSingleShot(true);
    m_frameTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_frameTimer, &QTimer::timeout, this, &ScreenControl::nextFrame);
}

ScreenControl::~ScreenControl() = default;

bool ScreenControl::openDisplay()
{
    // The scene's colours need at least 16 bits a pixel.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->depth() < 16)
        return false;
    // The canvas is composed in the screen's own pixels, whatever the
    // desktop's scaling.
    openCanvasFor(m_screenSize.isEmpty() ? screen->geometry().size() * screen->devicePixelRatio()
                                         : m_screenSize);
    m_open = true;
    return true;
}

QWindow* ScreenControl::window() const
{
    return m_window.get();
}

void ScreenControl::showOverDesktop()
{
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary || m_closed)
        return;
    m_window = std::make_unique<SaverWindow>(primary, *this, true);
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            m_blackouts.push_back(std::make_unique<SaverWindow>(screen, *this, false));
    }
    for (const auto& blackout : m_blackouts)
        blackout->cover();
    m_window->cover();
    if (m_open)
        m_window->setCanvas(m_canvas.get());
    startFrames();
}

void ScreenControl::showInWindow(quintptr host, QSize size)
{
    if (m_closed)
        return;
    m_host.reset(QWindow::fromWinId(WId(host)));
    m_window = std::make_unique<SaverWindow>(QGuiApplication::primaryScreen(), *this, true);
    m_window->embed(m_host.get(), logicalSize(size));
    if (m_open)
        m_window->setCanvas(m_canvas.get());
    startFrames();
}

void ScreenControl::resizeTo(QSize size)
{
    if (m_window && m_window->size() != logicalSize(size))
        m_window->resize(logicalSize(size));
}

QSize ScreenControl::logicalSize(QSize pixels) const
{
    const QScreen* screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    return (QSizeF(pixels) / ratio).toSize();
}

void ScreenControl::startFrames()
{
    if (!m_open)
        return;
    m_clock.start();
    m_pacer.start(0);
    m_frameTimer.start(0);
#ifdef Q_OS_WIN
    // Qt's precise timers are the system's multimedia timers there, served
    // by one thread of theirs while any of them is set. The frame timer is
    // set anew for every frame, and in between none is: Wine then ends that
    // thread and starts another for the next frame. A slow one that stays
    // set for the whole run keeps the thread.
    m_timerThreadHold.setTimerType(Qt::PreciseTimer);
    m_timerThreadHold.start(60'000);
#endif
}

void ScreenControl::close()
{
    // This may run inside one of the windows' own input handlers: hide them
    // now, delete them later.
    m_closed = true;
    m_frameTimer.stop();
#ifdef Q_OS_WIN
    m_timerThreadHold.stop();
#endif
    m_events = nullptr;
    for (const auto& blackout : m_blackouts)
        blackout->hide();
    if (m_window)
        m_window->hide();
}

void ScreenControl::nextFrame()
{
    if (m_events)
        m_events->onFrame();
    if (m_closed)
        return;

    m_frameTimer.start(m_pacer.delayAfterFrame(m_clock.nsecsElapsed()));
}

void ScreenControl::flip()
{
    const std::vector<QRect>& damage = m_canvas->nextFrame();
    if (m_window)
        m_window->canvasChanged(damage);
}

void ScreenControl::reportKey()
{
    if (m_events)
        m_events->onKey();
}

void ScreenControl::reportMouseButton()
{
    if (m_events)
        m_events->onMouseButton();
}

void ScreenControl::reportMouseMove()
{
    if (m_events)
        m_events->onMouseMove();
}

} // namespace skyraid
