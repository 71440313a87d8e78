#pragma once

#include "canvas.h"
#include "drawingcontrol.h"

#include <memory>

namespace skyraid {

// The drawing operations on the canvas, shared by the screen and by the
// image the tests look at; they differ in what flip() shows and in where the
// events come from.
class CanvasControl : public DrawingControl {
public:
    CanvasControl();

    void setEvents(DrawingEvents* events) override { m_events = events; }
    void setFillScreen(bool fill) override { m_fill = fill; }
    QSize canvasSize() const override { return m_canvas->units(); }
    Surface createSurface() override { return m_canvas->createSurface(); }
    void loadPicture(Surface surface, const QString& fileName, Transparency transparency) override
    {
        m_canvas->loadPicture(surface, fileName, transparency);
    }
    bool hasPicture(Surface surface) override { return m_canvas->hasPicture(surface); }
    void coverCanvas(Surface surface) override { m_canvas->coverCanvas(surface); }
    void setSurfaceX(Surface surface, int x) override { m_canvas->setX(surface, x); }
    void setSurfaceY(Surface surface, int y) override { m_canvas->setY(surface, y); }
    int surfaceX(Surface surface) override { return m_canvas->x(surface); }
    void moveSurfaceX(Surface surface, int step) override { m_canvas->moveX(surface, step); }
    void moveSurfaceY(Surface surface, int step) override { m_canvas->moveY(surface, step); }
    void drawSurface(Surface surface) override { m_canvas->drawSurface(surface); }
    void fill(QRgb colour) override { m_canvas->fill(colour); }
    void setTextFont(const QString& face, int pixelHeight) override
    {
        m_canvas->setFont(face, pixelHeight);
    }
    void drawText(const QString& text, int x, int y, QRgb colour) override
    {
        m_canvas->drawText(text, x, y, colour);
    }

    Canvas& canvas() { return *m_canvas; }
    const Canvas& canvas() const { return *m_canvas; }

    // The canvas's size in units for a screen of `pixels`: 800 x 600 unless
    // it fills the screen; then it takes the screen's shape, at least 800
    // units wide and 600 high.
    static QSize unitsFor(QSize pixels, bool fill);

protected:
    // A fresh canvas for a screen of `pixels`, composed at the screen's own
    // resolution when it fills the screen, else at a pixel to the unit.
    void openCanvasFor(QSize pixels);

    std::unique_ptr<Canvas> m_canvas;
    bool m_fill = false;
    DrawingEvents* m_events = nullptr;
};

} // namespace skyraid
