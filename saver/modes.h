#pragma once

#include "startup.h"

namespace skyraid {

// Shows what the mode shows and returns whether the program should now run
// its event loop (false: it is done). Needs the application object.
bool showMode(Mode mode, const QString& commandText, Platform& platform);

// The note shown where the system has no screen-saver password of its own.
QString passwordNote();

} // namespace skyraid
