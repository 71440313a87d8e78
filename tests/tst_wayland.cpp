// The real program on a headless Wayland compositor (sway): grim reads the
// screen, wtype types. sway will not run as root: then everything runs as
// "nobody".
#include <QDir>
#include <QImage>
#include <QStandardPaths>

#include <unistd.h>

// Xlib's macros must come after everything else.
#include "xpixels.h"

using namespace Qt::StringLiterals;
using namespace skyraid;

namespace {

class Wayland : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"sway"_s).isEmpty())
            GTEST_SKIP() << "sway is not installed";
        // Two outputs side by side; the first is the primary one.
        QFile config(m_home.filePath(u"sway"_s));
        ASSERT_TRUE(config.open(QIODevice::WriteOnly));
        config.write("xwayland disable\n"
                     "output HEADLESS-1 resolution 1024x768 position 0 0\n"
                     "output HEADLESS-2 resolution 640x480 position 1024 0\n");
        config.close();
        QDir(m_config.path()).mkdir(u"SkyRaid"_s);
        QFile ini(m_config.filePath(u"SkyRaid/SkyRaid.ini"_s));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Startup]\nBackGround=2\n[System]\nSetReg=2\n"); // sky blue
        ini.close();
        if (::geteuid() == 0) {
            for (const QTemporaryDir* folder : {&m_home, &m_config, &m_runtime})
                QProcess::execute(u"chown"_s, {u"-R"_s, u"nobody:nogroup"_s, folder->path()});
            m_asUser = {u"setpriv"_s, u"--reuid=nobody"_s, u"--regid=nogroup"_s, u"--clear-groups"_s};
        }

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.remove(u"DISPLAY"_s);
        m_env.remove(u"WAYLAND_DISPLAY"_s);
        m_env.insert(u"HOME"_s, m_home.path());
        m_env.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        m_env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        m_env.insert(u"PULSE_SERVER"_s, m_home.filePath(u"none"_s));
        m_env.insert(u"WLR_BACKENDS"_s, u"headless"_s);
        m_env.insert(u"WLR_RENDERER"_s, u"pixman"_s);
        m_env.insert(u"WLR_LIBINPUT_NO_DEVICES"_s, u"1"_s);
        m_env.insert(u"WLR_HEADLESS_OUTPUTS"_s, u"2"_s);
        run(m_sway, u"sway"_s, {u"-c"_s, m_home.filePath(u"sway"_s)});
        ASSERT_TRUE(test::poll([&] {
            const QDir runtime(m_runtime.path());
            const QStringList display = runtime.entryList({u"wayland-?"_s}, QDir::System);
            const QStringList ipc = runtime.entryList({u"sway-ipc.*"_s}, QDir::System);
            if (display.isEmpty() || ipc.isEmpty())
                return false;
            m_env.insert(u"WAYLAND_DISPLAY"_s, display.front());
            m_env.insert(u"SWAYSOCK"_s, runtime.filePath(ipc.front()));
            return true;
        })) << "sway did not start: " << m_sway.readAllStandardError().toStdString();
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
    }
    void TearDown() override
    {
        for (QProcess* process : {&m_program, &m_sway}) {
            process->kill();
            process->waitForFinished();
        }
    }

    void run(QProcess& process, const QString& program, const QStringList& arguments)
    {
        process.setProcessEnvironment(m_env);
        QStringList command = m_asUser + QStringList{program} + arguments;
        process.start(command.takeFirst(), command);
    }
    QByteArray output(const QString& program, const QStringList& arguments)
    {
        QProcess tool;
        run(tool, program, arguments);
        tool.waitForFinished(30000);
        return tool.exitCode() == 0 ? tool.readAllStandardOutput() : QByteArray();
    }
    QImage screen(const QString& area)
    {
        return QImage::fromData(output(u"grim"_s, {u"-g"_s, area, u"-t"_s, u"ppm"_s, u"-"_s}));
    }
    QRgb pixel(int x, int y) { return screen(u"%1,%2 1x1"_s.arg(x).arg(y)).pixel(0, 0); }
    bool ended(QProcess& process)
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(100);
    }

    QTemporaryDir m_home;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QStringList m_asUser;
    QProcessEnvironment m_env;
    QProcess m_sway;
    QProcess m_program;
};

} // namespace

TEST_F(Wayland, SceneOnThePrimaryOutputBlackBesideOneSaverOnlyEndsOnAKeyQuietly)
{
    const QString program = test::builtProgram(u"skyraid"_s);
    run(m_program, program, {u"/s"_s});
    ASSERT_TRUE(test::poll([&] { return pixel(512, 384) == test::SkyBlue; }))
        << "the scene never appeared";
    EXPECT_TRUE(test::poll([&] { return pixel(1344, 240) == qRgb(0, 0, 0); }))
        << "the second output is not black";

    QProcess second;
    run(second, program, {u"/s"_s});
    EXPECT_TRUE(second.waitForFinished(15000) && second.exitCode() == 0)
        << "a second saver started";

    // The planes fly over sky blue; a pixel the window leaves unpainted shows black.
    const QImage primary = screen(u"0,0 1024x768"_s);
    int black = 0;
    for (int y = 0; y < primary.height(); ++y) {
        for (int x = 0; x < primary.width(); ++x)
            black += primary.pixel(x, y) == qRgb(0, 0, 0);
    }
    EXPECT_EQ(black, 0);

    // Each run of wtype brings a keyboard of its own; the first keys may
    // arrive before the saver has it.
    EXPECT_TRUE(test::poll([&] {
        output(u"wtype"_s, {u"-s"_s, u"300"_s, u"-k"_s, u"space"_s});
        return ended(m_program);
    })) << "a key did not end the saver";
    EXPECT_EQ(m_program.exitCode(), 0);
    EXPECT_EQ(m_program.readAllStandardError().toStdString(), "");
    EXPECT_EQ(second.readAllStandardError().toStdString(), "");
}

TEST_F(Wayland, DialogOpensAndAPreviewSaysItNeedsX11)
{
    QProcess preview;
    run(preview, test::builtProgram(u"skyraid"_s), {u"/p"_s, u"4242"_s});
    ASSERT_TRUE(preview.waitForFinished(15000));
    EXPECT_EQ(preview.exitCode(), 0);
    EXPECT_TRUE(preview.readAllStandardError().contains("needs an X11 host window"));

    run(m_program, test::builtProgram(u"skyraid"_s), {u"/c"_s});
    const QByteArray pid = "\"pid\": " + QByteArray::number(m_program.processId());
    EXPECT_TRUE(test::poll([&] {
        return output(u"swaymsg"_s, {u"-t"_s, u"get_tree"_s}).contains(pid);
    })) << "the dialog did not open";
    EXPECT_EQ(m_program.state(), QProcess::Running);
}
