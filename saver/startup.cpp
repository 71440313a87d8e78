#include "startup.h"

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

StartDecision decideStart(const QString& commandText, Platform& platform)
{
    const QString switchText = switchOf(commandText);
    StartDecision decision{modeOf(switchText), nullptr};
    if (decision.mode != Mode::FullScreen)
        return decision;

    // Only "/s" checks; a start without a switch always runs, but registers
    // itself so that a later "/s" sees it.
    const bool exclusive =
        switchText == u"/s" && !platform.topLevelWindowExists(DisplayPropertiesTitle);
    decision.claim = platform.claimFullScreen(exclusive);
    if (!decision.claim)
        decision.mode = Mode::None;
    return decision;
}

} // namespace skyraid
