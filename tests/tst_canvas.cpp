// The canvas a frame is composed on, and its letterbox onto the screen.
#include "scene/canvas.h"
#include "scene/letterbox.h"

#include <algorithm>
#include <random>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

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

// Red rises 8 a pixel rightward and green 10 a pixel downward, wrapping round.
QImage ramps(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x * 8 % 256, y * 10 % 256, x * y % 256));
    return image;
}

QImage whole(const Letterbox& box, const QImage& canvas)
{
    QImage screen(box.screen(), QImage::Format_RGB32);
    screen.fill(Qt::magenta);
    box.paintBars(screen);
    box.scale(canvas, screen, box.target());
    return screen;
}

} // namespace

// A folder, a header that claims 30000 x 30000 pixels, and a whole picture
// that packs 25 million pixels into a small file (missing and cut-off files:
// the scene's test of an unreadable background).
TEST(Canvas, BrokenOrHugePicturesLeaveAnEmptySurfaceThatDrawsNothing)
{
    QTemporaryDir dir;
    QFile huge(writeSprite(dir, QStringLiteral("huge.bmp"), Qt::red, QSize(64, 64)));
    huge.open(QIODevice::ReadWrite);
    huge.seek(18);
    huge.write(QByteArray::fromHex("3075000030750000"));
    huge.close();
    QImage vast(5000, 5000, QImage::Format_Mono);
    vast.fill(1);
    vast.save(dir.filePath(QStringLiteral("vast.png")));
    for (const QString& file :
         {dir.path(), huge.fileName(), dir.filePath(QStringLiteral("vast.png"))}) {
        Canvas canvas;
        const Surface surface = canvas.createSurface();
        canvas.loadPicture(surface, file, Transparency::Opaque);
        EXPECT_TRUE(canvas.picture(surface).isNull()) << file.toStdString();
        canvas.fill(qRgb(0, 226, 251));
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
    std::mt19937 random(2024);
    struct Sprite {
        QString file;
        int x, y;
        bool shown = true;
    };
    std::vector<Sprite> sprites;
    for (int i = 0; i < 6; ++i)
        sprites.push_back(
            {writeSprite(dir, QString::number(i) + QStringLiteral(".bmp"),
                         QColor::fromHsv(i * 60, 255, 255), QSize(30 + 50 * i, 20 + 30 * i)),
             int(random() % 900) - 50, int(random() % 700) - 50});
    const auto loaded = [&sprites](Canvas& canvas) -> Canvas& {
        for (const Sprite& sprite : sprites)
            canvas.loadPicture(canvas.createSurface(), sprite.file,
                               Transparency::KeyedByTopLeftPixel);
        return canvas;
    };
    Canvas incremental;
    loaded(incremental);
    QRgb background = qRgb(0, 226, 251);
    QString text = QStringLiteral("Place a message here");
    auto draw = [&](Canvas& canvas) {
        canvas.fill(background);
        canvas.setFont(QStringLiteral("Arial"), 30);
        canvas.drawText(text, 20, 540, qRgb(255, 255, 0));
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            canvas.setX(Surface(i + 1), sprites[i].x);
            canvas.setY(Surface(i + 1), sprites[i].y);
            if (sprites[i].shown)
                canvas.drawSurface(Surface(i + 1));
        }
        canvas.setFont(QStringLiteral("Arial"), 16);
        canvas.drawText(QStringLiteral("12:00:0%1").arg(text.size() % 10), 700, 10,
                        qRgb(255, 255, 255));
    };

    for (int frame = 0; frame < 120; ++frame) {
        for (Sprite& sprite : sprites) {
            const unsigned change = random() % 8;
            sprite.shown ^= change == 0;
            sprite.y += change == 1 ? int(random() % 3) - 1 : 0;
            sprite.x -= change > 1 ? int(random() % 3) : 0;
        }
        if (frame % 40 == 39)
            background = background == qRgb(0, 0, 0) ? qRgb(0, 226, 251) : qRgb(0, 0, 0);
        if (frame % 25 == 24)
            text += u'!';
        draw(incremental);
        incremental.flip();

        Canvas whole;
        draw(loaded(whole));
        whole.flip();
        ASSERT_EQ(incremental.image(), whole.image()) << "frame " << frame;
    }
    // A frame that changes nothing repaints nothing.
    draw(incremental);
    EXPECT_TRUE(incremental.flip().empty());
}

