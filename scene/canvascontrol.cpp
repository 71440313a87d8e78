#include "canvascontrol.h"

#include <algorithm>

namespace skyraid {

CanvasControl::CanvasControl() : m_canvas(std::make_unique<Canvas>()) {}

QSize CanvasControl::unitsFor(QSize pixels, bool fill)
{
    if (!fill || pixels.isEmpty())
        return {Canvas::Width, Canvas::Height};
    // Wider than 4:3: as high as the classic canvas and wider; narrower:
    // as wide and higher.
    if (pixels.width() * Canvas::Height >= pixels.height() * Canvas::Width)
        return {std::max(Canvas::Width,
                         qRound(double(Canvas::Height) * pixels.width() / pixels.height())),
                Canvas::Height};
    return {Canvas::Width, std::max(Canvas::Height, qRound(double(Canvas::Width) * pixels.height() /
                                                           pixels.width()))};
}

void CanvasControl::openCanvasFor(QSize pixels)
{
    // The old canvas goes first, with the work it started.
    m_canvas.reset();
    if (!m_fill || pixels.isEmpty())
        m_canvas = std::make_unique<Canvas>();
    else
        m_canvas = std::make_unique<Canvas>(unitsFor(pixels, true), pixels);
}

} // namespace skyraid
