#pragma once

#include <memory>
#include <optional>

#include <QSize>
#include <QString>

namespace skyraid {

// The windows of X clients, looked at through connections of our own to the
// X server that DISPLAY names (under Wayland, Xwayland's). Without an X
// server there are no such windows.
class XWindows {
public:
    XWindows();
    ~XWindows();
    XWindows(const XWindows&) = delete;
    XWindows& operator=(const XWindows&) = delete;

    // Whether a top-level window with exactly this title exists.
    bool topLevelWindowExists(const QString& title);

    // The size of a window, or nothing when there is no such window.
    std::optional<QSize> clientSize(quintptr window);

private:
    class Connection;
    // Opened on first use and kept: the preview asks about its host often.
    std::unique_ptr<Connection> m_connection;
};

} // namespace skyraid
