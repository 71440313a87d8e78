#include "platform.h"

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

class WinPlatform final : public Platform {
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
};

} // namespace

std::unique_ptr<Platform> createPlatform()
{
    return std::make_unique<WinPlatform>();
}

} // namespace skyraid
