#include "modes.h"

#include "settings/systemsettingsstore.h"
#include "setup/setup.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace skyraid {

namespace {

// Until the scene lands: a black window over the primary screen that closes
// on any key or mouse button.
class BlankSaver final : public QWidget {
public:
    BlankSaver()
    {
        setAttribute(Qt::WA_DeleteOnClose);
        setWindowFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        setPalette(QPalette(Qt::black));
        setAutoFillBackground(true);
        setCursor(Qt::BlankCursor);
    }

protected:
    void keyPressEvent(QKeyEvent*) override { close(); }
    void mousePressEvent(QMouseEvent*) override { close(); }
};

void showBlankSaver()
{
    auto* saver = new BlankSaver; // deletes itself on close
    // Without a window manager showFullScreen() alone leaves a small window.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        saver->setGeometry(screen->geometry());
    saver->showFullScreen();
    saver->activateWindow();
}

} // namespace

QString passwordNote()
{
    return QStringLiteral(
        "SkyRaid has no password of its own on this system.\n\n"
        "Your desktop's screen locker protects the screen with your login "
        "password; change that password in your system's user settings.");
}

bool showMode(Mode mode, const QString& commandText, Platform& platform)
{
    Q_UNUSED(commandText);
    switch (mode) {
    case Mode::FullScreen:
        showBlankSaver();
        return true;
    case Mode::Preview:
        return false;
    case Mode::Configuration: {
        // The store outlives the dialog, which may close only when the
        // program's event loop is already running.
        static SystemSettingsStore store;
        auto* setup = new Setup(store); // deletes itself on close
        setup->setAttribute(Qt::WA_DeleteOnClose);
        setup->show();
        return true;
    }
    case Mode::PasswordChange: {
        QWidget owner; // hidden owner window of the system's dialog
        owner.setAttribute(Qt::WA_DontShowOnScreen);
        if (!platform.changeScreenSaverPassword(quintptr(owner.winId())))
            QMessageBox::information(nullptr, QStringLiteral("SkyRaid"), passwordNote());
        return false;
    }
    case Mode::None:
        break;
    }
    return false;
}

} // namespace skyraid
