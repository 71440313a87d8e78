#pragma once

#include "dialogservices.h"
#include "retryingstore.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;
class QTabWidget;

namespace skyraid {

class AircraftTab;
class BackgroundTab;
class HelpTab;
class LogoMessageTab;

// The saver's configuration dialog. It loads every option from the store
// when it is created, and each control stores its option the moment it
// changes: there is nothing to apply and nothing to cancel, and OK only
// closes the dialog. While the store refuses changes, a strip above the
// buttons says so, naming the store's place and the reason, the dialog keeps
// the changes and tries them again, and the strip says when they are saved.
class Setup final : public QDialog {
    Q_OBJECT
public:
    // The font list holds the font families the system has.
    explicit Setup(SettingsStore& store, QWidget* parent = nullptr);
    // The font list holds the given names instead.
    Setup(SettingsStore& store, const QStringList& fontNames, QWidget* parent = nullptr);
    // Message boxes and drives come from `services`.
    Setup(SettingsStore& store, const QStringList& fontNames, DialogServices services,
          QWidget* parent = nullptr);

    // The maker's web site, shown in the caption.
    static QString webAddress();
    static QString caption();
    // The online help page on the maker's web site.
    static QString supportPage();
    // The two lines of the About box: name and version, then the notice of
    // rights.
    static QString aboutText();

    AircraftTab* aircraftTab() const { return m_aircraftTab; }
    BackgroundTab* backgroundTab() const { return m_backgroundTab; }
    LogoMessageTab* logoMessageTab() const { return m_logoMessageTab; }
    QTabWidget* tabs() const { return m_tabs; }

    void done(int result) override;

private:
    void buildForm();
    QWidget* buildSaveStrip();
    void onSaveStateChanged(const WriteResult& state);
    void placeOnScreen();
    // Puts every stored option into its control; see the definition for the
    // order, which decides what is stored back.
    void showSettings(const QStringList& fontNames);

    void onOk();
    void onHelp();
    void onAbout();

    RetryingStore m_store;
    DialogServices m_services;
    // Where saving last failed: the saved note names it.
    QString m_failedPlace;
    QWidget* m_saveStrip = nullptr;
    QLabel* m_saveIcon = nullptr;
    QLabel* m_saveMessage = nullptr;
    QTabWidget* m_tabs = nullptr;
    AircraftTab* m_aircraftTab = nullptr;
    BackgroundTab* m_backgroundTab = nullptr;
    LogoMessageTab* m_logoMessageTab = nullptr;
    HelpTab* m_helpTab = nullptr;
    QPushButton* m_aboutButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    QPushButton* m_okButton = nullptr;
};

// Hands a web address or a document to the desktop, which opens it with the
// user's chosen program. Says nothing when nothing can open it.
void openAddress(const QString& address);

} // namespace skyraid
