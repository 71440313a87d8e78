#include "letterbox.h"

#include <algorithm>
#include <cmath>

namespace skyraid {

Letterbox::Letterbox(QSize canvas, QSize screen) : m_canvas(canvas), m_screen(screen)
{
    m_scale = std::min(double(screen.width()) / canvas.width(),
                       double(screen.height()) / canvas.height());
    const int width = std::max(1, int(std::lround(canvas.width() * m_scale)));
    const int height = std::max(1, int(std::lround(canvas.height() * m_scale)));
    m_target = QRect((screen.width() - width) / 2, (screen.height() - height) / 2, width, height);
    m_columns = taps(canvas.width(), width);
    m_rows = taps(canvas.height(), height);
}

std::vector<Letterbox::Tap> Letterbox::taps(int source, int target)
{
    // Each target pixel samples the source at its centre, between two pixels.
    std::vector<Tap> result(std::size_t(std::max(target, 0)));
    const double ratio = double(source) / target;
    for (int i = 0; i < target; ++i) {
        const double at = std::clamp((i + 0.5) * ratio - 0.5, 0.0, double(source - 1));
        const int first = int(at);
        const int second = std::min(first + 1, source - 1);
        const auto w = std::uint32_t(std::lround((at - first) * 256.0));
        result[std::size_t(i)] = w == 256 ? Tap{second, second, 0} : Tap{first, second, w};
    }
    return result;
}

QRect Letterbox::screenRectFor(const QRect& canvasRect) const
{
    if (isCopy())
        return canvasRect.translated(m_target.topLeft()) & m_target;
    // A screen pixel reads the source pixels on both sides of its sample
    // point: widen by one source pixel and a screen pixel each way.
    const int left = int(std::floor((canvasRect.left() - 1) * m_scale)) - 1;
    const int top = int(std::floor((canvasRect.top() - 1) * m_scale)) - 1;
    const int right = int(std::ceil((canvasRect.right() + 2) * m_scale)) + 1;
    const int bottom = int(std::ceil((canvasRect.bottom() + 2) * m_scale)) + 1;
    return QRect(QPoint(left, top), QPoint(right, bottom)).translated(m_target.topLeft()) &
           m_target;
}

namespace {

// Blends two 32-bit pixels, weight w (0..256) towards b, two channels at once.
inline std::uint32_t blend(std::uint32_t a, std::uint32_t b, std::uint32_t w)
{
    const std::uint32_t rb = ((a & 0xff00ff) * (256 - w) + (b & 0xff00ff) * w) >> 8;
    const std::uint32_t g = ((a & 0x00ff00) * (256 - w) + (b & 0x00ff00) * w) >> 8;
    return 0xff000000u | (rb & 0xff00ff) | (g & 0x00ff00);
}

} // namespace

void Letterbox::scale(const QImage& canvas, QImage& screenImage, const QRect& screenRect) const
{
    const QRect area = screenRect & m_target;
    if (area.isEmpty())
        return;
    const int dx0 = m_target.left();
    const int dy0 = m_target.top();
    if (isCopy()) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto* in = reinterpret_cast<const std::uint32_t*>(canvas.constScanLine(y - dy0));
            auto* out = reinterpret_cast<std::uint32_t*>(screenImage.scanLine(y));
            std::copy(in + (area.left() - dx0), in + (area.right() + 1 - dx0), out + area.left());
        }
        return;
    }
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const Tap& row = m_rows[std::size_t(y - dy0)];
        const auto* upper = reinterpret_cast<const std::uint32_t*>(canvas.constScanLine(row.first));
        const auto* lower =
            reinterpret_cast<const std::uint32_t*>(canvas.constScanLine(row.second));
        auto* out = reinterpret_cast<std::uint32_t*>(screenImage.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            const Tap& column = m_columns[std::size_t(x - dx0)];
            const std::uint32_t top = blend(upper[column.first], upper[column.second], column.w);
            const std::uint32_t bottom = blend(lower[column.first], lower[column.second], column.w);
            out[x] = blend(top, bottom, row.w);
        }
    }
}

void Letterbox::paintBars(QImage& screenImage) const
{
    const QRect all(QPoint(0, 0), m_screen);
    for (int y = 0; y < m_screen.height() && y < screenImage.height(); ++y) {
        auto* out = reinterpret_cast<std::uint32_t*>(screenImage.scanLine(y));
        if (y < m_target.top() || y > m_target.bottom()) {
            std::fill(out, out + std::min(all.width(), screenImage.width()), 0xff000000u);
            continue;
        }
        std::fill(out, out + m_target.left(), 0xff000000u);
        std::fill(out + m_target.right() + 1, out + std::min(all.width(), screenImage.width()),
                  0xff000000u);
    }
}

} // namespace skyraid
