#include "imagecontrol.h"

namespace skyraid {

bool ImageControl::openDisplay(int width, int height, int bitsPerPixel, const QString&)
{
    if (width != Canvas::Width || height != Canvas::Height || bitsPerPixel < 16)
        return false;
    openCanvasFor(m_screen);
    return true;
}

} // namespace skyraid
