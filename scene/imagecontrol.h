#pragma once

#include "canvas.h"
#include "drawingcontrol.h"

namespace skyraid {

// The drawing control without a screen: frames are composed into an
// 800 x 600 image and raised by hand, for tests and tools.
class ImageControl final : public DrawingControl {
public:
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
    void Flip() override
    {
        m_canvas.flip();
        ++m_flips;
    }

    // Raises one frame event, as the screen does sixty times a second.
    void raiseFrame()
    {
        if (m_events)
            m_events->TegoDDrw1_Frame();
    }
    DrawingEvents* events() const { return m_events; }

    const QImage& image() const { return m_canvas.image(); }
    const Canvas& canvas() const { return m_canvas; }
    int flips() const { return m_flips; }

private:
    Canvas m_canvas;
    DrawingEvents* m_events = nullptr;
    int m_flips = 0;
};

} // namespace skyraid
