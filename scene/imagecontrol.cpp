#include "imagecontrol.h"

namespace skyraid {

bool ImageControl::openDisplay(int width, int height, int bitsPerPixel, const QString&)
{
    return width == Canvas::Width && height == Canvas::Height && bitsPerPixel >= 16;
}

} // namespace skyraid
