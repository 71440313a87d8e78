#include "assets/aircraft.h"

#include "assets/random.h"
#include "assets/shapes.h"

#include <algorithm>
#include <initializer_list>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skyraid::art {

namespace liveries {

Livery airGrey()
{
    return {QColor(124, 134, 146), QColor(168, 175, 184), QColor(76, 84, 96),
            QColor(98, 108, 122),  Pattern::Plain,        {}};
}
Livery navy()
{
    return {QColor(54, 66, 88),   QColor(104, 114, 132), QColor(226, 184, 40),
            QColor(226, 184, 40), Pattern::Plain,        {}};
}
Livery desert()
{
    return {QColor(184, 152, 104), QColor(196, 188, 170), QColor(112, 86, 58),
            QColor(40, 90, 160),   Pattern::Camouflage,   QColor(128, 100, 66)};
}
Livery woodland()
{
    return {QColor(92, 106, 72), QColor(150, 158, 150), QColor(50, 58, 44),
            QColor(190, 40, 40), Pattern::Camouflage,   QColor(56, 64, 48)};
}
Livery displayRed()
{
    return {QColor(204, 30, 40),   QColor(238, 238, 236),  QColor(28, 58, 150),
            QColor(245, 245, 245), Pattern::DisplayStripe, {}};
}
Livery displayBlue()
{
    return {QColor(26, 72, 170),   QColor(244, 206, 40),   QColor(244, 206, 40),
            QColor(250, 250, 250), Pattern::DisplayStripe, {}};
}
Livery stealthBlack()
{
    return {QColor(60, 64, 74),    QColor(100, 104, 114), QColor(190, 34, 40),
            QColor(150, 150, 150), Pattern::Plain,        {}};
}
Livery racer()
{
    return {QColor(150, 158, 170), QColor(192, 196, 204), QColor(200, 36, 40),
            QColor(200, 36, 40),   Pattern::Cheatline,    {}};
}
Livery seaGrey()
{
    return {QColor(92, 116, 138),  QColor(178, 190, 200), QColor(236, 236, 236),
            QColor(236, 236, 236), Pattern::Plain,        {}};
}
Livery silver()
{
    return {QColor(180, 186, 194), QColor(196, 200, 206), QColor(36, 78, 160),
            QColor(36, 78, 160),   Pattern::Cheatline,    {}};
}
Livery airline()
{
    return {QColor(236, 236, 232), QColor(176, 180, 188), QColor(196, 44, 44),
            QColor(30, 70, 150),   Pattern::Cheatline,    {}};
}

} // namespace liveries

