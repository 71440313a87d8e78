#include "platform/posixinstance.h"
#include "saver/startup.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

struct DispatchRow {
    QStringList arguments;
    const char* switchText;
    Mode mode;
};

void PrintTo(const DispatchRow& row, std::ostream* os)
{
    *os << '"' << row.arguments.join(u' ').toStdString() << '"';
}

class Dispatch : public ::testing::TestWithParam<DispatchRow> {};

TEST_P(Dispatch, SwitchSelectsTheMode)
{
    const DispatchRow& row = GetParam();
    const QString text = commandText(row.arguments);
    EXPECT_EQ(switchOf(text), QString::fromLatin1(row.switchText)) << text.toStdString();
    EXPECT_EQ(modeOf(switchOf(text)), row.mode) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, Dispatch,
                         ::testing::Values(DispatchRow{{}, "", Mode::FullScreen},
                                           DispatchRow{{u"   "_s}, "", Mode::FullScreen},
                                           DispatchRow{{u"  /S  "_s}, "/s", Mode::FullScreen},
                                           DispatchRow{{u"/s"_s}, "/s", Mode::FullScreen},
                                           DispatchRow{{u"/c:4242"_s}, "/c", Mode::Configuration},
                                           DispatchRow{{u"/C"_s}, "/c", Mode::Configuration},
                                           DispatchRow{{u"/P"_s, u"4242"_s}, "/p", Mode::Preview},
                                           DispatchRow{{u"/p:4242"_s}, "/p", Mode::Preview},
                                           DispatchRow{
                                               {u"/a"_s, u"4242"_s}, "/a", Mode::PasswordChange},
                                           DispatchRow{{u"/x"_s}, "/x", Mode::None},
                                           DispatchRow{{u"-s"_s}, "-s", Mode::None},
                                           DispatchRow{{u"hello"_s}, "he", Mode::None},
                                           DispatchRow{{u"/"_s}, "/", Mode::None},
                                           DispatchRow{{u"/sx"_s}, "/s", Mode::FullScreen}));

TEST(CommandText, TrimsAndFoldsCaseButKeepsTheTail)
{
    EXPECT_EQ(commandText({u" /P"_s, u"4242 "_s}), u"/p 4242");
    EXPECT_EQ(commandText({u"/c:ABC"_s}), u"/c:abc");
}

using test::FakePlatform;

TEST(SecondInstance, SlashSEndsWhenAnotherRunsAndNoDisplayPropertiesWindow)
{
    FakePlatform platform;
    platform.otherSaverRuns = true;
    EXPECT_EQ(decideStart(u"/s"_s, platform).mode, Mode::None);

    platform.displayProperties = true;
    const StartDecision decision = decideStart(u"/s"_s, platform);
    EXPECT_EQ(decision.mode, Mode::FullScreen);
    EXPECT_TRUE(decision.claim);
    EXPECT_FALSE(platform.lastClaimExclusive);
}

TEST(SecondInstance, NoSwitchAlwaysRunsButRegisters)
{
    FakePlatform platform;
    platform.otherSaverRuns = true;
    const StartDecision decision = decideStart(QString(), platform);
    EXPECT_EQ(decision.mode, Mode::FullScreen);
    EXPECT_TRUE(decision.claim);
    EXPECT_FALSE(platform.lastClaimExclusive);
}

TEST(SecondInstance, OtherModesNeverCheck)
{
    FakePlatform platform;
    platform.otherSaverRuns = true;
    for (const QString& text : {u"/c"_s, u"/p 12"_s, u"/a"_s, u"hello"_s})
        EXPECT_FALSE(decideStart(text, platform).claim) << text.toStdString();
    EXPECT_EQ(platform.claims, 0);
}

TEST(PreviewStart, RunsOnlyForAWindowThatExists)
{
    test::FakePlatform platform;
    platform.windows.insert(4242, QSize(153, 115));
    platform.windows.insert(quintptr(qintptr(-7)), QSize(10, 10));
    platform.otherSaverRuns = true;
    for (const auto& [text, mode] :
         {std::pair{u"/p 4242"_s, Mode::Preview}, std::pair{u"/p:4242"_s, Mode::Preview},
          std::pair{u"/p -7"_s, Mode::Preview}, std::pair{u"/p 4243"_s, Mode::None},
          std::pair{u"/p"_s, Mode::None}, std::pair{u"/p 0"_s, Mode::None},
          std::pair{u"/p 4294971538"_s, Mode::None} /* 4242 + 2^32 */}) {
        const StartDecision decision = decideStart(text, platform);
        EXPECT_EQ(decision.mode, mode) << text.toStdString();
        EXPECT_FALSE(decision.claim) << text.toStdString();
    }
    EXPECT_EQ(platform.claims, 0);
}

namespace {

// Runs the real program without any display, so that anything that tries to
// show a window fails loudly instead of passing unseen.
int runProgramHeadless(const QStringList& arguments, qint64* elapsedMs)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    program.start(test::builtProgram(QStringLiteral("skyraid")), arguments);
    if (!program.waitForFinished(10000)) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    *elapsedMs = timer.elapsed();
    EXPECT_TRUE(program.readAllStandardError().isEmpty());
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

} // namespace

TEST(Program, UnknownSwitchesEndQuietlyWithoutAWindow)
{
    for (const QStringList& args :
         {QStringList{u"-s"_s}, QStringList{u"/x"_s}, QStringList{u"hello"_s}}) {
        qint64 elapsed = 0;
        EXPECT_EQ(runProgramHeadless(args, &elapsed), 0) << args.join(u' ').toStdString();
    }
}

TEST(Program, PreviewWithoutADisplayEndsQuietly)
{
    // No display, so no host window: the preview ends before Qt looks for one.
    qint64 elapsed = 0;
    EXPECT_EQ(runProgramHeadless({u"/p"_s, u"4242"_s}, &elapsed), 0);
}

TEST(Program, SecondFullScreenSaverEndsAtOnce)
{
    // This test process holds the claim of a running full-screen saver in the
    // session's runtime folder, which the program shares.
    const auto running = claimFullScreenPosix(userRuntimeFolder(), true);
    ASSERT_TRUE(running);
    qint64 elapsed = 0;
    EXPECT_EQ(runProgramHeadless({u"/s"_s}, &elapsed), 0);
}

TEST(Program, PasswordModeOnLinuxShowsANoteAndEndsWhenItIsClosed)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display";
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(env);
    program.start(test::builtProgram(QStringLiteral("skyraid")), {u"/a"_s});
    ASSERT_TRUE(program.waitForStarted());

    // Focus the note once it is mapped and press Enter on its OK button.
    const auto xdotool = [](const QStringList& arguments) {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        EXPECT_TRUE(tool.waitForFinished(20000));
        EXPECT_EQ(tool.exitCode(), 0) << arguments.join(u' ').toStdString();
        return QString::fromUtf8(tool.readAllStandardOutput()).section(u'\n', 0, 0);
    };
    const QString note =
        xdotool({u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^SkyRaid$"_s});
    ASSERT_FALSE(note.isEmpty());
    xdotool({u"windowfocus"_s, note});
    xdotool({u"key"_s, u"Return"_s});

    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
}
