#include "picturestore.h"

#include "picturefiles.h"

#include <algorithm>

#include <QPainter>

#include <QtConcurrent/QtConcurrentMap>
#include <QtConcurrent/QtConcurrentRun>

namespace skyraid {

namespace {

// What it takes to place a picture on the canvas, copied so that a picture
// can be made on another thread while the canvas goes on.
struct Placing {
    QSize pixels;  // the canvas's
    double scaleX; // pixels to the unit
    double scaleY;
    bool cover;
    Transparency transparency;
};

// The part of a picture of `source` pixels that the canvas shows: all of it,
// or for a picture that covers the canvas, the centre.
QRect shownPart(QSize source, const Placing& placing)
{
    return placing.cover ? picturefiles::coveredPart(source, placing.pixels)
                         : QRect(QPoint(0, 0), source);
}

// Its size on the canvas in pixels, when it is drawn `factor` times as large
// as the picture it stands for.
QSize shownSize(QSize source, int factor, const Placing& placing)
{
    if (placing.cover)
        return placing.pixels;
    return {qRound(source.width() * placing.scaleX / factor),
            qRound(source.height() * placing.scaleY / factor)};
}

// `source` (drawn `factor` times as large as the picture it stands for) as
// the canvas shows it, scaled smoothly.
QImage placed(const QImage& source, int factor, const Placing& placing)
{
    const QRect part = shownPart(source.size(), placing);
    const QSize size = shownSize(source.size(), factor, placing);
    QImage result;
    if (part.size() == source.size() || size.width() < part.width()) {
        result = (part.size() == source.size() ? source : source.copy(part))
                     .scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        // Enlarged from a part of a large picture (a panorama cut for the
        // screen): scaled straight from it, without a copy of the part.
        result = QImage(size, source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
        result.fill(Qt::transparent);
        QPainter painter(&result);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(QPoint(0, 0), size), source, part);
    }
    if (placing.transparency == Transparency::Opaque)
        result.convertTo(QImage::Format_RGB32);
    return result;
}

// The picture `source`, read from `fileName`, as the canvas shows it, scaled
// smoothly: from its sharper version where that is usable, else from itself.
QImage smoothPlaced(const QString& fileName, const QImage& source, const Placing& placing)
{
    const QRect part = shownPart(source.size(), placing);
    const QSize size = shownSize(source.size(), 1, placing);
    const double scale =
        std::max(double(size.width()) / part.width(), double(size.height()) / part.height());
    int factor = 1;
    const QImage sharp = picturefiles::sharperVersion(fileName, source.size(), scale, factor);
    QImage result = sharp.isNull() ? QImage() : placed(sharp, factor, placing);
    if (result.size() != size)
        result = placed(source, 1, placing);
    return result;
}

} // namespace

PictureStore::PictureStore(CanvasGeometry geometry) : m_geometry(geometry) {}

PictureStore::~PictureStore()
{
    m_pool.clear();
    m_pool.waitForDone();
}

Surface PictureStore::add()
{
    m_entries.emplace_back();
    return Surface(m_entries.size());
}

bool PictureStore::contains(Surface surface) const
{
    return surface >= 1 && std::size_t(surface) <= m_entries.size();
}

PictureStore::Entry& PictureStore::entry(Surface surface)
{
    return m_entries[std::size_t(surface) - 1];
}

const PictureStore::Shown& PictureStore::shown(Surface surface) const
{
    return m_entries[std::size_t(surface) - 1].shown;
}

void PictureStore::readAgain(Entry& entry)
{
    entry.pending = true;
    entry.shown = Shown{};
    entry.shown.generation = ++m_generations;
    entry.makeSmooth = nullptr;
    // A smooth version on its way is of the old picture: it finishes unseen.
    entry.smooth = {};
}

void PictureStore::load(Surface surface, const QString& fileName, Transparency transparency)
{
    if (!contains(surface))
        return;
    Entry& e = entry(surface);
    e.fileName = fileName;
    e.transparency = transparency;
    e.cover = false;
    readAgain(e);
}

void PictureStore::cover(Surface surface)
{
    if (!contains(surface) || entry(surface).fileName.isEmpty())
        return;
    Entry& e = entry(surface);
    e.cover = true;
    readAgain(e);
}

void PictureStore::read(Entry& entry) const
{
    entry.pending = false;
    Shown& shown = entry.shown;
    QString fileName = entry.fileName;
    shown.image = picturefiles::read(fileName, entry.transparency);
    if (entry.cover && !shown.image.isNull()) {
        // A picture that covers the canvas is cut from the shape of it that
        // fits the canvas best.
        const QString shape =
            picturefiles::coveringShape(fileName, shown.image.size(), m_geometry.pixels());
        if (shape != fileName) {
            QImage image = picturefiles::read(shape, entry.transparency);
            if (!image.isNull()) {
                shown.image = std::move(image);
                fileName = shape;
            }
        }
    }
    shown.from = {};
    shown.size = shown.image.size();
    if (shown.image.isNull() || (m_geometry.isUnscaled() && !entry.cover) ||
        (entry.cover && shown.image.size() == m_geometry.pixels()))
        return; // nothing to show, a pixel to the unit, or a cover as it is
    // Until its smooth version is ready, the picture itself is drawn, scaled
    // the fast way as it is painted: no picture of the screen's size is made
    // before the first frame.
    const Placing placing{m_geometry.pixels(), m_geometry.scaleX(), m_geometry.scaleY(),
                          entry.cover, entry.transparency};
    shown.from = shownPart(shown.image.size(), placing);
    shown.size = shownSize(shown.image.size(), 1, placing);
    entry.makeSmooth = [fileName, source = shown.image, placing] {
        return smoothPlaced(fileName, source, placing);
    };
}

void PictureStore::readPending()
{
    std::vector<Entry*> pending;
    for (Entry& e : m_entries) {
        if (e.pending)
            pending.push_back(&e);
    }
    if (pending.empty())
        return;
    // Every picture asked for so far, read and placed side by side.
    QtConcurrent::blockingMap(&m_pool, pending, [this](Entry* e) { read(*e); });
    for (Entry* e : pending) {
        if (m_smoothStarted)
            startSmooth(*e);
    }
}

void PictureStore::startSmooth(Entry& entry)
{
    if (entry.makeSmooth) {
        entry.smooth = QtConcurrent::run(&m_pool, std::move(entry.makeSmooth));
        entry.makeSmooth = nullptr;
    }
}

void PictureStore::startSmoothVersions()
{
    m_smoothStarted = true;
    for (Entry& e : m_entries)
        startSmooth(e);
}

void PictureStore::takeSmooth(Entry& entry, bool wait)
{
    if (wait)
        startSmooth(entry);
    if (!entry.smooth.isValid() || (!wait && !entry.smooth.isFinished()))
        return;
    QImage smooth = entry.smooth.result();
    entry.smooth = {};
    if (smooth.size() == entry.shown.size) {
        entry.shown.image = std::move(smooth);
        entry.shown.from = {};
        entry.shown.generation = ++m_generations;
    }
}

const PictureStore::Shown* PictureStore::take(Surface surface, bool waitForSmooth)
{
    if (!contains(surface))
        return nullptr;
    Entry& e = entry(surface);
    if (e.pending)
        readPending();
    takeSmooth(e, waitForSmooth);
    return &e.shown;
}

} // namespace skyraid
