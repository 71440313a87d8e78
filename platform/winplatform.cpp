#include "qtplatform.h"

#include <QWindow>

#include <windows.h>

namespace skyraid {

namespace {

class WinClaim final : public FullScreenClaim {
public:
    explicit WinClaim(HANDLE mutex) : m_mutex(mutex) {}
    ~WinClaim() override
    {
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    WinClaim(const WinClaim&) = delete;
    WinClaim& operator=(const WinClaim&) = delete;

private:
    HANDLE m_mutex;
};

class WinPlatform final : public QtPlatform {
public:
    bool topLevelWindowExists(const QString& title) override
    {
        return FindWindowA(nullptr, title.toLocal8Bit().constData()) != nullptr;
    }

    std::unique_ptr<FullScreenClaim> claimFullScreen(bool exclusive) override
    {
        // A named mutex lives as long as some process holds a handle to it;
        // the system closes the handles of a process that dies.
        HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\SkyRaidFullScreen");
        if (exclusive && mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
            CloseHandle(mutex);
            return nullptr;
        }
        return std::make_unique<WinClaim>(mutex);
    }

    bool changeScreenSaverPassword(quintptr ownerWindow) override
    {
        using PwdChangePassword = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, DWORD);
        HMODULE mpr = LoadLibraryA("mpr.dll");
        if (!mpr)
            return false;
        auto change = reinterpret_cast<PwdChangePassword>(
            reinterpret_cast<void*>(GetProcAddress(mpr, "PwdChangePasswordA")));
        if (change)
            change("SCRSAVE", reinterpret_cast<HWND>(ownerWindow), 0, 0);
        FreeLibrary(mpr);
        return change != nullptr;
    }

    void setScreenSaverRunning(QWindow*, bool running) override
    {
        constexpr UINT ScreenSaverRunning = 97; // SPI_SETSCREENSAVERRUNNING
        UINT previous = 0;
        SystemParametersInfoA(ScreenSaverRunning, running ? TRUE : FALSE, &previous, 0);
    }

    std::optional<QSize> clientSize(quintptr window) override
    {
        const auto hwnd = reinterpret_cast<HWND>(window);
        if (!hwnd || !IsWindow(hwnd))
            return std::nullopt;
        RECT client{};
        if (!GetClientRect(hwnd, &client))
            return std::nullopt;
        // The client rectangle starts at (0, 0).
        return QSize(int(client.right), int(client.bottom));
    }

    void settleInHost(quintptr child, quintptr host, QSize size) override
    {
        const auto window = reinterpret_cast<HWND>(child);
        const auto parent = reinterpret_cast<HWND>(host);
        constexpr int StyleIndex = -16; // GWL_STYLE
        constexpr int OwnerIndex = -8;  // GWL_HWNDPARENT
        const LONG style = GetWindowLongA(window, StyleIndex);
        SetWindowLongA(window, StyleIndex, style | WS_CHILD);
        SetParent(window, parent);
        // The host is also the owner; handles are pointer-wide on 64 bits.
        SetWindowLongPtrA(window, OwnerIndex, LONG_PTR(host));
        SetWindowPos(window, HWND_TOP, 0, 0, size.width(), size.height(),
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW); // 0x54
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

} // namespace skyraid
