// The screen the saver runs on: its frame times, and a desktop of two monitors
// (Qt's offscreen platform, given two screens by the test's environment).
#include "scene/letterbox.h"
#include "scene/screencontrol.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

struct CountingEvents final : DrawingEvents {
    int endings = 0; // keys and buttons
    void onFrame() override {}
    void onMouseMove() override {}
    void onMouseButton() override { ++endings; }
    void onKey() override { ++endings; }
};

QWindow* visibleWindowOn(const char* screenName)
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->isVisible() && window->screen()->name() == QLatin1String(screenName))
            return window;
    }
    return nullptr;
}

} // namespace

TEST(TwoScreens, SceneOnThePrimaryBlackOnTheOtherAndInputOnEitherEnds)
{
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs the two-screen offscreen set-up";
    CountingEvents events;
    ScreenControl screen;
    screen.setEvents(&events);
    ASSERT_TRUE(screen.openDisplay());
    screen.showOverDesktop();

    QWindow* scene = visibleWindowOn("primary");
    QWindow* other = visibleWindowOn("second");
    ASSERT_TRUE(scene && other);
    EXPECT_EQ(scene, screen.window());
    EXPECT_EQ(scene->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(other->geometry(), QRect(1024, 0, 640, 480));

    QTest::keyClick(other, Qt::Key_A);
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(scene, Qt::Key_B);
    EXPECT_EQ(events.endings, 3);

    screen.close();
    EXPECT_FALSE(scene->isVisible());
    EXPECT_FALSE(other->isVisible());
}

// After frames that each change a little, the window shows the last frame
// whole, whether the canvas is composed straight onto it (filling the
// screen) or scaled onto it (letterboxed).
TEST(TwoScreens, TheWindowShowsTheLastFrameWhole)
{
    if (QGuiApplication::screens().size() < 2)
        GTEST_SKIP() << "needs the two-screen offscreen set-up";
    for (const bool fill : {true, false}) {
        SCOPED_TRACE(fill ? "filled" : "letterboxed");
        CountingEvents events;
        ScreenControl screen;
        screen.setEvents(&events);
        screen.setFillScreen(fill);
        ASSERT_TRUE(screen.openDisplay());
        screen.showOverDesktop();
        QWindow* window = screen.window();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        screen.setTextFont(u"DejaVu Sans"_s, 40);
        for (int n = 0; n < 12; ++n) {
            screen.fill(qRgb(0x20, 0x40, 0x60));
            screen.drawText(u"SkyRaid"_s, 30 * n, 20 * n, 0x00ffff);
            screen.drawText(u"%1"_s.arg(n), 700, 500, 0xffffff);
            screen.flip();
            QCoreApplication::processEvents();
        }
        const QImage& canvas = screen.canvas().image();
        QImage whole(window->size() * window->devicePixelRatio(), QImage::Format_RGB32);
        const Letterbox letterbox(canvas.size(), whole.size());
        letterbox.paintBars(whole);
        letterbox.scale(canvas, whole, letterbox.target());
        // The window paints at its next update.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const QPixmap shown = window->screen()->grabWindow(window->winId());
                return shown.toImage().convertToFormat(QImage::Format_RGB32) == whole;
            },
            10000));
        EXPECT_EQ(canvas.size(), fill ? QSize(1024, 768) : QSize(800, 600));
        screen.close();
    }
}

// On a clock of our own: frames keep to a sixty-a-second grid whatever the
// timer's slack; after a stall of a second they start a new grid, neither
// rushing to catch up nor waiting longer than a frame.
TEST(FramePacer, KeepsToTheGridWithoutRushingOrStalling)
{
    constexpr qint64 Ms = 1'000'000;
    FramePacer pacer;
    qint64 now = 7 * Ms;
    qint64 grid = now; // where frame 0 of the grid falls
    pacer.start(now);
    for (int frame = 0; frame < 600; ++frame) {
        ASSERT_NEAR(double(now - grid), double(frame * FramePacer::FrameNs), 1.5 * Ms) << frame;
        now += (frame == 300 ? 1000 : 3) * Ms; // the frame's own work
        if (frame == 300) // a new grid, its next frame one frame after the stall
            grid = now - 300 * FramePacer::FrameNs;
        const int delay = pacer.delayAfterFrame(now);
        ASSERT_TRUE(delay >= 12 && delay <= 17) << delay << " ms after frame " << frame;
        now += delay * Ms + (frame % 3) * Ms / 3; // the timer comes a little late
    }
}
