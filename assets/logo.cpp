#include "assets/logo.h"

#include "assets/shapes.h"

#include <initializer_list>
#include <vector>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>

namespace skyraid::art {

namespace {

using Stroke = std::vector<QPointF>;

// Letters on a grid 4 units wide and 6 high.
std::vector<Stroke> glyph(char letter)
{
    switch (letter) {
    case 'S':
        return {{{4, 0},
                 {0.8, 0},
                 {0, 0.8},
                 {0, 2.4},
                 {0.8, 3},
                 {3.2, 3},
                 {4, 3.6},
                 {4, 5.2},
                 {3.2, 6},
                 {0, 6}}};
    case 'K':
        return {{{0, 0}, {0, 6}}, {{4, 0}, {0.4, 3}, {4, 6}}};
    case 'Y':
        return {{{0, 0}, {2, 3}, {4, 0}}, {{2, 3}, {2, 6}}};
    case 'R':
        return {{{0, 6}, {0, 0}, {3.2, 0}, {4, 0.8}, {4, 2.2}, {3.2, 3}, {0, 3}}, {{2, 3}, {4, 6}}};
    case 'A':
        return {{{0, 6}, {0, 1.2}, {1.2, 0}, {2.8, 0}, {4, 1.2}, {4, 6}}, {{0, 3.4}, {4, 3.4}}};
    case 'I':
        return {{{0, 0}, {0, 6}}};
    case 'D':
        return {{{0, 0}, {2.8, 0}, {4, 1.2}, {4, 4.8}, {2.8, 6}, {0, 6}, {0, 0}}};
    default:
        return {};
    }
}

double glyphWidth(char letter)
{
    return letter == 'I' ? 0.0 : 4.0;
}

// The outline of a word, `unit` pixels per grid unit, slanted forward.
QPainterPath lettering(const char* word, QPointF origin, double unit)
{
    QPainterPath strokes;
    double x = 0.0;
    for (const char* c = word; *c != '\0'; ++c) {
        for (const Stroke& stroke : glyph(*c)) {
            QPainterPath path;
            path.moveTo(stroke.front() + QPointF(x, 0));
            for (std::size_t i = 1; i < stroke.size(); ++i)
                path.lineTo(stroke[i] + QPointF(x, 0));
            strokes.addPath(path);
        }
        x += glyphWidth(*c) + 2.0;
    }
    QPainterPathStroker stroker;
    stroker.setWidth(1.1);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setCapStyle(Qt::SquareCap);
    QPainterPath outline = stroker.createStroke(strokes).simplified();
    QTransform transform;
    transform.translate(origin.x(), origin.y());
    transform.scale(unit, unit);
    transform.shear(-0.22, 0.0);
    transform.translate(1.5, 0);
    return transform.map(outline);
}

} // namespace

QImage logo(int factor)
{
    const QSize size(232, 64);
    QImage image(size * factor, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(factor); // drawn in the 232 x 64 units, with more pixels
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient panel(0, 0, 0, size.height());
    panel.setColorAt(0.0, QColor(14, 18, 46));
    panel.setColorAt(1.0, QColor(40, 22, 58));
    painter.fillRect(image.rect(), panel);
    QLinearGradient rim(0, 0, size.width(), 0);
    rim.setColorAt(0.0, QColor(255, 196, 72));
    rim.setColorAt(1.0, QColor(226, 80, 40));
    painter.setPen(QPen(QBrush(rim), 2.0));
    painter.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
    painter.setPen(Qt::NoPen);

    // The setting sun, striped across its lower half.
    const QPointF sun(33, 34);
    const double radius = 23;
    QLinearGradient sunFill(0, sun.y() - radius, 0, sun.y() + radius);
    sunFill.setColorAt(0.0, QColor(255, 236, 120));
    sunFill.setColorAt(0.5, QColor(255, 150, 50));
    sunFill.setColorAt(1.0, QColor(214, 46, 70));
    QPainterPath disc;
    disc.addEllipse(sun, radius, radius);
    for (int i = 0; i < 4; ++i) {
        QPainterPath gap;
        const double y = sun.y() + 3 + i * 5.2;
        gap.addRect(QRectF(sun.x() - radius - 1, y, radius * 2 + 2, 1.2 + i * 0.7));
        disc = disc.subtracted(gap);
    }
    painter.fillPath(disc, sunFill);

    // A jet seen from above, climbing away to the upper right.
    QPainterPath jet = polygon({{0, -15},
                                {2, -9},
                                {2.2, -3},
                                {13, 6},
                                {13, 9},
                                {2.2, 5},
                                {2, 9},
                                {6, 13},
                                {6, 15},
                                {0, 13.5},
                                {-6, 15},
                                {-6, 13},
                                {-2, 9},
                                {-2.2, 5},
                                {-13, 9},
                                {-13, 6},
                                {-2.2, -3},
                                {-2, -9}});
    QTransform place;
    place.translate(35, 30);
    place.rotate(40);
    place.scale(1.25, 1.25);
    const QPainterPath placed = place.map(jet);
    // Its vapour trail.
    painter.setPen(QPen(QColor(255, 255, 255, 170), 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(place.map(QPointF(0, 17)), place.map(QPointF(0, 32)));
    painter.setPen(QPen(QColor(14, 18, 46), 2.4));
    painter.setBrush(QColor(230, 236, 246));
    painter.drawPath(placed);
    painter.setPen(Qt::NoPen);

    // The name.
    const QPainterPath name = lettering("SKYRAID", QPointF(68, 14), 3.8);
    QLinearGradient letters(0, 14, 0, 14 + 6 * 3.8);
    letters.setColorAt(0.0, QColor(255, 255, 255));
    letters.setColorAt(0.55, QColor(255, 222, 150));
    letters.setColorAt(1.0, QColor(255, 140, 50));
    painter.setPen(QPen(QColor(8, 10, 30), 1.6));
    painter.setBrush(letters);
    painter.drawPath(name);
    painter.setPen(Qt::NoPen);

    // Speed lines under the name.
    painter.fillPath(polygon({{72, 48}, {222, 48}, {220, 50.5}, {70, 50.5}}), QColor(255, 160, 60));
    painter.fillPath(polygon({{100, 54}, {222, 54}, {220.6, 55.5}, {99, 55.5}}),
                     QColor(210, 80, 60));
    painter.end();
    image.setDevicePixelRatio(1);
    return image.convertToFormat(QImage::Format_RGB32);
}

} // namespace skyraid::art
