#include "canvas.h"

#include <algorithm>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

namespace skyraid {

namespace {

QColor toQColor(std::uint32_t colour)
{
    return QColor(int(colour & 0xff), int((colour >> 8) & 0xff), int((colour >> 16) & 0xff));
}

// The largest text height worth rendering, in units: anything taller than
// the canvas shows nothing more, and giant glyphs cost time and memory.
constexpr int MaxTextHeight = 2 * Canvas::Height;

// Fonts kept at once; a scene uses two or three.
constexpr std::size_t MaxFonts = 8;

// Reading a picture as it is, with whatever transparency it has (a code no
// caller passes).
constexpr int WithItsOwnAlpha = 1;

// The most memory one picture may take on the canvas: a 4096 x 4096 photo.
constexpr qint64 MaxPictureBytes = qint64(64) << 20;

// Has the reader take the format its file's suffix names: asking every image
// plugin whether it knows the file takes longer than reading one of ours.
void readBySuffix(QImageReader& reader, const QString& fileName)
{
    reader.setFormat(QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

// Reads the picture by its suffix, or with `byContents` in the format its
// contents show.
QImage readImage(const QString& fileName, bool byContents)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    if (!byContents)
        readBySuffix(reader, fileName);
    reader.setAutoTransform(false);
    // A header may claim any size, and a small compressed file may hold a
    // vast picture: one whose pixels would take more than the budget on the
    // canvas is not read at all, and shows nothing, like an unreadable file.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > MaxPictureBytes)
        return {};
    return reader.read();
}

// The size a picture's header claims, invalid when it cannot be read.
QSize pictureSize(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    readBySuffix(reader, fileName);
    return reader.size();
}

QImage readPicture(const QString& fileName, int transparency)
{
    QImage image = readImage(fileName, false);
    // A file that is not what its suffix says is read for what it is.
    if (image.isNull())
        image = readImage(fileName, true);
    if (image.isNull())
        return {};
    // Qt takes "@4x" in a file name for a picture of a high-resolution screen;
    // the canvas counts every picture in its own pixels.
    image.setDevicePixelRatio(1);
    if (transparency == WithItsOwnAlpha) {
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
        return image;
    }
    if (transparency != KeyedByTopLeftPixel) {
        image.convertTo(QImage::Format_RGB32);
        return image;
    }

    // Every pixel of the top-left pixel's colour becomes see-through.
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    const QRgb key = image.pixel(0, 0);
    for (int row = 0; row < image.height(); ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::replace(line, line + image.width(), key, QRgb(0));
    }
    return image;
}

// "name.bmp" drawn `factor` times as large: "name@<factor>x.png" beside it
// (or of another suffix).
QString sharperName(const QString& fileName, int factor,
                    QLatin1String suffix = QLatin1String("png"))
{
    const QFileInfo file(fileName);
    return file.dir().filePath(
        QStringLiteral("%1@%2x.%3").arg(file.completeBaseName()).arg(factor).arg(suffix));
}

// A sharper version of one of our own pictures lies beside it: "name.bmp"
// drawn two or four times as large, with real transparency, in "name@2x.png"
// or "name@4x.png". It counts only when its height is that many times the
// picture's, and its width too (a background may be wider: it is centred).
// The smallest that is large enough for `scale` is taken, else the largest.
QImage sharperVersion(const QString& fileName, QSize size, int transparency, double scale,
                      int& factor)
{
    QImage best;
    for (const int k : {2, 4}) {
        const QString name = sharperName(fileName, k);
        if (!QFileInfo::exists(name))
            continue;
        const QSize sharpSize = pictureSize(name);
        if (sharpSize.height() != k * size.height() || sharpSize.width() < k * size.width() ||
            (transparency == KeyedByTopLeftPixel && sharpSize.width() != k * size.width()))
            continue;
        QImage sharp = readPicture(name, WithItsOwnAlpha);
        if (sharp.isNull())
            continue;
        best = sharp;
        factor = k;
        if (k >= scale)
            break;
    }
    return best;
}

} // namespace

bool Canvas::Op::operator==(const Op& other) const
{
    return kind == other.kind && surface == other.surface && generation == other.generation &&
           x == other.x && y == other.y && colour == other.colour && text == other.text;
}

Canvas::Canvas(QSize units, QSize pixels)
    : m_units(units), m_scaleX(double(pixels.width()) / units.width()),
      m_scale(double(pixels.height()) / units.height()), m_rect(QPoint(0, 0), pixels)
{}

QPoint Canvas::toPixels(int x, int y) const
{
    if (m_rect.size() == m_units)
        return {x, y};
    return {qRound(x * m_scaleX), qRound(y * m_scale)};
}

namespace {

// What the canvas needs to place a picture, copied so that a picture can be
// made on another thread while the canvas goes on.
struct Placing {
    QSize pixels;  // the canvas's
    double scaleX; // pixels to the unit
    double scaleY;
    bool cover;
    int transparency;
};

// The part of a picture of `source` pixels that the canvas shows: all of it,
// or for a background that covers the canvas, the centre, the overflow cut off.
QRect shownPart(QSize source, const Placing& placing)
{
    if (!placing.cover)
        return QRect(QPoint(0, 0), source);
    const QSize shown = placing.pixels.scaled(source, Qt::KeepAspectRatio);
    return QRect(
        QPoint((source.width() - shown.width()) / 2, (source.height() - shown.height()) / 2),
        shown);
}

// Its size on the canvas, in pixels, when it is drawn `factor` times as
// large as the picture it stands for.
QSize shownSize(QSize source, int factor, const Placing& placing)
{
    if (placing.cover)
        return placing.pixels;
    return {qRound(source.width() * placing.scaleX / factor),
            qRound(source.height() * placing.scaleY / factor)};
}

// `source` (drawn `factor` times as large as the picture it stands for) as
// the canvas shows it.
QImage placed(const QImage& source, int factor, const Placing& placing)
{
    const QRect part = shownPart(source.size(), placing);
    QImage result = (part.size() == source.size() ? source : source.copy(part))
                        .scaled(shownSize(source.size(), factor, placing), Qt::IgnoreAspectRatio,
                                Qt::SmoothTransformation);
    if (placing.transparency != KeyedByTopLeftPixel)
        result.convertTo(QImage::Format_RGB32);
    return result;
}

// A background may have a wider version of itself beside it, "name@1x.ppm"
// at its own height, drawn for wide screens: when it covers the canvas, it is
// cut from that, as from its sharper versions, which are as wide. Null when
// there is none.
QImage widerVersion(const QString& fileName, int transparency)
{
    const QString name = sharperName(fileName, 1, QLatin1String("ppm"));
    if (!QFileInfo::exists(name))
        return {};
    const QSize size = pictureSize(fileName);
    const QSize wideSize = pictureSize(name);
    if (!size.isValid() || wideSize.height() != size.height() || wideSize.width() <= size.width())
        return {};
    return readPicture(name, transparency);
}

// The picture `source` as the canvas shows it, scaled smoothly: from its
// sharper version where that is usable, else from itself.
QImage smoothPlaced(const QString& fileName, const QImage& source, const Placing& placing)
{
    int factor = 1;
    const QImage sharp = sharperVersion(fileName, source.size(), placing.transparency,
                                        std::max(placing.scaleX, placing.scaleY), factor);
    QImage result = sharp.isNull() ? QImage() : placed(sharp, factor, placing);
    if (result.size() != shownSize(source.size(), 1, placing))
        result = placed(source, 1, placing);
    return result;
}

} // namespace

void Canvas::decode(SurfaceData& data) const
{
    data.pending = false;
    // A covering background with a wider version is read from that alone.
    data.image = data.cover ? widerVersion(data.fileName, data.transparency) : QImage();
    if (data.image.isNull())
        data.image = readPicture(data.fileName, data.transparency);
    data.from = {};
    data.size = data.image.size();
    if (data.image.isNull() || (m_rect.size() == m_units && !data.cover) ||
        (data.cover && data.image.size() == m_rect.size()))
        return; // nothing to show, a pixel to the unit, or a background that covers as it is
    // Until its smooth version is ready the picture itself is
    // drawn, scaled the fast way as it is painted: the first frame shows at
    // once, and no picture of the screen's size is made before it. The
    // smooth one is made once the first frames are out, so as not to hold
    // them up.
    const Placing placing{m_rect.size(), m_scaleX, m_scale, data.cover, data.transparency};
    data.from = shownPart(data.image.size(), placing);
    data.size = shownSize(data.image.size(), 1, placing);
    data.makeSmooth = [fileName = data.fileName, source = data.image, placing] {
        return smoothPlaced(fileName, source, placing);
    };
    if (smoothStarted())
        startSmooth(data);
}

void Canvas::loadPending() const
{
    std::vector<SurfaceData*> pending;
    for (const SurfaceData& data : m_surfaces) {
        if (data.pending)
            pending.push_back(const_cast<SurfaceData*>(&data));
    }
    // Every picture asked for so far, read and scaled side by side.
    QtConcurrent::blockingMap(pending, [this](SurfaceData* data) { decode(*data); });
}

void Canvas::startSmooth(SurfaceData& data)
{
    if (data.makeSmooth) {
        data.smooth = QtConcurrent::run(std::move(data.makeSmooth));
        data.makeSmooth = nullptr;
    }
}

void Canvas::takeSmooth(SurfaceData& data, bool wait) const
{
    if (wait)
        startSmooth(data);
    if (!data.smooth.isValid() || (!wait && !data.smooth.isFinished()))
        return;
    const QImage sharp = data.smooth.result();
    data.smooth = {};
    if (sharp.size() == data.size) {
        data.image = sharp;
        data.from = {};
        data.generation = ++const_cast<Canvas*>(this)->m_generations;
    }
}

Surface Canvas::createSurface()
{
    m_surfaces.emplace_back();
    return Surface(m_surfaces.size());
}

Canvas::SurfaceData* Canvas::find(Surface surface)
{
    if (surface < 1 || std::size_t(surface) > m_surfaces.size())
        return nullptr;
    return &m_surfaces[std::size_t(surface) - 1];
}

const Canvas::SurfaceData* Canvas::find(Surface surface) const
{
    return const_cast<Canvas*>(this)->find(surface);
}

void Canvas::readAgain(SurfaceData& data)
{
    data.pending = true;
    data.smooth = {};
    data.makeSmooth = nullptr;
    data.generation = ++m_generations;
}

void Canvas::loadPicture(Surface surface, const QString& fileName, int transparency)
{
    if (SurfaceData* data = find(surface)) {
        data->fileName = fileName;
        data->transparency = transparency;
        data->cover = false;
        data->image = QImage();
        readAgain(*data);
    }
}

void Canvas::coverCanvas(Surface surface)
{
    if (SurfaceData* data = find(surface); data && !data->fileName.isEmpty()) {
        data->cover = true;
        readAgain(*data);
    }
}

void Canvas::setX(Surface surface, int x)
{
    if (SurfaceData* data = find(surface))
        data->x = x;
}

void Canvas::setY(Surface surface, int y)
{
    if (SurfaceData* data = find(surface))
        data->y = y;
}

int Canvas::x(Surface surface) const
{
    const SurfaceData* data = find(surface);
    return data ? data->x : 0;
}

int Canvas::y(Surface surface) const
{
    const SurfaceData* data = find(surface);
    return data ? data->y : 0;
}

void Canvas::moveX(Surface surface, int step)
{
    if (SurfaceData* data = find(surface))
        data->x += step;
}

void Canvas::moveY(Surface surface, int step)
{
    if (SurfaceData* data = find(surface))
        data->y += step;
}

QImage Canvas::picture(Surface surface) const
{
    SurfaceData* data = const_cast<Canvas*>(this)->find(surface);
    if (data && data->pending)
        loadPending();
    if (data)
        takeSmooth(*data, true);
    return data ? data->image : QImage();
}

void Canvas::drawSurface(Surface surface)
{
    SurfaceData* data = find(surface);
    if (data && data->pending)
        loadPending();
    // A smooth version that is ready takes the picture's place from now on.
    if (data)
        takeSmooth(*data, false);
    if (!data || data->image.isNull())
        return;
    const QPoint at = toPixels(data->x, data->y);
    const QRect rect = QRect(at, data->size) & m_rect;
    if (rect.isEmpty())
        return; // wholly off the canvas
    Op op;
    op.kind = Op::Kind::Picture;
    op.surface = surface;
    op.generation = data->generation;
    op.x = at.x();
    op.y = at.y();
    op.rect = rect;
    m_ops.push_back(std::move(op));
}

void Canvas::fill(std::uint32_t colour)
{
    Op op;
    op.kind = Op::Kind::Fill;
    op.colour = colour & 0xffffff;
    op.rect = m_rect;
    m_ops.push_back(std::move(op));
}

void Canvas::setFont(const QString& face, int pixelHeight, bool bold, bool italic, bool underline)
{
    // The scene switches between the same few fonts every frame: keep each,
    // so that unchanged texts compare equal and are neither measured nor
    // painted again.
    pixelHeight = std::clamp(pixelHeight, 1, MaxTextHeight);
    for (const FontData& font : m_fonts) {
        if (font.face == face && font.pixelHeight == pixelHeight && font.bold == bold &&
            font.italic == italic && font.underline == underline) {
            m_font = &font;
            return;
        }
    }
    if (m_fonts.size() >= MaxFonts)
        m_fonts.erase(m_fonts.begin());
    QFont font(face);
    font.setPixelSize(std::max(1, qRound(pixelHeight * m_scale)));
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    m_fonts.push_back(FontData{face, pixelHeight, bold, italic, underline, font, QFontMetrics(font),
                               ++m_generations});
    m_font = &m_fonts.back();
}

QString Canvas::resolvedFontFamily() const
{
    return m_font ? QFontInfo(m_font->font).family() : QString();
}

void Canvas::drawText(const QString& text, int x, int y, std::uint32_t colour)
{
    if (text.isEmpty())
        return;
    if (!m_font)
        setFont(QStringLiteral("Arial"), 16, false, false, false);
    const QPoint at = toPixels(x, y);
    Op op;
    op.kind = Op::Kind::Text;
    op.generation = m_font->generation;
    op.x = at.x();
    op.y = at.y();
    op.colour = colour & 0xffffff;
    op.text = text;
    op.font = m_font->font;
    op.ascent = m_font->metrics.ascent();

    // Measuring a text costs more than comparing it: reuse the last frame's
    // measure when the same text stands in the same place.
    const std::size_t index = m_ops.size();
    if (index < m_shown.size() && m_shown[index] == op) {
        op.rect = m_shown[index].rect;
    } else {
        const QFontMetrics& metrics = m_font->metrics;
        const QRect ink = metrics.boundingRect(text).translated(op.x, op.y + op.ascent);
        const QRect box(op.x, op.y, metrics.horizontalAdvance(text), metrics.height());
        // A little extra for antialiasing and italic overhang.
        op.rect = (ink | box).adjusted(-2, -2, 2, 2) & m_rect;
    }
    if (!op.rect.isEmpty())
        m_ops.push_back(std::move(op));
}

void Canvas::paint(QPainter& painter, const Op& op) const
{
    switch (op.kind) {
    case Op::Kind::Fill:
        painter.fillRect(painter.clipBoundingRect().toAlignedRect(), toQColor(op.colour));
        break;
    case Op::Kind::Picture: {
        const SurfaceData& data = *find(op.surface);
        if (data.from.isValid()) {
            // Scaled the fast way, inside the clip alone.
            painter.drawImage(QRect(QPoint(op.x, op.y), data.size), data.image, data.from);
            break;
        }
        const QRect area = op.rect & painter.clipBoundingRect().toAlignedRect();
        painter.drawImage(area.topLeft(), data.image, area.translated(-op.x, -op.y));
        break;
    }
    case Op::Kind::Text:
        painter.setPen(toQColor(op.colour));
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
               !find(op.surface)->image.hasAlphaChannel();
    }
    return false;
}

void Canvas::collectDamage()
{
    m_damage.clear();
    if (m_frame == 0) {
        m_damage.push_back(m_rect);
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
    // Later pictures start their smooth versions as they are read.
    if (m_frame == SmoothStartFrame) {
        for (SurfaceData& data : m_surfaces)
            startSmooth(data);
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

const QImage& Canvas::image() const
{
    if (m_imageFrame == m_frame)
        return m_image;
    // One frame behind: only what changed; else all of it.
    if (!m_image.isNull() && m_imageFrame + 1 == m_frame) {
        paint(m_image, m_damage);
    } else {
        if (m_image.isNull())
            m_image = QImage(m_rect.size(), QImage::Format_RGB32);
        paint(m_image, {m_rect});
    }
    m_imageFrame = m_frame;
    return m_image;
}

const std::vector<QRect>& Canvas::flip()
{
    nextFrame();
    image();
    return m_damage;
}

} // namespace skyraid
