#include "platform.h"

#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <QByteArrayList>
#include <QStringList>

namespace skyraid {

namespace {

bool xServerAnswers()
{
    // Never null: a failed connection is an object in an error state.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

bool waylandCompositorAnswers()
{
    // A socket handed down by the compositor is connected already, and
    // whoever connects through it first uses it up: it is Qt's.
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return true;
    wl_display* display = wl_display_connect(nullptr);
    if (!display)
        return false;
    wl_display_disconnect(display);
    return true;
}

// The platforms Qt tries, in its order: those that QT_QPA_PLATFORM lists,
// or else Wayland first where the session is on Wayland, then X.
QByteArrayList qtPlatforms()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return qgetenv("QT_QPA_PLATFORM").toLower().split(';');
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        return {"wayland", "xcb"};
    return {"xcb"};
}

} // namespace

std::optional<QString> displayOutOfReach()
{
    const QString x = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (x.isEmpty() && wayland.isEmpty())
        return std::nullopt;
    QStringList unreached;
    for (const QByteArray& entry : qtPlatforms()) {
        const QByteArray name = entry.split(':').constFirst(); // options follow a colon
        if (name == "xcb") {
            if (xServerAnswers())
                return std::nullopt;
            if (!x.isEmpty())
                unreached << x;
        } else if (name.startsWith("wayland")) {
            if (waylandCompositorAnswers())
                return std::nullopt;
            unreached << (wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland);
        } else {
            return std::nullopt; // offscreen and the like show nothing on a display
        }
    }
    unreached.removeDuplicates();
    return unreached.join(u" or ");
}

} // namespace skyraid
