#include "xwindows.h"

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

} // namespace

class XWindows::Connection {
public:
    Connection() : m_display(XOpenDisplay(nullptr)) {}
    ~Connection()
    {
        if (m_display)
            XCloseDisplay(m_display);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Display* get() const { return m_display; }

private:
    Display* m_display;
};

XWindows::XWindows() = default;
XWindows::~XWindows() = default;

bool XWindows::topLevelWindowExists(const QString& title)
{
    const Connection display;
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

std::optional<QSize> XWindows::clientSize(quintptr window)
{
    // Window ids have 29 bits; anything wider would be cut down to some
    // other id on its way to the server.
    constexpr quintptr LargestId = 0x1fffffff;
    if (window == 0 || window > LargestId)
        return std::nullopt;
    if (!m_connection)
        m_connection = std::make_unique<Connection>();
    Display* display = m_connection->get();
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

} // namespace skyraid
