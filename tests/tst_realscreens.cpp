// The real program on screens of the shapes and scales people have: each on
// a virtual display of its own, filling it, the whole scene in the screen's
// own pixels.
#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"

#include <QImage>
#include <QTest>

// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <X11/Xatom.h>

using namespace Qt::StringLiterals;
using namespace skyraid;

namespace {

// An Xvfb of its own, gone with the object.
class VirtualDisplay {
public:
    explicit VirtualDisplay(QSize size)
    {
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s,
                                   u"0"_s, u"%1x%2x24"_s.arg(size.width()).arg(size.height())});
        if (!m_server.waitForReadyRead(30000))
            return;
        m_name = u":"_s + QString::fromLatin1(m_server.readLine().trimmed());
        m_display = XOpenDisplay(m_name.toLatin1().constData());
    }
    ~VirtualDisplay()
    {
        if (m_display)
            XCloseDisplay(m_display);
        m_server.kill();
        m_server.waitForFinished();
    }
    Display* display() const { return m_display; }
    const QString& name() const { return m_name; }

    // What the desktop's settings say the screen's dots per inch are.
    void setDpi(int dpi)
    {
        const QByteArray resources = "Xft.dpi:\t" + QByteArray::number(dpi) + '\n';
        XChangeProperty(m_display, DefaultRootWindow(m_display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                        PropModeReplace,
                        reinterpret_cast<const unsigned char*>(resources.constData()),
                        int(resources.size()));
        XSync(m_display, False);
    }

    // The whole screen as shown.
    QImage grab() const
    {
        const Screen* screen = DefaultScreenOfDisplay(m_display);
        XImage* image =
            XGetImage(m_display, RootWindowOfScreen(screen), 0, 0, unsigned(screen->width),
                      unsigned(screen->height), AllPlanes, ZPixmap);
        QImage result(screen->width, screen->height, QImage::Format_RGB32);
        for (int y = 0; y < screen->height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
            for (int x = 0; x < screen->width; ++x)
                line[x] = 0xff000000u | QRgb(XGetPixel(image, x, y));
        }
        XDestroyImage(image);
        return result;
    }

private:
    QProcess m_server;
    QString m_name;
    Display* m_display = nullptr;
};

// The saver with our sunset, message, logo and clock, filling the screen.
class Saver {
public:
    Saver(const VirtualDisplay& display, const QProcessEnvironment& extra)
    {
        SystemSettingsStore store(m_config.filePath(u"SkyRaid/SkyRaid.ini"_s));
        writeFirstRunSettings(store, assetFolder());
        for (const Key& key : {keys::MessageChecked, keys::LogoChecked, keys::Clock})
            store.write(key.section, key.name, u"1"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"DISPLAY"_s, display.name());
        env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
        env.insert(u"XDG_CONFIG_HOME"_s, m_config.path());
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        env.insert(extra);
        m_program.setProcessEnvironment(env);
        m_program.start(test::builtProgram(u"skyraid"_s), {u"/s"_s});
    }
    ~Saver()
    {
        m_program.kill();
        m_program.waitForFinished();
    }

private:
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QProcess m_program;
};

// The scene as it settles on a screen of `size`: the picture once its
// smooth versions are in, and one a second later.
std::pair<QImage, QImage> run(QSize size, int dpi, const QProcessEnvironment& extra = {})
{
    VirtualDisplay display(size);
    if (!display.display())
        return {};
    if (dpi)
        display.setDpi(dpi);
    Saver saver(display, extra);
    // The scene is up once the screen's centre is no longer black.
    if (!test::poll([&] { return test::screenCentre(display.display()) != qRgb(0, 0, 0); }))
        return {};
    QTest::qWait(1500);
    QImage first = display.grab();
    QTest::qWait(1000);
    return {first, display.grab()};
}

// How many rows and columns are black from end to end.
int blackLines(const QImage& image)
{
    int lines = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        lines += std::all_of(line, line + image.width(), [](QRgb p) { return qGray(p) < 8; });
    }
    for (int x = 0; x < image.width(); ++x) {
        bool black = true;
        for (int y = 0; y < image.height() && black; ++y)
            black = qGray(image.pixel(x, y)) < 8;
        lines += black;
    }
    return lines;
}

// Yellow clock and cyan message pixels in a part of the screen.
int pixelsLike(const QImage& image, QRect part, QRgb colour)
{
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

QImage seenFromAfar(const QImage& image)
{
    return image.scaled(32, 18, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

// At 200% and 150% the screen shows what it shows at 100%: the whole scene,
// moving, its clock clean.
TEST(RealScreen, DesktopScalingShowsTheSameSceneInTheScreensOwnPixels)
{
    const QSize size(3840, 2160);
    const auto [plain, plainLater] = run(size, 0);
    ASSERT_FALSE(plain.isNull()) << "no scene at 100%";
    QProcessEnvironment oneAndAHalf;
    oneAndAHalf.insert(u"QT_SCALE_FACTOR"_s, u"1.5"_s);
    const QRect clock(0, 0, size.width() / 5, size.height() / 20);
    const int clockPixels = pixelsLike(plain, clock, qRgb(255, 255, 0));
    for (const auto& [dpi, extra] :
         {std::pair{192, QProcessEnvironment()}, std::pair{0, oneAndAHalf}}) {
        SCOPED_TRACE(dpi ? "Xft.dpi 192" : "QT_SCALE_FACTOR 1.5");
        const auto [shown, later] = run(size, dpi, extra);
        ASSERT_FALSE(shown.isNull()) << "no scene";
        EXPECT_EQ(blackLines(shown), 0);
        EXPECT_NE(shown, later) << "the scene stands still";
        // Seen from afar the same, but where aircraft have moved.
        const QImage a = seenFromAfar(plain);
        const QImage b = seenFromAfar(shown);
        int differ = 0;
        for (int i = 0; i < a.width() * a.height(); ++i) {
            const QPoint at(i % a.width(), i / a.width());
            differ += std::abs(qGray(a.pixel(at)) - qGray(b.pixel(at))) > 16;
        }
        EXPECT_LE(differ, a.width() * a.height() / 20);
        // One time of day, not two printed over each other.
        EXPECT_NEAR(pixelsLike(shown, clock, qRgb(255, 255, 0)), clockPixels, clockPixels / 4);
    }
}

// With "Fill the whole screen" no row or column stays black, whatever the
// screen's shape, and the message keeps to the bottom-left corner.
TEST(RealScreen, EveryShapeIsFilled)
{
    for (const QSize size : {QSize(1280, 1024), QSize(1080, 1920), QSize(5120, 1440)}) {
        SCOPED_TRACE(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        const auto [shown, later] = run(size, 0);
        ASSERT_FALSE(shown.isNull()) << "no scene";
        EXPECT_EQ(blackLines(shown), 0);
        EXPECT_NE(shown, later) << "the scene stands still";
        const QRect corner(0, size.height() * 9 / 10, size.width() / 2, size.height() / 10);
        EXPECT_GT(pixelsLike(shown, corner, qRgb(0, 255, 255)), 100) << "no message there";
    }
}
