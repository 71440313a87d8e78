#include "scene/letterbox.h"

#include <random>

#include <QImage>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(99);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, int(random() % 256)));
    }
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

TEST(Letterbox, KeepsTheShapeCentredWithBars)
{
    const QSize canvas(800, 600);
    EXPECT_EQ(Letterbox(canvas, QSize(1920, 1080)).target(), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(Letterbox(canvas, QSize(1280, 1024)).target(), QRect(0, 32, 1280, 960));
    EXPECT_EQ(Letterbox(canvas, QSize(800, 600)).target(), QRect(0, 0, 800, 600));
    EXPECT_EQ(Letterbox(canvas, QSize(153, 115)).target(), QRect(0, 0, 153, 115));

    const Letterbox box(canvas, QSize(1920, 1080));
    const QImage screen = whole(box, pattern(canvas));
    EXPECT_EQ(screen.pixel(0, 500), qRgb(0, 0, 0));
    EXPECT_EQ(screen.pixel(1919, 500), qRgb(0, 0, 0));
    EXPECT_NE(screen.pixel(240, 500), qRgb(255, 0, 255));
}

TEST(Letterbox, SameSizeIsAnExactCopy)
{
    const QImage canvas = pattern(QSize(800, 600));
    EXPECT_EQ(whole(Letterbox(canvas.size(), canvas.size()), canvas), canvas);
}

// Scaling only the changed parts must give the same screen as scaling the
// whole canvas again, or seams and stale pixels would show.
TEST(Letterbox, ChangedPartsScaleExactlyLikeTheWhole)
{
    std::mt19937 random(5);
    for (const QSize screenSize : {QSize(1920, 1080), QSize(1366, 768), QSize(640, 480)}) {
        const QImage before = pattern(QSize(800, 600));
        const Letterbox box(before.size(), screenSize);
        QImage screen = whole(box, before);

        QImage after = before;
        std::vector<QRect> changed;
        for (int i = 0; i < 8; ++i) {
            const QRect rect(int(random() % 780), int(random() % 580), 1 + int(random() % 60),
                             1 + int(random() % 40));
            changed.push_back(rect & after.rect());
            for (int y = changed.back().top(); y <= changed.back().bottom(); ++y)
                for (int x = changed.back().left(); x <= changed.back().right(); ++x)
                    after.setPixel(x, y, qRgb(255 - x % 256, 17, 200));
        }
        for (const QRect& rect : changed)
            box.scale(after, screen, box.screenRectFor(rect));
        EXPECT_EQ(screen, whole(box, after)) << screenSize.width() << "x" << screenSize.height();
    }
}
