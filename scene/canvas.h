#pragma once

#include "canvasgeometry.h"
#include "drawingcontrol.h"
#include "picturestore.h"
#include "textfonts.h"

#include <vector>

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>

QT_BEGIN_NAMESPACE
class QPainter;
QT_END_NAMESPACE

namespace skyraid {

// The picture a frame is composed on. The scene places everything in canvas
// units; the picture may have more pixels than units, so that on a large
// screen the scene is composed at the screen's own resolution. Text is drawn
// at its size in pixels.
//
// The calls of a frame are recorded, and a new frame is painted only where
// it differs from the one before: the scene is mostly a still background with
// a few moving aircraft, so most of the canvas never needs repainting. The
// result is always what painting the whole frame on black would give. The
// frame is painted on the canvas's own picture, or straight onto a screen's
// picture of the same size that keeps what was painted on it.
class Canvas {
public:
    static constexpr int Width = DrawingControl::ClassicWidth;
    static constexpr int Height = DrawingControl::ClassicHeight;
    // The frame with which smooth versions of scaled pictures start: a third
    // of a second in, once the first frame is on the screen. Before that,
    // the work would hold up the display server, which takes in a
    // screen-sized frame then.
    static constexpr unsigned SmoothStartFrame = 20;

    // `units` wide and high, composed on a picture of `pixels`: a pixel to
    // the unit unless told otherwise.
    explicit Canvas(QSize units = QSize(Width, Height), QSize pixels = QSize(Width, Height));
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    QSize units() const { return m_geometry.units(); }
    QSize pixels() const { return m_geometry.pixels(); }

    Surface createSurface();
    void loadPicture(Surface surface, const QString& fileName, Transparency transparency);
    // Scales the surface's picture to cover the whole canvas, centred, the
    // overflow cut off; drawn at (0, 0) it fills the canvas.
    void coverCanvas(Surface surface);
    void setX(Surface surface, int x);
    void setY(Surface surface, int y);
    int x(Surface surface) const;
    int y(Surface surface) const;
    void moveX(Surface surface, int step);
    void moveY(Surface surface, int step);
    void drawSurface(Surface surface);
    void fill(QRgb colour);
    void setFont(const QString& face, int pixelHeight);
    void drawText(const QString& text, int x, int y, QRgb colour);

    // Takes the frame recorded since the last one as the frame shown and
    // returns the parts of the picture that changed, in pixels. Nothing is
    // painted yet: see paint() and flip().
    const std::vector<QRect>& nextFrame();
    // Paints the frame shown within `areas` onto `target`, with the canvas's
    // top-left corner at `at`.
    void paint(QImage& target, const std::vector<QRect>& areas, QPoint at = {}) const;
    // nextFrame(), painted on the canvas's own picture.
    const std::vector<QRect>& flip();
    // The canvas's own picture of the frame shown, painted where it was
    // behind.
    const QImage& image();

    // The picture loaded into a surface, at the canvas's scale, its smooth
    // version waited for (null when empty or unknown).
    QImage picture(Surface surface);
    // Waits until the smooth versions on their way are ready: the next
    // frame shows them.
    void waitForSmoothVersions() { m_pictures.waitForSmoothVersions(); }
    // Whether the surface holds a picture; reads it if it waits to be.
    bool hasPicture(Surface surface);
    int surfaceCount() const { return int(m_positions.size()); }

private:
    struct Op {
        enum class Kind { Fill, Picture, Text } kind = Kind::Fill;
        Surface surface = 0;
        unsigned generation = 0; // of the picture or the font
        int x = 0;
        int y = 0;
        QRgb colour = 0;
        QString text;
        QFont font;
        int ascent = 0;
        QRect rect; // what it may paint, in pixels
        bool operator==(const Op& other) const;
    };

    void paint(QPainter& painter, const Op& op) const;
    void collectDamage();
    bool coversOpaquely(const QRect& area) const;

    CanvasGeometry m_geometry;
    PictureStore m_pictures;
    TextFonts m_fonts;
    std::vector<QPoint> m_positions;  // of every surface, in units
    QImage m_image;                   // made when first asked for
    std::vector<QRect> m_imageBehind; // where m_image is behind the frame shown
    unsigned m_frame = 0;             // frames taken so far
    std::vector<Op> m_ops;
    std::vector<Op> m_shown;
    std::vector<QRect> m_damage;
    unsigned m_generations = 0;
};

} // namespace skyraid
