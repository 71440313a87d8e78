#include "canvascontrol.h"

#include <algorithm>

namespace skyraid {

void CanvasControl::openCanvasFor(QSize pixels)
{
    if (!m_fill || pixels.isEmpty()) {
        m_canvas = Canvas();
        return;
    }
    const int width =
        std::max(Canvas::Width, qRound(double(Canvas::Height) * pixels.width() / pixels.height()));
    const double scale =
        std::min(double(pixels.width()) / width, double(pixels.height()) / Canvas::Height);
    m_canvas = Canvas(QSize(width, Canvas::Height), scale);
}

} // namespace skyraid
