#include "platform/posixinstance.h"
#include "saver/startup.h"
#include "testsupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

// The mode each command line selects, who checks for a running saver (0
// none, 1 shared, 2 exclusive), and what may start, here with a saver
// running, preview hosts at 4242, 1, -7 and the ends of the handles' range, a
// host window 77 and no window 78.
TEST(Dispatch, CommandLineAndDesktopDecideTheStart)
{
    // clang-format off
    const struct { const char* arguments; bool displayProperties; std::optional<quintptr> host;
                   Mode mode; int claims; } rows[] = {
        {"/s", false, {}, Mode::None, 2},          {"  /S  ", true, {}, Mode::FullScreen, 1},
        {"/sx", true, {}, Mode::FullScreen, 1},    {"", false, {}, Mode::FullScreen, 1},
        {"   ", false, {}, Mode::FullScreen, 1},   {"/s", false, 77, Mode::FullScreen, 1},
        {"/s", false, 78, Mode::None, 0},          {"/c:4242", false, {}, Mode::Configuration, 0},
        {"/C", false, {}, Mode::Configuration, 0}, {"/a 4", false, {}, Mode::PasswordChange, 0},
        {"/x", false, {}, Mode::None, 0},          {"-s", false, {}, Mode::None, 0},
        {"hello", false, {}, Mode::None, 0},       {"/", false, {}, Mode::None, 0},
        {"/P 4242", false, {}, Mode::Preview, 0},  {"/p:4242", false, {}, Mode::Preview, 0},
        {"/p 12 4242", false, {}, Mode::Preview, 0}, {"/p 4242.5", false, {}, Mode::Preview, 0},
        {"/p -7", false, {}, Mode::Preview, 0},    {"/p 4243", false, {}, Mode::None, 0},
        {"/p 0", false, {}, Mode::None, 0},        {"/p 42abc", false, {}, Mode::None, 0},
        {"/p", false, {}, Mode::None, 0},          {"/p 1e400", false, {}, Mode::None, 0},
        {"/p 2147483647", false, {}, Mode::Preview, 0},
        {"/p -2147483648", false, {}, Mode::Preview, 0},
        {"/p 4294971538", false, {}, Mode::None, 0}, // 4242 + 2^32
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments);
        test::FakePlatform platform;
        for (const qintptr window : {4242, 1, -7, INT32_MAX, INT32_MIN, 77})
            platform.windows.insert(quintptr(window), QSize(10, 10));
        platform.otherSaverRuns = true;
        platform.displayProperties = row.displayProperties;
        const QString text = commandText(QString::fromLatin1(row.arguments).split(u' '));
        const StartDecision decision = decideStart(text, platform, row.host);
        EXPECT_EQ(decision.mode, row.mode);
        EXPECT_EQ(platform.claims > 0 ? 1 + platform.lastClaimExclusive : 0, row.claims);
        EXPECT_EQ(bool(decision.claim), row.mode == Mode::FullScreen);
        EXPECT_EQ(decision.hostWindow, row.mode == Mode::FullScreen ? row.host : std::nullopt);
    }
    test::FakePlatform alone;
    EXPECT_EQ(decideStart(u"/s"_s, alone).mode, Mode::FullScreen) << "no other saver runs";
}

// The real program where it cannot show anything: a display that is named
// but out of reach, in every mode, is named back with status 1 instead of
// Qt's abort, and no display at all is said so. Unknown switches, a preview
// without a host, and a second "/s" while a saver runs all end quietly. A
// stale Wayland socket beside the session's X display lets Qt go on to X.
TEST(Program, EndsAndSaysWhyWhenThereIsNothingToShow)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display";
    // This process holds the claim of a running full-screen saver in a
    // runtime folder that the program shares and no other test does.
    QTemporaryDir runtime;
    const auto running = claimFullScreenPosix(runtime.path(), true);
    ASSERT_TRUE(running);
    const QString unreached = u"cannot reach the display "_s;
    const QString x379 = unreached + u":379"_s;
    // clang-format off
    const struct { const char* arguments; const char* environment; QString said; } rows[] = {
        {"-s", "", {}}, {"/x", "", {}}, {"hello", "", {}}, {"/p 4242", "DISPLAY=", {}},
        {"/s", "DISPLAY=", {}}, {"/p 4242", "WAYLAND_DISPLAY=wayland-379", {}},
        {"/c", "DISPLAY=", u"there is no display to show on (DISPLAY is not set)"_s},
        {"/s", "DISPLAY=:379", x379}, {"/c", "DISPLAY=:379", x379}, {"/a", "DISPLAY=:379", x379},
        {"", "DISPLAY=:379", x379},   {"/p 4242", "DISPLAY=:379", x379},
        {"/s", "DISPLAY=:379 XSCREENSAVER_WINDOW=0x2a", x379},
        {"/s", "DISPLAY= WAYLAND_DISPLAY=wayland-379", unreached + u"wayland-379"_s},
        {"/c", "DISPLAY=:379 WAYLAND_DISPLAY=wayland-379 QT_QPA_PLATFORM=wayland-egl;xcb:x=1",
         unreached + u"wayland-379 or :379"_s},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.arguments) + " with " + row.environment);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            env.remove(QString::fromLatin1(name));
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        for (const QString& pair :
             QString::fromLatin1(row.environment).split(u' ', Qt::SkipEmptyParts))
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(test::builtProgram(u"skyraid"_s),
                      QString::fromLatin1(row.arguments).split(u' '));
        ASSERT_TRUE(program.waitForFinished(15000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), row.said.isEmpty() ? 0 : 1);
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()),
                  row.said.isEmpty() ? QString() : u"skyraid: "_s + row.said + u'\n');
    }
}
