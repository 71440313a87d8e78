// How long a program takes from its start to its first picture on screen,
// told from outside: the program is started, and one pixel of the X display
// is read over and over until it shows neither what it showed before nor
// black. The program itself is not changed for this.
//   first_paint <x> <y> <timeout-ms> <program> [arguments...]
// Prints the milliseconds, or "none" when nothing appeared in time. The
// program is ended (SIGTERM, then SIGKILL) once it has been seen.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

unsigned long pixelAt(Display* display, Window root, int x, int y)
{
    XImage* image = XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xffffff;
    XDestroyImage(image);
    return pixel;
}

void end(pid_t child)
{
    kill(child, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 5)
        return 2;
    const int x = std::atoi(argv[1]);
    const int y = std::atoi(argv[2]);
    const auto timeout = std::chrono::milliseconds(std::atoi(argv[3]));
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const Window root = DefaultRootWindow(display);
    const unsigned long before = pixelAt(display, root, x, y);

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[4], nullptr, nullptr, argv + 4, environ) != 0)
        return 1;

    double ms = -1;
    while (Clock::now() - start < timeout) {
        const unsigned long now = pixelAt(display, root, x, y);
        if (now != before && now != 0) {
            ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    end(child);
    XCloseDisplay(display);
    if (ms < 0)
        std::puts("none");
    else
        std::printf("%.1f\n", ms);
    return 0;
}
