#include "scene/canvas.h"

#include <random>

#include <QDataStream>
#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

constexpr QRgb Key = qRgb(255, 0, 255);

// A little aircraft: a key-coloured box with a body of its own colour.
QString writeSprite(const QTemporaryDir& dir, const QString& name, QColor body, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Key);
    QPainter painter(&image);
    painter.fillRect(QRect(2, 2, size.width() - 4, size.height() - 4), body);
    painter.end();
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

QString writeBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

} // namespace

TEST(Canvas, TopLeftColourIsSeeThroughAndOpaquePicturesCoverAll)
{
    QTemporaryDir dir;
    const QString sprite = writeSprite(dir, QStringLiteral("s.bmp"), Qt::red, QSize(20, 10));
    Canvas canvas;
    const Surface keyed = canvas.createSurface();
    const Surface opaque = canvas.createSurface();
    canvas.loadPicture(keyed, sprite, KeyedByTopLeftPixel);
    canvas.loadPicture(opaque, sprite, Opaque);
    canvas.setX(keyed, 100);
    canvas.setY(keyed, 50);
    canvas.setX(opaque, 300);
    canvas.setY(opaque, 50);

    canvas.fill(RGB(0, 226, 251));
    canvas.drawSurface(keyed);
    canvas.drawSurface(opaque);
    canvas.flip();

    const QImage& image = canvas.image();
    EXPECT_EQ(image.pixel(100, 50), qRgb(0, 226, 251)); // key colour shows the sky
    EXPECT_EQ(image.pixel(110, 55), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(300, 50), Key); // an opaque picture keeps its corner
    EXPECT_EQ(image.pixel(99, 50), qRgb(0, 226, 251));
}

