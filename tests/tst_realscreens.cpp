#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"

#include <QImage>
#include <QScopeGuard>
#include <QTest>

// Xlib's macros must come after everything else.
#include "xpixels.h"

#include <X11/Xatom.h>

using namespace Qt::StringLiterals;
using namespace skyraid;

namespace {

// The whole screen as shown.
QImage grab(Display* display)
{
    const Screen* screen = DefaultScreenOfDisplay(display);
    XImage* image = XGetImage(display, RootWindowOfScreen(screen), 0, 0, unsigned(screen->width),
                              unsigned(screen->height), AllPlanes, ZPixmap);
    const QImage result = QImage(reinterpret_cast<const uchar*>(image->data), image->width,
                                 image->height, image->bytes_per_line, QImage::Format_RGB32)
                              .copy();
    XDestroyImage(image);
    return result;
}

struct Shape {
    QSize size;
    QByteArray variable;
    QByteArray value;
};

// The saver with our sunset, message, logo and clock on a virtual display of
// a `Shape`: the picture once its smooth versions are in, and a second later.
std::pair<QImage, QImage> run(const Shape& shape)
{
    QProcess server, saver;
    Display* x = nullptr;
    const auto end = qScopeGuard([&] {
        if (x)
            XCloseDisplay(x);
        for (QProcess* process : {&saver, &server}) {
            process->kill();
            process->waitForFinished();
        }
    });
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(u"Xvfb"_s,
                 {u"-displayfd"_s, u"1"_s, u"-nolisten"_s, u"tcp"_s, u"-screen"_s, u"0"_s,
                  u"%1x%2x24"_s.arg(shape.size.width()).arg(shape.size.height())});
    if (!server.waitForReadyRead(30000))
        return {};
    const QString name = u":"_s + QString::fromLatin1(server.readLine().trimmed());
    if (!(x = XOpenDisplay(name.toLatin1().constData())))
        return {};
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (shape.variable == "Xft.dpi") {
        // The desktop's settings, as xrdb leaves them.
        const QByteArray resources = "Xft.dpi:\t" + shape.value + '\n';
        XChangeProperty(x, DefaultRootWindow(x), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const uchar*>(resources.data()), int(resources.size()));
    } else if (shape.variable == "XSCREENSAVER_WINDOW") {
        // The daemon's window, as large as the screen.
        const Window host =
            XCreateSimpleWindow(x, DefaultRootWindow(x), 0, 0, unsigned(shape.size.width()),
                                unsigned(shape.size.height()), 0, 0, BlackPixel(x, 0));
        XMapWindow(x, host);
        env.insert(u"XSCREENSAVER_WINDOW"_s, u"0x%1"_s.arg(host, 0, 16));
    } else if (!shape.variable.isEmpty()) {
        env.insert(QString::fromLatin1(shape.variable), QString::fromLatin1(shape.value));
    }
    XSync(x, False);
    QTemporaryDir config, runtime;
    SystemSettingsStore store(config.filePath(u"SkyRaid/SkyRaid.ini"_s));
    writeFirstRunSettings(store, assetFolder());
    for (const Key& key : {keys::MessageChecked, keys::LogoChecked, keys::Clock})
        store.write(key.section, key.name, u"1"_s);
    env.insert(u"DISPLAY"_s, name);
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.insert(u"XDG_CONFIG_HOME"_s, config.path());
    env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
    saver.setProcessEnvironment(env);
    saver.start(test::builtProgram(u"skyraid"_s), {u"/s"_s});
    if (!test::poll([&] { return test::screenCentre(x) != qRgb(0, 0, 0); }))
        return {};
    QTest::qWait(1500);
    QImage first = grab(x);
    QTest::qWait(1000);
    return {first, grab(x)};
}

// How many rows and columns are black from end to end.
int blackLines(const QImage& image)
{
    int lines = 0;
    for (const QImage& line :
         {image.scaled(1, image.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
          image.scaled(image.width(), 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)})
        for (int i = 0; i < line.width() * line.height(); ++i)
            lines += qGray(line.pixel(i % line.width(), i / line.width())) == 0;
    return lines;
}

// Pixels of one colour in a part of the screen: the clock's, the message's.
int pixelsLike(const QImage& image, QRect part, QRgb colour)
{
    int count = 0;
    for (int y = part.top(); y <= part.bottom(); ++y)
        for (int x = part.left(); x <= part.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

} // namespace

// On every shape no row or column stays black, the scene moves, the message
// is bottom-left; at 200% and 150% it is the 100% scene, with one clock.
TEST(RealScreen, EveryShapeAndScaleIsFilledInTheScreensOwnPixels)
{
    const QSize uhd(3840, 2160);
    const auto [plain, unused] = run({uhd, {}, {}});
    ASSERT_FALSE(plain.isNull()) << "no scene at 100%";
    const QImage plainFromAfar = plain.scaled(32, 18);
    const QRect clock(0, 0, uhd.width() / 5, uhd.height() / 20);
    const int clockPixels = pixelsLike(plain, clock, qRgb(255, 255, 0));
    for (const Shape& row :
         {Shape{uhd, "Xft.dpi", "192"}, Shape{uhd, "QT_SCALE_FACTOR", "1.5"},
          Shape{{1280, 1024}, {}, {}}, Shape{{1080, 1920}, {}, {}}, Shape{{5120, 1440}, {}, {}},
          Shape{{700, 1000}, "XSCREENSAVER_WINDOW", {}}}) {
        SCOPED_TRACE(testing::Message() << row.size.width() << "x" << row.size.height() << " "
                                        << row.variable.constData() << row.value.constData());
        const auto [shown, later] = run(row);
        ASSERT_FALSE(shown.isNull()) << "no scene";
        EXPECT_EQ(blackLines(shown), 0);
        EXPECT_NE(shown, later) << "the scene stands still";
        const QRect corner(0, row.size.height() * 9 / 10, row.size.width() / 2,
                           row.size.height() / 10);
        EXPECT_GT(pixelsLike(shown, corner, qRgb(0, 255, 255)), 100) << "no message there";
        if (row.size != uhd)
            continue;
        // The same but where aircraft moved; not two times printed over each other.
        const QImage fromAfar = shown.scaled(plainFromAfar.size());
        int differ = 0;
        for (int i = 0; i < fromAfar.width() * fromAfar.height(); ++i) {
            const QPoint at(i % fromAfar.width(), i / fromAfar.width());
            differ += std::abs(qGray(fromAfar.pixel(at)) - qGray(plainFromAfar.pixel(at))) > 16;
        }
        EXPECT_LE(differ, fromAfar.width() * fromAfar.height() / 20);
        EXPECT_NEAR(pixelsLike(shown, clock, qRgb(255, 255, 0)), clockPixels, clockPixels / 4);
    }
}
