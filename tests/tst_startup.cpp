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

// The real program without any display: whatever tries to show a window
// fails loudly instead of passing unseen. Unknown switches, a preview without
// a host, and a second "/s" while a saver runs all end quietly.
TEST(Program, EndsQuietlyWhenThereIsNothingToShow)
{
    // This process holds the claim of a running full-screen saver in a
    // runtime folder that the program shares and no other test does.
    QTemporaryDir runtime;
    const auto running = claimFullScreenPosix(runtime.path(), true);
    ASSERT_TRUE(running);
    for (const QString& argument : {u"-s"_s, u"/x"_s, u"hello"_s, u"/p 4242"_s, u"/s"_s}) {
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_s);
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        program.setProcessEnvironment(env);
        program.start(test::builtProgram(u"skyraid"_s), argument.split(u' '));
        ASSERT_TRUE(program.waitForFinished(15000)) << argument.toStdString();
        EXPECT_EQ(program.exitCode(), 0) << argument.toStdString();
        EXPECT_EQ(program.readAllStandardError().toStdString(), "") << argument.toStdString();
    }
}
