#include "modes.h"

#include "fullscreen.h"

#include <QMessageBox>
#include <QWidget>

namespace skyraid {

QString passwordNote()
{
    return QStringLiteral(
        "SkyRaid has no password of its own on this system.\n\n"
        "Your desktop's screen locker protects the screen with your login "
        "password; change that password in your system's user settings.");
}

std::unique_ptr<RunningMode> showMode(Mode mode, const QString& commandText, Platform& platform)
{
    Q_UNUSED(commandText);
    switch (mode) {
    case Mode::FullScreen:
        return std::make_unique<FullScreenSaver>(platform);
    case Mode::Preview:
        return nullptr;
    case Mode::Configuration:
        QMessageBox::information(nullptr, QStringLiteral("SkyRaid"),
                                 QStringLiteral("The settings dialog is not available yet."));
        return nullptr;
    case Mode::PasswordChange: {
        QWidget owner; // hidden owner window of the system's dialog
        owner.setAttribute(Qt::WA_DontShowOnScreen);
        if (!platform.changeScreenSaverPassword(quintptr(owner.winId())))
            QMessageBox::information(nullptr, QStringLiteral("SkyRaid"), passwordNote());
        return nullptr;
    }
    case Mode::None:
        break;
    }
    return nullptr;
}

} // namespace skyraid
