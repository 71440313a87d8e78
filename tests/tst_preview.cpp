// The preview inside another program's window: the host handle from the
// command text, and the real program inside a host window made here.
#include "assets/preview.h"
#include "saver/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// Xlib's macros must come after everything else.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

struct HandleRow {
    const char* command;
    std::optional<std::int32_t> handle;
};

void PrintTo(const HandleRow& row, std::ostream* os)
{
    *os << '"' << row.command << '"';
}

class HostHandle : public ::testing::TestWithParam<HandleRow> {};

TEST_P(HostHandle, IsTheLongestTailThatReadsAsANumber)
{
    const HandleRow& row = GetParam();
    // As the program sees it: trimmed and in lower case.
    const QString text = commandText(QString::fromUtf8(row.command).split(u' '));
    EXPECT_EQ(previewHostHandle(text), row.handle) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostHandle,
    ::testing::Values(HandleRow{"/p 4242", 4242}, HandleRow{"/p:4242", 4242},
                      HandleRow{"/P 4242", 4242}, HandleRow{"/p 12 34", 34}, HandleRow{"/p", 0},
                      HandleRow{"/p 42abc", 0} /* no tail of it is a whole number */,
                      HandleRow{"/p 99999999999", std::nullopt}, HandleRow{"/p 4242.5", 4242},
                      HandleRow{"/p 4243.5", 4244}, HandleRow{"/p -7", -7},
                      HandleRow{"/p 2147483647", 2147483647},
                      HandleRow{"/p 2147483648", std::nullopt},
                      HandleRow{"/p -2147483648", -2147483647 - 1},
                      HandleRow{"/p 1e400", std::nullopt}));

namespace {

class HostedPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("DISPLAY") || !(m_display = XOpenDisplay(nullptr)))
            GTEST_SKIP() << "no X display";
    }
    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
        if (m_display) {
            if (m_host)
                XDestroyWindow(m_display, m_host);
            XCloseDisplay(m_display);
        }
    }

    // A host window on white, as the display settings would make.
    void makeHost(int width, int height)
    {
        const int screen = DefaultScreen(m_display);
        m_host = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 20, 30,
                                     unsigned(width), unsigned(height), 0,
                                     BlackPixel(m_display, screen), WhitePixel(m_display, screen));
        XMapWindow(m_display, m_host);
        XSync(m_display, False);
    }
    void destroyHost()
    {
        XDestroyWindow(m_display, m_host);
        XSync(m_display, False);
        m_host = 0;
    }

    void start(const QStringList& arguments)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        m_program.setProcessEnvironment(env);
        m_timer.start();
        m_program.start(test::builtProgram(u"skyraid"_s), arguments);
        ASSERT_TRUE(m_program.waitForStarted());
    }
    void startInHost() { start({u"/p"_s, QString::number(m_host)}); }

    // Asks `done` every 25 ms until it answers true, for five seconds at most.
    template <class Done> static bool poll(Done done)
    {
        for (int attempt = 0; attempt < 200; ++attempt, QThread::msleep(25))
            if (done())
                return true;
        return false;
    }

    // The host's mapped child of the given size, once the program has put it
    // there; 0 when none comes.
    Window waitForPreview(QSize size)
    {
        Window found = 0;
        poll([&] {
            Window root = 0;
            Window parent = 0;
            Window* children = nullptr;
            unsigned int count = 0;
            XQueryTree(m_display, m_host, &root, &parent, &children, &count);
            for (unsigned int i = 0; i < count; ++i) {
                XWindowAttributes a;
                if (XGetWindowAttributes(m_display, children[i], &a) && a.map_state == IsViewable &&
                    a.x == 0 && a.y == 0 && QSize(a.width, a.height) == size)
                    found = children[i];
            }
            if (children)
                XFree(children);
            return found != 0;
        });
        return found;
    }

    // Whether the host comes to show the preview as it must look at the
    // given size: the picture at its own size top left, black elsewhere.
    bool showsPreview(QSize size)
    {
        QImage expected(size, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(0, 0, previewPicture());
        return poll([&] {
            XImage* image = XGetImage(m_display, m_host, 0, 0, unsigned(size.width()),
                                      unsigned(size.height()), AllPlanes, ZPixmap);
            QImage seen(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    seen.setPixel(x, y, QRgb(XGetPixel(image, x, y) & 0xffffff) | 0xff000000);
            XDestroyImage(image);
            return seen == expected;
        });
    }

    // Ends cleanly, within a second of `m_timer`'s start.
    void expectEndsWithinASecond()
    {
        ASSERT_TRUE(m_program.waitForFinished(5000)) << "the preview did not end";
        const qint64 elapsed = m_timer.elapsed();
        EXPECT_LT(elapsed, 1000);
        EXPECT_EQ(m_program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(m_program.exitCode(), 0);
        EXPECT_EQ(m_program.readAllStandardError().toStdString(), "");
    }

    Display* m_display = nullptr;
    Window m_host = 0;
    QTemporaryDir m_config;
    QProcess m_program;
    QElapsedTimer m_timer;
};

class HostSize : public HostedPreview, public ::testing::WithParamInterface<QSize> {};

} // namespace

void PrintTo(QSize size, std::ostream* os)
{
    *os << size.width() << " x " << size.height();
}

// Exactly the picture's size, one column and three rows short of it, and
// larger than it: the picture is never stretched, the rest is black.
TEST_P(HostSize, ShowsThePictureAtItsOwnSizeOnBlack)
{
    const QSize size = GetParam();
    makeHost(size.width(), size.height());
    XSetInputFocus(m_display, m_host, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    startInHost();

    ASSERT_NE(waitForPreview(size), 0u) << "no preview of the host's size in the host";
    EXPECT_TRUE(showsPreview(size));

    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    EXPECT_EQ(focus, m_host) << "the preview took the focus";
    EXPECT_TRUE(QDir(m_config.path()).isEmpty()) << "the preview touched the settings";
    EXPECT_EQ(m_program.state(), QProcess::Running);
}

INSTANTIATE_TEST_SUITE_P(Rows, HostSize,
                         ::testing::Values(QSize(153, 115), QSize(152, 112), QSize(240, 180)));

TEST_F(HostedPreview, FollowsTheHostsSizeAndEndsWithIt)
{
    makeHost(153, 115);
    startInHost();
    ASSERT_NE(waitForPreview({153, 115}), 0u);
    XResizeWindow(m_display, m_host, 200, 150);
    XSync(m_display, False);
    EXPECT_NE(waitForPreview({200, 150}), 0u) << "the preview kept its old size";
    EXPECT_TRUE(showsPreview({200, 150}));
    destroyHost();
    m_timer.restart();
    expectEndsWithinASecond();
}

// No window to show the preview in: no number, 0, a number out of range,
// a window that is gone, and something of the display's that is no window.
TEST_F(HostedPreview, EndsAtOnceWithoutAUsableHost)
{
    makeHost(20, 20);
    const Window gone = m_host;
    destroyHost();
    const Pixmap pixmap =
        XCreatePixmap(m_display, DefaultRootWindow(m_display), 8, 8,
                      unsigned(DefaultDepth(m_display, DefaultScreen(m_display))));
    XSync(m_display, False);

    for (const QStringList& arguments :
         {QStringList{u"/p"_s}, QStringList{u"/p"_s, u"0"_s},
          QStringList{u"/p"_s, u"99999999999"_s}, QStringList{u"/p"_s, QString::number(gone)},
          QStringList{u"/p:"_s + QString::number(pixmap)}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        start(arguments);
        expectEndsWithinASecond();
    }
    XFreePixmap(m_display, pixmap);
}