namespace {

// The side view of an airframe in model units: 100 long, the nose at +50,
// the tail at -50, y downward, the fuselage axis on y = 0. Seen very slightly
// from below, as one sees aircraft overhead, so the near wing hangs a little
// under the fuselage.
struct Airframe {
    QPainterPath body;
    QPainterPath canopy;
    QPainterPath fin;
    QPainterPath farFin;
    QPainterPath wing;
    QPainterPath stabiliser;
    QPainterPath intake;
    QPainterPath intakeMouth;
    QPainterPath foreplane;
    QPainterPath nozzle;
    QPainterPath engine; // an engine pod under the wing
    QLineF rudderHinge;
    std::vector<QPointF> pilots;
    std::vector<double> panelLines; // x positions of joints around the fuselage
    std::vector<QLineF> missiles;   // from the tail of each missile to its nose
    QPointF roundel;
    double roundelRadius = 0.0;
    double nozzleX = -50.0;    // where the exhaust leaves the airframe
    double nozzleHalf = 3.4;   // half the height of the exhaust
    double canopyFrameX = 0.0; // a frame across the canopy, 0 for none
    QPointF pitotTip;          // the tip of a nose probe, or null
    bool windows = false;      // a row of cabin windows
};

Airframe striker()
{
    Airframe a;
    a.body.moveTo(50, 1);
    a.body.cubicTo(42, -2.8, 33, -4.8, 24, -5.6);
    a.body.cubicTo(14, -6.6, 0, -7.6, -12, -7.4);
    a.body.lineTo(-36, -6.4);
    a.body.lineTo(-46, -5.2);
    a.body.lineTo(-48, -4.6);
    a.body.lineTo(-48, 4.4);
    a.body.lineTo(-38, 5.2);
    a.body.lineTo(-10, 6.2);
    a.body.lineTo(8, 6.4);
    a.body.cubicTo(18, 6.2, 26, 5.6, 34, 4.4);
    a.body.cubicTo(42, 3.2, 47, 2.2, 50, 1);
    a.body.closeSubpath();

    a.intake.moveTo(21, 5.6);
    a.intake.lineTo(23.5, 10.2);
    a.intake.lineTo(4, 10.4);
    a.intake.cubicTo(-6, 10.4, -14, 8, -22, 5.8);
    a.intake.lineTo(-10, 5.8);
    a.intake.closeSubpath();
    a.intakeMouth = polygon({{21, 5.6}, {23.5, 10.2}, {21.2, 10.2}, {19.4, 6}});

    a.canopy.moveTo(26, -5.4);
    a.canopy.cubicTo(22, -11.8, 12, -12.6, 4, -10.6);
    a.canopy.cubicTo(-2, -9.2, -8, -8, -12, -7.4);
    a.canopy.lineTo(20, -5.9);
    a.canopy.closeSubpath();

    a.fin = polygon({{-22, -7.2}, {-40, -26}, {-47.5, -26.5}, {-47, -5.4}});
    a.rudderHinge = QLineF(-42, -6.6, -45.2, -24.5);
    a.stabiliser = polygon({{-32, 1.6}, {-46, 0.8}, {-56, 4.6}, {-53, 5.6}, {-40, 4}});
    a.wing = polygon({{13, 3.2}, {-14, 9.6}, {-24, 9.8}, {-26, 4.4}});
    a.missiles = {QLineF(-27, 10.4, -5, 10.4)};
    a.nozzle = polygon({{-48, -4.6}, {-53.5, -3.6}, {-53.5, 3.6}, {-48, 4.4}});
    a.nozzleX = -53.5;
    a.nozzleHalf = 3.3;
    a.pilots = {{12, -8.8}};
    a.panelLines = {31, -2, -31};
    a.roundel = {-22, 0.2};
    a.roundelRadius = 2.7;
    return a;
}

Airframe twinfin()
{
    Airframe a;
    a.body.moveTo(50, 0.8);
    a.body.cubicTo(43, -2.6, 35, -4.4, 27, -5.2);
    a.body.cubicTo(18, -6.2, 8, -7, -6, -6.8);
    a.body.lineTo(-36, -5.8);
    a.body.lineTo(-45, -4.8);
    a.body.lineTo(-46, -4.2);
    a.body.lineTo(-46, 4.6);
    a.body.lineTo(-30, 5.6);
    a.body.lineTo(10, 5.6);
    a.body.cubicTo(22, 5.2, 34, 4.2, 42, 3);
    a.body.cubicTo(46, 2.2, 48.5, 1.5, 50, 0.8);
    a.body.closeSubpath();

    a.intake = polygon({{21, -3.4}, {24.5, 6.6}, {0, 7.6}, {-26, 6.8}, {-26, -1.8}});
    a.intakeMouth = polygon({{21, -3.4}, {24.5, 6.6}, {22.6, 6.8}, {19.2, -2.8}});

    a.canopy.moveTo(30, -4.8);
    a.canopy.cubicTo(26, -11.8, 15, -12.2, 8, -10.6);
    a.canopy.cubicTo(2, -9.2, -4, -7.6, -8, -6.8);
    a.canopy.lineTo(26, -5.2);
    a.canopy.closeSubpath();

    a.fin = polygon({{-20, -6.4}, {-33, -27}, {-42, -27.4}, {-43, -5.2}});
    a.farFin = a.fin.translated(5, -0.8);
    a.rudderHinge = QLineF(-37.5, -6, -39.8, -25.5);
    a.stabiliser = polygon({{-28, 1.5}, {-44, 0.5}, {-56, 5}, {-52, 6}, {-36, 4.2}});
    a.wing = polygon({{12, 4}, {-14, 11.5}, {-26, 11.8}, {-30, 5}});
    a.missiles = {QLineF(-16, 8.8, 4, 8.8), QLineF(-29, 12.8, -8, 12.8)};
    a.nozzle = polygon({{-46, -4.2}, {-51.5, -3.4}, {-51.5, 3.8}, {-46, 4.6}});
    a.nozzleX = -51.5;
    a.nozzleHalf = 3.3;
    a.pilots = {{17, -9}};
    a.panelLines = {34, 2, -20};
    a.roundel = {-12, 1.4};
    a.roundelRadius = 2.8;
    return a;
}

Airframe delta()
{
    Airframe a;
    a.body.moveTo(50, 1.2);
    a.body.cubicTo(44, -1.6, 36, -3.8, 26, -4.8);
    a.body.cubicTo(18, -5.6, 8, -6.4, -4, -6.4);
    a.body.lineTo(-40, -5.4);
    a.body.lineTo(-46, -4.6);
    a.body.lineTo(-46, 4.2);
    a.body.lineTo(-36, 5);
    a.body.lineTo(10, 5.4);
    a.body.cubicTo(24, 5, 36, 3.8, 44, 2.6);
    a.body.cubicTo(47, 2, 49, 1.6, 50, 1.2);
    a.body.closeSubpath();
    a.pitotTip = {56, 1.2};

    a.intake.moveTo(18, 0.6);
    a.intake.cubicTo(17, -3.2, 13, -3.8, 8, -3.8);
    a.intake.lineTo(-16, -3.4);
    a.intake.lineTo(-16, 4.6);
    a.intake.lineTo(8, 4.8);
    a.intake.cubicTo(13, 4.8, 17, 4.2, 18, 0.6);
    a.intake.closeSubpath();
    a.intakeMouth.addEllipse(QPointF(16.4, 0.5), 1.6, 3.4);

    a.canopy.moveTo(27, -4.7);
    a.canopy.cubicTo(23, -10, 14, -10.8, 8, -9.4);
    a.canopy.cubicTo(3, -8, -2, -6.8, -6, -6.4);
    a.canopy.lineTo(24, -5.2);
    a.canopy.closeSubpath();

    a.fin = polygon({{-14, -6.3}, {-38, -29}, {-45, -29.4}, {-46.5, -5}});
    a.rudderHinge = QLineF(-40.5, -5.5, -43.2, -27.5);
    a.wing = polygon({{14, 4}, {-38, 11.6}, {-46, 11.8}, {-46.5, 4.4}});
    a.missiles = {QLineF(-34, 12.6, -12, 12.6)};
    a.nozzle = polygon({{-46, -4.6}, {-51, -3.8}, {-51, 3.6}, {-46, 4.2}});
    a.nozzleX = -51;
    a.nozzleHalf = 3.2;
    a.pilots = {{15, -7.6}};
    a.panelLines = {33, -20};
    a.roundel = {-24, 0.4};
    a.roundelRadius = 2.6;
    return a;
}

Airframe trainer()
{
    Airframe a;
    a.body.moveTo(50, 2);
    a.body.cubicTo(48, -2, 42, -4.4, 32, -5.6);
    a.body.cubicTo(24, -6.4, 16, -7, 6, -7.2);
    a.body.lineTo(-30, -5.6);
    a.body.lineTo(-44, -3.6);
    a.body.lineTo(-47, -3);
    a.body.lineTo(-47, 3.2);
    a.body.lineTo(-36, 4.6);
    a.body.cubicTo(-10, 7, 10, 7.4, 24, 6.6);
    a.body.cubicTo(36, 6, 46, 4.8, 50, 2);
    a.body.closeSubpath();

    a.intake.addEllipse(QPointF(2, 0.2), 5, 3.6);
    a.intakeMouth.addEllipse(QPointF(5.2, 0.2), 1.5, 2.8);

    a.canopy.moveTo(32, -5.6);
    a.canopy.cubicTo(28, -11, 20, -11.8, 12, -11.4);
    a.canopy.lineTo(2, -11.4);
    a.canopy.cubicTo(-4, -11, -10, -9, -14, -6.6);
    a.canopy.lineTo(30, -6.2);
    a.canopy.closeSubpath();
    a.canopyFrameX = 8;

    a.fin = polygon({{-24, -6}, {-40, -24}, {-47, -24.4}, {-47, -3.2}});
    a.rudderHinge = QLineF(-42.4, -4.5, -45, -22.8);
    a.stabiliser = polygon({{-34, 1.2}, {-46, 0.6}, {-53, 4}, {-50, 5}, {-38, 3.4}});
    a.wing = polygon({{8, 4.8}, {-6, 10.6}, {-16, 10.8}, {-22, 5.4}});
    a.nozzle = polygon({{-47, -3}, {-50, -2.6}, {-50, 2.8}, {-47, 3.2}});
    a.nozzleX = -50;
    a.nozzleHalf = 2.6;
    a.pilots = {{19, -8.8}, {0, -9}};
    a.panelLines = {38, -14};
    a.roundel = {-24, 0};
    a.roundelRadius = 2.5;
    return a;
}

Airframe canard()
{
    Airframe a;
    a.body.moveTo(50, 1);
    a.body.cubicTo(42, -2.4, 34, -4.4, 25, -5.4);
    a.body.cubicTo(15, -6.6, 2, -7.4, -10, -7.2);
    a.body.lineTo(-40, -5.8);
    a.body.lineTo(-47, -4.8);
    a.body.lineTo(-47, 4.4);
    a.body.lineTo(-30, 5.4);
    a.body.lineTo(8, 6);
    a.body.cubicTo(20, 5.8, 32, 4.8, 40, 3.4);
    a.body.cubicTo(45, 2.4, 48, 1.6, 50, 1);
    a.body.closeSubpath();
    a.pitotTip = {54, 1};

    a.intake = polygon({{16, -1}, {18.4, 7.6}, {-6, 8.4}, {-18, 6}, {-18, 0}});
    a.intakeMouth = polygon({{16, -1}, {18.4, 7.6}, {16.4, 7.8}, {14.2, -0.4}});
    a.foreplane = polygon({{9, -1.2}, {-3, 2.8}, {-9, 3}, {-9, -0.6}});

    a.canopy.moveTo(26, -5.3);
    a.canopy.cubicTo(22, -11.6, 12, -12.2, 5, -10.4);
    a.canopy.cubicTo(0, -9, -5, -7.8, -10, -7.2);
    a.canopy.lineTo(22, -5.8);
    a.canopy.closeSubpath();

    a.fin = polygon({{-18, -7.1}, {-38, -27}, {-45, -27.2}, {-46, -5.6}});
    a.rudderHinge = QLineF(-40.5, -6.4, -42.6, -25.5);
    a.wing = polygon({{4, 4.6}, {-36, 11.4}, {-45, 11.6}, {-46, 4.6}});
    a.missiles = {QLineF(-38, 12.4, -16, 12.4)};
    a.nozzle = polygon({{-47, -4.8}, {-52.5, -3.8}, {-52.5, 3.8}, {-47, 4.4}});
    a.nozzleX = -52.5;
    a.nozzleHalf = 3.3;
    a.pilots = {{13, -8.8}};
    a.panelLines = {32, -24};
    a.roundel = {-26, 0.4};
    a.roundelRadius = 2.6;
    return a;
}

Airframe airliner()
{
    Airframe a;
    a.body.moveTo(50, 1.5);
    a.body.cubicTo(49.5, -2, 46, -4.8, 40, -5.2);
    a.body.lineTo(-28, -5.2);
    a.body.cubicTo(-38, -5.2, -46, -4.2, -50, -2);
    a.body.lineTo(-50, -0.2);
    a.body.cubicTo(-42, 2.6, -34, 5, -26, 5.2);
    a.body.lineTo(36, 5.2);
    a.body.cubicTo(44, 5.2, 49, 4, 50, 1.5);
    a.body.closeSubpath();

    a.canopy = polygon({{46.5, -2.6}, {44, -3.8}, {40.5, -3.8}, {40.5, -2.2}});
    a.fin = polygon({{-28, -5}, {-44, -24}, {-50.5, -24}, {-49.5, -2.4}});
    a.rudderHinge = QLineF(-46, -3.5, -47.6, -22.8);
    a.stabiliser = polygon({{-36, -0.4}, {-47, -1}, {-55, 3.2}, {-52, 3.8}, {-41, 1.8}});
    a.wing = polygon({{14, 2.6}, {-12, 12}, {-19, 12}, {-10, 3.4}});
    a.engine.addRoundedRect(QRectF(-4, 6.4, 14, 4.8), 2.2, 2.2);
    a.windows = true;
    a.panelLines = {30, -30};
    a.nozzleX = -50;
    return a;
}

Airframe airframe(AirframeKind kind)
{
    switch (kind) {
    case AirframeKind::Striker:
        return striker();
    case AirframeKind::Twinfin:
        return twinfin();
    case AirframeKind::Delta:
        return delta();
    case AirframeKind::Trainer:
        return trainer();
    case AirframeKind::Canard:
        return canard();
    case AirframeKind::Airliner:
        return airliner();
    }
    return striker();
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

QColor shaded(const QColor& colour, double factor)
{
    return factor >= 1.0 ? mix(colour, Qt::white, factor - 1.0)
                         : mix(colour, Qt::black, 1.0 - factor);
}

// Light from above and a little from ahead: bright along the top, darker
// towards the belly, as a rounded fuselage looks.
void shadeRound(QPainter& painter, const QPainterPath& area, double top, double bottom)
{
    QLinearGradient light(0, top, 0, bottom);
    light.setColorAt(0.0, QColor(255, 250, 240, 120));
    light.setColorAt(0.22, QColor(255, 250, 240, 40));
    light.setColorAt(0.45, QColor(0, 0, 0, 0));
    light.setColorAt(0.75, QColor(20, 10, 30, 60));
    light.setColorAt(1.0, QColor(20, 10, 30, 130));
    painter.fillPath(area, light);
}

void fillLivery(QPainter& painter, const QPainterPath& area, const Livery& livery, double top,
                double bottom)
{
    QLinearGradient base(0, top, 0, bottom);
    base.setColorAt(0.0, livery.upper);
    base.setColorAt(0.55, livery.upper);
    base.setColorAt(0.8, mix(livery.upper, livery.lower, 0.8));
    base.setColorAt(1.0, livery.lower);
    painter.fillPath(area, base);
}

void drawCamouflage(QPainter& painter, const QPainterPath& area, const Livery& livery,
                    std::uint32_t seed)
{
    painter.save();
    painter.setClipPath(area);
    Random random(seed * 2654435761u + 7u);
    const QRectF bounds = area.boundingRect();
    painter.setPen(Qt::NoPen);
    painter.setBrush(livery.camouflage);
    for (int i = 0; i < 16; ++i) {
        const QPointF centre(random.range(bounds.left(), bounds.right()),
                             random.range(bounds.top(), bounds.bottom()));
        QPainterPath blob;
        const double rx = random.range(4.0, 9.0);
        const double ry = random.range(2.0, 4.5);
        blob.moveTo(centre + QPointF(-rx, 0));
        blob.cubicTo(centre + QPointF(-rx, -ry * random.range(0.8, 1.6)),
                     centre + QPointF(rx * 0.3, -ry * random.range(1.0, 1.8)),
                     centre + QPointF(rx, random.range(-1.0, 1.0)));
        blob.cubicTo(centre + QPointF(rx * 0.6, ry * random.range(1.0, 1.6)),
                     centre + QPointF(-rx * 0.5, ry * random.range(0.8, 1.4)),
                     centre + QPointF(-rx, 0));
        painter.drawPath(blob);
    }
    painter.restore();
}

void drawMissile(QPainter& painter, const QLineF& line, const QColor& pylon)
{
    const double radius = 0.75;
    const double tailX = std::min(line.x1(), line.x2());
    const double noseX = std::max(line.x1(), line.x2());
    const double y = line.y1();
    // The pylon that holds it up to the wing or fuselage.
    const double middle = (tailX + noseX) / 2.0;
    painter.fillPath(polygon({{middle - 4.0, y - radius - 3.2},
                              {middle + 3.0, y - radius - 3.2},
                              {middle + 2.0, y},
                              {middle - 4.5, y}}),
                     pylon);
    QPainterPath body;
    body.moveTo(tailX, y - radius);
    body.lineTo(noseX - 2.2, y - radius);
    body.quadTo(noseX, y - radius * 0.6, noseX + 0.4, y);
    body.quadTo(noseX, y + radius * 0.6, noseX - 2.2, y + radius);
    body.lineTo(tailX, y + radius);
    body.closeSubpath();
    QLinearGradient white(0, y - radius, 0, y + radius);
    white.setColorAt(0.0, QColor(246, 246, 240));
    white.setColorAt(1.0, QColor(150, 152, 150));
    painter.fillPath(body, white);
    painter.fillPath(polygon({{tailX, y - radius},
                              {tailX + 3.2, y - radius},
                              {tailX + 0.6, y - 2.4},
                              {tailX - 0.4, y - 2.4}}),
                     QColor(120, 122, 124));
    painter.fillPath(polygon({{tailX, y + radius},
                              {tailX + 3.2, y + radius},
                              {tailX + 0.6, y + 2.2},
                              {tailX - 0.4, y + 2.2}}),
                     QColor(100, 102, 104));
    painter.fillPath(
        polygon({{noseX - 1.4, y - radius}, {noseX + 0.4, y - 0.1}, {noseX - 1.4, y + radius}}),
        QColor(52, 50, 46));
}

void drawFlame(QPainter& painter, double x, double half)
{
    const double length = half * 9.0;
    // The glow around the jet of flame.
    QPainterPath glow;
    glow.moveTo(x + 0.5, -half * 1.1);
    glow.cubicTo(x - length * 0.35, -half * 1.35, x - length * 0.8, -half * 0.7, x - length * 1.08,
                 0);
    glow.cubicTo(x - length * 0.8, half * 0.7, x - length * 0.35, half * 1.35, x + 0.5, half * 1.1);
    glow.closeSubpath();
    QLinearGradient ember(x, 0, x - length * 1.08, 0);
    ember.setColorAt(0.0, QColor(255, 150, 60));
    ember.setColorAt(0.5, QColor(230, 86, 44));
    ember.setColorAt(1.0, QColor(170, 44, 52));
    painter.fillPath(glow, ember);

    QPainterPath outer;
    outer.moveTo(x + 0.5, -half);
    outer.cubicTo(x - length * 0.3, -half * 1.05, x - length * 0.7, -half * 0.6, x - length, 0);
    outer.cubicTo(x - length * 0.7, half * 0.6, x - length * 0.3, half * 1.05, x + 0.5, half);
    outer.closeSubpath();
    QLinearGradient heat(x, 0, x - length, 0);
    heat.setColorAt(0.0, QColor(255, 236, 170));
    heat.setColorAt(0.25, QColor(255, 176, 60));
    heat.setColorAt(0.6, QColor(240, 92, 30));
    heat.setColorAt(1.0, QColor(190, 40, 40));
    painter.fillPath(outer, heat);

    QPainterPath core;
    const double coreLength = length * 0.55;
    core.moveTo(x + 0.5, -half * 0.7);
    core.cubicTo(x - coreLength * 0.4, -half * 0.7, x - coreLength * 0.8, -half * 0.3,
                 x - coreLength, 0);
    core.cubicTo(x - coreLength * 0.8, half * 0.3, x - coreLength * 0.4, half * 0.7, x + 0.5,
                 half * 0.7);
    core.closeSubpath();
    QLinearGradient white(x, 0, x - coreLength, 0);
    white.setColorAt(0.0, QColor(255, 255, 246));
    white.setColorAt(0.6, QColor(255, 240, 190));
    white.setColorAt(1.0, QColor(255, 200, 110));
    painter.fillPath(core, white);

    // Shock diamonds down the middle of the jet.
    for (int i = 0; i < 3; ++i) {
        const double cx = x - half * (2.2 + 1.9 * i);
        const double r = half * (0.55 - 0.12 * i);
        painter.fillPath(polygon({{cx + r * 1.6, 0}, {cx, -r}, {cx - r * 1.6, 0}, {cx, r}}),
                         QColor(255, 255, 255, 220 - 50 * i));
    }
}

void drawRoundel(QPainter& painter, const Livery& livery, QPointF centre, double radius)
{
    if (radius <= 0.0)
        return;
    painter.setPen(Qt::NoPen);
    const bool subdued = livery.pattern == Pattern::Plain && livery.upper.saturation() < 60;
    const QColor outer = subdued ? shaded(livery.upper, 0.7) : QColor(28, 56, 140);
    const QColor middle = subdued ? shaded(livery.upper, 1.25) : QColor(240, 240, 236);
    const QColor inner = subdued ? shaded(livery.upper, 0.7) : QColor(230, 120, 30);
    // Seen from the side the circle is squeezed a little by the curve of the
    // fuselage.
    painter.setBrush(outer);
    painter.drawEllipse(centre, radius * 0.9, radius);
    painter.setBrush(middle);
    painter.drawEllipse(centre, radius * 0.6, radius * 0.66);
    painter.setBrush(inner);
    painter.drawEllipse(centre, radius * 0.3, radius * 0.33);
}

// Paints one airframe in its livery, far parts first; `pixel` is the size of
// a picture pixel in model units, for lines that should stay fine.
class AirframePainter {
public:
    AirframePainter(QPainter& painter, const Aircraft& craft, double pixel)
        : m_painter(painter), m_craft(craft), m_livery(craft.livery),
          m_outline(shaded(craft.livery.upper, 0.45)), m_pixel(pixel)
    {}

    void paint(const Airframe& a)
    {
        m_painter.setPen(Qt::NoPen);
        fins(a);
        const QPainterPath hull = fuselage(a);
        if (a.windows)
            cabinWindows(a);
        drawRoundel(m_painter, m_livery, a.roundel, a.roundelRadius);
        if (!a.pitotTip.isNull()) {
            pen(QColor(70, 70, 76), 0.8, Qt::FlatCap);
            m_painter.drawLine(QPointF(49, a.pitotTip.y()), a.pitotTip);
            m_painter.setPen(Qt::NoPen);
        }
        if (!a.windows && !a.canopy.isEmpty())
            canopy(a);
        underside(a.foreplane);
        underside(a.wing);
        underside(a.stabiliser);
        if (!a.engine.isEmpty())
            enginePod(a.engine);
        for (const QLineF& missile : a.missiles)
            drawMissile(m_painter, missile, shaded(m_livery.lower, 0.7));
        if (!a.nozzle.isEmpty())
            nozzle(a.nozzle);
        if (m_craft.afterburner && m_craft.kind != AirframeKind::Airliner &&
            m_craft.kind != AirframeKind::Trainer)
            drawFlame(m_painter, a.nozzleX, a.nozzleHalf);

        // A thin darker edge keeps the shape crisp on pale skies.
        m_painter.setBrush(Qt::NoBrush);
        pen(withAlpha(m_outline, 110), 0.55);
        m_painter.drawPath(hull);
        m_painter.setPen(Qt::NoPen);
    }

private:
    static QColor withAlpha(QColor colour, int alpha)
    {
        colour.setAlpha(alpha);
        return colour;
    }

    void pen(const QColor& colour, double pixels, Qt::PenCapStyle cap = Qt::SquareCap)
    {
        m_painter.setPen(QPen(colour, m_pixel * pixels, Qt::SolidLine, cap));
    }

    // The far fin, partly hidden, then the near one with its coloured band.
    void fins(const Airframe& a)
    {
        if (!a.farFin.isEmpty()) {
            m_painter.fillPath(a.farFin, shaded(m_livery.upper, 0.72));
            m_painter.fillPath(a.farFin, QColor(0, 0, 0, 30));
        }
        m_painter.fillPath(a.fin, m_livery.upper);
        if (m_livery.pattern == Pattern::Camouflage)
            drawCamouflage(m_painter, a.fin, m_livery, m_craft.seed + 11);
        const QRectF box = a.fin.boundingRect();
        m_painter.save();
        m_painter.setClipPath(a.fin);
        m_painter.fillRect(
            QRectF(box.left() - 2, box.top() - 1, box.width() + 4, box.height() * 0.28),
            m_livery.accent);
        if (m_livery.pattern == Pattern::DisplayStripe || m_livery.pattern == Pattern::Cheatline)
            m_painter.fillRect(QRectF(box.left() - 2, box.top() + box.height() * 0.34,
                                      box.width() + 4, box.height() * 0.1),
                               m_livery.trim);
        QLinearGradient across(box.left(), 0, box.right(), 0);
        across.setColorAt(0.0, QColor(255, 250, 240, 70));
        across.setColorAt(0.5, QColor(0, 0, 0, 0));
        across.setColorAt(1.0, QColor(20, 10, 30, 70));
        m_painter.fillRect(box, across);
        m_painter.restore();
        pen(m_outline, 0.6);
        m_painter.drawLine(a.rudderHinge);
        m_painter.setPen(Qt::NoPen);
    }

    // The fuselage and intakes in the livery, rounded by light from above;
    // returns their outline.
    QPainterPath fuselage(const Airframe& a)
    {
        const QRectF box = a.body.boundingRect();
        QPainterPath hull = a.body;
        if (!a.intake.isEmpty())
            hull = hull.united(a.intake);
        fillLivery(m_painter, hull, m_livery, box.top(), box.bottom() + 3);
        if (!a.intake.isEmpty())
            m_painter.fillPath(a.intake, QColor(0, 0, 0, 28));
        m_painter.save();
        m_painter.setClipPath(hull);
        switch (m_livery.pattern) {
        case Pattern::Camouflage:
            drawCamouflage(m_painter, hull, m_livery, m_craft.seed);
            break;
        case Pattern::DisplayStripe:
            m_painter.fillPath(polygon({{52, 0.2}, {-50, -2.8}, {-50, 0.2}, {52, 3.4}}),
                               m_livery.trim);
            m_painter.fillPath(polygon({{52, 3.4}, {-50, 0.2}, {-50, 12}, {52, 12}}),
                               m_livery.lower);
            break;
        case Pattern::Cheatline:
            m_painter.fillRect(QRectF(-60, -0.8, 120, 1.6), m_livery.trim);
            break;
        case Pattern::Plain:
            break;
        }
        m_painter.restore();
        shadeRound(m_painter, hull, box.top(), box.bottom() + 3);

        if (!a.intakeMouth.isEmpty()) {
            // The intake's lip catches the light, the duct behind it is dark.
            const QRectF mouth = a.intakeMouth.boundingRect();
            QLinearGradient duct(mouth.right(), 0, mouth.left(), 0);
            duct.setColorAt(0.0, shaded(m_livery.upper, 1.25));
            duct.setColorAt(0.35, shaded(m_livery.upper, 0.55));
            duct.setColorAt(1.0, shaded(m_livery.upper, 0.35));
            m_painter.fillPath(a.intakeMouth, duct);
        }

        // Panel joints around the fuselage.
        m_painter.save();
        m_painter.setClipPath(hull);
        pen(QColor(0, 0, 0, 60), 0.5);
        for (const double x : a.panelLines)
            m_painter.drawLine(QPointF(x, -15), QPointF(x - 1.0, 15));
        m_painter.restore();
        return hull;
    }

    void cabinWindows(const Airframe& a)
    {
        m_painter.setPen(QPen(QColor(40, 50, 70), m_pixel * 0.9, Qt::DashLine, Qt::FlatCap));
        m_painter.drawLine(QPointF(36, -2.4), QPointF(-30, -2.4));
        m_painter.setPen(Qt::NoPen);
        m_painter.fillPath(a.canopy, QColor(30, 36, 54));
    }

    // Dark glass with a sky reflection, the pilots' helmets inside.
    void canopy(const Airframe& a)
    {
        const QRectF box = a.canopy.boundingRect();
        QLinearGradient glass(0, box.top(), 0, box.bottom());
        glass.setColorAt(0.0, QColor(150, 170, 200));
        glass.setColorAt(0.35, QColor(52, 66, 96));
        glass.setColorAt(1.0, QColor(14, 18, 32));
        m_painter.fillPath(a.canopy, glass);
        m_painter.save();
        m_painter.setClipPath(a.canopy);
        for (const QPointF& pilot : a.pilots) {
            m_painter.setBrush(QColor(40, 40, 44));
            m_painter.drawEllipse(pilot, 2.1, 2.1);
            m_painter.setBrush(QColor(230, 226, 210));
            m_painter.drawEllipse(pilot + QPointF(-0.3, -0.5), 1.6, 1.3);
        }
        QPainterPath shine;
        shine.moveTo(box.left() + box.width() * 0.75, box.top() + 1.0);
        shine.cubicTo(box.left() + box.width() * 0.5, box.top() + 0.2,
                      box.left() + box.width() * 0.3, box.top() + 1.0,
                      box.left() + box.width() * 0.15, box.top() + 2.6);
        m_painter.setPen(QPen(QColor(255, 255, 255, 150), 1.1, Qt::SolidLine, Qt::RoundCap));
        m_painter.drawPath(shine);
        if (a.canopyFrameX != 0.0) {
            pen(m_outline, 0.9);
            m_painter.drawLine(QPointF(a.canopyFrameX, box.top() - 1),
                               QPointF(a.canopyFrameX, box.bottom()));
        }
        m_painter.restore();
        pen(m_outline, 0.5);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(a.canopy);
        m_painter.setPen(Qt::NoPen);
    }

    void enginePod(const QPainterPath& pod)
    {
        const QRectF box = pod.boundingRect();
        m_painter.fillPath(pod, shaded(m_livery.lower, 0.72));
        shadeRound(m_painter, pod, box.top(), box.bottom());
        pen(withAlpha(m_outline, 150), 0.5);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawPath(pod);
        m_painter.setPen(Qt::NoPen);
        // The dark mouth of the intake and the exhaust cone behind.
        m_painter.fillPath(polygon({{box.right() - 2.0, box.top() + 0.5},
                                    {box.right(), box.top() + 0.9},
                                    {box.right(), box.bottom() - 0.9},
                                    {box.right() - 2.0, box.bottom() - 0.5}}),
                           QColor(36, 36, 44));
        m_painter.fillPath(polygon({{box.left(), box.top() + 1.0},
                                    {box.left() - 2.4, box.center().y()},
                                    {box.left(), box.bottom() - 1.0}}),
                           QColor(90, 86, 84));
    }

    // A wing, tailplane or foreplane seen from below: in shadow, outlined,
    // its leading edge (the path's first side) catching the light.
    void underside(const QPainterPath& surface)
    {
        if (surface.isEmpty())
            return;
        const QRectF box = surface.boundingRect();
        QLinearGradient under(0, box.top(), 0, box.bottom());
        under.setColorAt(0.0, shaded(m_livery.lower, 1.06));
        under.setColorAt(1.0, shaded(m_livery.lower, 0.7));
        m_painter.fillPath(surface, under);
        if (m_livery.pattern == Pattern::Camouflage)
            m_painter.fillPath(surface, withAlpha(m_livery.upper, 90));
        m_painter.setBrush(Qt::NoBrush);
        pen(withAlpha(m_outline, 150), 0.5);
        m_painter.drawPath(surface);
        pen(QColor(255, 255, 255, 120), 0.7);
        m_painter.drawLine(QPointF(surface.elementAt(0)), QPointF(surface.elementAt(1)));
        m_painter.setPen(Qt::NoPen);
    }

    // Heat-stained metal with its rings.
    void nozzle(const QPainterPath& nozzle)
    {
        const QRectF box = nozzle.boundingRect();
        QLinearGradient metal(0, box.top(), 0, box.bottom());
        metal.setColorAt(0.0, QColor(150, 140, 132));
        metal.setColorAt(0.4, QColor(96, 86, 80));
        metal.setColorAt(1.0, QColor(44, 40, 40));
        m_painter.fillPath(nozzle, metal);
        pen(QColor(30, 26, 26, 140), 0.5);
        for (int i = 1; i < 3; ++i) {
            const double x = box.left() + box.width() * i / 3.0;
            m_painter.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        }
        m_painter.setPen(Qt::NoPen);
    }

    QPainter& m_painter;
    const Aircraft& m_craft;
    const Livery& m_livery;
    QColor m_outline;
    double m_pixel;
};

// Pulls every pixel of a premultiplied layer towards the haze colour.
void applyHaze(QImage& layer, double amount)
{
    if (amount <= 0.0)
        return;
    const int keep = int(std::lround((1.0 - amount) * 256.0));
    const int hr = hazeColour.red();
    const int hg = hazeColour.green();
    const int hb = hazeColour.blue();
    for (int y = 0; y < layer.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            if (a == 0)
                continue;
            auto toward = [&](int c, int h) {
                return (c * keep + (h * a / 255) * (256 - keep)) / 256;
            };
            line[x] = qRgba(toward(qRed(p), hr), toward(qGreen(p), hg), toward(qBlue(p), hb), a);
        }
    }
}

} // namespace

void drawAircraft(QImage& canvas, const Aircraft& aircraft, Facing facing)
{
    QImage layer(canvas.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing);
        const double scale = aircraft.length / 100.0;
        painter.translate(aircraft.centre);
        painter.scale(facing == Facing::Right ? scale : -scale, scale);
        AirframePainter(painter, aircraft, 1.0 / scale).paint(airframe(aircraft.kind));
    }
    applyHaze(layer, aircraft.haze);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, layer);
}

void drawGroup(QImage& canvas, std::vector<Aircraft> group, Facing facing)
{
    std::stable_sort(group.begin(), group.end(),
                     [](const Aircraft& a, const Aircraft& b) { return a.haze > b.haze; });
    for (const Aircraft& aircraft : group)
        drawAircraft(canvas, aircraft, facing);
}

} // namespace skyraid::art
