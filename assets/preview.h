#pragma once

#include <QImage>
#include <QString>

namespace skyraid {

// The still picture of the preview window, built into the program: a
// 153 x 115 bitmap with 8 bits per pixel and a 256-entry palette.
QString previewPicturePath();
QImage previewPicture();

} // namespace skyraid
