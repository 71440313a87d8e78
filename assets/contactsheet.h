#pragma once

#include "assets/sprites.h"

#include <vector>

#include <QImage>

namespace skyraid::art {

// The sunset and its versions for wide and tall screens.
struct SunsetVersions {
    QImage picture;
    QImage wide;
    QImage tall;
};

// One picture for reviewing all the art at a glance: every aircraft picture
// keyed over black, sky blue and the sunset (labelled with its file number,
// F for the fast jet, b for the background plane), a frame of the scene as
// the saver composes it, the preview picture at its own size and doubled,
// and the sunset's versions for wide and tall screens.
QImage contactSheet(const std::vector<SpriteArt>& sprites, const SunsetVersions& sunset,
                    const QImage& logo, const QImage& preview);

// Draws a keyed picture at a position, leaving out its key colour.
void drawKeyed(QImage& target, const QImage& sprite, QPoint at);

} // namespace skyraid::art
