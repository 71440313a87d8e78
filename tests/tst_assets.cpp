#include "assets/preview.h"
#include "platform/platform.h"
#include "scene/flighttable.h"
#include "testsupport.h"

#include <cmath>
#include <cstdint>

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

std::uint32_t le(const QByteArray& bytes, int at, int size = 4)
{
    return size == 2 ? qFromLittleEndian<std::uint16_t>(bytes.constData() + at)
                     : qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

constexpr QRgb Key = 0xffff00ff;

QRect centred(QSize outer, QSize inner)
{
    return {QPoint(outer.width() - inner.width(), outer.height() - inner.height()) / 2, inner};
}

QColor mean(const QImage& in, QRect part)
{
    return in.copy(part).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixel(0, 0);
}

} // namespace

// Uncompressed 24-bit bitmaps, each an aircraft inside a border of the key
// colour (the top-left pixel's), that fit their flights: no wider than the
// way off the screen at their exit or start, on the 600-pixel screen below
// their start height.
TEST(AssetFiles, AircraftPicturesFitTheirFlights)
{
    std::vector<std::tuple<QString, int, int>> aircraft;
    for (const SoloAircraftRoute& solo : {FastJet, BackgroundPlane})
        aircraft.emplace_back(solo.picture, -solo.exitX, solo.startY);
    for (const FormationPlaneRoute& plane : FlightTable)
        aircraft.emplace_back(plane.picture,
                              plane.leftward() ? -plane.exitX
                                               : -std::max(plane.startX, plane.restartX),
                              plane.startY);
    for (const auto& [file, maxWidth, startY] : aircraft) {
        SCOPED_TRACE(file.toStdString());
        const QByteArray bytes = test::readFile(assetFolder() + file);
        ASSERT_GT(bytes.size(), 54);
        EXPECT_TRUE(bytes.startsWith("BM") && le(bytes, 28, 2) == 24 && le(bytes, 30) == 0);
        const QImage picture = QImage::fromData(bytes, "BMP");
        EXPECT_TRUE(picture.width() >= 60 && picture.width() <= maxWidth) << picture.width();
        EXPECT_TRUE(picture.height() >= 20 && startY + picture.height() <= 600);
        int opaque = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                const bool edge =
                    x == 0 || y == 0 || x == picture.width() - 1 || y == picture.height() - 1;
                ASSERT_TRUE(p == Key || !edge) << x << "," << y;
                opaque += p != Key;
            }
        const double cover = double(opaque) / (picture.width() * picture.height());
        EXPECT_GT(cover, 0.08);
        EXPECT_LT(cover, 0.9);
    }
}

