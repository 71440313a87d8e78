// The Windows calls of the platform layer, run under Wine (or on Windows).
// A plain program: each check prints its failures, the last line counts them,
// and the exit status is 0 only when none failed.
//
//   tst_win32api.exe                  runs every check
//   tst_win32api.exe hold <event>     (helper) registers as a running saver,
//                                     sets the event and waits to be killed
//   tst_win32api.exe window <event>   (helper) opens a "Display Properties"
//                                     window, sets the event and waits

#include "platform/win32/win32api.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>
#include <string>
#include <utility>

#include <windows.h>

using namespace skyraid::win32;

namespace {

// The display control panel's window, which the saver looks for.
constexpr char DisplayPropertiesTitle[] = "Display Properties";

int g_passed = 0;
int g_failed = 0;
const char* g_test = "";

void check(bool ok, const char* what, std::source_location where = std::source_location::current())
{
    if (ok) {
        ++g_passed;
        return;
    }
    ++g_failed;
    std::printf("FAILED %s: %s (%s:%u)\n", g_test, what, where.file_name(), unsigned(where.line()));
}

void run(const char* name, const std::function<void()>& test)
{
    g_test = name;
    const int failedBefore = g_failed;
    test();
    std::printf("%s %s\n", g_failed == failedBefore ? "ok  " : "FAIL", name);
}

// Closes a kernel handle when it goes.
struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// A window of our own class, destroyed when it goes.
class TestWindow {
public:
    TestWindow(const char* title, DWORD style, int width, int height, HWND parent = nullptr)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA description{};
            description.lpfnWndProc = DefWindowProcA;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "SkyRaidTestWindow";
            return RegisterClassA(&description);
        }();
        m_hwnd = CreateWindowExA(0, MAKEINTATOM(windowClass), title, style, 10, 20, width, height,
                                 parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~TestWindow() { destroy(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    Window handle() const { return reinterpret_cast<Window>(m_hwnd); }
    void destroy()
    {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
        m_hwnd = nullptr;
    }

private:
    HWND m_hwnd = nullptr;
};

// Another copy of this program, running one of the helper roles below, that
// is killed (not ended) when it goes, as a crashing saver would be.
class Helper {
public:
    Helper(const char* role, const char* readyEvent)
    {
        m_ready.reset(CreateEventA(nullptr, TRUE, FALSE, readyEvent));
        char program[MAX_PATH]{};
        GetModuleFileNameA(nullptr, program, MAX_PATH);
        std::string commandLine = std::string("\"") + program + "\" " + role + " " + readyEvent;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            m_process.reset(process.hProcess);
        }
    }
    ~Helper() { kill(); }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    // Whether the helper came up and did its part.
    bool ready() const
    {
        if (!m_process || !m_ready)
            return false;
        const HANDLE either[] = {m_ready.get(), m_process.get()};
        return WaitForMultipleObjects(2, either, FALSE, 20000) == WAIT_OBJECT_0;
    }
    void kill()
    {
        if (!m_process)
            return;
        TerminateProcess(m_process.get(), 9);
        WaitForSingleObject(m_process.get(), 20000);
        m_process.reset();
    }

private:
    Handle m_ready;
    Handle m_process;
};

int helperMain(const std::string& role, const char* readyEvent)
{
    std::optional<FullScreenMutex> claim;
    std::optional<TestWindow> window;
    if (role == "hold")
        claim = FullScreenMutex::claim(false);
    else if (role == "window")
        window.emplace(DisplayPropertiesTitle, WS_OVERLAPPEDWINDOW, 400, 300);
    else
        return 2;
    const Handle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent));
    if (!ready)
        return 2;
    SetEvent(ready.get());
    for (;;) {
        // Serve the window's messages until we are killed.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_ALLINPUT);
    }
}

void findsTopLevelWindowsByTitle()
{
    check(findTopLevelWindow(DisplayPropertiesTitle) == 0, "no such window at the start");

    TestWindow panel(DisplayPropertiesTitle, WS_OVERLAPPEDWINDOW, 400, 300);
    check(panel.hwnd() != nullptr, "the window is made");
    check(findTopLevelWindow(DisplayPropertiesTitle) == panel.handle(),
          "a hidden top-level window is found by its title");
    check(findTopLevelWindow("Display Properties ") == 0, "a longer title does not match");

    // Only top-level windows count: a control captioned so inside some other
    // program's window is no control panel.
    TestWindow owner("Another program", WS_OVERLAPPEDWINDOW, 300, 200);
    TestWindow inner("Inner caption", WS_CHILD | WS_VISIBLE, 50, 20, owner.hwnd());
    check(inner.hwnd() != nullptr, "the child window is made");
    check(findTopLevelWindow("Inner caption") == 0, "a child window is not found");

    panel.destroy();
    check(findTopLevelWindow(DisplayPropertiesTitle) == 0, "a destroyed window is not found");
}

void findsAnotherProgramsWindow()
{
    Helper panel("window", "Local\\SkyRaidTestPanelReady");
    check(panel.ready(), "the helper opened its window");
    check(findTopLevelWindow(DisplayPropertiesTitle) != 0, "another process's window is found");
    panel.kill();
    check(findTopLevelWindow(DisplayPropertiesTitle) == 0,
          "the window went with the killed process");
}

