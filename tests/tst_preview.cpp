// The real program's preview inside a host window made here.
#include "assets/preview.h"

#include <QImage>
#include <QPainter>

// Xlib's macros must come after everything else.
#include "xpixels.h"

using namespace skyraid;
using namespace Qt::StringLiterals;

using HostedPreview = test::XProgram;

// In a host one column and three rows short of the picture, then a larger
// one: the picture at its own size top left, cut, never stretched, black
// elsewhere; never the focus, never the settings; it lives as long as its
// host and no longer.
TEST_F(HostedPreview, ShowsThePictureFollowsTheHostAndEndsWithIt)
{
    // A host window on white, as the display settings would make.
    const Window host = XCreateSimpleWindow(m_display, DefaultRootWindow(m_display), 20, 30, 152,
                                            112, 0, 0, WhitePixel(m_display, 0));
    XMapWindow(m_display, host);
    XSetInputFocus(m_display, host, RevertToPointerRoot, CurrentTime);
    XSync(m_display, False);
    const auto showsPreview = [&](QSize size) {
        QImage expected(size, QImage::Format_RGB32);
        expected.fill(Qt::black);
        QPainter(&expected).drawImage(0, 0, previewPicture());
        return test::poll([&] {
            if (!test::childOfSize(m_display, host, size.width(), size.height()))
                return false;
            XImage* image = XGetImage(m_display, host, 0, 0, unsigned(size.width()),
                                      unsigned(size.height()), AllPlanes, ZPixmap);
            QImage seen(size, QImage::Format_RGB32);
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    seen.setPixel(x, y, QRgb(XGetPixel(image, x, y) & 0xffffff) | 0xff000000);
            XDestroyImage(image);
            return seen == expected;
        });
    };
    start({u"/p"_s, QString::number(host)});
    EXPECT_TRUE(showsPreview({152, 112}));
    XResizeWindow(m_display, host, 200, 150);
    XSync(m_display, False);
    EXPECT_TRUE(showsPreview({200, 150})) << "the preview did not follow its host";
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    EXPECT_EQ(focus, host) << "the preview took the focus";
    EXPECT_TRUE(QDir(m_config.path()).isEmpty()) << "the preview touched the settings";

    ASSERT_EQ(m_program.state(), QProcess::Running) << "the preview ended before its host";
    XDestroyWindow(m_display, host);
    XSync(m_display, False);
    expectEnds();
    EXPECT_EQ(m_program.readAllStandardError().toStdString(), "");
}