// A picture's own alpha is honoured: see-through where it says, and
// half-transparent parts blended (a logo's). Keyed, whatever colour the
// top-left pixel has is see-through too, wherever it appears. (The file is no bitmap, whatever its
// name says: it is read for what it is.)
TEST(Canvas, PicturesShowTheSceneWhereTheyAreSeeThrough)
{
    QTemporaryDir dir;
    QImage picture(4, 3, QImage::Format_ARGB32);
    picture.fill(qRgb(200, 0, 0));
    picture.setPixel(0, 0, qRgb(0, 255, 0));
    picture.setPixel(3, 2, qRgb(0, 255, 0));
    picture.setPixel(1, 0, qRgba(0, 0, 0, 0));
    picture.setPixel(2, 0, qRgba(200, 0, 0, 128));
    picture.save(dir.filePath(QStringLiteral("p.bmp")), "PNG");
    for (const Transparency transparency :
         {Transparency::KeyedByTopLeftPixel, Transparency::OwnAlpha}) {
        Canvas canvas;
        const Surface surface = canvas.createSurface();
        canvas.loadPicture(surface, dir.filePath(QStringLiteral("p.bmp")), transparency);
        canvas.fill(qRgb(0, 0, 255));
        canvas.setX(surface, 10);
        canvas.setY(surface, 10);
        canvas.drawSurface(surface);
        canvas.flip();
        const QImage& image = canvas.image();
        const bool keyed = transparency == Transparency::KeyedByTopLeftPixel;
        EXPECT_EQ(image.pixel(10, 10), keyed ? qRgb(0, 0, 255) : qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(13, 12), keyed ? qRgb(0, 0, 255) : qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(10, 11), qRgb(200, 0, 0));
        EXPECT_EQ(image.pixel(11, 10), qRgb(0, 0, 255));
        const QRgb half = image.pixel(12, 10);
        EXPECT_TRUE(std::abs(qRed(half) - 100) <= 2 && std::abs(qBlue(half) - 127) <= 2)
            << std::hex << half;
    }
}

// A covering background is cut from the shape of it beside it that fits the
// canvas: a wider one for a wider canvas, a taller one for a taller canvas,
// each only when it keeps the picture's other side; else from itself.
TEST(Canvas, CoveringBackgroundIsCutFromTheShapeThatFits)
{
    const struct {
        QSize canvas;
        const char* shape;
        QSize version;
        bool used;
    } rows[] = {{{140, 60}, "wide", {140, 60}, true},
                {{140, 60}, "wide", {140, 50}, false},
                {{140, 60}, "tall", {80, 120}, false},
                {{80, 120}, "tall", {80, 120}, true},
                {{80, 120}, "tall", {70, 120}, false}};
    for (const auto& row : rows) {
        QTemporaryDir dir;
        const QString file = writeSprite(dir, QStringLiteral("sky.bmp"), Qt::blue, QSize(80, 60));
        QImage version(row.version, QImage::Format_RGB32);
        version.fill(Qt::red);
        version.save(dir.filePath(QStringLiteral("sky-%1.ppm").arg(QLatin1String(row.shape))));
        Canvas canvas(row.canvas, row.canvas);
        const Surface surface = canvas.createSurface();
        canvas.loadPicture(surface, file, Transparency::Opaque);
        canvas.coverCanvas(surface);
        canvas.drawSurface(surface);
        canvas.flip();
        const QPoint centre(row.canvas.width() / 2, row.canvas.height() / 2);
        EXPECT_EQ(canvas.image().pixel(centre), row.used ? qRgb(255, 0, 0) : qRgb(0, 0, 255))
            << row.shape << " " << row.version.width() << "x" << row.version.height();
    }
}

TEST(Letterbox, ScalesSmoothlyToFitCentredBetweenBlackBars)
{
    const QSize canvas(800, 600);
    EXPECT_EQ(Letterbox(canvas, QSize(1920, 1080)).target(), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(Letterbox(canvas, QSize(1280, 1024)).target(), QRect(0, 32, 1280, 960));
    EXPECT_EQ(Letterbox(canvas, QSize(153, 115)).target(), QRect(0, 0, 153, 115));
    EXPECT_EQ(whole(Letterbox(canvas, canvas), ramps(canvas)), ramps(canvas));

    // Ten times larger, every screen pixel blends the canvas around its centre.
    const Letterbox box(QSize(32, 24), QSize(400, 240));
    const QImage screen = whole(box, ramps(QSize(32, 24)));
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 400; ++x) {
            const QRgb pixel = screen.pixel(x, y);
            const bool bar = x < 40 || x >= 360;
            ASSERT_NEAR(qRed(pixel), bar ? 0 : 8 * std::clamp((x - 40 + 0.5) / 10 - 0.5, 0.0, 31.0),
                        1.5);
            ASSERT_NEAR(qGreen(pixel), bar ? 0 : 10 * std::clamp((y + 0.5) / 10 - 0.5, 0.0, 23.0),
                        1.5);
        }
    }
}

// Scaling only the changed parts must give the same screen as scaling the
// whole canvas again, or seams and stale pixels would show.
TEST(Letterbox, ChangedPartsScaleExactlyLikeTheWhole)
{
    std::mt19937 random(5);
    for (const QSize screenSize :
         {QSize(1920, 1080), QSize(1366, 768), QSize(640, 480), QSize(1000, 600)}) {
        const Letterbox box(QSize(800, 600), screenSize);
        QImage after = ramps(QSize(800, 600));
        QImage screen = whole(box, after);
        for (int i = 0; i < 8; ++i) {
            const QRect rect = QRect(int(random() % 780), int(random() % 580),
                                     1 + int(random() % 60), 1 + int(random() % 40)) &
                               after.rect();
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    after.setPixel(x, y, qRgb(255 - x % 256, 17, 200));
            box.scale(after, screen, box.screenRectFor(rect));
        }
        EXPECT_EQ(screen, whole(box, after)) << screenSize.width() << "x" << screenSize.height();
    }
}
