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

// One full-screen window of the running saver: it shows the canvas scaled to
// fit, or stays black, and passes every key, button and movement on.
class SaverWindow final : public QWindow {
public:
    SaverWindow(QScreen* screen, ScreenControl& control, bool showsCanvas);
    ~SaverWindow() override;

    // Covers its screen, above every other window.
    void cover();
    // Fills another program's window; input is left to that program.
    void embed(QWindow* host, QSize size);
    // Shows the changed parts of the canvas's frame (none: black). A canvas
    // of the screen's own size is painted straight onto the window's picture.
    void present(const Canvas* canvas, const std::vector<QRect>& damage);

protected:
    void exposeEvent(QExposeEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void repaintAll();

    ScreenControl& m_control;
    bool m_showsCanvas;
    bool m_reportsInput = true;
    QBackingStore m_store;
    std::optional<Letterbox> m_letterbox;
    const Canvas* m_lastCanvas = nullptr;
    bool m_needsFullPaint = true;
    const uchar* m_readied = nullptr; // the window picture whose memory was made ready
    QFuture<void> m_readying;
    std::optional<QPoint> m_pointer;
};

} // namespace skyraid
