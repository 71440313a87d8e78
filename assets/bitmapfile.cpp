#include "assets/bitmapfile.h"

#include "assets/bytes.h"

#include <cstdint>

#include <QFile>
#include <QSaveFile>

namespace skyraid::art {

namespace {

constexpr int fileHeaderSize = 14;
constexpr int infoHeaderSize = 40;
constexpr int pixelsPerMetre = 2835; // 72 dots per inch

int rowBytes(int width, int bitsPerPixel)
{
    return (width * bitsPerPixel / 8 + 3) / 4 * 4;
}

QByteArray headers(int width, int height, int bitsPerPixel, int paletteEntries)
{
    const int pixelOffset = fileHeaderSize + infoHeaderSize + paletteEntries * 4;
    const int imageSize = rowBytes(width, bitsPerPixel) * height;
    QByteArray out;
    out.reserve(pixelOffset + imageSize);
    out.append("BM", 2);
    put32(out, std::uint32_t(pixelOffset + imageSize));
    put32(out, 0); // two reserved words
    put32(out, std::uint32_t(pixelOffset));
    put32(out, infoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height)); // positive: bottom-up rows
    put16(out, 1);                     // planes
    put16(out, std::uint16_t(bitsPerPixel));
    put32(out, 0); // no compression
    put32(out, std::uint32_t(imageSize));
    put32(out, pixelsPerMetre);
    put32(out, pixelsPerMetre);
    put32(out, std::uint32_t(paletteEntries));
    put32(out, 0); // all colours important
    return out;
}

} // namespace

QByteArray bitmap24(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    QByteArray out = headers(width, height, 24, 0);
    const int padding = rowBytes(width, 24) - width * 3;
    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
        }
        out.append(padding, '\0');
    }
    return out;
}

QByteArray bitmap8(const QImage& indexed)
{
    Q_ASSERT(indexed.format() == QImage::Format_Indexed8);
    const int width = indexed.width();
    const int height = indexed.height();
    QByteArray out = headers(width, height, 8, 256);
    const QList<QRgb> colours = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb colour = i < colours.size() ? colours[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(colour)));
        out.append(char(qGreen(colour)));
        out.append(char(qRed(colour)));
        out.append('\0');
    }
    const int padding = rowBytes(width, 8) - width;
    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), width);
        out.append(padding, '\0');
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

} // namespace skyraid::art
