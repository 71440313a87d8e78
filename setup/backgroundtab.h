#pragma once

#include "dialogservices.h"
#include "settings/settingsstore.h"

#include <QString>
#include <QWidget>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace skyraid {

// The "BackGround" tab: solid black, solid sky blue or a custom picture, and
// the button that picks the picture.
class BackGroundTab final : public QWidget {
    Q_OBJECT
public:
    BackGroundTab(SettingsStore& store, DialogServices services, QWidget* parent = nullptr);

    static constexpr int OptionCount = 3;

    QRadioButton* optBakGrnd(int index) const;
    QPushButton* cmdSelectBG() const { return m_cmdSelectBG; }
    QLineEdit* txtBGFile() const { return m_txtBGFile; }

    // The text last read from or written to "BackGround".
    const QString& backgroundChoice() const { return m_backgroundChoice; }
    void setBackgroundChoice(const QString& text) { m_backgroundChoice = text; }

    // Reads "BackGround" into the background choice and enables the picker
    // button while the choice is the custom picture.
    void BackGround();
    // Enables the picker button while the background choice is 3.
    void enableSelectBG();
    // Shows the stored background file name.
    void SelectBG();

private:
    void optBakGrnd_Click(int index, bool checked);
    void cmdSelectBG_Click();

    SettingsStore& m_store;
    DialogServices m_services;
    QString m_backgroundChoice;
    QButtonGroup* m_optBakGrnd = nullptr;
    QPushButton* m_cmdSelectBG = nullptr;
    QLineEdit* m_txtBGFile = nullptr;
};

} // namespace skyraid
