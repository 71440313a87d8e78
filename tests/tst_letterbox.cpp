#include "scene/letterbox.h"

#include <algorithm>
#include <random>

#include <QImage>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

// Noise, or a ramp that rises 8 in red a pixel rightward and 10 in green downward.
QImage picture(QSize size, bool noise)
{
    QImage image(size, QImage::Format_RGB32);
    std::mt19937 random(99);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, noise ? QRgb(random()) : qRgb(x * 8 % 256, y * 10 % 256, 128));
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

TEST(Letterbox, ScalesSmoothlyToFitCentredBetweenBlackBars)
{
    const QSize canvas(800, 600);
    EXPECT_EQ(Letterbox(canvas, QSize(1920, 1080)).target(), QRect(240, 0, 1440, 1080));
    EXPECT_EQ(Letterbox(canvas, QSize(1280, 1024)).target(), QRect(0, 32, 1280, 960));
    EXPECT_EQ(Letterbox(canvas, QSize(153, 115)).target(), QRect(0, 0, 153, 115));
    const QImage noise = picture(canvas, true);
    EXPECT_EQ(whole(Letterbox(canvas, canvas), noise), noise);

    // Ten times larger, every screen pixel blends the canvas around its centre.
    const Letterbox box(QSize(32, 24), QSize(400, 240));
    ASSERT_EQ(box.target(), QRect(40, 0, 320, 240));
    const QImage screen = whole(box, picture(QSize(32, 24), false));
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 400; ++x) {
            const double cx = std::clamp((x - 40 + 0.5) / 10 - 0.5, 0.0, 31.0);
            const double cy = std::clamp((y + 0.5) / 10 - 0.5, 0.0, 23.0);
            const QRgb pixel = screen.pixel(x, y);
            if (x < 40 || x >= 360) {
                ASSERT_EQ(pixel, qRgb(0, 0, 0)) << x << "," << y;
                continue;
            }
            ASSERT_NEAR(qRed(pixel), 8 * cx, 1.5) << x << "," << y;
            ASSERT_NEAR(qGreen(pixel), 10 * cy, 1.5) << x << "," << y;
        }
    }
}

// Scaling only the changed parts must give the same screen as scaling the
// whole canvas again, or seams and stale pixels would show.
TEST(Letterbox, ChangedPartsScaleExactlyLikeTheWhole)
{
    std::mt19937 random(5);
    for (const QSize screenSize : {QSize(1920, 1080), QSize(1366, 768), QSize(640, 480)}) {
        const QImage before = picture(QSize(800, 600), true);
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
