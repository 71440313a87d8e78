// The Windows calls of the platform layer, run under Wine (or on Windows).
// A plain program: each check prints its failures, the last line counts them,
// and the exit status is 0 only when none failed.
#include "platform/win32/win32api.h"

#include <cstdio>
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

// Whether `child` is shown in `host`, `size` large, from its top left corner.
bool settledIn(HWND child, HWND host, Size size)
{
    RECT placed{};
    GetWindowRect(child, &placed);
    MapWindowPoints(HWND_DESKTOP, host, reinterpret_cast<POINT*>(&placed), 2);
    return GetParent(child) == host && IsWindowVisible(child) && placed.left == 0 &&
           placed.top == 0 && clientSize(handle(child)) == size;
}

} // namespace

int main(int argc, char* argv[])
{
    // "window <title>": a window for the tests of the Windows program (a host,
    // a "Display Properties"); prints its handle and serves it until ended.
    if (argc == 3 && std::strcmp(argv[1], "window") == 0) {
        const HWND window = makeWindow(argv[2], WS_POPUP | WS_VISIBLE, 320, 240);
        std::printf("%llu\n", static_cast<unsigned long long>(handle(window)));
        std::fflush(stdout);
        for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;)
            DispatchMessageA(&message);
        return 0;
    }

    // "settled <handle>": status 0 when a window of another program fills that one.
    if (argc == 3 && std::strcmp(argv[1], "settled") == 0) {
        const auto host = reinterpret_cast<HWND>(std::stoull(argv[2]));
        return settledIn(GetWindow(host, GW_CHILD), host, *clientSize(handle(host))) ? 0 : 1;
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
    const HWND active = GetActiveWindow();
    settleInHost(handle(preview), handle(host), Size{152, 112});
    CHECK(settledIn(preview, host, Size{152, 112}));
    const auto style = DWORD(GetWindowLongA(preview, GWL_STYLE));
    CHECK((style & WS_CHILD) && !(style & WS_POPUP));
    CHECK(GetActiveWindow() == active);
    DestroyWindow(host);
    CHECK(!clientSize(handle(preview)));
    CHECK(!clientSize(0));

    std::printf("%d failed\n", g_failed);
    return g_failed == 0 ? 0 : 1;
}
