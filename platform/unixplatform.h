#pragma once

#include "qtplatform.h"
#include "terminationwatch.h"
#include "xwindows.h"

namespace skyraid {

// What the X11 and the Wayland desktop share: the full-screen claim in the
// user's runtime folder, the end asked for by signals, no password dialog of
// our own, and the windows of X clients (all of them on X11, Xwayland's
// under Wayland).
class UnixPlatform : public QtPlatform {
public:
    bool topLevelWindowExists(const QString& title) override;
    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override;
    bool changeScreenSaverPassword(quintptr ownerWindow) override;
    std::optional<QSize> clientSize(quintptr window) override;
    void settleInHost(quintptr child, quintptr host, QSize size) override;
    void watchTermination(std::function<void()> handler) override;

private:
    XWindows m_windows;
    std::unique_ptr<TerminationWatch> m_termination;
};

} // namespace skyraid
