#pragma once

// The Windows calls of the platform layer, in plain Win32 C++ without Qt, so
// that they build with any Windows compiler and run under Wine in the tests.
// Window handles travel as numbers, as the screen-saver host passes them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace skyraid::win32 {

// A native window handle (HWND) as a number; 0 is no window.
using Window = std::uintptr_t;

struct Size {
    int width = 0;
    int height = 0;

    bool operator==(const Size&) const = default;
};

// The top-level window whose title is `title` (in the system's code page), or
// 0 when there is none. Child windows are not looked at.
Window findTopLevelWindow(const std::string& title);

// This process's registration as a running full-screen saver of the user's
// session: a handle to one named mutex, which exists for as long as any
// process holds a handle to it. The system closes the handles of a process
// however it ends, so a crashed saver leaves no stale registration.
class FullScreenMutex {
public:
    // The name of the mutex in the session's namespace.
    static constexpr char Name[] = "Local\\SkyRaidFullScreen";

    // Registers this process. With `exclusive`, returns nothing instead when
    // another saver is registered: opening the mutex and learning whether it
    // existed before is one step of the system, so of two exclusive starts
    // racing each other exactly one creates it and wins. A start without the
    // check opens or creates it and so blocks every later exclusive start.
    static std::optional<FullScreenMutex> claim(bool exclusive);

    // Whether this registration holds the mutex. Without it (the system
    // refused to make one) the saver runs anyway but blocks no one.
    bool isHeld() const { return m_handle != nullptr; }

private:
    struct HandleCloser {
        void operator()(void* handle) const;
    };
    explicit FullScreenMutex(void* handle) : m_handle(handle) {}

    std::unique_ptr<void, HandleCloser> m_handle;
};

// Sets or clears the system's "a screen saver is running" flag. Returns
// whether the system took the request.
bool setScreenSaverRunning(bool running);

// Opens the system's screen-saver password dialog, owned by `owner`, and
// returns when it closes. Returns false where the system has no such dialog
// (the network-provider library or its entry point is missing).
bool changePassword(Window owner);

// The size of the client area of any program's window, or nothing when
// `window` is not a window (any more).
std::optional<Size> clientSize(Window window);

// Makes `child` a child window of `host` (no longer a pop-up), owned by it,
// at (0, 0) with the given size, and shows it without activating it or
// changing the order of the host's children.
void settleInHost(Window child, Window host, Size size);

// Ends this process at once with `status`: no DLL's teardown runs, and no
// other thread of the process runs again.
[[noreturn]] void terminateThisProcess(unsigned status);

} // namespace skyraid::win32
