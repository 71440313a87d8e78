#pragma once

// Reading back what is on the X display. Include it after everything else:
// Xlib's macros clash with Qt's and GoogleTest's names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <QColor>

namespace skyraid::test {

// One pixel of a window (or of the root: the whole screen) as it is shown.
inline QRgb pixelAt(Display* display, Drawable window, int x, int y)
{
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return qRgb(int((pixel >> 16) & 0xff), int((pixel >> 8) & 0xff), int(pixel & 0xff));
}

inline QRgb screenCentre(Display* display)
{
    const int screen = DefaultScreen(display);
    return pixelAt(display, DefaultRootWindow(display), DisplayWidth(display, screen) / 2,
                   DisplayHeight(display, screen) / 2);
}

} // namespace skyraid::test
