#pragma once

#include <cstdint>

#include <QRgb>
#include <QSize>
#include <QString>

namespace skyraid {

// A handle to one picture of the scene, as createSurface returns it.
using Surface = std::int32_t;

// How a picture's pixels cover what is drawn below them.
enum class Transparency {
    Opaque,              // every pixel hides what is below
    KeyedByTopLeftPixel, // pixels of the top-left pixel's colour are see-through
    OwnAlpha,            // the picture's own alpha channel, where it has one
};

// What the drawing control tells the saver scene.
class DrawingEvents {
public:
    virtual ~DrawingEvents() = default;
    virtual void onFrame() = 0;
    virtual void onMouseMove() = 0;
    virtual void onMouseButton() = 0;
    virtual void onKey() = 0;
};

// The saver's display: a canvas of units, the pictures on it, text, and the
// frame and input events. A frame is composed by the calls made between two
// flip()s, in painting order, and shown by flip().
class DrawingControl {
public:
    // The classic canvas, and the band of it the aircraft fly in.
    static constexpr int ClassicWidth = 800;
    static constexpr int ClassicHeight = 600;

    virtual ~DrawingControl() = default;

    virtual void setEvents(DrawingEvents* events) = 0;

    // Asked before the canvas opens: whether it takes the screen's shape.
    // Filling, it is never narrower than 800 units nor lower than 600: a
    // wide screen makes it wider at 600 units high, a narrow one taller at
    // 800 units wide.
    virtual void setFillScreen(bool fill) = 0;
    // Opens the canvas; false (and nothing else happens) when the display
    // cannot show its colours.
    virtual bool openDisplay() = 0;
    // The open canvas's size in units: 800 x 600, or larger when it fills
    // the screen.
    virtual QSize canvasSize() const = 0;

    virtual Surface createSurface() = 0;
    // Loads a picture file into a surface; a missing or unreadable file
    // leaves the surface empty.
    virtual void loadPicture(Surface surface, const QString& fileName,
                             Transparency transparency) = 0;
    // Whether the surface holds a picture: false when its file was missing
    // or unreadable.
    virtual bool hasPicture(Surface surface) = 0;
    // Scales a surface's picture to cover the whole canvas, centred, the
    // overflow cut off: drawn at (0, 0) it fills the canvas.
    virtual void coverCanvas(Surface surface) = 0;
    virtual void setSurfaceX(Surface surface, int x) = 0;
    virtual void setSurfaceY(Surface surface, int y) = 0;
    virtual int surfaceX(Surface surface) = 0;
    virtual void moveSurfaceX(Surface surface, int step) = 0;
    virtual void moveSurfaceY(Surface surface, int step) = 0;
    virtual void drawSurface(Surface surface) = 0;
    // Fills the whole canvas.
    virtual void fill(QRgb colour) = 0;
    // `pixelHeight` is the text's height in canvas units.
    virtual void setTextFont(const QString& face, int pixelHeight) = 0;
    // Draws text with its top at y.
    virtual void drawText(const QString& text, int x, int y, QRgb colour) = 0;
    virtual void flip() = 0;
};

} // namespace skyraid
