#include "unixplatform.h"

#include "posixinstance.h"
#include "waylandplatform.h"
#include "x11platform.h"

#include <QGuiApplication>

namespace skyraid {

bool UnixPlatform::topLevelWindowExists(const QString& title)
{
    return m_windows.topLevelWindowExists(title);
}

std::unique_ptr<FullScreenClaim> UnixPlatform::claimFullScreen(bool exclusive)
{
    return claimFullScreenPosix(userRuntimeFolder(), exclusive);
}

bool UnixPlatform::changeScreenSaverPassword(quintptr)
{
    // The desktop's screen locker owns the password here.
    return false;
}

std::optional<QSize> UnixPlatform::clientSize(quintptr window)
{
    return m_windows.clientSize(window);
}

void UnixPlatform::settleInHost(quintptr, quintptr, QSize)
{
    // Qt's parenting is the X reparenting, and a child window gets no focus
    // of its own: nothing more to do.
}

void UnixPlatform::watchTermination(std::function<void()> handler)
{
    m_termination.reset(); // one watch at a time
    if (handler)
        m_termination = std::make_unique<TerminationWatch>(std::move(handler));
}

std::unique_ptr<Platform> createPlatform()
{
    // Before the application object there is no Qt platform yet; what the
    // start asks then (windows of X clients, the claim) is the same on both.
    if (QGuiApplication::platformName().startsWith(u"wayland"))
        return std::make_unique<WaylandPlatform>();
    return std::make_unique<X11Platform>();
}

} // namespace skyraid
