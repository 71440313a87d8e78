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

    QCheckBox* logoCheckBox() const { return m_logoCheckBox; }
    QLineEdit* logoFileBox() const { return m_logoFileBox; }
    QPushButton* selectLogoButton() const { return m_selectLogoButton; }
    QCheckBox* messageCheckBox() const { return m_messageCheckBox; }
    QLineEdit* messageBox() const { return m_messageBox; }
    QComboBox* fontList() const { return m_fontList; }
    QComboBox* fontSizeList() const { return m_fontSizeList; }
    QLabel* sampleLabel() const { return m_sampleLabel; }

    // Selects the size list's entry at a stored position; a change of entry
    // is stored as a pick from the list would be.
    void selectFontSize(const QString& position);

    // Shows the stored logo file name.
    void showLogoFile();
    // Shows the sample text in the named font.
    void showSampleFont(const QString& name);

private:
    void onLogoToggled();
    void onMessageToggled();
    void onMessageEdited(const QString& text);
    void onFontPicked(int index);
    void onFontSizePicked(int index);
    void onFontSizeEdited(const QString& text);
    void onSelectLogo();

    SettingsStore& m_store;
    DialogServices m_services;
    QCheckBox* m_logoCheckBox = nullptr;
    QLineEdit* m_logoFileBox = nullptr;
    QPushButton* m_selectLogoButton = nullptr;
    QCheckBox* m_messageCheckBox = nullptr;
    QLineEdit* m_messageBox = nullptr;
    QComboBox* m_fontList = nullptr;
    QComboBox* m_fontSizeList = nullptr;
    QLabel* m_sampleLabel = nullptr;
    // The size list's current entry as last reported; see onFontSizeEdited.
    int m_fontSizeIndex = -1;
};

} // namespace skyraid
