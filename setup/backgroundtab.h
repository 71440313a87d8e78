#pragma once

#include "dialogservices.h"
#include "settings/settingsstore.h"

#include <QString>
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace skyraid {

// The "BackGround" tab: solid black, solid sky blue or a custom picture, and
// the button that picks the picture.
class BackgroundTab final : public QWidget {
    Q_OBJECT
public:
    BackgroundTab(SettingsStore& store, DialogServices services, QWidget* parent = nullptr);

    static constexpr int OptionCount = 3;

    QRadioButton* backgroundOption(int index) const;
    QPushButton* selectBackgroundButton() const { return m_selectBackgroundButton; }
    QLineEdit* backgroundFileBox() const { return m_backgroundFileBox; }
    QCheckBox* fillScreenCheckBox() const { return m_fillScreenCheckBox; }

    // The text last read from or written to "BackGround".
    const QString& backgroundChoice() const { return m_backgroundChoice; }
    void setBackgroundChoice(const QString& text) { m_backgroundChoice = text; }

    // Reads "BackGround" into the background choice and enables the picker
    // button while the choice is the custom picture.
    void readBackgroundChoice();
    // Enables the picker button while the background choice is 3.
    void enableBackgroundPicker();
    // Shows the stored background file name.
    void showBackgroundFile();

private:
    void onBackgroundOptionToggled(int index, bool checked);
    void onSelectBackground();

    SettingsStore& m_store;
    DialogServices m_services;
    QString m_backgroundChoice;
    QButtonGroup* m_backgroundOptions = nullptr;
    QPushButton* m_selectBackgroundButton = nullptr;
    QLineEdit* m_backgroundFileBox = nullptr;
    QCheckBox* m_fillScreenCheckBox = nullptr;
};

} // namespace skyraid
