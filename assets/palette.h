#pragma once

#include <QImage>

namespace skyraid::art {

// Reduces a picture to an indexed one of at most `colours` palette entries,
// chosen by median cut and refined by a few rounds of averaging; each pixel
// takes its nearest entry. Fully determined by the picture.
QImage quantize(const QImage& picture, int colours = 256);

} // namespace skyraid::art
