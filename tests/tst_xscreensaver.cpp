// The saver as a hack of the real XScreenSaver daemon: drawn into the
// daemon's window when it blanks the screen, gone when it unblanks.
#include "testsupport.h"

#include <iostream>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace skyraid;

namespace {

// Whether a process still runs; one that has ended but was not yet reaped
// by its parent has ended.
bool running(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    const qsizetype afterName = fields.lastIndexOf(')');
    return afterName < 0 || fields.mid(afterName + 2, 1) != "Z";
}

// The daemon will not run hacks as root: then everything runs as "nobody".
QStringList asUser()
{
    if (::geteuid() != 0)
        return {};
    return {u"setpriv"_s, u"--reuid=nobody"_s, u"--regid=nogroup"_s, u"--clear-groups"_s};
}

class XScreenSaverHack : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(m_display = XOpenDisplay(nullptr)))
            GTEST_SKIP() << "no X display";
        if (QStandardPaths::findExecutable(u"xscreensaver"_s).isEmpty())
            GTEST_SKIP() << "XScreenSaver is not installed";

        // A home of the hack's user: the daemon's settings name our saver as
        // its one display mode; the saver's own settings show sky blue.
        const QString root = m_dir.path();
        ::chmod(QFile::encodeName(root).constData(), 0755);
        QDir().mkpath(root + u"/home"_s);
        QDir().mkpath(root + u"/config/SkyRaid"_s);
        QDir().mkpath(root + u"/runtime"_s);
        writeFile(root + u"/home/.xscreensaver"_s,
                  "mode:\t\tone\nselected:\t0\nlock:\t\tFalse\nsplash:\t\tFalse\n"
                  "fade:\t\tFalse\nunfade:\t\tFalse\ntimeout:\t0:30:00\n"
                  "programs:\t\\\n\t\"SkyRaid\"  " +
                      QFile::encodeName(test::builtProgram(u"skyraid"_s)) + " /s \\n\\\n\n");
        writeFile(root + u"/config/SkyRaid/SkyRaid.ini"_s,
                  "[Startup]\nBackGround=2\n[System]\nSetReg=2\n");
        if (::geteuid() == 0) {
            QProcess::execute(u"chown"_s, {u"-R"_s, u"nobody:nogroup"_s, root});
        }
        ::chmod(QFile::encodeName(root + u"/runtime"_s).constData(), 0700);

        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(u"HOME"_s, root + u"/home"_s);
        m_env.insert(u"XDG_CONFIG_HOME"_s, root + u"/config"_s);
        m_env.insert(u"XDG_RUNTIME_DIR"_s, root + u"/runtime"_s);
        m_env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        m_env.insert(u"PULSE_SERVER"_s, root + u"/no-sound-here"_s);
        m_env.remove(u"XSCREENSAVER_WINDOW"_s);

        start(m_daemon, u"xscreensaver"_s, {u"-no-splash"_s});
        ASSERT_TRUE(m_daemon.waitForStarted());
    }

    void TearDown() override
    {
        if (m_daemon.state() != QProcess::NotRunning) {
            m_daemon.terminate();
            if (!m_daemon.waitForFinished(5000))
                m_daemon.kill();
            m_daemon.waitForFinished();
        }
        if (m_display)
            XCloseDisplay(m_display);
    }

    static void writeFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void start(QProcess& process, const QString& program, const QStringList& arguments)
    {
        QStringList command = asUser() << program << arguments;
        process.setProcessEnvironment(m_env);
        process.start(command.takeFirst(), command);
    }

    // Asks the daemon; it answers only once it is up.
    bool command(const QString& what)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            QProcess tool;
            start(tool, u"xscreensaver-command"_s, {what});
            if (tool.waitForFinished(10000) && tool.exitCode() == 0)
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    QRgb screenCentre() { return test::screenCentre(m_display); }

    // Our saver's process, started by the daemon, or 0.
    pid_t saverProcess() const
    {
        const QByteArray program = QFile::encodeName(test::builtProgram(u"skyraid"_s));
        for (const QString& entry : QDir(u"/proc"_s).entryList(QDir::Dirs)) {
            bool number = false;
            const pid_t pid = pid_t(entry.toInt(&number));
            if (!number)
                continue;
            QFile cmdline(u"/proc/"_s + entry + u"/cmdline"_s);
            if (cmdline.open(QIODevice::ReadOnly) && cmdline.readAll().startsWith(program + '\0'))
                return pid;
        }
        return 0;
    }

    Display* m_display = nullptr;
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
    QProcess m_daemon;
};

} // namespace

