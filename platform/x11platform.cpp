#include "posixinstance.h"
#include "qtplatform.h"

#include <QGuiApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <vector>

namespace skyraid {

namespace {

// Windows may vanish while we look at them; such errors are expected.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

class XDisplay {
public:
    XDisplay() : m_display(XOpenDisplay(nullptr)) {}
    ~XDisplay()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;
    Display* get() const { return m_display; }

private:
    Display* m_display;
};

QString windowTitle(Display* display, Window window)
{
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8, &type, &format, &count,
                           &remaining, &data) == Success &&
        data && type == utf8 && format == 8) {
        title = QString::fromUtf8(reinterpret_cast<const char*>(data), int(count));
    }
    if (data)
        XFree(data);
    if (!title.isEmpty())
        return title;

    char* name = nullptr;
    if (XFetchName(display, window, &name) && name) {
        title = QString::fromLocal8Bit(name);
        XFree(name);
    }
    return title;
}

// The root's top-level windows, and the clients a window manager lists (under
// a reparenting window manager the titled window sits inside its frame).
std::vector<Window> topLevelWindows(Display* display)
{
    std::vector<Window> windows;
    const Window root = DefaultRootWindow(display);
    Window rootReturn = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) && children) {
        windows.assign(children, children + count);
        XFree(children);
    }

    const Atom clientList = XInternAtom(display, "_NET_CLIENT_LIST", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, root, clientList, 0, 65536, False, XA_WINDOW, &type, &format,
                           &items, &remaining, &data) == Success &&
        data && type == XA_WINDOW && format == 32) {
        // Format 32 properties come back as an array of long.
        const auto* clients = reinterpret_cast<const unsigned long*>(data);
        windows.insert(windows.end(), clients, clients + items);
    }
    if (data)
        XFree(data);
    return windows;
}

// Signals arrive on a pipe, so the handler runs in the event loop and never
// inside the signal.
int g_signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    (void)!::write(g_signalPipe[1], &byte, 1);
}

class X11Platform final : public QtPlatform {
public:
    X11Platform()
    {
        m_grabRetry.setInterval(GrabRetryMs);
        QObject::connect(&m_grabRetry, &QTimer::timeout, &m_grabRetry, [this] {
            if (!m_grabWindow || grabInput())
                m_grabRetry.stop();
        });
    }

    bool topLevelWindowExists(const QString& title) override
    {
        const XDisplay display;
        if (!display.get())
            return false;
        const auto previous = XSetErrorHandler(ignoreXErrors);
        bool found = false;
        for (const Window window : topLevelWindows(display.get())) {
            if (windowTitle(display.get(), window) == title) {
                found = true;
                break;
            }
        }
        XSync(display.get(), False);
        XSetErrorHandler(previous);
        return found;
    }

    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        return claimFullScreenPosix(userRuntimeFolder(), exclusive);
    }

    bool changeScreenSaverPassword(quintptr) override
    {
        // The desktop's screen locker owns the password here.
        return false;
    }

    void setScreenSaverRunning(QWindow* window, bool running) override
    {
        // Wayland has no grabs for a window like ours, and needs none: the
        // compositor gives the focused full-screen window every key, button
        // and movement.
        if (!window || QGuiApplication::platformName().startsWith(u"wayland"))
            return;
        if (running) {
            m_grabWindow = window;
            if (!grabInput())
                m_grabRetry.start();
        } else {
            m_grabRetry.stop();
            m_grabWindow = nullptr;
            window->setKeyboardGrabEnabled(false);
            window->setMouseGrabEnabled(false);
        }
    }

    std::optional<QSize> clientSize(quintptr window) override
    {
        // Window ids have 29 bits; anything wider would be cut down to some
        // other id on its way to the server.
        constexpr quintptr LargestId = 0x1fffffff;
        if (window == 0 || window > LargestId)
            return std::nullopt;
        if (!m_display)
            m_display = std::make_unique<XDisplay>();
        Display* display = m_display->get();
        if (!display)
            return std::nullopt;
        const auto previous = XSetErrorHandler(ignoreXErrors);
        XWindowAttributes attributes{};
        const Status found = XGetWindowAttributes(display, Window(window), &attributes);
        XSync(display, False);
        XSetErrorHandler(previous);
        if (!found)
            return std::nullopt;
        return QSize(attributes.width, attributes.height);
    }

    void settleInHost(quintptr, quintptr, QSize) override
    {
        // Qt's parenting is the X reparenting, and a child window gets no
        // focus of its own: nothing more to do.
    }

    void watchTermination(std::function<void()> handler) override
    {
        if (g_signalPipe[0] < 0 && ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
            return;
        m_termination = std::move(handler);
        m_notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] {
            char buffer[16];
            while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
            }
            if (m_termination)
                m_termination();
        });
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGINT, &action, nullptr);
    }

private:
    // Keyboard and pointer grabs fail while another client holds them (an
    // open menu, a screen locker): ask again until we have them. Keys that
    // reach our window meanwhile still end the saver.
    static constexpr int GrabRetryMs = 250;

    bool grabInput()
    {
        const bool keyboard = m_grabWindow->setKeyboardGrabEnabled(true);
        const bool mouse = m_grabWindow->setMouseGrabEnabled(true);
        if (keyboard && mouse)
            return true;
        // Before the window is on screen, no grab can succeed on its own.
        if (!m_toldGrabFailed && m_grabWindow->isExposed()) {
            m_toldGrabFailed = true;
            std::fprintf(stderr, "skyraid: another program holds the %s; trying again until it "
                                 "lets go\n",
                         keyboard ? "mouse" : mouse ? "keyboard" : "keyboard and the mouse");
        }
        return false;
    }

    QPointer<QWindow> m_grabWindow;
    QTimer m_grabRetry;
    bool m_toldGrabFailed = false;
    // Opened on first use and kept: the preview asks about its host often.
    std::unique_ptr<XDisplay> m_display;
    std::function<void()> m_termination;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<X11Platform>();
}

} // namespace skyraid
