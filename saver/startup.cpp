#include "startup.h"

#include "settings/conversions.h"

#include <limits>

namespace skyraid {

QString commandText(const QStringList& arguments)
{
    return arguments.join(u' ').trimmed().toLower();
}

QString switchOf(const QString& commandText)
{
    return commandText.left(2);
}

Mode modeOf(const QString& switchText)
{
    if (switchText.isEmpty() || switchText == u"/s")
        return Mode::FullScreen;
    if (switchText == u"/p")
        return Mode::Preview;
    if (switchText == u"/c")
        return Mode::Configuration;
    if (switchText == u"/a")
        return Mode::PasswordChange;
    return Mode::None;
}

std::optional<std::int32_t> previewHostHandle(QStringView commandText)
{
    // A tail with a blank inside is no number, so only the last number of
    // the text can win.
    for (qsizetype start = 0; start < commandText.size(); ++start) {
        const std::optional<double> number = parseNumber(commandText.sliced(start));
        if (!number)
            continue;
        const double whole = roundHalfEven(*number);
        if (!(whole >= double(std::numeric_limits<std::int32_t>::min()) &&
              whole <= double(std::numeric_limits<std::int32_t>::max())))
            return std::nullopt;
        return static_cast<std::int32_t>(whole);
    }
    return 0;
}

std::optional<quintptr> previewHost(QStringView commandText, Platform& platform)
{
    const std::optional<std::int32_t> handle = previewHostHandle(commandText);
    if (!handle || *handle == 0)
        return std::nullopt;
    // Handles widen with their sign, as the system's own 32-bit handles do.
    const auto host = quintptr(qintptr(*handle));
    if (!platform.clientSize(host))
        return std::nullopt;
    return host;
}

std::optional<quintptr> xscreensaverWindow()
{
    const QString text = qEnvironmentVariable("XSCREENSAVER_WINDOW").trimmed();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qulonglong window = text.toULongLong(&ok, 0);
    if (!ok || window == 0)
        return std::nullopt;
    return quintptr(window);
}

StartDecision decideStart(const QString& commandText, Platform& platform,
                          std::optional<quintptr> hostWindow)
{
    const QString switchText = switchOf(commandText);
    StartDecision decision{modeOf(switchText), nullptr, std::nullopt};
    if (decision.mode == Mode::Preview && !previewHost(commandText, platform))
        decision.mode = Mode::None;
    if (decision.mode != Mode::FullScreen)
        return decision;

    // Only "/s" checks; a start without a switch always runs, but registers
    // itself so that a later "/s" sees it.
    if (hostWindow) {
        if (!platform.clientSize(*hostWindow)) {
            decision.mode = Mode::None; // the host's window is already gone
            return decision;
        }
        decision.hostWindow = hostWindow;
    }
    const bool exclusive = switchText == u"/s" && !hostWindow &&
                           !platform.topLevelWindowExists(DisplayPropertiesTitle);
    decision.claim = platform.claimFullScreen(exclusive);
    if (!decision.claim)
        decision.mode = Mode::None;
    return decision;
}

} // namespace skyraid
