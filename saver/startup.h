#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <memory>
#include <optional>

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

// The preview's host window as the command text names it: the value of the
// longest tail of the text that reads as a number, rounded half to even, so
// "/p 4242", "/p:4242" and "/p 12 4242" all name 4242. 0 when no tail is a
// number; nothing when the number lies outside the signed 32-bit range of a
// window handle.
std::optional<std::int32_t> previewHostHandle(QStringView commandText);

// The native window that the preview goes into, or nothing when the command
// text names no window that exists.
std::optional<quintptr> previewHost(QStringView commandText, Platform& platform);

// The title of the display control panel's window; while it is open a second
// full-screen saver may start.
inline const QString DisplayPropertiesTitle = QStringLiteral("Display Properties");

struct StartDecision {
    Mode mode = Mode::None;
    // Held for the process's lifetime in full-screen mode.
    std::unique_ptr<FullScreenClaim> claim;
    // The window to draw the full-screen scene into, when a host gave one.
    std::optional<quintptr> hostWindow;
};

// The program's first decisions, before any window: the mode, and for "/s"
// the second-instance rule (a full-screen saver already runs and no "Display
// Properties" window is open: end at once), and for "/p" whether there is a
// host window to show the preview in (no usable host: end at once).
// A start inside a host's window (`hostWindow`) neither checks for nor
// stops other savers: such a host starts one saver per monitor.
StartDecision decideStart(const QString& commandText, Platform& platform,
                          std::optional<quintptr> hostWindow = std::nullopt);

// The window that XScreenSaver asks its hacks to draw into, from the
// XSCREENSAVER_WINDOW environment variable (decimal or 0x-hexadecimal).
std::optional<quintptr> xscreensaverWindow();

} // namespace skyraid
