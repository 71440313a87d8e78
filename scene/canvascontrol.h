#pragma once

#include "canvas.h"
#include "drawingcontrol.h"

namespace skyraid {

// The drawing operations on the canvas, shared by the screen and by the
// image the tests look at; they differ in what flip() shows and in where the
// events come from.
class CanvasControl : public DrawingControl {
public:
    void setEvents(DrawingEvents* events) override { m_events = events; }
    void setVisible(bool) override {}
    void setFillScreen(bool fill) override { m_fill = fill; }
    int canvasWidth() const override { return m_canvas.units().width(); }
    void coverCanvas(Surface surface) override { m_canvas.coverCanvas(surface); }

    Surface createSurface() override { return m_canvas.createSurface(); }
    void loadBitmap(Surface surface, int, const QString& fileName, int transparency) override
    {
        m_canvas.loadPicture(surface, fileName, transparency);
    }
    void setSurfaceX(Surface surface, int x) override { m_canvas.setX(surface, x); }
    void setSurfaceY(Surface surface, int y) override { m_canvas.setY(surface, y); }
    int surfaceX(Surface surface) override { return m_canvas.x(surface); }
    void moveSurfaceX(Surface surface, int step) override { m_canvas.moveX(surface, step); }
    void moveSurfaceY(Surface surface, int step) override { m_canvas.moveY(surface, step); }
    void drawSurface(Surface surface) override { m_canvas.drawSurface(surface); }
    void fillBackBuffer(std::uint32_t colour) override { m_canvas.fill(colour); }
    void setTextFont(const QString& face, int size, int, bool bold, bool italic,
                     bool underline) override
    {
        m_canvas.setFont(face, size, bold, italic, underline);
    }
    void drawText(const QString& text, int x, int y, std::uint32_t colour) override
    {
        m_canvas.drawText(text, x, y, colour);
    }

    const Canvas& canvas() const { return m_canvas; }

protected:
    // A fresh canvas for a screen of `pixels`: 800 x 600 units, a pixel each,
    // unless it fills the screen; then it takes the screen's shape and is
    // composed at the screen's own resolution.
    void openCanvasFor(QSize pixels);

    Canvas m_canvas;
    bool m_fill = false;
    DrawingEvents* m_events = nullptr;
};

} // namespace skyraid
