#pragma once

#include "drawingcontrol.h"

#include <vector>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <QString>

namespace skyraid {

// The 800 x 600 picture a frame is composed on, with the surfaces drawn on
// it. The calls of a frame are recorded, and flip() paints only where the
// frame differs from the one before: the scene is mostly a still background
// with a few moving aircraft, so most of the canvas never needs repainting.
// The result is always what painting the whole frame on black would give.
class Canvas {
public:
    static constexpr int Width = 800;
    static constexpr int Height = 600;

    Canvas();

    Surface createSurface();
    void loadPicture(Surface surface, const QString& fileName, int transparency);
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

    // Paints the frame recorded since the last flip and returns the parts of
    // the canvas that changed.
    const std::vector<QRect>& flip();

    const QImage& image() const { return m_image; }
    // The picture loaded into a surface (null when empty or unknown).
    QImage picture(Surface surface) const;
    // The family the current font resolved to on this system.
    QString resolvedFontFamily() const;
    int surfaceCount() const { return int(m_surfaces.size()); }

private:
    struct SurfaceData {
        QImage image;
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
        QRect rect; // what it may paint, on the canvas
        bool operator==(const Op& other) const;
    };

    SurfaceData* find(Surface surface);
    const SurfaceData* find(Surface surface) const;
    void paint(QPainter& painter, const Op& op) const;
    void collectDamage();
    bool coversOpaquely(const QRect& area) const;

    QImage m_image;
    std::vector<SurfaceData> m_surfaces;
    std::vector<Op> m_ops;
    std::vector<Op> m_shown;
    std::vector<QRect> m_damage;
    std::vector<FontData> m_fonts; // every font asked for, so each keeps its identity
    const FontData* m_font = nullptr;
    unsigned m_generations = 0;
    bool m_firstFlip = true;
};

} // namespace skyraid
