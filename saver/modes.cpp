#include "modes.h"

#include "fullscreen.h"
#include "preview.h"
#include "settings/systemsettingsstore.h"
#include "setup/setup.h"

#include <QMessageBox>
#include <QWidget>

namespace skyraid {

namespace {

// The settings dialog, modeless and without an owner; the program ends when
// it is closed.
class SetupDialog final : public RunningMode {
public:
    SetupDialog() : m_setup(m_store) { m_setup.show(); }

private:
    SystemSettingsStore m_store;
    Setup m_setup;
};

} // namespace

QString passwordNote()
{
    return QStringLiteral("SkyRaid has no password of its own on this system.\n\n"
                          "Your desktop's screen locker protects the screen with your login "
                          "password; change that password in your system's user settings.");
}

std::unique_ptr<RunningMode> showMode(Mode mode, const QString& commandText, Platform& platform,
                                      std::optional<quintptr> hostWindow)
{
    switch (mode) {
    case Mode::FullScreen:
        return std::make_unique<FullScreenSaver>(platform, hostWindow);
    case Mode::Preview: {
        // The host may have gone since the start; then there is nothing to do.
        const std::optional<quintptr> host = previewHost(commandText, platform);
        if (!host)
            return nullptr;
        return HostedPreview::show(*host, platform);
    }
    case Mode::Configuration:
        return std::make_unique<SetupDialog>();
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
