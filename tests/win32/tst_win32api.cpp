// The Windows calls of the platform layer, run under Wine (or on Windows).
// A plain program: each check prints its failures, the last line counts them,
// and the exit status is 0 only when none failed.
#include "platform/win32/win32api.h"

#include <cstdio>
#include <source_location>

#include <windows.h>

using namespace skyraid::win32;

namespace {

int g_failed = 0;

void check(bool ok, const char* what, std::source_location where = std::source_location::current())
{
    if (ok)
        return;
    ++g_failed;
    std::printf("FAILED %s (%s:%u)\n", what, where.file_name(), unsigned(where.line()));
}

HWND makeWindow(const char* title, DWORD style, int width, int height, HWND parent = nullptr)
{
    static const ATOM windowClass = [] {
        WNDCLASSA description{};
        description.lpfnWndProc = DefWindowProcA;
        description.hInstance = GetModuleHandleA(nullptr);
        description.lpszClassName = "SkyRaidTestWindow";
        return RegisterClassA(&description);
    }();
    return CreateWindowExA(0, MAKEINTATOM(windowClass), title, style, 10, 20, width, height, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
}

Window handle(HWND window)
{
    return reinterpret_cast<Window>(window);
}

} // namespace

int main()
{
    // Top-level windows by their exact title, hidden ones too; no children.
    const HWND panel = makeWindow("Display Properties", WS_OVERLAPPEDWINDOW, 400, 300);
    check(findTopLevelWindow("Display Properties") == handle(panel), "a hidden window by title");
    check(findTopLevelWindow("Display Properties ") == 0, "a longer title does not match");
    makeWindow("Inner caption", WS_CHILD | WS_VISIBLE, 50, 20, panel);
    check(findTopLevelWindow("Inner caption") == 0, "a child window is not found");
    DestroyWindow(panel);
    check(findTopLevelWindow("Display Properties") == 0, "a destroyed window is not found");

    // One exclusive start at a time; a start without the check counts too.
    std::optional<FullScreenMutex> first = FullScreenMutex::claim(true);
    check(first && first->isHeld(), "the first exclusive start wins");
    check(!FullScreenMutex::claim(true), "a second exclusive start fails");
    std::optional<FullScreenMutex> unchecked = FullScreenMutex::claim(false);
    check(unchecked && unchecked->isHeld(), "a start without the check runs alongside");
    first.reset();
    check(!FullScreenMutex::claim(true), "the unchecked saver still blocks exclusive starts");
    unchecked.reset();
    check(FullScreenMutex::claim(true).has_value(), "an exclusive start wins once all are gone");

    // The preview settles into its host: a child at (0, 0) of the given
    // size, shown, not activated, and gone with the host.
    const HWND host = makeWindow("Host", WS_POPUP | WS_VISIBLE, 200, 150);
    const HWND preview = makeWindow("Preview", WS_POPUP, 153, 115);
    check(clientSize(handle(preview)) == Size{153, 115}, "a window's client area");
    const HWND active = GetActiveWindow();
    settleInHost(handle(preview), handle(host), Size{152, 112});
    check(GetParent(preview) == host, "the host is the parent");
    const auto style = DWORD(GetWindowLongA(preview, GWL_STYLE));
    check((style & WS_CHILD) && !(style & WS_POPUP), "a child, no longer a pop-up");
    check(IsWindowVisible(preview) != FALSE, "visible inside the visible host");
    RECT placed{};
    GetWindowRect(preview, &placed);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&placed), 2);
    check(placed.left == 0 && placed.top == 0, "at the host's top-left corner");
    check(clientSize(handle(preview)) == Size{152, 112}, "the given size");
    check(GetActiveWindow() == active, "not activated");
    DestroyWindow(host);
    check(!clientSize(handle(preview)), "destroyed with the host: no client area");
    check(!clientSize(0), "no window has none");

    std::printf("%d failed\n", g_failed);
    return g_failed == 0 ? 0 : 1;
}
