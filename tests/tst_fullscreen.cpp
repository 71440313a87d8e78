// The real program on a real (virtual) X display.
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <signal.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

class RunningSaver : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(m_display = XOpenDisplay(nullptr)))
            GTEST_SKIP() << "no X display";
    }
    void TearDown() override
    {
        if (m_saver.state() != QProcess::NotRunning) {
            m_saver.kill();
            m_saver.waitForFinished();
        }
        if (m_display)
            XCloseDisplay(m_display);
    }

    QString iniPath() const { return m_config.filePath(u"SkyRaid/SkyRaid.ini"_s); }

    void start(const QStringList& arguments = {u"/s"_s},
               const QProcessEnvironment& extra = QProcessEnvironment())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : extra.keys())
            env.insert(name, extra.value(name));
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        m_saver.setProcessEnvironment(env);
        m_saver.start(test::builtProgram(u"skyraid"_s), arguments);
        ASSERT_TRUE(m_saver.waitForStarted());
    }

    // Waits until a mapped window covers the whole screen.
    bool waitForCover()
    {
        const int width = DisplayWidth(m_display, DefaultScreen(m_display));
        const int height = DisplayHeight(m_display, DefaultScreen(m_display));
        for (int attempt = 0; attempt < 200; ++attempt) {
            Window root = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
            bool covered = false;
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(m_display, children[i], &attributes) &&
                    attributes.map_state == IsViewable && attributes.x == 0 && attributes.y == 0 &&
                    attributes.width == width && attributes.height == height)
                    covered = true;
            }
            if (children)
                XFree(children);
            if (covered)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    // Seeded options, with the sky-blue background to look for on screen.
    void seedSkyBlue()
    {
        SystemSettingsStore store(iniPath());
        SetRegistry(store, u"/nowhere/"_s);
        writeSetting(store, keys::BackGround, u"2"_s);
    }

    // Waits for the first frame: the screen's centre turns the expected colour.
    bool waitForPixel(QRgb expected)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            if (test::screenCentre(m_display) == expected)
                return true;
            QThread::msleep(50);
        }
        return false;
    }

    static void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(u"xdotool"_s, arguments);
        ASSERT_TRUE(tool.waitForFinished(10000));
    }

    // Ends within the bound, with a clean exit.
    void expectEndsSoon()
    {
        ASSERT_TRUE(m_saver.state() == QProcess::NotRunning || m_saver.waitForFinished(2000))
            << "the saver did not end" << m_saver.readAllStandardError().toStdString();
        EXPECT_EQ(m_saver.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_saver.exitCode(), 0);
    }

    Display* m_display = nullptr;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QProcess m_saver;
};

} // namespace

TEST_F(RunningSaver, EmptyStoreCoversTheScreenSeedsAndEndsOnAKey)
{
    start();
    ASSERT_TRUE(waitForCover());
    SystemSettingsStore store(iniPath());
    EXPECT_EQ(readSetting(store, keys::SetReg), u"2");
    xdotool({u"key"_s, u"space"_s});
    expectEndsSoon();
}

TEST_F(RunningSaver, ShowsTheSkyAndEndsOnMouseMovement)
{
    seedSkyBlue();
    start();
    ASSERT_TRUE(waitForCover());
    EXPECT_TRUE(waitForPixel(qRgb(0, 226, 251)));
    const auto move = [&](int i) {
        xdotool({u"mousemove"_s, QString::number(100 + 40 * i), QString::number(100 + 30 * i)});
        QThread::msleep(100); // apart, so that the moves are not merged into one
    };
    for (int i = 1; i <= 3; ++i)
        move(i);
    EXPECT_FALSE(m_saver.waitForFinished(100)) << "three moves are not enough";
    // A busy machine may still merge moves: go on moving until it ends.
    for (int i = 4; i <= 12; ++i) {
        move(i);
        if (m_saver.waitForFinished(50))
            break;
    }
    expectEndsSoon();
}

TEST_F(RunningSaver, MouseButtonEndsIt)
{
    start();
    ASSERT_TRUE(waitForCover());
    xdotool({u"click"_s, u"1"_s});
    expectEndsSoon();
}

TEST_F(RunningSaver, TerminationEndsItCleanly)
{
    start();
    ASSERT_TRUE(waitForCover());
    ::kill(pid_t(m_saver.processId()), SIGTERM);
    expectEndsSoon();
}

TEST_F(RunningSaver, RunsSilentAndEndsNormallyWithoutASoundServer)
{
    seedSkyBlue();
    QTemporaryDir nowhere;
    QProcessEnvironment noServer;
    noServer.insert(u"PULSE_SERVER"_s, u"unix:"_s + nowhere.filePath(u"no-server"_s));
    start({u"/s"_s}, noServer);
    ASSERT_TRUE(waitForCover());
    EXPECT_TRUE(waitForPixel(qRgb(0, 226, 251))) << "no frame was drawn";
    EXPECT_EQ(m_saver.state(), QProcess::Running);
    xdotool({u"key"_s, u"space"_s});
    expectEndsSoon();
    const QString errors = QString::fromLocal8Bit(m_saver.readAllStandardError());
    EXPECT_FALSE(errors.contains(u"ulse"_s, Qt::CaseInsensitive)) << errors.toStdString();
    EXPECT_FALSE(errors.contains(u"sound"_s, Qt::CaseInsensitive)) << errors.toStdString();
}
