#pragma once

#include "canvas.h"
#include "drawingcontrol.h"

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

// The drawing control on the real screen: a frameless, topmost window over
// the primary screen that shows the canvas scaled to fit, and black windows
// over every other screen. Frame events come sixty times a second, whatever
// the monitor's refresh rate; input on any of the windows is reported.
class ScreenControl final : public QObject, public DrawingControl {
public:
    static constexpr int FramesPerSecond = 60;

    ScreenControl();
    ~ScreenControl() override;

    void setEvents(DrawingEvents* events) override { m_events = events; }
    void setVisible(bool) override {}

    bool OpenDisplay(int width, int height, int bitsPerPixel, const QString& options) override;
    Surface CreateSurface() override { return m_canvas.createSurface(); }
    void LoadBitmap(Surface surface, int, const QString& fileName, int transparency) override
    {
        m_canvas.loadPicture(surface, fileName, transparency);
    }
    void SetSurfaceX(Surface surface, int x) override { m_canvas.setX(surface, x); }
    void SetSurfaceY(Surface surface, int y) override { m_canvas.setY(surface, y); }
    int GetSurfaceX(Surface surface) override { return m_canvas.x(surface); }
    void MoveSurfaceX(Surface surface, int step) override { m_canvas.moveX(surface, step); }
    void MoveSurfaceY(Surface surface, int step) override { m_canvas.moveY(surface, step); }
    void DrawSurface(Surface surface) override { m_canvas.drawSurface(surface); }
    void FillBackBuffer(std::uint32_t colour) override { m_canvas.fill(colour); }
    void SetFont(const QString& face, int size, int, bool bold, bool italic,
                 bool underline) override
    {
        m_canvas.setFont(face, size, bold, italic, underline);
    }
    void DrawText(const QString& text, int x, int y, std::uint32_t colour) override
    {
        m_canvas.drawText(text, x, y, colour);
    }
    void Flip() override;

    // Covers every screen, topmost, the canvas on the primary one, and starts
    // the frame events when the display is open.
    void showOverDesktop();
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

    Canvas m_canvas;
    DrawingEvents* m_events = nullptr;
    std::unique_ptr<SaverWindow> m_window;
    std::vector<std::unique_ptr<SaverWindow>> m_blackouts;
    bool m_open = false;
    bool m_closed = false;
    QTimer m_frameTimer;
    QElapsedTimer m_clock;
    qint64 m_nextFrameNs = 0;
};

} // namespace skyraid
