#pragma once

#include "settings/settingsstore.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTabWidget;

namespace skyraid {

class AircraftTab;
class BackGroundTab;
class HelpTab;
class LogoMessageTab;

// The saver's configuration dialog. It loads every option from the store
// when it is created, and each control stores its option the moment it
// changes: there is nothing to apply and nothing to cancel, and OK only
// closes the dialog.
class Setup final : public QDialog {
    Q_OBJECT
public:
    // The font list holds the font families the system has.
    explicit Setup(SettingsStore& store, QWidget* parent = nullptr);
    // The font list holds the given names instead.
    Setup(SettingsStore& store, const QStringList& fontNames, QWidget* parent = nullptr);

    // The maker's web site, shown in the caption.
    static QString webAddress();
    static QString caption();

    AircraftTab* aircraftTab() const { return m_aircraft; }
    BackGroundTab* backGroundTab() const { return m_backGround; }
    LogoMessageTab* logoMessageTab() const { return m_logoMessage; }
    QTabWidget* tabs() const { return m_SSTab1; }

private:
    void buildForm();
    void placeOnScreen();
    // Puts every stored option into its control; see the definition for the
    // order, which decides what is stored back.
    void Form_Load(const QStringList& fontNames);

    void cmdOK_Click();
    void cmdHelp_Click();
    void cmdAbout_Click();

    SettingsStore& m_store;
    QTabWidget* m_SSTab1 = nullptr;
    AircraftTab* m_aircraft = nullptr;
    BackGroundTab* m_backGround = nullptr;
    LogoMessageTab* m_logoMessage = nullptr;
    HelpTab* m_help = nullptr;
    QPushButton* m_cmdAbout = nullptr;
    QPushButton* m_cmdHelp = nullptr;
    QPushButton* m_cmdOK = nullptr;
};

} // namespace skyraid
