#include "scene/canvas.h"

#include <random>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

// A little aircraft: a key-coloured box with a body of its own colour.
QString writeSprite(const QTemporaryDir& dir, const QString& name, QColor body, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter(&image).fillRect(QRect(2, 2, size.width() - 4, size.height() - 4), body);
    image.save(dir.filePath(name));
    return dir.filePath(name);
}

} // namespace

TEST(Canvas, BrokenOrHugePicturesLeaveAnEmptySurfaceThatDrawsNothing)
{
    QTemporaryDir dir;
    const auto bytesOf = [&](const QString& name) {
        QFile file(writeSprite(dir, name, Qt::red, QSize(64, 64)));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.fileName();
    };
    const QByteArray png = bytesOf(QStringLiteral("good.png"));
    QByteArray noise(4096, '\0');
    std::mt19937 random(7);
    for (char& byte : noise)
        byte = char(random());
    // A header that claims 30000 x 30000 pixels, and a whole picture that
    // packs 25 million pixels into a small file.
    QByteArray hugeBmp = bytesOf(QStringLiteral("good.bmp"));
    qToLittleEndian(qint32(30000), hugeBmp.data() + 18);
    qToLittleEndian(qint32(30000), hugeBmp.data() + 22);
    QImage vast(5000, 5000, QImage::Format_Mono);
    vast.fill(1);
    vast.save(dir.filePath(QStringLiteral("vast.png")));

    for (const QString& file :
         {dir.filePath(QStringLiteral("missing.bmp")), write(QStringLiteral("empty.bmp"), {}),
          write(QStringLiteral("cut.png"), png.left(png.size() / 2)),
          write(QStringLiteral("noise.bmp"), noise), write(QStringLiteral("huge.bmp"), hugeBmp),
          dir.filePath(QStringLiteral("vast.png")),
          dir.path()}) {
        Canvas canvas;
        const Surface surface = canvas.createSurface();
        canvas.loadPicture(surface, file, Opaque);
        EXPECT_TRUE(canvas.picture(surface).isNull()) << file.toStdString();
        canvas.fill(RGB(0, 226, 251));
        canvas.drawSurface(surface);
        canvas.drawSurface(42); // no such surface
        canvas.flip();
        EXPECT_EQ(canvas.image().pixel(10, 10), qRgb(0, 226, 251)) << file.toStdString();
    }
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
        int picture, x, y;
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
            const unsigned change = random() % 8;
            sprite.shown ^= change == 0;
            sprite.y += change == 1 ? int(random() % 3) - 1 : 0;
            sprite.x -= change > 1 ? int(random() % 3) : 0;
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
    // A frame that changes nothing repaints nothing.
    draw(incremental);
    EXPECT_TRUE(incremental.flip().empty());
}

TEST(Canvas, TextInTheNamedFontAndColourWithItsTopAtY)
{
    Canvas canvas;
    canvas.fill(0);
    canvas.setFont(QStringLiteral("Arial"), 30, false, false, false);
    canvas.drawText(QStringLiteral("Hello"), 10, 560, RGB(255, 255, 0));
    canvas.flip();
    // Arial itself, or the metric-compatible face the system maps it to.
    EXPECT_TRUE(QStringList({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")})
                    .contains(canvas.resolvedFontFamily()))
        << canvas.resolvedFontFamily().toStdString();
    QRect ink;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const QRgb pixel = canvas.image().pixel(x, y);
            if (qRed(pixel) > 128 && qGreen(pixel) > 128 && qBlue(pixel) < 64)
                ink |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 14);
    EXPECT_GE(ink.top(), 560);
    EXPECT_LE(ink.top(), 566);
    EXPECT_LT(ink.bottom(), 595);
}
