#pragma once

#include <initializer_list>

#include <QPainterPath>
#include <QPointF>

namespace skyraid::art {

// A closed outline through the points, in order.
inline QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& point : points) {
        if (first)
            path.moveTo(point);
        else
            path.lineTo(point);
        first = false;
    }
    path.closeSubpath();
    return path;
}

} // namespace skyraid::art