TEST(Canvas, BrokenPicturesLeaveAnEmptySurfaceThatDrawsNothing)
{
    QTemporaryDir dir;
    const QString good = writeSprite(dir, QStringLiteral("good.png"), Qt::red, QSize(64, 64));
    QFile goodFile(good);
    goodFile.open(QIODevice::ReadOnly);
    const QByteArray png = goodFile.readAll();
    QByteArray noise(4096, '\0');
    std::mt19937 random(7);
    for (char& byte : noise)
        byte = char(random());
    // A bitmap header that claims 30000 x 30000 pixels.
    QByteArray huge;
    {
        QDataStream out(&huge, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out.writeRawData("BM", 2);
        out << quint32(54) << quint32(0) << quint32(54);                   // file header
        out << quint32(40) << qint32(30000) << qint32(30000) << quint16(1) // info header
            << quint16(24) << quint32(0) << quint32(0) << qint32(2835) << qint32(2835) << quint32(0)
            << quint32(0);
    }

    const QStringList broken{dir.filePath(QStringLiteral("missing.bmp")),
                             writeBytes(dir, QStringLiteral("empty.bmp"), {}),
                             writeBytes(dir, QStringLiteral("cut.png"), png.left(png.size() / 2)),
                             writeBytes(dir, QStringLiteral("noise.bmp"), noise),
                             writeBytes(dir, QStringLiteral("huge.bmp"), huge),
                             dir.path()};
    for (const QString& file : broken) {
        Canvas canvas;
        const Surface surface = canvas.createSurface();
        canvas.loadPicture(surface, file, Opaque);
        EXPECT_TRUE(canvas.picture(surface).isNull()) << file.toStdString();
        canvas.fill(RGB(0, 226, 251));
        canvas.drawSurface(surface);
        canvas.flip();
        EXPECT_EQ(canvas.image().pixel(10, 10), qRgb(0, 226, 251)) << file.toStdString();
    }
}

TEST(Canvas, UnknownSurfacesAreHarmless)
{
    Canvas canvas;
    canvas.setX(42, 1);
    canvas.moveY(-1, 5);
    canvas.drawSurface(0);
    EXPECT_EQ(canvas.x(42), 0);
    canvas.flip();
}

TEST(Canvas, RepaintsOnlyWhatChanged)
{
    QTemporaryDir dir;
    const QString sprite = writeSprite(dir, QStringLiteral("s.bmp"), Qt::red, QSize(40, 20));
    Canvas canvas;
    const Surface plane = canvas.createSurface();
    canvas.loadPicture(plane, sprite, KeyedByTopLeftPixel);
    canvas.setX(plane, 200);
    canvas.setY(plane, 100);
    auto frame = [&] {
        canvas.fill(0);
        canvas.drawSurface(plane);
        return canvas.flip();
    };
    EXPECT_EQ(frame().front(), QRect(0, 0, 800, 600)); // the first frame is whole

    EXPECT_TRUE(frame().empty()); // nothing moved
    canvas.moveX(plane, -1);
    const std::vector<QRect> damage = frame();
    ASSERT_EQ(damage.size(), 1u);
    EXPECT_EQ(damage.front(), QRect(199, 100, 41, 20));
}

// Whatever the frames do, painting only the changes must give the same
// picture as painting every frame whole.
TEST(Canvas, IncrementalFramesEqualWholeFrames)
{
    QTemporaryDir dir;
    const QStringList pictures{
        writeSprite(dir, QStringLiteral("a.bmp"), Qt::red, QSize(60, 24)),
        writeSprite(dir, QStringLiteral("b.bmp"), Qt::yellow, QSize(120, 40)),
        writeSprite(dir, QStringLiteral("c.bmp"), Qt::green, QSize(30, 30)),
        writeSprite(dir, QStringLiteral("d.bmp"), Qt::white, QSize(300, 200)),
    };
    struct Sprite {
        int picture;
        int x;
        int y;
        bool shown;
    };
    std::mt19937 random(2024);
    std::vector<Sprite> sprites;
    for (int i = 0; i < 6; ++i)
        sprites.push_back({i % 4, int(random() % 900) - 50, int(random() % 700) - 50, true});

    Canvas incremental;
    for (int i = 0; i < 6; ++i)
        incremental.loadPicture(incremental.createSurface(),
                                pictures[sprites[std::size_t(i)].picture], KeyedByTopLeftPixel);
    std::uint32_t background = RGB(0, 226, 251);
    QString text = QStringLiteral("Place a message here");

    auto draw = [&](Canvas& canvas) {
        canvas.fill(background);
        canvas.setFont(QStringLiteral("Arial"), 30, false, false, false);
        canvas.drawText(text, 20, 540, RGB(255, 255, 0));
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const Surface surface = Surface(i + 1);
            canvas.setX(surface, sprites[i].x);
            canvas.setY(surface, sprites[i].y);
            if (sprites[i].shown)
                canvas.drawSurface(surface);
        }
        canvas.setFont(QStringLiteral("Arial"), 16, true, false, false);
        canvas.drawText(QStringLiteral("12:00:0%1").arg(text.size() % 10), 700, 10,
                        RGB(255, 255, 255));
    };

    for (int frame = 0; frame < 120; ++frame) {
        for (Sprite& sprite : sprites) {
            switch (random() % 8) {
            case 0:
                sprite.shown = !sprite.shown;
                break;
            case 1:
                sprite.y += int(random() % 3) - 1;
                break;
            default:
                sprite.x -= int(random() % 3);
                break;
            }
        }
        if (frame % 40 == 39)
            background = background == 0 ? RGB(0, 226, 251) : 0;
        if (frame % 25 == 24)
            text += u'!';
        draw(incremental);
        incremental.flip();

        Canvas whole;
        for (int i = 0; i < 6; ++i)
            whole.loadPicture(whole.createSurface(), pictures[sprites[std::size_t(i)].picture],
                              KeyedByTopLeftPixel);
        draw(whole);
        whole.flip();
        ASSERT_EQ(incremental.image(), whole.image()) << "frame " << frame;
    }
}

TEST(Canvas, TextUsesTheNamedFontWithoutFallback)
{
    Canvas canvas;
    canvas.fill(0);
    canvas.setFont(QStringLiteral("Arial"), 30, false, false, false);
    canvas.drawText(QStringLiteral("Hello"), 10, 560, RGB(255, 255, 255));
    canvas.flip();
    // Arial itself, or the metric-compatible face the system maps it to.
    EXPECT_TRUE(QStringList({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")})
                    .contains(canvas.resolvedFontFamily()))
        << canvas.resolvedFontFamily().toStdString();
    // The text stands with its top at y and fits above the bottom edge.
    int lit = 0;
    int lowest = 0;
    for (int y = 540; y < 600; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (qGray(canvas.image().pixel(x, y)) > 128) {
                ++lit;
                lowest = y;
            }
        }
    }
    EXPECT_GT(lit, 50);
    EXPECT_LT(lowest, 600);
    EXPECT_EQ(qGray(canvas.image().pixel(5, 555)), 0); // nothing above or left of it
}

TEST(Canvas, GiantFontSizesAreHarmless)
{
    Canvas canvas;
    canvas.fill(0);
    canvas.setFont(QStringLiteral("Arial"), 1'000'000, false, false, false);
    canvas.drawText(QStringLiteral("W"), 0, 0, RGB(255, 255, 255));
    canvas.setFont(QStringLiteral("Arial"), -5, false, false, false);
    canvas.drawText(QStringLiteral("W"), 0, 0, RGB(255, 255, 255));
    canvas.flip();
}
