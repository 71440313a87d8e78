#pragma once

#include <QImage>

namespace skyraid::art {

// The program's own badge: a jet climbing across a striped setting sun beside
// the name in angular lettering drawn from strokes (no font involved).
// `factor` times as large in each direction for a sharper version.
QImage logo(int factor = 1);

} // namespace skyraid::art
