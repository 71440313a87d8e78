#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QSize>
#include <QString>

QT_BEGIN_NAMESPACE
class QWindow;
QT_END_NAMESPACE

namespace skyraid {

// Held for as long as this process runs as the full-screen saver; dropping it
// (or the process ending, however it ends) gives the claim up.
class FullScreenClaim {
public:
    virtual ~FullScreenClaim() = default;
};

// What the program asks of the operating system and the desktop.
class Platform {
public:
    virtual ~Platform() = default;

    // Whether a top-level window with exactly this title is on the desktop.
    virtual bool topLevelWindowExists(const QString& title) = 0;

    // Registers this process as a running full-screen saver of the user. With
    // `exclusive`, returns nullptr instead when another one already runs; the
    // check and the registration are one step, so two saver starts racing
    // each other cannot both win.
    virtual std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) = 0;

    // Opens the system's screen-saver password dialog, owned by the given
    // native window. Returns false where the system has no such dialog.
    virtual bool changeScreenSaverPassword(quintptr ownerWindow) = 0;

    // Tells the system that a screen saver runs in `window` (or no longer
    // does). On X11 the saver takes the keyboard and pointer for itself.
    virtual void setScreenSaverRunning(QWindow* window, bool running) = 0;

    // Hides or shows the mouse cursor over the program's windows; calls pair
    // up like the system's cursor counter.
    virtual void showCursor(bool show) = 0;

    // A modal message with an OK button and no icon.
    virtual void showMessage(const QString& title, const QString& text) = 0;

    // The size of the client area of a native window (of any program), or
    // nothing when no such window exists, or no longer does.
    virtual std::optional<QSize> clientSize(quintptr window) = 0;

    // Finishes putting the program's native window `child`, which Qt has
    // already made a child of `host` and shown, into the host: a borderless
    // child at (0, 0) of the given size, shown without being activated.
    // Platforms whose hosts need more than Qt does do it here.
    virtual void settleInHost(quintptr child, quintptr host, QSize size) = 0;

    // Calls `handler` on the program's own thread when the system asks the
    // program to end (SIGTERM, SIGINT). An empty handler ends the watch: from
    // then on those signals end the program as they would without it.
    virtual void watchTermination(std::function<void()> handler) = 0;
};

// The platform the program runs on. Made after the application object, it
// serves the desktop Qt chose.
std::unique_ptr<Platform> createPlatform();

// The displays that Qt, as the environment asks, would try to start on and
// cannot reach, in Qt's order and joined by " or " (an empty text when none
// of them is named); there Qt itself would end the process with an abort.
// One short connection each, and the first that answers ends the search.
// Nothing when one answers, when no display is named at all, when Qt would
// go on to a platform other than X and Wayland, and on Windows.
std::optional<QString> displayOutOfReach();

// The folder of the program's own pictures and sound, ending with its
// separator. Never the current directory, never a setting: on Windows
// "C:\Stratowave\SkyRaid1\"; elsewhere the first that holds them of
// share/skyraid/ beside the program's bin/ folder (in the build tree and
// where it is installed), "skyraid" in the data folders of the desktop
// (~/.local/share, /usr/share...), and the one under the prefix the program
// was built for. When none does, it says so on standard error and gives the
// first.
QString assetFolder();

} // namespace skyraid
