#include "platform/platform.h"
#include "platform/posixinstance.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Xlib's macros (None, Bool, ...) must come after everything else.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <cstring>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace skyraid;

TEST(FullScreenClaim, OnlyOneExclusiveStartWinsAndSharedHoldersCount)
{
    QTemporaryDir runtime;
    auto first = claimFullScreenPosix(runtime.path(), true);
    ASSERT_TRUE(first);
    EXPECT_FALSE(claimFullScreenPosix(runtime.path(), true));

    // A start without the check still runs alongside.
    auto shared = claimFullScreenPosix(runtime.path(), false);
    EXPECT_TRUE(shared);

    first.reset();
    EXPECT_FALSE(claimFullScreenPosix(runtime.path(), true)) << "the shared holder still runs";
    shared.reset();
    EXPECT_TRUE(claimFullScreenPosix(runtime.path(), true));
}

TEST(FullScreenClaim, AKilledSaverLeavesNoStaleClaim)
{
    QTemporaryDir runtime;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto claim = claimFullScreenPosix(runtime.path(), true);
        char ok = claim ? 1 : 0;
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 1);
    EXPECT_FALSE(claimFullScreenPosix(runtime.path(), true));

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(claimFullScreenPosix(runtime.path(), true));
    close(ready[0]);
    close(ready[1]);
}

TEST(FullScreenClaim, UnusableRuntimeFolderNeverStopsTheSaver)
{
    EXPECT_TRUE(claimFullScreenPosix(QStringLiteral("/nonexistent/folder"), true));
}

TEST(AssetFolder, IsAnAbsoluteFolderBesideTheProgram)
{
    const QString folder = assetFolder();
    EXPECT_TRUE(QDir::isAbsolutePath(folder));
    EXPECT_TRUE(folder.endsWith(u"/share/skyraid/"));
    EXPECT_TRUE(QDir(folder).exists()) << folder.toStdString();
}

namespace {

// A top-level window made straight through Xlib, as another program would.
class XWindow {
public:
    XWindow(Display* display, const char* title, bool netWmNameOnly) : m_display(display)
    {
        m_window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 100, 80, 0, 0, 0);
        if (netWmNameOnly) {
            const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
            const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
            XChangeProperty(display, m_window, name, utf8, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(title), int(strlen(title)));
        } else {
            XStoreName(display, m_window, title);
        }
        XMapWindow(display, m_window);
        XSync(display, False);
    }
    ~XWindow()
    {
        XDestroyWindow(m_display, m_window);
        XSync(m_display, False);
    }
    XWindow(const XWindow&) = delete;
    XWindow& operator=(const XWindow&) = delete;

private:
    Display* m_display;
    Window m_window;
};

} // namespace

TEST(TopLevelWindow, IsFoundByItsExactTitle)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        GTEST_SKIP() << "no X display";
    const auto platform = createPlatform();
    EXPECT_FALSE(platform->topLevelWindowExists(QStringLiteral("Display Properties")));
    {
        XWindow other(display, "Display Properties (old)", false);
        EXPECT_FALSE(platform->topLevelWindowExists(QStringLiteral("Display Properties")));
        XWindow panel(display, "Display Properties", false);
        EXPECT_TRUE(platform->topLevelWindowExists(QStringLiteral("Display Properties")));
    }
    EXPECT_FALSE(platform->topLevelWindowExists(QStringLiteral("Display Properties")));
    {
        XWindow panel(display, "Display Properties", true);
        EXPECT_TRUE(platform->topLevelWindowExists(QStringLiteral("Display Properties")));
    }
    XCloseDisplay(display);
}
