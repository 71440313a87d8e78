#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtMath>

namespace skyraid {

// A canvas's size in the units the scene places things in, and in the pixels
// it is composed on. (Shapes other than 4:3 round their units to whole
// numbers, so a unit's width in pixels may differ a hair from its height.)
class CanvasGeometry {
public:
    CanvasGeometry(QSize units, QSize pixels)
        : m_units(units), m_pixels(pixels), m_scaleX(double(pixels.width()) / units.width()),
          m_scaleY(double(pixels.height()) / units.height())
    {}

    QSize units() const { return m_units; }
    QSize pixels() const { return m_pixels; }
    QRect pixelRect() const { return QRect(QPoint(0, 0), m_pixels); }
    // Pixels to the unit, across and down.
    double scaleX() const { return m_scaleX; }
    double scaleY() const { return m_scaleY; }
    // Whether a unit is a pixel.
    bool isUnscaled() const { return m_units == m_pixels; }

    // A position in units as a pixel of the picture.
    QPoint toPixels(int x, int y) const
    {
        if (isUnscaled())
            return {x, y};
        return {qRound(x * m_scaleX), qRound(y * m_scaleY)};
    }

private:
    QSize m_units;
    QSize m_pixels;
    double m_scaleX;
    double m_scaleY;
};

} // namespace skyraid