void exclusiveStartsFailWhileASaverRuns()
{
    std::optional<FullScreenMutex> first = FullScreenMutex::claim(true);
    check(first.has_value() && first->isHeld(), "the first exclusive start wins");
    check(!FullScreenMutex::claim(true), "a second exclusive start fails");

    // A start without the check runs alongside and counts as running.
    std::optional<FullScreenMutex> unchecked = FullScreenMutex::claim(false);
    check(unchecked.has_value() && unchecked->isHeld(), "a start without the check runs");
    first.reset();
    check(!FullScreenMutex::claim(true), "the unchecked saver still blocks exclusive starts");

    // Moving a registration keeps it: the moved-from one must not give it up.
    std::optional<FullScreenMutex> moved(std::move(*unchecked));
    unchecked.reset();
    check(!FullScreenMutex::claim(true), "a moved registration still holds");
    moved.reset();

    // The failed attempts above left nothing behind.
    std::optional<FullScreenMutex> again = FullScreenMutex::claim(true);
    check(again.has_value(), "an exclusive start wins once every saver is gone");
    check(FullScreenMutex::claim(false).has_value(), "a start without the check always runs");
}

void aKilledSaverLeavesNoStaleClaim()
{
    Helper saver("hold", "Local\\SkyRaidTestSaverReady");
    check(saver.ready(), "the helper registered");
    check(!FullScreenMutex::claim(true), "another process's saver blocks an exclusive start");
    saver.kill();
    check(FullScreenMutex::claim(true).has_value(), "after it is killed, an exclusive start wins");
}

void measuresClientAreas()
{
    TestWindow plain("Plain", WS_POPUP, 153, 115);
    check(clientSize(plain.handle()) == Size{153, 115}, "a window without a frame");

    // With a frame and a menu-less caption, the client area is what is left.
    RECT outer{0, 0, 320, 240};
    AdjustWindowRectEx(&outer, WS_OVERLAPPEDWINDOW, FALSE, 0);
    TestWindow framed("Framed", WS_OVERLAPPEDWINDOW, outer.right - outer.left,
                      outer.bottom - outer.top);
    check(clientSize(framed.handle()) == Size{320, 240}, "a framed window: its client area only");

    SetWindowPos(plain.hwnd(), nullptr, 0, 0, 152, 112, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    check(clientSize(plain.handle()) == Size{152, 112}, "follows a resize");

    const Window gone = plain.handle();
    plain.destroy();
    check(!clientSize(gone), "a destroyed window has none");
    check(!clientSize(0), "no window has none");
}

void settlesAChildIntoItsHost()
{
    TestWindow host("Host", WS_POPUP | WS_VISIBLE, 200, 150);
    TestWindow preview("Preview", WS_POPUP, 153, 115);
    const HWND before = GetActiveWindow();

    settleInHost(preview.handle(), host.handle(), Size{152, 112});

    check(GetParent(preview.hwnd()) == host.hwnd(), "the host is the parent");
    const auto style = DWORD(GetWindowLongA(preview.hwnd(), GWL_STYLE));
    check((style & WS_CHILD) != 0, "a child window");
    check((style & WS_POPUP) == 0, "no longer a pop-up");
    check((style & WS_VISIBLE) != 0, "shown");
    check(IsWindowVisible(preview.hwnd()) != FALSE, "visible inside the visible host");
    RECT placed{};
    GetWindowRect(preview.hwnd(), &placed);
    MapWindowPoints(HWND_DESKTOP, host.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
    check(placed.left == 0 && placed.top == 0, "at the host's top-left corner");
    check(clientSize(preview.handle()) == Size{152, 112}, "the given size");
    check(GetActiveWindow() == before, "not activated");

    // Going away with the host, as a preview does when its panel closes.
    const Window child = preview.handle();
    host.destroy();
    check(!clientSize(child), "destroyed with the host");
}

void systemFlagsAndDialogsDegradeHarmlessly()
{
    check(setScreenSaverRunning(true), "the running flag is set");
    check(setScreenSaverRunning(false), "and cleared");

    // Wine has the library and a password call that shows nothing and fails;
    // the call must come back, report the dialog as there, and leave its
    // owner alone. (On Windows this opens the real dialog.)
    const HMODULE mpr = LoadLibraryA("mpr.dll");
    const bool available = mpr && GetProcAddress(mpr, "PwdChangePasswordA");
    TestWindow owner("Owner", WS_POPUP, 10, 10);
    check(changePassword(owner.handle()) == available, "with an owner: there when it exists");
    check(changePassword(0) == available, "without an owner too");
    check(IsWindow(owner.hwnd()) != FALSE, "the owner window is left alone");
    if (mpr)
        FreeLibrary(mpr);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3)
        return helperMain(argv[1], argv[2]);

    run("finds top-level windows by title", findsTopLevelWindowsByTitle);
    run("finds another program's window", findsAnotherProgramsWindow);
    run("exclusive starts fail while a saver runs", exclusiveStartsFailWhileASaverRuns);
    run("a killed saver leaves no stale claim", aKilledSaverLeavesNoStaleClaim);
    run("measures client areas", measuresClientAreas);
    run("settles a child into its host", settlesAChildIntoItsHost);
    run("system flags and dialogs degrade harmlessly", systemFlagsAndDialogsDegradeHarmlessly);

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
