#pragma once

#include "canvascontrol.h"

namespace skyraid {

// The drawing control without a screen: frames are composed into an image
// and raised by hand, for tests and tools. The screen it stands for is
// 800 x 600 pixels unless told otherwise.
class ImageControl final : public CanvasControl {
public:
    void setScreenSize(QSize pixels) { m_screen = pixels; }
    bool openDisplay() override
    {
        openCanvasFor(m_screen);
        return true;
    }
    void flip() override
    {
        m_canvas->flip();
        ++m_flips;
    }

    // Raises one frame event, as the screen does sixty times a second.
    void raiseFrame()
    {
        if (m_events)
            m_events->onFrame();
    }

    const QImage& image() { return m_canvas->image(); }
    int flips() const { return m_flips; }

private:
    QSize m_screen{Canvas::Width, Canvas::Height};
    int m_flips = 0;
};

} // namespace skyraid
