#include "assets/preview.h"
#include "platform/platform.h"
#include "testsupport.h"

#include <cmath>
#include <cstdint>

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

QByteArray readAsset(const QString& name)
{
    QFile file(assetFolder() + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint16_t le16(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<std::uint16_t>(bytes.constData() + at);
}

std::uint32_t le32(const QByteArray& bytes, int at)
{
    return qFromLittleEndian<std::uint32_t>(bytes.constData() + at);
}

// Every aircraft picture, with what its flight demands of it. A leftward
// picture is parked when its left edge passes the exit limit, so it must be
// no wider than that to be off screen by then; a rightward one starts and
// re-enters at a negative x and must be hidden there. Its start height plus
// its own height must stay on the 600-pixel screen.
struct AircraftPicture {
    const char* file;
    bool rightward;
    int maxWidth;
    int startY;
};

void PrintTo(const AircraftPicture& picture, std::ostream* os)
{
    *os << picture.file;
}

const AircraftPicture aircraftPictures[] = {
    {"FastJet.bmp", false, 350, 75}, {"skyrbg.bmp", false, 350, 350},
    {"skyr01.bmp", false, 288, 180}, {"skyr02.bmp", true, 301, 200},
    {"skyr12.bmp", false, 305, 180}, {"skyr03.bmp", true, 270, 100},
    {"skyr16.bmp", false, 350, 500}, {"skyr08.bmp", true, 280, 300},
    {"skyr10.bmp", false, 305, 175}, {"skyr09.bmp", true, 285, 70},
    {"skyr14.bmp", false, 288, 290}, {"skyr18.bmp", false, 301, 330},
    {"skyr13.bmp", true, 271, 80},   {"skyr17.bmp", false, 341, 370},
    {"skyr19.bmp", false, 280, 120}, {"skyr22.bmp", true, 280, 250},
    {"skyr20.bmp", false, 301, 365},
};

QStringList allFiles()
{
    QStringList files{u"Sunset Yellow.BMP"_s, u"Logo.bmp"_s, u"preview.bmp"_s, u"jets.wav"_s};
    for (const AircraftPicture& picture : aircraftPictures)
        files << QString::fromLatin1(picture.file);
    return files;
}

// Runs the asset generator; true when it ends well.
bool generate(const QStringList& arguments)
{
    QProcess generator;
    generator.start(test::builtProgram(u"skyraid_assetgen"_s), arguments);
    const bool ok = generator.waitForFinished(60000) &&
                    generator.exitStatus() == QProcess::NormalExit && generator.exitCode() == 0;
    EXPECT_TRUE(ok) << generator.readAllStandardError().toStdString();
    return ok;
}

constexpr QRgb key = 0xffff00ff;

// The colour a pixel takes on a 16-bit display (5 bits red, 6 green, 5 blue).
int as16Bit(QRgb colour)
{
    return ((qRed(colour) >> 3) << 11) | ((qGreen(colour) >> 2) << 5) | (qBlue(colour) >> 3);
}

// A blend of the key with an aircraft colour: strongly red and blue at once
// with little green, as no livery is.
bool keyTinted(QRgb colour)
{
    const int r = qRed(colour), g = qGreen(colour), b = qBlue(colour);
    return r > 130 && b > 130 && r > g + 70 && b > g + 70;
}

// Afterburner flame: glowing near-white yellow.
bool flame(QRgb colour)
{
    return qRed(colour) >= 250 && qGreen(colour) >= 170 && qBlue(colour) >= 100 &&
           qBlue(colour) <= 235;
}

} // namespace

// Also finds every file in the asset folder: a missing one reads as empty.
TEST(AssetFiles, GeneratorWritesTheBuiltBytesEveryTime)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(generate({first.path()}) && generate({second.path()}));
    for (const QString& name : allFiles()) {
        QFile a(QDir(first.path()).filePath(name));
        QFile b(QDir(second.path()).filePath(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly))
            << name.toStdString();
        const QByteArray bytes = a.readAll();
        EXPECT_EQ(bytes, b.readAll()) << name.toStdString();
        EXPECT_EQ(bytes, readAsset(name)) << name.toStdString() << " differs from the built one";
    }
}

