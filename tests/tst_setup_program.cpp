#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <optional>

#include <QDeadlineTimer>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

// Runs xdotool and returns what it printed, or nothing when it failed.
std::optional<QString> xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(u"xdotool"_s, arguments);
    if (!tool.waitForFinished(10000) || tool.exitCode() != 0) {
        tool.kill();
        tool.waitForFinished();
        return std::nullopt;
    }
    return QString::fromUtf8(tool.readAllStandardOutput());
}

} // namespace

// The whole program on a real (virtual) X display: "skyraid /c" opens the
// dialog on the user's store, which holds a message longer than a text box
// and lacks "Clock"; the dialog stores the fallback of "Clock" at once, Escape
// closes it, and the message is whole.
TEST(SetupProgram, ConfigurationModeWorksOnTheUsersStore)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
        GTEST_SKIP() << "needs an X display and xdotool";
    QTemporaryDir config;
    const QString ini = config.filePath(u"SkyRaid/SkyRaid.ini"_s);
    const QString message(100000, u'm');
    SystemSettingsStore store(ini);
    writeSetting(store, keys::Message, message);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, config.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    program.setProcessEnvironment(env);
    program.start(test::builtProgram(u"skyraid"_s), {u"/c"_s});
    ASSERT_TRUE(program.waitForStarted());
    auto stop = qScopeGuard([&] {
        program.kill();
        program.waitForFinished();
    });
    // Our own dialog: the window of this very process.
    const auto found =
        xdotool({u"search"_s, u"--sync"_s, u"--all"_s, u"--onlyvisible"_s, u"--pid"_s,
                 QString::number(program.processId()), u"--name"_s, u"^Sky Raiders Control Box"_s});
    ASSERT_TRUE(found) << "the dialog did not appear";
    const QDeadlineTimer deadline(10000);
    while (readSetting(store, keys::Clock) != u"1"_s && !deadline.hasExpired())
        QTest::qWait(20);
    EXPECT_EQ(readSetting(store, keys::Clock), u"1"_s);

    const QString window = found->split(u'\n', Qt::SkipEmptyParts).constFirst();
    ASSERT_TRUE(xdotool({u"windowfocus"_s, u"--sync"_s, window, u"key"_s, u"Escape"_s}));
    ASSERT_TRUE(program.waitForFinished(10000)) << "Escape did not close the dialog";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(readSetting(store, keys::Message) == message) << "the message was cut";
}
