#pragma once

// The real program on the session's X display, and what the display shows.
// Include it last: Xlib's macros clash with Qt's and GoogleTest's names.
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace skyraid::test {

constexpr QRgb SkyBlue = qRgb(0, 226, 251); // the scene's plain background

// One pixel of a window (or of the root: the whole screen) as shown.
inline QRgb pixelAt(Display* display, Drawable window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return qRgb(int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff));
}

inline QRgb screenCentre(Display* display)
{
    const Screen* screen = DefaultScreenOfDisplay(display);
    return pixelAt(display, RootWindowOfScreen(screen), screen->width / 2, screen->height / 2);
}

// Asks `done` every 25 ms until it answers true, for fifteen seconds at most;
// meanwhile what programs write is read.
template <class Done> bool poll(Done done)
{
    for (int attempt = 0; attempt < 600; ++attempt, QThread::msleep(25)) {
        QCoreApplication::processEvents();
        if (done())
            return true;
    }
    return false;
}

// The mapped child of `parent` at (0, 0) with the given size, or 0.
inline Window childOfSize(Display* display, Window parent, int width, int height)
{
    Window root = 0, up = 0, found = 0, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, parent, &root, &up, &children, &count);
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable &&
            a.x == 0 && a.y == 0 && a.width == width && a.height == height)
            found = children[i];
    }
    XFree(children);
    return found;
}

// The program with settings and a runtime folder of its own, killed should
// it outlive the test.
class XProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(m_display = XOpenDisplay(nullptr)))
            GTEST_SKIP() << "no X display";
    }
    void TearDown() override
    {
        m_program.kill();
        m_program.waitForFinished();
        if (m_display)
            XCloseDisplay(m_display);
    }

    QProcessEnvironment environment(const QProcessEnvironment& extra = {}) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(extra);
        return env;
    }
    void start(const QStringList& arguments, const QProcessEnvironment& extra = {},
               const QString& program = builtProgram(QStringLiteral("skyraid")))
    {
        m_program.setProcessEnvironment(environment(extra));
        m_program.start(program, arguments);
        ASSERT_TRUE(m_program.waitForStarted());
    }

    // Settings of a program that has run before, with the sky-blue background.
    void seedSkyBlue()
    {
        QDir(m_config.path()).mkdir(QStringLiteral("SkyRaid"));
        QFile ini(m_config.filePath(QStringLiteral("SkyRaid/SkyRaid.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Startup]\nBackGround=2\n[System]\nSetReg=2\n");
    }

    // Ends of its own accord, with a clean exit.
    void expectEnds()
    {
        ASSERT_TRUE(m_program.state() == QProcess::NotRunning || m_program.waitForFinished(15000))
            << "the program did not end";
        EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_program.exitCode(), 0);
    }

    // The first line of what xdotool answers.
    static QString xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        EXPECT_TRUE(tool.waitForFinished(30000));
        return QString::fromUtf8(tool.readAllStandardOutput()).section(u'\n', 0, 0);
    }

    Display* m_display = nullptr;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QProcess m_program;
};

} // namespace skyraid::test
