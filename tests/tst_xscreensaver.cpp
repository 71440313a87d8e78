// The saver as a hack of the real XScreenSaver daemon, and in a window of
// another program as the daemon gives it one.
#include <QStandardPaths>

// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <unistd.h>

using namespace Qt::StringLiterals;
using namespace skyraid;

namespace {

// Our saver among the descendants of `parent`: other copies of the program
// may run at the same time.
pid_t saverBelow(pid_t parent)
{
    const QByteArray program = QFile::encodeName(test::builtProgram(u"skyraid"_s)) + '\0';
    const auto children =
        QString::fromLatin1(test::readFile(u"/proc/%1/task/%1/children"_s.arg(parent)));
    for (const QString& child : children.split(u' ', Qt::SkipEmptyParts)) {
        if (test::readFile(u"/proc/%1/cmdline"_s.arg(child)).startsWith(program))
            return child.toInt();
        if (const pid_t below = saverBelow(child.toInt()))
            return below;
    }
    return 0;
}

class XScreenSaverHack : public test::XProgram {
protected:
    void SetUp() override
    {
        XProgram::SetUp();
        if (IsSkipped())
            return;
        if (QStandardPaths::findExecutable(u"xscreensaver"_s).isEmpty())
            GTEST_SKIP() << "XScreenSaver is not installed";
        // The daemon's settings name our saver as its one display mode.
        QFile settings(m_home.filePath(u".xscreensaver"_s));
        ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
        settings.write("mode:\tone\nselected:\t0\nlock:\tFalse\nsplash:\tFalse\nfade:\tFalse\n"
                       "unfade:\tFalse\ntimeout:\t0:30:00\nprograms:\t\\\n\t\"SkyRaid\"  " +
                       QFile::encodeName(test::builtProgram(u"skyraid"_s)) + " /s \\n\\\n\n");
        settings.close();
        seedSkyBlue();
        // The daemon will not run hacks as root: then everything runs as "nobody".
        if (::geteuid() == 0) {
            for (const QTemporaryDir* folder : {&m_home, &m_config, &m_runtime})
                QProcess::execute(u"chown"_s, {u"-R"_s, u"nobody:nogroup"_s, folder->path()});
            m_asUser = {u"setpriv"_s, u"--reuid=nobody"_s, u"--regid=nogroup"_s,
                        u"--clear-groups"_s};
        }
        run(m_program, u"xscreensaver"_s, {u"-no-splash"_s});
        ASSERT_TRUE(m_program.waitForStarted());
    }
    void TearDown() override
    {
        m_program.terminate(); // the daemon ends its hack with it
        m_program.waitForFinished(10000);
        XProgram::TearDown();
    }

    void run(QProcess& process, const QString& program, const QStringList& arguments)
    {
        QProcessEnvironment env = environment();
        env.insert(u"HOME"_s, m_home.path());
        env.insert(u"PULSE_SERVER"_s, m_home.filePath(u"none"_s));
        process.setProcessEnvironment(env);
        QStringList command = m_asUser + QStringList{program} + arguments;
        process.start(command.takeFirst(), command);
    }

    // Asks the daemon; it answers only once it is up.
    bool command(const QString& what)
    {
        return test::poll([&] {
            QProcess tool;
            run(tool, u"xscreensaver-command"_s, {what});
            return tool.waitForFinished(15000) && tool.exitCode() == 0;
        });
    }

    QTemporaryDir m_home;
    QStringList m_asUser;
};

} // namespace

TEST_F(XScreenSaverHack, DrawsInTheDaemonsWindowAndEndsWhenItUnblanks)
{
    ASSERT_TRUE(command(u"-activate"_s));
    ASSERT_TRUE(test::poll([&] { return test::screenCentre(m_display) == test::SkyBlue; }))
        << "the scene never appeared";
    pid_t saver = 0;
    ASSERT_TRUE(
        test::poll([&] { return (saver = saverBelow(pid_t(m_program.processId()))) != 0; }));
    ASSERT_TRUE(command(u"-deactivate"_s));
    // A process's command line is gone once it has ended.
    EXPECT_TRUE(test::poll([&] {
        return test::readFile(u"/proc/%1/cmdline"_s.arg(saver)).isEmpty();
    })) << "the saver outlived the blanking";
}

using HostWindow = test::XProgram;

TEST_F(HostWindow, SceneFillsTheWindowFollowsItsSizeAndEndsWithIt)
{
    const Window host = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 0, 0, 400, 300,
                                            0, 0, WhitePixel(m_display, 0));
    XMapWindow(m_display, host);
    XSync(m_display, False);
    seedSkyBlue();
    QProcessEnvironment env;
    env.insert(u"XSCREENSAVER_WINDOW"_s, u"0x%1"_s.arg(host, 0, 16));
    start({u"/s"_s}, env);
    const auto shows = [&](int x, int y, QRgb colour) {
        return test::poll([&] { return test::pixelAt(m_display, host, x, y) == colour; });
    };
    ASSERT_TRUE(shows(200, 150, test::SkyBlue));
    EXPECT_TRUE(shows(2, 2, test::SkyBlue)) << "4:3 like the scene: no bars";

    // The keyboard is not taken: another program can still grab it.
    EXPECT_EQ(XGrabKeyboard(m_display, host, False, GrabModeAsync, GrabModeAsync, CurrentTime),
              GrabSuccess);
    XUngrabKeyboard(m_display, CurrentTime);

    XResizeWindow(m_display, host, 600, 300);
    XSync(m_display, False);
    EXPECT_TRUE(shows(10, 150, qRgb(0, 0, 0))) << "no bars beside a wider window";
    EXPECT_TRUE(shows(300, 150, test::SkyBlue));

    ASSERT_EQ(m_program.state(), QProcess::Running);
    XDestroyWindow(m_display, host);
    XSync(m_display, False);
    expectEnds();
}
