#pragma once

#include "startup.h"

#include <memory>

namespace skyraid {

// What a mode keeps alive while the program runs its event loop.
class RunningMode {
public:
    virtual ~RunningMode() = default;
};

// Shows what the mode shows. Returns what must live while the event loop
// runs, or nullptr when the program is done. Needs the application object.
// A full-screen scene goes into `hostWindow` when one is given.
std::unique_ptr<RunningMode> showMode(Mode mode, const QString& commandText, Platform& platform,
                                      std::optional<quintptr> hostWindow = std::nullopt);

// The note shown where the system has no screen-saver password of its own.
QString passwordNote();

} // namespace skyraid
