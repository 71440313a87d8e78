#pragma once

#include "letterbox.h"

#include <optional>
#include <vector>

#include <QBackingStore>
#include <QFuture>
#include <QPoint>
#include <QWindow>

namespace skyraid {

class Canvas;
class ScreenControl;

// One full-screen window of the running saver: it shows the canvas, or stays
// black, and passes every key, button and movement on. It paints when it is
// exposed and when an update it asked for comes, in the screen's own pixels
// whatever the desktop's scaling: a canvas of the window's size in pixels is
// painted straight onto the window's picture, any other is scaled to fit.
class SaverWindow final : public QWindow {
public:
    SaverWindow(QScreen* screen, ScreenControl& control, bool showsCanvas);
    ~SaverWindow() override;

    // Covers its screen, above every other window.
    void cover();
    // Fills another program's window; input is left to that program.
    void embed(QWindow* host, QSize size);
    // The canvas to show; until one is set the window is black.
    void setCanvas(Canvas* canvas);
    // The canvas's frame changed within `damage` (canvas pixels): shown at
    // the next update.
    void canvasChanged(const std::vector<QRect>& damage);

protected:
    bool event(QEvent* event) override;
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void paintNow();
    void paintCanvas(QImage& pixels);
    // The window's region to paint for the frame's changes; the changes
    // become the screen pixels to paint.
    QRegion changedRegion();
    void finishReadying();

    ScreenControl& m_control;
    bool m_showsCanvas;
    bool m_reportsInput = true;
    QBackingStore m_store;
    Canvas* m_canvas = nullptr;
    std::optional<Letterbox> m_letterbox; // as last painted
    std::vector<QRect> m_damage;          // canvas pixels changed since the last paint
    bool m_needsFullPaint = true;
    const uchar* m_readied = nullptr; // the window picture whose memory was made ready
    QFuture<void> m_readying;         // finished before the picture is painted or resized
    std::optional<QPoint> m_pointer;
};

} // namespace skyraid
