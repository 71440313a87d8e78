// The screen the saver runs on: its frame times, and a desktop of two monitors
// (Qt's offscreen platform, given two screens by the test's environment).
#include "scene/screencontrol.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace skyraid;

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
    ASSERT_TRUE(screen.openDisplay(800, 600, 16, QString()));
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
