// The saver on a desktop of two monitors (Qt's offscreen platform, set up
// with two screens by the test's environment).
#include "scene/screencontrol.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using namespace skyraid;

namespace {

struct CountingEvents final : DrawingEvents {
    int frames = 0;
    int keys = 0;
    int buttons = 0;
    void TegoDDrw1_Frame() override { ++frames; }
    void TegoDDrw1_MouseMove() override {}
    void TegoDDrw1_MouseButton() override { ++buttons; }
    void TegoDDrw1_Key() override { ++keys; }
};

QWindow* visibleWindowOn(const QString& screenName)
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->isVisible() && window->screen()->name() == screenName)
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
    ASSERT_TRUE(screen.OpenDisplay(800, 600, 16, QString()));
    screen.showOverDesktop();

    QWindow* scene = visibleWindowOn(QStringLiteral("primary"));
    QWindow* other = visibleWindowOn(QStringLiteral("second"));
    ASSERT_TRUE(scene);
    ASSERT_TRUE(other);
    EXPECT_EQ(scene, screen.window());
    EXPECT_EQ(scene->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(other->geometry(), QRect(1024, 0, 640, 480));

    QTest::keyClick(other, Qt::Key_A);
    EXPECT_EQ(events.keys, 1);
    QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(events.buttons, 1);
    QTest::keyClick(scene, Qt::Key_B);
    EXPECT_EQ(events.keys, 2);

    screen.close();
    EXPECT_FALSE(scene->isVisible());
    EXPECT_FALSE(other->isVisible());
}
