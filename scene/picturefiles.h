#pragma once

#include "drawingcontrol.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace skyraid {

// Reading picture files for the canvas, and finding the other versions of
// a picture that may lie beside it:
//  - shapes: "name-wide.ppm" (as high, wider) and "name-tall.ppm" (as wide,
//    higher), drawn for screens of other shapes; a picture that covers the
//    canvas is cut from the one whose shape fits best;
//  - sharper versions: "name@2x.png" and "name@4x.png", exactly two or four
//    times the size of the picture (or shape) they stand for, with real
//    transparency, for canvases with more pixels than units.
namespace picturefiles {

// The most memory one picture may take: a 4096 x 4096 photo.
constexpr qint64 MaxPictureBytes = qint64(64) << 20;

// Reads a picture in its own pixels, whatever device pixel ratio its name
// suggests. A missing, unreadable or over-large file gives a null image.
QImage read(const QString& fileName, Transparency transparency);

// The size a picture's header claims; invalid when it cannot be read.
QSize headerSize(const QString& fileName);

// The file of the shape of `fileName` that covers a canvas of `canvas` pixels
// with the least of its picture's drawing cut: a wider version for a canvas
// wider than the picture, a taller one for a taller canvas, else the file
// itself.
QString coveringShape(const QString& fileName, QSize pictureSize, QSize canvas);

// The part of a picture of `source` pixels that covers a canvas of `canvas`
// pixels: the centre, as large as the canvas's shape allows.
QRect coveredPart(QSize source, QSize canvas);

// The sharper version of `fileName` (of `size` pixels) that is best for
// showing it `scale` times as large: the smallest whose factor reaches the
// scale, else the largest. `factor` is set to its factor; null when there is
// none.
QImage sharperVersion(const QString& fileName, QSize size, double scale, int& factor);

} // namespace picturefiles
} // namespace skyraid
