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

    QScrollBar* speedBar() const { return m_speedBar; }
    QScrollBar* jetDelayBar() const { return m_jetDelayBar; }
    QScrollBar* backgroundPlaneDelayBar() const { return m_backgroundPlaneDelayBar; }
    QScrollBar* mouseSensitivityBar() const { return m_mouseSensitivityBar; }
    QScrollBar* volumeBar() const { return m_volumeBar; }
    QLineEdit* backgroundPlaneDelayBox() const { return m_backgroundPlaneDelayBox; }
    QLineEdit* clockFontSizeBox() const { return m_clockFontSizeBox; }
    QComboBox* soundCutOffList() const { return m_soundCutOffList; }
    QCheckBox* jetCheckBox() const { return m_jetCheckBox; }
    QCheckBox* backgroundPlaneCheckBox() const { return m_backgroundPlaneCheckBox; }
    QCheckBox* clockCheckBox() const { return m_clockCheckBox; }
    QCheckBox* powerSaveCheckBox() const { return m_powerSaveCheckBox; }

private:
    QWidget* buildSpeedFrame(QWidget* parent);
    QWidget* buildSoundsFrame(QWidget* parent);
    QWidget* buildBackgroundPlanesFrame(QWidget* parent);
    QWidget* buildMouseFrame(QWidget* parent);
    QWidget* buildClockFrame(QWidget* parent);
    void connectHandlers();

    // A bar with a text box shows and stores each position, both when its
    // position changes and while its thumb is dragged.
    void showAndStoreEveryPosition(QScrollBar* bar, QLineEdit* box, Key key);
    void storeCheck(Key key, const QCheckBox* box);

    void onVolumeChanged();
    void onJetToggled();
    void onBackgroundPlaneToggled();
    void onClockToggled();
    void onPowerSaveToggled();
    void onSoundCutOffPicked(int index);
    void onClockFontSizeEdited(const QString& text);

    SettingsStore& m_store;

    QLineEdit* m_speedBox = nullptr;
    QScrollBar* m_speedBar = nullptr;
    QCheckBox* m_jetCheckBox = nullptr;
    QScrollBar* m_jetDelayBar = nullptr;
    QLineEdit* m_jetDelayBox = nullptr;
    QComboBox* m_soundCutOffList = nullptr;
    QScrollBar* m_volumeBar = nullptr;
    QCheckBox* m_backgroundPlaneCheckBox = nullptr;
    QScrollBar* m_backgroundPlaneDelayBar = nullptr;
    QLineEdit* m_backgroundPlaneDelayBox = nullptr;
    QScrollBar* m_mouseSensitivityBar = nullptr;
    QLineEdit* m_mouseSensitivityBox = nullptr;
    QCheckBox* m_clockCheckBox = nullptr;
    QLineEdit* m_clockFontSizeBox = nullptr;
    QCheckBox* m_powerSaveCheckBox = nullptr;
};

} // namespace skyraid
