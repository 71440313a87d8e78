#pragma once

#include "drawingcontrol.h"

#include <functional>
#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QFuture>
#include <QImage>
#include <QRect>
#include <QString>

namespace skyraid {

// The picture a frame is composed on, with the surfaces drawn on it. The
// scene places everything in canvas units, 600 of them high and 800 or more
// wide; the picture itself may have more pixels than units, so that on a
// large screen the scene is composed at the screen's own resolution: pictures
// are scaled once, smoothly (or replaced by sharper versions of themselves),
// on another thread once the first frames are out; until then they are drawn
// scaled the fast way. Text is drawn at its size in pixels.
//
// The calls of a frame are recorded, and a new frame is painted only where
// it differs from the one before: the scene is mostly a still background with
// a few moving aircraft, so most of the canvas never needs repainting. The
// result is always what painting the whole frame on black would give. The
// frame is painted on the canvas's own picture, or straight onto a screen's
// picture of the same size that keeps what was painted on it.
class Canvas {
public:
    static constexpr int Width = 800;
    static constexpr int Height = 600;
    // The frame with which the smooth versions start: a third of a second
    // in, once the first frame is on the screen. Before that, the work would
    // hold up the display server, which puts a screen-sized frame there.
    static constexpr unsigned SmoothStartFrame = 20;

    // `units` wide and high, composed on a picture of `pixels`: a pixel to
    // the unit unless told otherwise. (Wider shapes round their width to
    // whole units, so a unit's width in pixels may differ a hair from its
    // height.)
    explicit Canvas(QSize units = QSize(Width, Height), QSize pixels = QSize(Width, Height));

    QSize units() const { return m_units; }

    Surface createSurface();
    void loadPicture(Surface surface, const QString& fileName, int transparency);
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
    void fill(std::uint32_t colour);
    void setFont(const QString& face, int pixelHeight, bool bold, bool italic, bool underline);
    void drawText(const QString& text, int x, int y, std::uint32_t colour);

    // Takes the frame recorded since the last one as the frame shown and
    // returns the parts of the picture that changed, in pixels. Nothing is
    // painted yet: see paint() and image().
    const std::vector<QRect>& nextFrame();
    // Paints the frame shown within `areas` onto `target`, with the canvas's
    // top-left corner at `at`.
    void paint(QImage& target, const std::vector<QRect>& areas, QPoint at = {}) const;
    // nextFrame(), painted on the canvas's own picture.
    const std::vector<QRect>& flip();

    QSize pixels() const { return m_rect.size(); }
    // The canvas's own picture of the frame shown, painted where it was
    // behind.
    const QImage& image() const;
    // The picture loaded into a surface, at the canvas's scale (null when
    // empty or unknown).
    QImage picture(Surface surface) const;
    // The family the current font resolved to on this system.
    QString resolvedFontFamily() const;
    int surfaceCount() const { return int(m_surfaces.size()); }

private:
    struct SurfaceData {
        QString fileName;
        int transparency = 0;
        bool cover = false;   // scaled to cover the canvas
        bool pending = false; // asked for, not read yet
        // Its smooth version, scaled from a sharper version of it where there
        // is one: to be started, then on its way.
        std::function<QImage()> makeSmooth;
        QFuture<QImage> smooth;
        // In pixels: as shown, or (while `from` is valid) the picture whose
        // part `from` is scaled to `size` as it is painted.
        QImage image;
        QRect from;
        QSize size; // as shown
        int x = 0;
        int y = 0;
        unsigned generation = 0;
    };
    struct FontData {
        QString face;
        int pixelHeight;
        bool bold;
        bool italic;
        bool underline;
        QFont font;
        QFontMetrics metrics;
        unsigned generation;
    };
    struct Op {
        enum class Kind { Fill, Picture, Text } kind = Kind::Fill;
        Surface surface = 0;
        unsigned generation = 0; // of the picture or the font
        int x = 0;
        int y = 0;
        std::uint32_t colour = 0;
        QString text;
        QFont font;
        int ascent = 0;
        QRect rect; // what it may paint, in pixels
        bool operator==(const Op& other) const;
    };

    SurfaceData* find(Surface surface);
    const SurfaceData* find(Surface surface) const;
    void paint(QPainter& painter, const Op& op) const;
    void collectDamage();
    bool coversOpaquely(const QRect& area) const;

    // A position in units as a pixel of the picture.
    QPoint toPixels(int x, int y) const;
    // Reads a surface's picture and, where it needs scaling, readies the
    // making of its smooth version.
    void decode(SurfaceData& data) const;
    // Puts a surface's smooth version in place once it is ready (or, with
    // `wait`, once it is).
    void takeSmooth(SurfaceData& data, bool wait) const;
    static void startSmooth(SurfaceData& data);
    bool smoothStarted() const { return m_frame >= SmoothStartFrame; }
    // Marks a surface's picture to be read (again) when next needed.
    void readAgain(SurfaceData& data);
    // Reads every picture asked for and not read yet. Pictures are read
    // when first needed, all at once, so that they are read side by side.
    void loadPending() const;

    QSize m_units;
    double m_scaleX;
    double m_scale;
    QRect m_rect;                      // the whole picture, in pixels
    mutable QImage m_image;            // made when first asked for
    unsigned m_frame = 0;              // frames taken so far
    mutable unsigned m_imageFrame = 0; // the frame m_image shows, once made
    std::vector<SurfaceData> m_surfaces;
    std::vector<Op> m_ops;
    std::vector<Op> m_shown;
    std::vector<QRect> m_damage;
    std::vector<FontData> m_fonts; // every font asked for, so each keeps its identity
    const FontData* m_font = nullptr;
    unsigned m_generations = 0;
};

} // namespace skyraid
