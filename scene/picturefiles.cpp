#include "picturefiles.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace skyraid::picturefiles {

namespace {

// Has the reader take the format its file's suffix names: asking every image
// plugin whether it knows the file takes longer than reading one of ours.
void readBySuffix(QImageReader& reader, const QString& fileName)
{
    reader.setFormat(QFileInfo(fileName).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

// A bitmap shorter than its header says: Qt would show what there is of it,
// the rest left black.
bool isCutShortBitmap(QFile& file)
{
    const QByteArray header = file.peek(6);
    if (header.size() < 6 || !header.startsWith("BM"))
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(header.constData());
    const qint64 claimed =
        qint64(bytes[2]) | qint64(bytes[3]) << 8 | qint64(bytes[4]) << 16 | qint64(bytes[5]) << 24;
    return file.size() < claimed;
}

// Reads the picture by its suffix, or with `byContents` in the format its
// contents show.
QImage readImage(const QString& fileName, bool byContents)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly) || isCutShortBitmap(file))
        return {};
    QImageReader reader(&file);
    if (!byContents)
        readBySuffix(reader, fileName);
    reader.setAutoTransform(false);
    // A header may claim any size, and a small compressed file may hold a
    // vast picture: one whose pixels would take more than the budget is not
    // read at all, and shows nothing, like an unreadable file.
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() * 4 > MaxPictureBytes)
        return {};
    return reader.read();
}

// "dir/name.ext" with `tail` after its name and another suffix.
QString besideName(const QString& fileName, const QString& tail, QLatin1String suffix)
{
    const QFileInfo file(fileName);
    return file.dir().filePath(
        QStringLiteral("%1%2.%3").arg(file.completeBaseName(), tail, suffix));
}

double aspect(QSize size)
{
    return double(size.width()) / size.height();
}

} // namespace

QImage read(const QString& fileName, Transparency transparency)
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
    switch (transparency) {
    case Transparency::OwnAlpha:
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
        return image;
    case Transparency::Opaque:
        image.convertTo(QImage::Format_RGB32);
        return image;
    case Transparency::KeyedByTopLeftPixel:
        break;
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

QSize headerSize(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&file);
    readBySuffix(reader, fileName);
    return reader.size();
}

QString coveringShape(const QString& fileName, QSize pictureSize, QSize canvas)
{
    if (pictureSize.isEmpty() || canvas.isEmpty() || aspect(canvas) == aspect(pictureSize))
        return fileName;
    const bool wider = aspect(canvas) > aspect(pictureSize);
    const QString shape = besideName(
        fileName, wider ? QStringLiteral("-wide") : QStringLiteral("-tall"), QLatin1String("ppm"));
    if (!QFileInfo::exists(shape))
        return fileName;
    const QSize size = headerSize(shape);
    const bool fits =
        wider ? size.height() == pictureSize.height() && size.width() > pictureSize.width()
              : size.width() == pictureSize.width() && size.height() > pictureSize.height();
    return fits ? shape : fileName;
}

QRect coveredPart(QSize source, QSize canvas)
{
    const QSize shown = canvas.scaled(source, Qt::KeepAspectRatio);
    return QRect(
        QPoint((source.width() - shown.width()) / 2, (source.height() - shown.height()) / 2),
        shown);
}

QImage sharperVersion(const QString& fileName, QSize size, double scale, int& factor)
{
    QImage best;
    for (const int k : {2, 4}) {
        const QString name =
            besideName(fileName, QStringLiteral("@%1x").arg(k), QLatin1String("png"));
        if (!QFileInfo::exists(name) || headerSize(name) != size * k)
            continue;
        QImage sharp = read(name, Transparency::OwnAlpha);
        if (sharp.isNull())
            continue;
        best = std::move(sharp);
        factor = k;
        if (k >= scale)
            break;
    }
    return best;
}

} // namespace skyraid::picturefiles
