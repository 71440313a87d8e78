#pragma once

#include "unixplatform.h"

namespace skyraid {

// The desktop on a Wayland compositor.
class WaylandPlatform final : public UnixPlatform {
public:
    void setScreenSaverRunning(QWindow*, bool) override
    {
        // Wayland has no grabs for a window like ours, and needs none: the
        // compositor gives the focused full-screen window every key, button
        // and movement.
    }
};

} // namespace skyraid
