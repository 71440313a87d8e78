#include "win32api.h"

#include <windows.h>

namespace skyraid::win32 {

namespace {

HWND hwndOf(Window window)
{
    return reinterpret_cast<HWND>(window);
}

// A library loaded for the length of a call.
class Library {
public:
    explicit Library(const char* name) : m_module(LoadLibraryA(name)) {}
    ~Library()
    {
        if (m_module)
            FreeLibrary(m_module);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    template <typename Function> Function* entry(const char* name) const
    {
        if (!m_module)
            return nullptr;
        // GetProcAddress hands every entry point out under one type.
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(m_module, name)));
    }

private:
    HMODULE m_module;
};

} // namespace

Window findTopLevelWindow(const std::string& title)
{
    return reinterpret_cast<Window>(FindWindowA(nullptr, title.c_str()));
}

void FullScreenMutex::HandleCloser::operator()(void* handle) const
{
    CloseHandle(handle);
}

std::optional<FullScreenMutex> FullScreenMutex::claim(bool exclusive)
{
    // Asking only for the right to wait on it, we may open a mutex that a
    // saver of higher integrity made.
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexExA(nullptr, Name, 0, SYNCHRONIZE);
    const DWORD error = GetLastError();
    if (!mutex) {
        // There is one, but it is not ours to open: a saver of another
        // integrity level runs.
        if (exclusive && error == ERROR_ACCESS_DENIED)
            return std::nullopt;
        // Without the mutex we cannot tell; never stop the saver for it.
        return FullScreenMutex(nullptr);
    }
    FullScreenMutex claimed(mutex);
    // A losing exclusive start holds its handle until it returns here, so a
    // third start checking in that instant loses too, even if the saver that
    // beat the first has just ended. That can only keep a saver from
    // starting this once, never let two run.
    if (exclusive && error == ERROR_ALREADY_EXISTS)
        return std::nullopt; // another saver holds it; our handle closes here
    return claimed;
}

bool setScreenSaverRunning(bool running)
{
    UINT previous = 0; // the old state, which we have no use for
    return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? TRUE : FALSE, &previous, 0) !=
           FALSE;
}

bool changePassword(Window owner)
{
    // The dialog lives in the network-provider library, which a system may
    // lack; its entry point is not in the import libraries of every SDK.
    using PwdChangePassword = DWORD WINAPI(LPCSTR provider, HWND owner, DWORD, DWORD);
    const Library mpr("mpr.dll");
    PwdChangePassword* const change = mpr.entry<PwdChangePassword>("PwdChangePasswordA");
    if (!change)
        return false;
    change("SCRSAVE", hwndOf(owner), 0, 0); // the result tells nothing we act on
    return true;
}

std::optional<Size> clientSize(Window window)
{
    const HWND hwnd = hwndOf(window);
    if (!hwnd || !IsWindow(hwnd))
        return std::nullopt;
    RECT client{};
    if (!GetClientRect(hwnd, &client))
        return std::nullopt;
    // The client rectangle starts at (0, 0).
    return Size{int(client.right), int(client.bottom)};
}

void settleInHost(Window child, Window host, Size size)
{
    const HWND window = hwndOf(child);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    // A window is a child or a pop-up, never both.
    SetWindowLongA(window, GWL_STYLE, LONG((DWORD(style) & ~DWORD(WS_POPUP)) | WS_CHILD));
    SetParent(window, hwndOf(host));
    // The host is also the owner; handles are pointer-wide on 64 bits.
    SetWindowLongPtrA(window, GWLP_HWNDPARENT, LONG_PTR(host));
    SetWindowPos(window, HWND_TOP, 0, 0, size.width, size.height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void terminateThisProcess(unsigned status)
{
    TerminateProcess(GetCurrentProcess(), status);
    // Terminating the current process does not return; should the system
    // refuse, the usual way out is still better than going on.
    ExitProcess(status);
}

} // namespace skyraid::win32