TEST_F(XScreenSaverHack, DrawsInTheDaemonsWindowAndEndsWhenItUnblanks)
{
    ASSERT_TRUE(command(u"-activate"_s));

    bool shown = false;
    for (int attempt = 0; attempt < 200 && !shown; ++attempt) {
        shown = screenCentre() == qRgb(0, 226, 251);
        if (!shown)
            QThread::msleep(50);
    }
    ASSERT_TRUE(shown) << "the scene never appeared";
    const pid_t saver = saverProcess();
    ASSERT_NE(saver, 0);

    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(command(u"-deactivate"_s));
    std::cout << "deactivation answered after " << clock.elapsed() << " ms\n";
    while (running(saver) && clock.elapsed() < 5000)
        QThread::msleep(20);
    EXPECT_FALSE(running(saver)) << "the saver outlived the blanking";
    std::cout << "saver gone after " << clock.elapsed() << " ms\n";
    EXPECT_LT(clock.elapsed(), 1000) << "the saver took too long to end";
}

namespace {

// A window of another program for the saver to draw into, as the daemon's.
class HostWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(m_display = XOpenDisplay(nullptr)))
            GTEST_SKIP() << "no X display";
        m_host = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 400, 300, 0, 0,
                                     WhitePixel(m_display, DefaultScreen(m_display)));
        XMapWindow(m_display, m_host);
        XSync(m_display, False);

        QDir().mkpath(m_config.filePath(u"SkyRaid"_s));
        QFile ini(m_config.filePath(u"SkyRaid/SkyRaid.ini"_s));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Startup]\nBackGround=2\n[System]\nSetReg=2\n");
    }
    void TearDown() override
    {
        if (m_saver.state() != QProcess::NotRunning) {
            m_saver.kill();
            m_saver.waitForFinished();
        }
        if (m_host)
            XDestroyWindow(m_display, m_host);
        if (m_display)
            XCloseDisplay(m_display);
    }

    void start()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        env.insert(u"XSCREENSAVER_WINDOW"_s, u"0x%1"_s.arg(m_host, 0, 16));
        m_saver.setProcessEnvironment(env);
        m_saver.start(test::builtProgram(u"skyraid"_s), {u"/s"_s});
        ASSERT_TRUE(m_saver.waitForStarted());
    }

    QRgb pixel(int x, int y) { return test::pixelAt(m_display, m_host, x, y); }

    bool waitFor(int x, int y, QRgb colour)
    {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (pixel(x, y) == colour)
                return true;
            QThread::msleep(25);
        }
        return false;
    }

    Display* m_display = nullptr;
    Window m_host = 0;
    QTemporaryDir m_config;
    QProcess m_saver;
};

} // namespace

TEST_F(HostWindow, SceneFillsTheWindowFollowsItsSizeAndLeavesInputAlone)
{
    start();
    ASSERT_TRUE(waitFor(200, 150, qRgb(0, 226, 251)));
    EXPECT_EQ(pixel(2, 2), qRgb(0, 226, 251)); // 4:3 like the scene: no bars

    // The keyboard is not taken: another program can still grab it.
    EXPECT_EQ(XGrabKeyboard(m_display, m_host, False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XUngrabKeyboard(m_display, CurrentTime);

    XResizeWindow(m_display, m_host, 600, 300);
    XSync(m_display, False);
    EXPECT_TRUE(waitFor(10, 150, qRgb(0, 0, 0))) << "no bars beside a wider window";
    EXPECT_EQ(pixel(300, 150), qRgb(0, 226, 251));
    EXPECT_EQ(m_saver.state(), QProcess::Running);
}

TEST_F(HostWindow, EndsAsSoonAsTheWindowGoesAway)
{
    start();
    ASSERT_TRUE(waitFor(200, 150, qRgb(0, 226, 251)));
    XDestroyWindow(m_display, m_host);
    XSync(m_display, False);
    m_host = 0;
    EXPECT_TRUE(m_saver.waitForFinished(1000));
    EXPECT_EQ(m_saver.exitCode(), 0);
}

TEST_F(HostWindow, AWindowThatIsAlreadyGoneEndsAtOnce)
{
    XDestroyWindow(m_display, m_host);
    XSync(m_display, False);
    start(); // still names the destroyed window
    m_host = 0;
    EXPECT_TRUE(m_saver.waitForFinished(1000));
    EXPECT_EQ(m_saver.exitCode(), 0);
}
