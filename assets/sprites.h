#pragma once

#include "assets/aircraft.h"

#include <vector>

#include <QImage>
#include <QSize>
#include <QString>

namespace skyraid::art {

// The colour that the scene leaves out when it draws an aircraft picture: the
// picture's top-left pixel always has it. No aircraft pixel comes near it, not
// even after the colour depth is reduced to 16 bits.
inline constexpr QRgb keyColour = 0xffff00ff;

// Turns antialiased art on a transparent canvas into a keyed picture: pixels
// at least half covered become opaque in the art's own colour, the rest the
// key colour; edges therefore carry no tint of the key and look clean on any
// background. The picture is cropped to the art with a one-pixel key border.
QImage keyedSprite(const QImage& art);
// The part of the art that keyedSprite keeps, border included; empty when
// nothing of it is opaque enough.
QRect keyedBox(const QImage& art);

// How much larger the sharper versions of the pictures are drawn.
inline constexpr int sharpFactor = 4;

// One aircraft picture of the scene.
struct SpriteArt {
    QString fileName;
    Facing facing;
    QImage picture; // keyed, 24-bit colours
    QSize limit;    // the largest size its flight allows
    QImage sharp;   // the same, sharpFactor times as large, antialiased on transparency
};

// Every aircraft picture: the fast jet, the background plane and the fifteen
// formation pictures.
std::vector<SpriteArt> aircraftPictures();

} // namespace skyraid::art
