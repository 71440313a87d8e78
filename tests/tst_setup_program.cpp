#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <optional>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
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

// Where a point of a control lies in its dialog, laid out here the same way
// as the program lays it out on the virtual display.
QPoint placeInDialog(const QString& control, QPoint (*within)(const QWidget&))
{
    test::MemoryStore store;
    SetRegistry(store, assetFolder());
    skyraid::Setup probe(store);
    probe.show();
    const auto* widget = probe.findChild<QWidget*>(control);
    return widget ? widget->mapTo(&probe, within(*widget)) : QPoint(-1, -1);
}

QPoint onIndicator(const QWidget& box)
{
    return QPoint(8, box.height() / 2);
}

QPoint atCentre(const QWidget& button)
{
    return button.rect().center();
}

} // namespace

// The whole program on a real (virtual) X display: "skyraid /c" opens the
// dialog, a click changes an option, OK closes it, and the option is stored.
TEST(SetupProgram, ConfigurationModeStoresWhatTheUserClicks)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no X display";
    if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty())
        GTEST_SKIP() << "no xdotool";

    QTemporaryDir config;
    const QString ini = config.filePath(u"SkyRaid/SkyRaid.ini"_s);
    {
        SystemSettingsStore store(ini);
        SetRegistry(store, assetFolder());
    }
    const QPoint check = placeInDialog(u"chkPowerSave"_s, onIndicator);
    const QPoint ok = placeInDialog(u"cmdOK"_s, atCentre);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_CONFIG_HOME"_s, config.path());
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    program.setProcessEnvironment(env);
    program.start(test::builtProgram(u"skyraid"_s), {u"/c"_s});
    ASSERT_TRUE(program.waitForStarted());
    auto stop = qScopeGuard([&] {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
    });

    const auto found = xdotool(
        {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^Sky Raiders Control Box"_s});
    ASSERT_TRUE(found) << "the dialog did not appear";
    const QString window = found->split(u'\n', Qt::SkipEmptyParts).constFirst();
    const auto geometry = xdotool({u"getwindowgeometry"_s, u"--shell"_s, window});
    ASSERT_TRUE(geometry);
    QPoint origin;
    for (const QString& line : geometry->split(u'\n')) {
        if (line.startsWith(u"X="))
            origin.setX(line.mid(2).toInt());
        if (line.startsWith(u"Y="))
            origin.setY(line.mid(2).toInt());
    }

    auto clickAt = [&](QPoint at) {
        const QPoint screen = origin + at;
        return xdotool({u"mousemove"_s, u"--sync"_s, QString::number(screen.x()),
                        QString::number(screen.y()), u"click"_s, u"1"_s})
            .has_value();
    };
    SystemSettingsStore store(ini);
    ASSERT_EQ(store.read(Section::System, u"PwrSave"_s, FallbackValue), u"0");
    ASSERT_TRUE(clickAt(check));
    // Stored the moment it changes, while the dialog is still open.
    QElapsedTimer waited;
    waited.start();
    while (store.read(Section::System, u"PwrSave"_s, FallbackValue) != u"1" &&
           waited.elapsed() < 5000)
        QTest::qWait(20);
    EXPECT_EQ(store.read(Section::System, u"PwrSave"_s, FallbackValue), u"1");

    ASSERT_TRUE(clickAt(ok));
    ASSERT_TRUE(program.waitForFinished(10000)) << "OK did not close the dialog";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(store.read(Section::System, u"PwrSave"_s, FallbackValue), u"1");
}