TEST(AssetFiles, ContactSheetShowsEveryPictureThreeTimes)
{
    QTemporaryDir dir;
    const QString sheetFile = QDir(dir.path()).filePath(u"sheet.png"_s);
    ASSERT_TRUE(generate({u"--sheet"_s, sheetFile}));
    const QImage sheet(sheetFile, "PNG");
    ASSERT_FALSE(sheet.isNull());
    int widest = 0;
    int heights = 0;
    for (const AircraftPicture& picture : aircraftPictures) {
        const QImage image(assetFolder() + QString::fromLatin1(picture.file), "BMP");
        widest = std::max(widest, image.width());
        heights += image.height();
    }
    EXPECT_GE(sheet.width(), 3 * widest) << "three backgrounds side by side";
    EXPECT_GE(sheet.height(), heights + 600) << "every picture and a full scene frame";
}

class AircraftPictureTest : public ::testing::TestWithParam<AircraftPicture> {
protected:
    void SetUp() override
    {
        m_bytes = readAsset(QString::fromLatin1(GetParam().file));
        ASSERT_GT(m_bytes.size(), 54);
        m_picture = QImage::fromData(m_bytes, "BMP").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(m_picture.isNull());
    }

    QByteArray m_bytes;
    QImage m_picture;
};

TEST_P(AircraftPictureTest, IsAnUncompressed24BitBitmapThatFitsItsFlight)
{
    const AircraftPicture& expected = GetParam();
    EXPECT_EQ(m_bytes.left(2), "BM");
    EXPECT_EQ(le32(m_bytes, 2), std::uint32_t(m_bytes.size()));
    EXPECT_EQ(le16(m_bytes, 28), 24);
    EXPECT_EQ(le32(m_bytes, 30), 0u);
    EXPECT_LE(m_picture.width(), expected.maxWidth);
    EXPECT_LE(expected.startY + m_picture.height(), 600);
    // Big enough to read as aircraft.
    EXPECT_GE(m_picture.width(), 60);
    EXPECT_GE(m_picture.height(), 20);
}

// The key colour surrounds the aircraft without tinting it, and where a
// picture shows afterburners, their flames trail behind.
TEST_P(AircraftPictureTest, IsAnUntintedAircraftOnTheKeyColourFacingItsFlight)
{
    ASSERT_EQ(m_picture.pixel(0, 0), key) << "the top-left pixel names the transparent colour";
    const int w = m_picture.width();
    const int h = m_picture.height();
    int opaque = 0;
    int border = 0;
    int flames = 0;
    double allX = 0;
    double flameX = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb p = m_picture.pixel(x, y);
            if (p == key)
                continue;
            ++opaque;
            allX += x;
            if (x == 0 || y == 0 || x == w - 1 || y == h - 1)
                ++border;
            if (flame(p)) {
                flameX += x;
                ++flames;
            }
            ASSERT_NE(as16Bit(p), as16Bit(key))
                << "pixel " << x << "," << y << " would vanish on a 16-bit display";
            ASSERT_FALSE(keyTinted(p)) << "pixel " << x << "," << y << " is tinted by the key";
        }
    }
    EXPECT_EQ(border, 0) << "the aircraft is cut off at the picture's edge";
    const double cover = double(opaque) / (w * h);
    EXPECT_GT(cover, 0.08);
    EXPECT_LT(cover, 0.9);
    if (flames > 0) {
        EXPECT_EQ(flameX / flames < allX / opaque, GetParam().rightward) << "flames lead";
    }
}

INSTANTIATE_TEST_SUITE_P(All, AircraftPictureTest, ::testing::ValuesIn(aircraftPictures));

TEST(Backgrounds, SunsetIsAFullScreenSkyWarmingTowardsTheHorizon)
{
    const QByteArray bytes = readAsset(u"Sunset Yellow.BMP"_s);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(le16(bytes, 28), 24);
    const QImage sky = QImage::fromData(bytes, "BMP");
    ASSERT_EQ(sky.size(), QSize(800, 600));

    // The mean colour of a band of rows.
    auto mean = [&](int from, int to) {
        return QColor(sky.copy(0, from, sky.width(), to - from)
                          .scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                          .pixel(0, 0));
    };
    const QColor top = mean(0, 60);
    const QColor horizon = mean(420, 500);
    EXPECT_GT(horizon.red(), 200) << "red near the horizon";
    EXPECT_GT(horizon.green(), 120) << "yellow-orange near the horizon";
    EXPECT_LT(horizon.blue(), horizon.red() - 60);
    EXPECT_GT(top.blue(), top.green()) << "the sky overhead is blue";
    EXPECT_LT(top.red() + top.green() + top.blue(),
              horizon.red() + horizon.green() + horizon.blue());
}

TEST(Backgrounds, LogoIsASmallPictureOfItsOwn)
{
    const QImage logo = QImage::fromData(readAsset(u"Logo.bmp"_s), "BMP");
    ASSERT_FALSE(logo.isNull());
    EXPECT_LE(logo.width(), 320);
    EXPECT_LE(logo.height(), 120);
    QSet<QRgb> colours;
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x)
            colours.insert(logo.pixel(x, y));
    EXPECT_GT(colours.size(), 100) << "drawn, not a flat box";
}

