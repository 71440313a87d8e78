// The Windows calls of the platform layer, run under Wine (or on Windows).
// A plain program: each check prints its failures, the last line counts them,
// and the exit status is 0 only when none failed.
#include "platform/win32/win32api.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

using namespace skyraid::win32;

namespace {

int g_failed = 0;

// Counts and prints a check that fails, with its line and its text.
#define CHECK(...)                                                                                 \
    ((__VA_ARGS__) ? void()                                                                        \
                   : void((++g_failed, std::printf("FAILED line %d: %s\n", __LINE__, #__VA_ARGS__))))

// A window of the system's plain "STATIC" class: nothing to register.
HWND makeWindow(const char* title, DWORD style, int width, int height, HWND parent = nullptr)
{
    return CreateWindowExA(0, "STATIC", title, style, 10, 20, width, height, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

Window handle(HWND window)
{
    return reinterpret_cast<Window>(window);
}

} // namespace

int main(int argc, char* argv[])
{
    // "window <title>": a window for the tests of the Windows program (a host
    // for its preview, a "Display Properties"). Prints its handle and serves
    // it until the process is ended.
    if (argc == 3 && std::strcmp(argv[1], "window") == 0) {
        const HWND window = makeWindow(argv[2], WS_POPUP | WS_VISIBLE, 320, 240);
        std::printf("%llu\n", static_cast<unsigned long long>(handle(window)));
        std::fflush(stdout);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0)
            DispatchMessageA(&message);
        return 0;
    }

    // "children <handle>": where each child window of that window lies in it,
    // and whether it is shown: "left top width height shown", a line each.
    if (argc == 3 && std::strcmp(argv[1], "children") == 0) {
        const auto host = reinterpret_cast<HWND>(std::strtoull(argv[2], nullptr, 10));
        EnumChildWindows(
            host,
            [](HWND child, LPARAM parent) {
                RECT placed{};
                GetWindowRect(child, &placed);
                MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&placed), 2);
                if (GetParent(child) == reinterpret_cast<HWND>(parent))
                    std::printf("%ld %ld %ld %ld %d\n", placed.left, placed.top,
                                placed.right - placed.left, placed.bottom - placed.top,
                                IsWindowVisible(child) ? 1 : 0);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(host));
        return 0;
    }

    // Top-level windows by their exact title, hidden ones too; no children.
    const HWND panel = makeWindow("Display Properties", WS_OVERLAPPEDWINDOW, 400, 300);
    CHECK(findTopLevelWindow("Display Properties") == handle(panel));
    CHECK(findTopLevelWindow("Display Properties ") == 0);
    makeWindow("Inner caption", WS_CHILD | WS_VISIBLE, 50, 20, panel);
    CHECK(findTopLevelWindow("Inner caption") == 0);
    DestroyWindow(panel);
    CHECK(findTopLevelWindow("Display Properties") == 0);

    // One exclusive start at a time; a start without the check counts too.
    std::optional<FullScreenMutex> first = FullScreenMutex::claim(true);
    CHECK(first && first->isHeld());
    CHECK(!FullScreenMutex::claim(true));
    std::optional<FullScreenMutex> unchecked = FullScreenMutex::claim(false);
    CHECK(unchecked && unchecked->isHeld());
    first.reset();
    CHECK(!FullScreenMutex::claim(true));
    unchecked.reset();
    CHECK(FullScreenMutex::claim(true).has_value());

    // The preview settles into its host: a child at (0, 0) of the given
    // size, shown, not activated, and gone with the host.
    const HWND host = makeWindow("Host", WS_POPUP | WS_VISIBLE, 200, 150);
    const HWND preview = makeWindow("Preview", WS_POPUP, 153, 115);
    CHECK(clientSize(handle(preview)) == Size{153, 115});
    const HWND active = GetActiveWindow();
    settleInHost(handle(preview), handle(host), Size{152, 112});
    CHECK(GetParent(preview) == host);
    const auto style = DWORD(GetWindowLongA(preview, GWL_STYLE));
    CHECK((style & WS_CHILD) && !(style & WS_POPUP));
    CHECK(IsWindowVisible(preview) != FALSE);
    RECT placed{};
    GetWindowRect(preview, &placed);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&placed), 2);
    CHECK(placed.left == 0 && placed.top == 0);
    CHECK(clientSize(handle(preview)) == Size{152, 112});
    CHECK(GetActiveWindow() == active);
    DestroyWindow(host);
    CHECK(!clientSize(handle(preview)));
    CHECK(!clientSize(0));

    std::printf("%d failed\n", g_failed);
    return g_failed == 0 ? 0 : 1;
}
