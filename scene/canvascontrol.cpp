#include "canvascontrol.h"

#include <algorithm>
#include <cmath>

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
    // A shape that fills the screen takes all of it; a narrower one keeps
    // its proportions, with bars above and below.
    const auto fit = [](double wanted, int screen) {
        return std::abs(wanted - screen) <= 1.0 ? screen : qRound(wanted);
    };
    m_canvas =
        Canvas(QSize(width, Canvas::Height), QSize(fit(width * scale, pixels.width()),
                                                   fit(Canvas::Height * scale, pixels.height())));
}

} // namespace skyraid
