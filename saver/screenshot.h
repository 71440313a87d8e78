#pragma once

#include <QString>

namespace skyraid {

// For the documentation: after `delayMs` the program saves a picture of what
// it shows (the settings dialog alone, or the whole screen) to `file` and
// ends. Asked for with SKYRAID_SCREENSHOT=<file.png>.
void scheduleScreenshot(const QString& file, int delayMs);

} // namespace skyraid