// The sunset's versions hold the picture unchanged in their middles, and each
// sharper one is its version twice as large. On every canvas one covers,
// centred, it shows blue overhead and dark under the message: at the foot of
// the aircraft's band and at the foot of the screen.
TEST(AssetFiles, SunsetVersionsShowTheWholeSunsetOnEveryShape)
{
    const std::tuple<const char*, QSize, std::vector<QSize>> versions[] = {
        {".BMP", {800, 600}, {{800, 600}, {800, 640}}},
        {"@2x.png", {1600, 1200}, {}},
        {"-wide.ppm", {2400, 600}, {{1067, 600}, {1400, 600}, {2133, 600}, {2400, 600}}},
        {"-wide@2x.png", {4800, 1200}, {{2133, 600}}},
        {"-tall.ppm", {800, 1600}, {{800, 640}, {800, 1143}, {800, 1422}}},
        {"-tall@2x.png", {1600, 3200}, {{800, 1422}}}};
    const QImage picture(assetFolder() + u"Sunset Yellow.BMP"_s);
    QImage previous;
    for (const auto& [suffix, size, canvases] : versions) {
        const QImage version(assetFolder() + u"Sunset Yellow"_s + QLatin1String(suffix));
        SCOPED_TRACE(suffix);
        ASSERT_EQ(version.size(), size);
        if (size == previous.size() * 2) { // alike, seen coarsely
            const auto coarse = [&](const QImage& image) {
                return image
                    .scaled(previous.size() / 20, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                    .convertToFormat(QImage::Format_Grayscale8);
            };
            const QImage a = coarse(previous), b = coarse(version);
            for (qsizetype i = 0; i < a.sizeInBytes(); ++i)
                ASSERT_LT(std::abs(a.constBits()[i] - b.constBits()[i]), 8) << i;
        } else {
            EXPECT_TRUE(version.copy(centred(size, picture.size())) == picture);
        }
        previous = version;
        for (const QSize canvas : canvases) {
            SCOPED_TRACE(testing::Message() << canvas.width() << "x" << canvas.height());
            const QImage screen =
                version.copy(centred(size, canvas.scaled(size, Qt::KeepAspectRatio)))
                    .scaled(canvas, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            EXPECT_NEAR(mean(screen, {0, 0, canvas.width(), 60}).hue(), 240, 25) << "blue overhead";
            for (const int y : {(canvas.height() - 600) / 2 + 555, canvas.height() - 40})
                EXPECT_LT(qGray(mean(screen, {0, y, 320, 40}).rgb()), 90) << "dark at " << y;
        }
    }
    const QImage logo(assetFolder() + u"Logo.bmp"_s, "BMP");
    EXPECT_TRUE(logo.width() <= 320 && logo.height() <= 120);
    EXPECT_GT(logo.scaled(8, 4).convertToFormat(QImage::Format_Indexed8).colorCount(), 8);
}

// A 153 x 115 bitmap of 256 colours, built into the program.
TEST(AssetFiles, PreviewPictureHasItsExactLayout)
{
    const QByteArray bytes = test::readFile(assetFolder() + u"preview.bmp"_s);
    ASSERT_EQ(bytes.size(), 14 + 40 + 1024 + 156 * 115);
    // Total size, pixel offset, header size, width, height, planes and bits,
    // compression, colours used.
    const std::pair<int, std::uint32_t> fields[] = {{2, 19018}, {10, 1078}, {14, 40},
                                                    {18, 153},  {22, 115},  {26, 1 | 8 << 16},
                                                    {30, 0},    {46, 256}};
    for (auto [at, value] : fields)
        EXPECT_EQ(le(bytes, at), value) << "at " << at;
    EXPECT_EQ(test::readFile(previewPicturePath()), bytes);
    EXPECT_EQ(previewPicture().size(), QSize(153, 115));
}

TEST(AssetFiles, JetSoundIsAShortPcmWaveThatNeitherClipsNorClicks)
{
    const QByteArray bytes = test::readFile(assetFolder() + u"jets.wav"_s);
    ASSERT_GT(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4) + bytes.mid(8, 8) + bytes.mid(36, 4), "RIFFWAVEfmt data");
    // 16-bit PCM, and every byte after the header is sound.
    const std::uint32_t bytesPerSecond = le(bytes, 28);
    EXPECT_TRUE(le(bytes, 20, 2) == 1 && le(bytes, 34, 2) == 16 &&
                bytesPerSecond == le(bytes, 24) * le(bytes, 22, 2) * 2);
    ASSERT_EQ(le(bytes, 40), std::uint32_t(bytes.size() - 44));
    const double seconds = double(bytes.size() - 44) / bytesPerSecond;
    EXPECT_TRUE(seconds >= 3.0 && seconds <= 10.0) << seconds;

    const int count = (bytes.size() - 44) / 2;
    auto sample = [&](int i) { return int(qint16(le(bytes, 44 + 2 * i, 2))); };
    double sum = 0;
    int peak = 0;
    for (int i = 0; i < count; ++i) {
        sum += double(sample(i)) * sample(i);
        peak = std::max(peak, std::abs(sample(i)));
    }
    EXPECT_GT(std::sqrt(sum / count), 2000.0) << "audible";
    EXPECT_LT(peak, 32767) << "clipped";
    // Near zero at both ends: no click when it starts or plays again.
    for (int i = 0; i < int(bytesPerSecond / 200); ++i)
        ASSERT_LT(std::abs(sample(i)) + std::abs(sample(count - 1 - i)), 800) << i;
}
