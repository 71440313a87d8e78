#include "assets/bitmapfile.h"
#include "assets/palette.h"
#include "assets/random.h"
#include "assets/sprites.h"

#include <cmath>

#include <QImage>
#include <QPainter>
#include <QSet>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

QImage noisePicture(int width, int height, std::uint32_t seed)
{
    art::Random random(seed);
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            picture.setPixel(x, y,
                             qRgb(int(random.next() & 0xff), int(random.next() & 0xff),
                                  int(random.next() & 0xff)));
    return picture;
}

} // namespace

TEST(BitmapWriters, TrueColourPicturesOfEveryRowPaddingReadBackUnchanged)
{
    for (int width = 1; width <= 5; ++width) {
        const QImage picture = noisePicture(width, 3, std::uint32_t(width));
        const QByteArray bytes = art::bitmap24(picture);
        const int row = (width * 3 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54 + row * 3) << width;
        const QImage back = QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(back, picture) << "width " << width;
    }
}

TEST(BitmapWriters, IndexedPicturesKeepTheirIndicesAndAFullPalette)
{
    for (int width = 1; width <= 5; ++width) {
        QImage indexed(width, 4, QImage::Format_Indexed8);
        indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 50), qRgb(0, 255, 0)});
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width; ++x)
                indexed.setPixel(x, y, uint((x + 2 * y) % 3));
        const QByteArray bytes = art::bitmap8(indexed);
        const int row = (width + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 14 + 40 + 1024 + row * 4) << width;

        const QImage back = QImage::fromData(bytes, "BMP");
        ASSERT_EQ(back.format(), QImage::Format_Indexed8);
        EXPECT_EQ(back.colorCount(), 256);
        EXPECT_EQ(back.color(1), qRgb(200, 100, 50));
        EXPECT_EQ(back.color(255), qRgb(0, 0, 0));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(back.pixelIndex(x, y), (x + 2 * y) % 3) << x << "," << y;
    }
}

TEST(Quantize, FewColoursSurviveExactlyAndManyStayClose)
{
    // Up to 256 distinct colours come through unchanged.
    QImage few(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            few.setPixel(x, y, qRgb(x * 16, y * 16, (x * y) % 256));
    const QImage fewIndexed = art::quantize(few);
    ASSERT_EQ(fewIndexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(fewIndexed.colorCount(), 256);
    EXPECT_EQ(fewIndexed.convertToFormat(QImage::Format_RGB32), few);

    // A smooth two-way gradient of far more colours stays within a few levels.
    QImage smooth(120, 90, QImage::Format_RGB32);
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x)
            smooth.setPixel(x, y, qRgb(x * 2, 40 + y, 200 - x - y / 2));
    const QImage back = art::quantize(smooth).convertToFormat(QImage::Format_RGB32);
    double error = 0;
    for (int y = 0; y < 90; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb a = smooth.pixel(x, y);
            const QRgb b = back.pixel(x, y);
            error += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                     std::abs(qBlue(a) - qBlue(b));
        }
    EXPECT_LT(error / (120 * 90 * 3), 3.0);
}

TEST(KeyedSprite, SoftEdgesBecomeEitherKeyOrTheArtsOwnColour)
{
    // Antialiased art: a disc and a thin diagonal line in one colour.
    QImage art(40, 30, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    const QColor grey(90, 100, 110);
    {
        QPainter painter(&art);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(grey);
        painter.drawEllipse(QPointF(18.3, 14.6), 9.4, 7.7);
        painter.setPen(QPen(grey, 1.3));
        painter.drawLine(QPointF(2.5, 3.2), QPointF(37.1, 26.4));
    }
    const QImage sprite = art::keyedSprite(art);
    ASSERT_EQ(sprite.pixel(0, 0), art::keyColour);
    int opaque = 0;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const QRgb p = sprite.pixel(x, y);
            if (p == art::keyColour)
                continue;
            ++opaque;
            ASSERT_LE(std::abs(qRed(p) - grey.red()), 3) << x << "," << y;
            ASSERT_LE(std::abs(qGreen(p) - grey.green()), 3) << x << "," << y;
            ASSERT_LE(std::abs(qBlue(p) - grey.blue()), 3) << x << "," << y;
        }
    // Cropped to the art with a one-pixel key border, the disc kept whole.
    EXPECT_LE(sprite.width(), 39);
    EXPECT_GT(opaque, 180);
    for (int x = 0; x < sprite.width(); ++x)
        EXPECT_EQ(sprite.pixel(x, sprite.height() - 1), art::keyColour);
}
