#include "canvas.h"

#include <algorithm>

#include <QColor>
#include <QPainter>

namespace skyraid {

namespace {

// Changed areas kept for the canvas's own picture before it is painted whole.
constexpr std::size_t MaxBehind = 64;

} // namespace

bool Canvas::Op::operator==(const Op& other) const
{
    return kind == other.kind && surface == other.surface && generation == other.generation &&
           x == other.x && y == other.y && colour == other.colour && text == other.text;
}

Canvas::Canvas(QSize units, QSize pixels)
    : m_geometry(units, pixels), m_pictures(m_geometry), m_fonts(m_geometry.scaleY())
{}

Surface Canvas::createSurface()
{
    m_positions.emplace_back();
    return m_pictures.add();
}

void Canvas::loadPicture(Surface surface, const QString& fileName, Transparency transparency)
{
    m_pictures.load(surface, fileName, transparency);
}

void Canvas::coverCanvas(Surface surface)
{
    m_pictures.cover(surface);
}

void Canvas::setX(Surface surface, int x)
{
    if (m_pictures.contains(surface))
        m_positions[std::size_t(surface) - 1].setX(x);
}

void Canvas::setY(Surface surface, int y)
{
    if (m_pictures.contains(surface))
        m_positions[std::size_t(surface) - 1].setY(y);
}

int Canvas::x(Surface surface) const
{
    return m_pictures.contains(surface) ? m_positions[std::size_t(surface) - 1].x() : 0;
}

int Canvas::y(Surface surface) const
{
    return m_pictures.contains(surface) ? m_positions[std::size_t(surface) - 1].y() : 0;
}

void Canvas::moveX(Surface surface, int step)
{
    setX(surface, x(surface) + step);
}

void Canvas::moveY(Surface surface, int step)
{
    setY(surface, y(surface) + step);
}

QImage Canvas::picture(Surface surface)
{
    const PictureStore::Shown* shown = m_pictures.take(surface, true);
    return shown ? shown->image : QImage();
}

bool Canvas::hasPicture(Surface surface)
{
    const PictureStore::Shown* shown = m_pictures.take(surface);
    return shown && !shown->image.isNull();
}

void Canvas::drawSurface(Surface surface)
{
    // A smooth version that is ready takes the picture's place from now on.
    const PictureStore::Shown* shown = m_pictures.take(surface);
    if (!shown || shown->image.isNull())
        return;
    const QPoint at = m_geometry.toPixels(x(surface), y(surface));
    const QRect rect = QRect(at, shown->size) & m_geometry.pixelRect();
    if (rect.isEmpty())
        return; // wholly off the canvas
    Op op;
    op.kind = Op::Kind::Picture;
    op.surface = surface;
    op.generation = shown->generation;
    op.x = at.x();
    op.y = at.y();
    op.rect = rect;
    m_ops.push_back(std::move(op));
}

void Canvas::fill(QRgb colour)
{
    Op op;
    op.kind = Op::Kind::Fill;
    op.colour = colour | 0xff000000u;
    op.rect = m_geometry.pixelRect();
    m_ops.push_back(std::move(op));
}

void Canvas::setFont(const QString& face, int pixelHeight)
{
    m_fonts.select(face, pixelHeight, m_generations + 1);
    m_generations = std::max(m_generations, m_fonts.current()->generation);
}

void Canvas::drawText(const QString& text, int x, int y, QRgb colour)
{
    if (text.isEmpty())
        return;
    if (!m_fonts.current())
        setFont(QStringLiteral("Arial"), 16);
    const TextFonts::Font& font = *m_fonts.current();
    const QPoint at = m_geometry.toPixels(x, y);
    Op op;
    op.kind = Op::Kind::Text;
    op.generation = font.generation;
    op.x = at.x();
    op.y = at.y();
    op.colour = colour | 0xff000000u;
    op.text = text;
    op.font = font.font;
    op.ascent = font.metrics.ascent();

    // Measuring a text costs more than comparing it: reuse the last frame's
    // measure when the same text stands in the same place.
    const std::size_t index = m_ops.size();
    if (index < m_shown.size() && m_shown[index] == op) {
        op.rect = m_shown[index].rect;
    } else {
        const QRect ink = font.metrics.boundingRect(text).translated(op.x, op.y + op.ascent);
        const QRect box(op.x, op.y, font.metrics.horizontalAdvance(text), font.metrics.height());
        // A little extra for antialiasing and italic overhang.
        op.rect = (ink | box).adjusted(-2, -2, 2, 2) & m_geometry.pixelRect();
    }
    if (!op.rect.isEmpty())
        m_ops.push_back(std::move(op));
}

void Canvas::paint(QPainter& painter, const Op& op) const
{
    switch (op.kind) {
    case Op::Kind::Fill:
        painter.fillRect(painter.clipBoundingRect().toAlignedRect(), QColor::fromRgb(op.colour));
        break;
    case Op::Kind::Picture: {
        const PictureStore::Shown& shown = m_pictures.shown(op.surface);
        if (shown.from.isValid()) {
            // Scaled the fast way, inside the clip alone.
            painter.drawImage(QRect(QPoint(op.x, op.y), shown.size), shown.image, shown.from);
            break;
        }
        const QRect area = op.rect & painter.clipBoundingRect().toAlignedRect();
        painter.drawImage(area.topLeft(), shown.image, area.translated(-op.x, -op.y));
        break;
    }
    case Op::Kind::Text:
        painter.setPen(QColor::fromRgb(op.colour));
        painter.setFont(op.font);
        painter.drawText(QPoint(op.x, op.y + op.ascent), op.text);
        break;
    }
}

bool Canvas::coversOpaquely(const QRect& area) const
{
    // Only the bottom-most thing drawn there matters: it either hides the
    // black below it entirely or it does not.
    for (const Op& op : m_shown) {
        if (!op.rect.intersects(area))
            continue;
        if (op.kind == Op::Kind::Fill)
            return true;
        return op.kind == Op::Kind::Picture && op.rect.contains(area) &&
               !m_pictures.shown(op.surface).image.hasAlphaChannel();
    }
    return false;
}

void Canvas::collectDamage()
{
    m_damage.clear();
    if (m_frame == 0) {
        m_damage.push_back(m_geometry.pixelRect());
        return;
    }
    const std::size_t count = std::max(m_ops.size(), m_shown.size());
    for (std::size_t i = 0; i < count; ++i) {
        const Op* now = i < m_ops.size() ? &m_ops[i] : nullptr;
        const Op* before = i < m_shown.size() ? &m_shown[i] : nullptr;
        if (now && before && *now == *before)
            continue;
        QRect rect = now ? now->rect : QRect();
        if (before)
            rect |= before->rect;
        // Merge with whatever it touches, so that no pixel is painted twice.
        for (auto it = m_damage.begin(); it != m_damage.end();) {
            if (it->intersects(rect)) {
                rect |= *it;
                it = m_damage.erase(it);
                it = m_damage.begin(); // the grown rect may touch earlier ones
            } else {
                ++it;
            }
        }
        m_damage.push_back(rect);
    }
}

const std::vector<QRect>& Canvas::nextFrame()
{
    collectDamage();
    m_shown.swap(m_ops);
    m_ops.clear();
    ++m_frame;
    if (m_frame == SmoothStartFrame)
        m_pictures.startSmoothVersions();
    if (!m_image.isNull()) {
        // Many frames unseen: all of it, once.
        if (m_imageBehind.size() + m_damage.size() > MaxBehind)
            m_imageBehind.assign(1, m_geometry.pixelRect());
        else
            m_imageBehind.insert(m_imageBehind.end(), m_damage.begin(), m_damage.end());
    }
    return m_damage;
}

void Canvas::paint(QImage& target, const std::vector<QRect>& areas, QPoint at) const
{
    if (areas.empty())
        return;
    QPainter painter(&target);
    painter.translate(at);
    for (const QRect& area : areas) {
        painter.setClipRect(area);
        if (!coversOpaquely(area))
            painter.fillRect(area, Qt::black);
        for (const Op& op : m_shown) {
            if (op.rect.intersects(area))
                paint(painter, op);
        }
    }
}

const QImage& Canvas::image()
{
    if (m_image.isNull()) {
        m_image = QImage(m_geometry.pixels(), QImage::Format_RGB32);
        paint(m_image, {m_geometry.pixelRect()});
    } else {
        paint(m_image, m_imageBehind);
    }
    m_imageBehind.clear();
    return m_image;
}

const std::vector<QRect>& Canvas::flip()
{
    nextFrame();
    image();
    return m_damage;
}

} // namespace skyraid
