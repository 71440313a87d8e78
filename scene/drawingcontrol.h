#pragma once

#include <cstdint>

#include <QString>

namespace skyraid {

// A handle to one picture of the scene, as createSurface returns it.
using Surface = std::int32_t;

// Colours are 32-bit values with red in the lowest byte.
constexpr std::uint32_t RGB(int red, int green, int blue)
{
    return std::uint32_t(red & 0xff) | std::uint32_t(green & 0xff) << 8 |
           std::uint32_t(blue & 0xff) << 16;
}

// Transparency codes for loadBitmap.
constexpr int KeyedByTopLeftPixel = -1; // the top-left pixel's colour is see-through
constexpr int Opaque = -2;

// What the drawing control tells the saver scene.
class DrawingEvents {
public:
    virtual ~DrawingEvents() = default;
    virtual void onFrame() = 0;
    virtual void onMouseMove() = 0;
    virtual void onMouseButton() = 0;
    virtual void onKey() = 0;
};

// The saver's display: a canvas 600 units high, the pictures on it, text, and
// the frame and input events. A frame is composed by the calls made between
// two flip()s, in painting order, and shown by flip().
class DrawingControl {
public:
    virtual ~DrawingControl() = default;

    virtual void setEvents(DrawingEvents* events) = 0;
    // The control's own window is never shown; the saver scene owns the screen.
    virtual void setVisible(bool visible) = 0;

    // Asked before the canvas opens: whether it takes the screen's shape.
    // Filling, it keeps 600 units of height and is as wide as the screen's
    // shape makes it, never narrower than 800 units.
    virtual void setFillScreen(bool fill) = 0;
    // Opens the canvas; false (and nothing else happens) when the display
    // cannot show it.
    virtual bool openDisplay(int width, int height, int bitsPerPixel, const QString& options) = 0;
    // The open canvas's width in units: 800, or more when it fills the screen.
    virtual int canvasWidth() const = 0;
    // Scales a surface's picture to cover the whole canvas, centred, the
    // overflow cut off: drawn at (0, 0) it fills the canvas.
    virtual void coverCanvas(Surface surface) = 0;
    virtual Surface createSurface() = 0;
    // Loads a picture file into a surface; a missing or unreadable file leaves
    // the surface empty and is not reported.
    virtual void loadBitmap(Surface surface, int kind, const QString& fileName,
                            int transparency) = 0;
    virtual void setSurfaceX(Surface surface, int x) = 0;
    virtual void setSurfaceY(Surface surface, int y) = 0;
    virtual int surfaceX(Surface surface) = 0;
    virtual void moveSurfaceX(Surface surface, int step) = 0;
    virtual void moveSurfaceY(Surface surface, int step) = 0;
    virtual void drawSurface(Surface surface) = 0;
    virtual void fillBackBuffer(std::uint32_t colour) = 0;
    // `size` is the text's pixel height on the canvas.
    virtual void setTextFont(const QString& face, int size, int variant, bool bold, bool italic,
                             bool underline) = 0;
    // Draws text with its top at y.
    virtual void drawText(const QString& text, int x, int y, std::uint32_t colour) = 0;
    virtual void flip() = 0;
};

} // namespace skyraid
