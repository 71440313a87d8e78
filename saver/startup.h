#pragma once

#include "platform/platform.h"

#include <memory>

#include <QString>
#include <QStringList>

namespace skyraid {

enum class Mode { FullScreen, Preview, Configuration, PasswordChange, None };

// The arguments after the program's name as one text, with the blanks at
// both ends removed and in lower case: " /S " and "/s" are the same.
QString commandText(const QStringList& arguments);

// The first two characters of the command text (fewer when it is shorter).
QString switchOf(const QString& commandText);

// The mode a switch selects: "" and "/s" full screen, "/p" preview, "/c"
// configuration, "/a" password change, anything else none.
Mode modeOf(const QString& switchText);

// The title of the display control panel's window; while it is open a second
// full-screen saver may start.
inline const QString DisplayPropertiesTitle = QStringLiteral("Display Properties");

struct StartDecision {
    Mode mode = Mode::None;
    // Held for the process's lifetime in full-screen mode.
    std::unique_ptr<FullScreenClaim> claim;
};

// The program's first decisions, before any window: the mode, and for "/s"
// the second-instance rule (a full-screen saver already runs and no "Display
// Properties" window is open: end at once).
StartDecision decideStart(const QString& commandText, Platform& platform);

} // namespace skyraid
