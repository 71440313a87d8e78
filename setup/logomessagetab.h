#pragma once

#include "dialogservices.h"
#include "settings/settingsstore.h"

#include <QStringList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace skyraid {

// The "Logo/Message" tab: the logo picture and the message with its font,
// font size and a sample of the font.
class LogoMessageTab final : public QWidget {
    Q_OBJECT
public:
    LogoMessageTab(SettingsStore& store, DialogServices services, QWidget* parent = nullptr);

    // Puts the given font names into the font list, sorted alphabetically
    // without regard to case, and leaves no entry selected. Stores nothing.
    void fillFontList(QStringList names);

    // The entry of the font list with the given name: exactly as written if
    // there is one, else the same name in other letter case; -1 if none.
    int fontPosition(const QString& name) const;

    QCheckBox* chkLogo() const { return m_chkLogo; }
    QLineEdit* txtLogo() const { return m_txtLogo; }
    QPushButton* cmdSelectLogo() const { return m_cmdSelectLogo; }
    QCheckBox* chkMessage() const { return m_chkMessage; }
    QLineEdit* txtMessage() const { return m_txtMessage; }
    QComboBox* cboFontsScreen() const { return m_cboFontsScreen; }
    QComboBox* cboFontSize() const { return m_cboFontSize; }
    QLabel* lblSample() const { return m_lblSample; }

    // Selects the size list's entry at a stored position; a change of entry
    // is stored as a pick from the list would be.
    void selectFontSize(const QString& position);

    // Shows the stored logo file name.
    void SelectLogo();
    // Shows the sample text in the named font.
    void showSampleFont(const QString& name);

private:
    void chkLogo_Click();
    void chkMessage_Click();
    void txtMessage_Change(const QString& text);
    void cboFontsScreen_Click(int index);
    void cboFontSize_Click(int index);
    void cboFontSize_Change(const QString& text);
    void cmdSelectLogo_Click();

    SettingsStore& m_store;
    DialogServices m_services;
    QCheckBox* m_chkLogo = nullptr;
    QLineEdit* m_txtLogo = nullptr;
    QPushButton* m_cmdSelectLogo = nullptr;
    QCheckBox* m_chkMessage = nullptr;
    QLineEdit* m_txtMessage = nullptr;
    QComboBox* m_cboFontsScreen = nullptr;
    QComboBox* m_cboFontSize = nullptr;
    QLabel* m_lblSample = nullptr;
    // The size list's current entry as last reported; see cboFontSize_Change.
    int m_fontSizeIndex = -1;
};

} // namespace skyraid