TEST(PreviewPicture, HasTheExactBitmapLayoutAndIsBuiltIntoTheProgram)
{
    const QByteArray bytes = readAsset(u"preview.bmp"_s);
    ASSERT_EQ(bytes.size(), 19018);
    EXPECT_EQ(bytes.left(2), "BM");
    // Total size, pixel offset after the palette, header size, width, height,
    // compression, image size, colours used.
    const std::pair<int, std::uint32_t> fields[] = {
        {2, 19018}, {10, 14 + 40 + 1024}, {14, 40}, {18, 153}, {22, 115},
        {30, 0},    {34, 115 * 156},      {46, 256}};
    for (auto [at, value] : fields)
        EXPECT_EQ(le32(bytes, at), value) << "at " << at;
    EXPECT_EQ(le16(bytes, 26), 1) << "planes";
    EXPECT_EQ(le16(bytes, 28), 8) << "bits per pixel";
    // Each row of 153 pixels is padded with zeros to 156 bytes.
    for (int row = 0; row < 115; ++row)
        for (int pad = 153; pad < 156; ++pad)
            ASSERT_EQ(bytes[1078 + row * 156 + pad], '\0') << "row " << row;

    // The program carries these very bytes.
    QFile resource(previewPicturePath());
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_EQ(resource.readAll(), bytes);
    EXPECT_EQ(previewPicture().size(), QSize(153, 115));
}

TEST(PreviewPicture, ShowsJetsOnADarkSkyWithOrangeClouds)
{
    const QImage picture = previewPicture().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(picture.isNull());
    double topBrightness = 0;
    int orange = 0;
    int pale = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (y < picture.height() / 4)
                topBrightness += qGray(p);
            if (qRed(p) > 170 && qGreen(p) > 50 && qGreen(p) < 170 && qBlue(p) < 100)
                ++orange;
            if (qGray(p) > 120 && std::abs(qRed(p) - qBlue(p)) < 40)
                ++pale; // the grey and silver of the aircraft
        }
    EXPECT_LT(topBrightness / (picture.width() * (picture.height() / 4)), 70.0);
    EXPECT_GT(orange, 100);
    EXPECT_GT(pale, 150);
}

TEST(JetSound, IsAShort16BitPcmWaveThatNeitherClipsNorClicks)
{
    const QByteArray bytes = readAsset(u"jets.wav"_s);
    ASSERT_GT(bytes.size(), 44);
    EXPECT_EQ(bytes.left(4), "RIFF");
    EXPECT_EQ(le32(bytes, 4), std::uint32_t(bytes.size() - 8));
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(le32(bytes, 16), 16u);
    EXPECT_EQ(le16(bytes, 20), 1) << "PCM";
    const int channels = le16(bytes, 22);
    const std::uint32_t rate = le32(bytes, 24);
    EXPECT_EQ(le32(bytes, 28), rate * channels * 2);
    EXPECT_EQ(le16(bytes, 32), channels * 2);
    EXPECT_EQ(le16(bytes, 34), 16);
    EXPECT_EQ(bytes.mid(36, 4), "data");
    ASSERT_EQ(le32(bytes, 40), std::uint32_t(bytes.size() - 44));
    const double seconds = double(bytes.size() - 44) / (rate * channels * 2);
    EXPECT_GE(seconds, 3.0);
    EXPECT_LE(seconds, 10.0);
    EXPECT_LE(bytes.size(), 512 * 1024);

    // Audible, unclipped and silent at both ends.
    const int count = (bytes.size() - 44) / 2;
    auto sample = [&](int i) { return int(qint16(le16(bytes, 44 + 2 * i))); };

    double sum = 0;
    int peak = 0;
    for (int i = 0; i < count; ++i) {
        sum += double(sample(i)) * sample(i);
        peak = std::max(peak, std::abs(sample(i)));
    }
    EXPECT_GT(std::sqrt(sum / count), 2000.0) << "audible";
    EXPECT_LT(peak, 32767) << "clipped";
    // Starting and ending near zero, it neither clicks when it starts nor
    // when it is played again straight after itself.
    for (int i = 0; i < int(rate) / 100; ++i) {
        EXPECT_LT(std::abs(sample(i)), 400) << "sample " << i;
        EXPECT_LT(std::abs(sample(count - 1 - i)), 400) << "sample " << count - 1 - i;
    }
}
