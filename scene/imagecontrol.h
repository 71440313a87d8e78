#pragma once

#include "canvascontrol.h"

namespace skyraid {

// The drawing control without a screen: frames are composed into an
// 800 x 600 image and raised by hand, for tests and tools.
class ImageControl final : public CanvasControl {
public:
    bool openDisplay(int width, int height, int bitsPerPixel, const QString& options) override;
    void flip() override
    {
        m_canvas.flip();
        ++m_flips;
    }

    // Raises one frame event, as the screen does sixty times a second.
    void raiseFrame()
    {
        if (m_events)
            m_events->onFrame();
    }

    const QImage& image() const { return m_canvas.image(); }
    int flips() const { return m_flips; }

private:
    int m_flips = 0;
};

} // namespace skyraid
