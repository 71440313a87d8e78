#include "qtplatform.h"
#include "win32/win32api.h"

namespace skyraid {

namespace {

class WinClaim final : public FullScreenClaim {
public:
    explicit WinClaim(win32::FullScreenMutex mutex) : m_mutex(std::move(mutex)) {}

private:
    win32::FullScreenMutex m_mutex;
};

// The Qt face of the plain Win32 calls in win32/win32api.h.
class WinPlatform final : public QtPlatform {
public:
    bool topLevelWindowExists(const QString& title) override
    {
        return win32::findTopLevelWindow(title.toLocal8Bit().toStdString()) != 0;
    }

    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        std::optional<win32::FullScreenMutex> mutex = win32::FullScreenMutex::claim(exclusive);
        if (!mutex)
            return nullptr;
        return std::make_unique<WinClaim>(std::move(*mutex));
    }

    bool changeScreenSaverPassword(quintptr ownerWindow) override
    {
        return win32::changePassword(ownerWindow);
    }

    void setScreenSaverRunning(QWindow*, bool running) override
    {
        win32::setScreenSaverRunning(running);
    }

    std::optional<QSize> clientSize(quintptr window) override
    {
        const std::optional<win32::Size> size = win32::clientSize(window);
        if (!size)
            return std::nullopt;
        return QSize(size->width, size->height);
    }

    void settleInHost(quintptr child, quintptr host, QSize size) override
    {
        win32::settleInHost(child, host, win32::Size{size.width(), size.height()});
    }

    void watchTermination(std::function<void()>) override
    {
        // A screen saver on Windows is ended through its window, not signals.
    }
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WinPlatform>();
}

std::optional<QString> displayOutOfReach()
{
    return std::nullopt; // the desktop of a Windows session is always there
}

} // namespace skyraid
