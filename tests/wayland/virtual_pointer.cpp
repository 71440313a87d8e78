// A pointer of its own for a wlroots compositor (sway), which has none when
// it runs headless: moves it or presses its left button through the
// compositor's virtual pointer protocol (wlr-virtual-pointer-unstable-v1),
// whose two interfaces are spelled out below.
//   virtual_pointer move <dx> <dy> <n> n moves, a tenth of a second apart
//   virtual_pointer click              a press and a release
// The pointer appears when the program starts and goes when it ends.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/input-event-codes.h>
#include <string>
#include <thread>
#include <wayland-client.h>

namespace {

extern const wl_interface virtualPointerInterface;

const wl_interface* createTypes[] = {&wl_seat_interface, &virtualPointerInterface};
const wl_message managerRequests[] = {
    {"create_virtual_pointer", "?on", createTypes},
    {"destroy", "", nullptr},
};
const wl_interface managerInterface = {
    "zwlr_virtual_pointer_manager_v1", 1, 2, managerRequests, 0, nullptr};

const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
enum { Motion = 0, Button = 2, Frame = 4, Destroy = 8 };
const wl_message pointerRequests[] = {
    {"motion", "uff", noTypes},   {"motion_absolute", "uuuuu", noTypes},
    {"button", "uuu", noTypes},   {"axis", "uuf", noTypes},
    {"frame", "", noTypes},       {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes}, {"axis_discrete", "uufi", noTypes},
    {"destroy", "", noTypes},
};
const wl_interface virtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9,
                                              pointerRequests,           0, nullptr};

wl_seat* seat = nullptr;
wl_proxy* manager = nullptr;

void global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t)
{
    if (std::strcmp(interface, "wl_seat") == 0 && !seat)
        seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, managerInterface.name) == 0)
        manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &managerInterface, 1));
}

void globalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener = {global, globalRemove};

void pauseMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

uint32_t nowMs()
{
    return uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2)
        return 2;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fputs("virtual-pointer: no Wayland display\n", stderr);
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, nullptr);
    wl_display_roundtrip(display);
    if (!seat || !manager) {
        std::fputs("virtual-pointer: the compositor offers no virtual pointer\n", stderr);
        return 1;
    }
    wl_proxy* pointer =
        wl_proxy_marshal_constructor(manager, 0, &virtualPointerInterface, seat, nullptr);
    wl_display_roundtrip(display);
    // The seat now has a pointer: give its clients a moment to take it up.
    pauseMs(300);

    const std::string action = argv[1];
    if (action == "move" && argc == 5) {
        const wl_fixed_t dx = wl_fixed_from_double(std::atof(argv[2]));
        const wl_fixed_t dy = wl_fixed_from_double(std::atof(argv[3]));
        for (int i = 0, n = std::atoi(argv[4]); i < n; ++i) {
            wl_proxy_marshal(pointer, Motion, nowMs(), dx, dy);
            wl_proxy_marshal(pointer, Frame);
            wl_display_roundtrip(display);
            pauseMs(100);
        }
    } else if (action == "click") {
        for (const uint32_t state : {1u, 0u}) { // pressed, released
            wl_proxy_marshal(pointer, Button, nowMs(), uint32_t(BTN_LEFT), state);
            wl_proxy_marshal(pointer, Frame);
            wl_display_roundtrip(display);
            pauseMs(50);
        }
    } else {
        return 2;
    }
    wl_proxy_marshal(pointer, Destroy);
    wl_proxy_destroy(pointer);
    wl_display_roundtrip(display);
    wl_proxy_marshal(manager, 1); // destroy
    wl_proxy_destroy(manager);
    wl_seat_destroy(seat);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return 0;
}
