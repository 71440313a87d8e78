#pragma once

#include <cstdint>
#include <vector>

#include <QColor>
#include <QImage>
#include <QPointF>

class QPainter;

namespace skyraid::art {

enum class AirframeKind {
    Striker, // light single-engine fighter, chin intake, bubble canopy
    Twinfin, // heavy air-superiority fighter, two fins, box intakes
    Delta,   // tailless delta with half-cone intakes
    Trainer, // tandem-seat jet trainer, no afterburner
    Canard,  // delta with foreplanes
    Airliner // twin-engine transport
};

enum class Pattern { Plain, Camouflage, DisplayStripe, Cheatline };

struct Livery {
    QColor upper;  // main colour of the sides and top
    QColor lower;  // belly and underside of the wings
    QColor accent; // fin tip, stripes
    QColor trim;   // second accent: stripe, roundel centre
    Pattern pattern = Pattern::Plain;
    QColor camouflage; // the second colour of a camouflage pattern
};

namespace liveries {
Livery airGrey();
Livery navy();
Livery desert();
Livery woodland();
Livery displayRed();
Livery displayBlue();
Livery stealthBlack();
Livery racer();
Livery seaGrey();
Livery silver();
Livery airline();
} // namespace liveries

enum class Facing { Left, Right };

// One aircraft of a picture: what it is, where its centre lies, how long it is
// in pixels, and how far away it looks (0 near and clear, 1 lost in the haze).
struct Aircraft {
    AirframeKind kind = AirframeKind::Striker;
    Livery livery;
    QPointF centre;
    double length = 80.0;
    double haze = 0.0;
    bool afterburner = true;
    std::uint32_t seed = 1; // varies the camouflage from one aircraft to the next
};

inline const QColor hazeColour(206, 176, 170);

// Draws the aircraft antialiased onto a transparent, premultiplied picture.
void drawAircraft(QImage& canvas, const Aircraft& aircraft, Facing facing);

// Draws the aircraft of a group, the farthest first.
void drawGroup(QImage& canvas, std::vector<Aircraft> group, Facing facing);

} // namespace skyraid::art
