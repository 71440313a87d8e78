#pragma once

#include "settings/keys.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace skyraid {

// The "Aircraft" tab: speed, sounds, background planes, mouse sensitivity,
// clock and the power-saving option. Each control stores its setting the
// moment it changes, whether the user or the dialog's loading changed it.
class AircraftTab final : public QWidget {
    Q_OBJECT
public:
    AircraftTab(SettingsStore& store, QWidget* parent = nullptr);

    QScrollBar* hsbSpeed() const { return m_hsbSpeed; }
    QScrollBar* hsbFastJet() const { return m_hsbFastJet; }
    QScrollBar* HSBSec() const { return m_HSBSec; }
    QScrollBar* hsbMouseS() const { return m_hsbMouseS; }
    QScrollBar* hsbVolume() const { return m_hsbVolume; }
    QLineEdit* txtBGPlanes() const { return m_txtBGPlanes; }
    QLineEdit* txtFontSize() const { return m_txtFontSize; }
    QComboBox* cboSoundOff() const { return m_cboSoundOff; }
    QCheckBox* chkProp() const { return m_chkProp; }
    QCheckBox* chkBG() const { return m_chkBG; }
    QCheckBox* chkClock() const { return m_chkClock; }
    QCheckBox* chkPowerSave() const { return m_chkPowerSave; }

private:
    QWidget* buildSpeedFrame();
    QWidget* buildSoundsFrame();
    QWidget* buildBackgroundPlanesFrame();
    QWidget* buildMouseFrame();
    QWidget* buildClockFrame();
    void connectHandlers();

    // A bar with a text box shows and stores each position, both when its
    // position changes and while its thumb is dragged.
    void showAndStore(QLineEdit* box, Key key, int position);
    void storeCheck(Key key, const QCheckBox* box);

    void hsbSpeed_Change();
    void hsbSpeed_Scroll(int position);
    void hsbFastJet_Change();
    void hsbFastJet_Scroll(int position);
    void HSBSec_Change();
    void HSBSec_Scroll(int position);
    void hsbMouseS_Change();
    void hsbMouseS_Scroll(int position);
    void hsbVolume_Change();
    void chkProp_Click();
    void chkBG_Click();
    void chkClock_Click();
    void chkPowerSave_Click();
    void cboSoundOff_Click(int index);
    void txtFontSize_Change(const QString& text);

    SettingsStore& m_store;

    QLineEdit* m_txtSpeed = nullptr;
    QScrollBar* m_hsbSpeed = nullptr;
    QCheckBox* m_chkProp = nullptr;
    QScrollBar* m_hsbFastJet = nullptr;
    QLineEdit* m_txtFastJet = nullptr;
    QComboBox* m_cboSoundOff = nullptr;
    QScrollBar* m_hsbVolume = nullptr;
    QCheckBox* m_chkBG = nullptr;
    QScrollBar* m_HSBSec = nullptr;
    QLineEdit* m_txtBGPlanes = nullptr;
    QScrollBar* m_hsbMouseS = nullptr;
    QLineEdit* m_txtMouseS = nullptr;
    QCheckBox* m_chkClock = nullptr;
    QLineEdit* m_txtFontSize = nullptr;
    QCheckBox* m_chkPowerSave = nullptr;
};

} // namespace skyraid
