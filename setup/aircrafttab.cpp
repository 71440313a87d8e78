#include "aircrafttab.h"

#include "controls.h"
#include "controlvalues.h"
#include "framebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>

namespace skyraid {

using namespace controls;

namespace {

const QStringList SoundOffItems{
    QStringLiteral("Never"), QStringLiteral("1"),   QStringLiteral("2"),   QStringLiteral("3"),
    QStringLiteral("4"),     QStringLiteral("5"),   QStringLiteral("10"),  QStringLiteral("15"),
    QStringLiteral("20"),    QStringLiteral("30"),  QStringLiteral("45"),  QStringLiteral("60"),
    QStringLiteral("90"),    QStringLiteral("120"), QStringLiteral("180"), QStringLiteral("240"),
    QStringLiteral("300"),   QStringLiteral("360"), QStringLiteral("420"), QStringLiteral("480"),
};

// A row of widgets side by side: the words before a control, the control and
// the word after it read as one sentence.
QHBoxLayout* row(std::initializer_list<QWidget*> widgets, int stretchAt = -1)
{
    auto* layout = new QHBoxLayout;
    int index = 0;
    for (QWidget* widget : widgets) {
        layout->addWidget(widget, index == stretchAt ? 1 : 0);
        ++index;
    }
    if (stretchAt < 0)
        layout->addStretch(1);
    return layout;
}

// A column of frames, top to bottom, in a widget of its own.
QVBoxLayout* column(const QString& name, QWidget* parent)
{
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    auto* layout = new QVBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

AircraftTab::AircraftTab(SettingsStore& store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("aircraftTab"));

    QVBoxLayout* left = column(QStringLiteral("leftColumn"), this);
    left->addWidget(buildSpeedFrame(left->parentWidget()));
    left->addWidget(buildSoundsFrame(left->parentWidget()));
    left->addStretch(1);

    QVBoxLayout* right = column(QStringLiteral("rightColumn"), this);
    m_powerSaveCheckBox = checkBox(QStringLiteral("Disable any Power Saving settings"),
                                   QStringLiteral("powerSaveCheckBox"), right->parentWidget());
    m_powerSaveCheckBox->setToolTip(QStringLiteral(
        "If you have your Monitor set to turn off enabling this will keep that setting, "
        "otherwise the screensaver will ignore those settings"));

    right->addWidget(buildBackgroundPlanesFrame(right->parentWidget()));
    right->addWidget(buildMouseFrame(right->parentWidget()));
    right->addWidget(buildClockFrame(right->parentWidget()));
    right->addSpacing(4);
    right->addWidget(m_powerSaveCheckBox);
    right->addStretch(1);

    auto* columns = new QHBoxLayout(this);
    columns->addWidget(left->parentWidget(), 1);
    columns->addWidget(right->parentWidget(), 1);

    connectHandlers();
}

QWidget* AircraftTab::buildSpeedFrame(QWidget* parent)
{
    auto* frame =
        new FrameBox(QStringLiteral("Aircraft Speed"), QStringLiteral("speedFrame"), parent);
    auto* speedLabel = label(QStringLiteral("Speed:"), QStringLiteral("speedLabel"), frame);
    m_speedBox = textBox(QString(), QStringLiteral("speedBox"), frame);
    fitDigits(m_speedBox, 4);
    // The left end of the bar is fast: it is the shortest wait between steps.
    auto* speedScaleLabel =
        label(QStringLiteral("Fast") + QString(74, u'-') + QStringLiteral("Slow"),
              QStringLiteral("speedScaleLabel"), frame);
    m_speedBar = scrollBar(2, 100, 2, QStringLiteral("speedBar"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(row({speedLabel, m_speedBox}));
    layout->addWidget(speedScaleLabel);
    layout->addWidget(m_speedBar);
    return frame;
}

QWidget* AircraftTab::buildSoundsFrame(QWidget* parent)
{
    auto* frame = new FrameBox(QStringLiteral("Sounds"), QStringLiteral("soundsFrame"), parent);
    m_jetCheckBox = checkBox(QStringLiteral("Turn on Jet sound and show aircraft"),
                             QStringLiteral("jetCheckBox"), frame);

    auto* jetDelayLabel =
        label(QStringLiteral("Show every"), QStringLiteral("jetDelayLabel"), frame);
    m_jetDelayBar = scrollBar(30, 300, 30, QStringLiteral("jetDelayBar"), frame);
    m_jetDelayBox = textBox(QStringLiteral("30"), QStringLiteral("jetDelayBox"), frame);
    fitDigits(m_jetDelayBox, 4);
    auto* jetDelayUnitLabel =
        label(QStringLiteral("secs"), QStringLiteral("jetDelayUnitLabel"), frame);

    auto* soundCutOffLabel =
        label(QStringLiteral("Stop sound after:"), QStringLiteral("soundCutOffLabel"), frame);
    m_soundCutOffList = editableList(SoundOffItems, QStringLiteral("soundCutOffList"), frame);
    auto* soundCutOffUnitLabel =
        label(QStringLiteral("min."), QStringLiteral("soundCutOffUnitLabel"), frame);

    auto* volumeScaleLabel = label(QStringLiteral("Low ----------VOLUME ------------High"),
                                   QStringLiteral("volumeScaleLabel"), frame);
    volumeScaleLabel->setAlignment(Qt::AlignHCenter);
    m_volumeBar = scrollBar(-2500, 0, 0, QStringLiteral("volumeBar"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_jetCheckBox);
    layout->addLayout(row({jetDelayLabel, m_jetDelayBar, m_jetDelayBox, jetDelayUnitLabel}, 1));
    layout->addLayout(row({soundCutOffLabel, m_soundCutOffList, soundCutOffUnitLabel}));
    layout->addWidget(volumeScaleLabel);
    layout->addWidget(m_volumeBar);
    return frame;
}

QWidget* AircraftTab::buildBackgroundPlanesFrame(QWidget* parent)
{
    auto* frame = new FrameBox(QStringLiteral("Background Planes"),
                               QStringLiteral("backgroundPlanesFrame"), parent);
    m_backgroundPlaneCheckBox =
        checkBox(QStringLiteral("Visible"), QStringLiteral("backgroundPlaneCheckBox"), frame);
    auto* backgroundPlaneDelayLabel =
        label(QStringLiteral("Show every"), QStringLiteral("backgroundPlaneDelayLabel"), frame);
    m_backgroundPlaneDelayBar =
        scrollBar(36, 300, 36, QStringLiteral("backgroundPlaneDelayBar"), frame);
    m_backgroundPlaneDelayBox =
        textBox(QStringLiteral("36"), QStringLiteral("backgroundPlaneDelayBox"), frame);
    fitDigits(m_backgroundPlaneDelayBox, 4);
    auto* backgroundPlaneDelayUnitLabel =
        label(QStringLiteral("seconds"), QStringLiteral("backgroundPlaneDelayUnitLabel"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_backgroundPlaneCheckBox);
    layout->addLayout(row({backgroundPlaneDelayLabel, m_backgroundPlaneDelayBar,
                           m_backgroundPlaneDelayBox, backgroundPlaneDelayUnitLabel},
                          1));
    return frame;
}

QWidget* AircraftTab::buildMouseFrame(QWidget* parent)
{
    auto* frame = new FrameBox(QStringLiteral("Mouse Sensitivity"),
                               QStringLiteral("mouseSensitivityFrame"), parent);
    auto* lightTouchLabel =
        label(QStringLiteral("Light Touch"), QStringLiteral("lightTouchLabel"), frame);
    auto* heavyTouchLabel =
        label(QStringLiteral("HeavyTouch"), QStringLiteral("heavyTouchLabel"), frame);
    m_mouseSensitivityBar = scrollBar(2, 20, 2, QStringLiteral("mouseSensitivityBar"), frame);
    m_mouseSensitivityBox = textBox(QString(), QStringLiteral("mouseSensitivityBox"), frame);
    setBold(m_mouseSensitivityBox);
    fitDigits(m_mouseSensitivityBox, 3);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(
        row({lightTouchLabel, m_mouseSensitivityBar, heavyTouchLabel, m_mouseSensitivityBox}, 1));
    return frame;
}

QWidget* AircraftTab::buildClockFrame(QWidget* parent)
{
    auto* frame = new FrameBox(QStringLiteral("Clock"), QStringLiteral("clockFrame"), parent);
    m_clockCheckBox =
        checkBox(QStringLiteral("Show Clock"), QStringLiteral("clockCheckBox"), frame);
    setTextColour(m_clockCheckBox, navy());
    auto* clockFontSizeLabel = label(QStringLiteral("Type the Font Size:   (i.e.: 16)"),
                                     QStringLiteral("clockFontSizeLabel"), frame);
    setTextColour(clockFontSizeLabel, navy());
    m_clockFontSizeBox = textBox(QString(), QStringLiteral("clockFontSizeBox"), frame);
    fitDigits(m_clockFontSizeBox, 4);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_clockCheckBox);
    layout->addLayout(row({clockFontSizeLabel, m_clockFontSizeBox}));
    return frame;
}

void AircraftTab::connectHandlers()
{
    // Each bar's value changes on arrows, page clicks, keys, the thumb's
    // release and assignment; while the thumb is dragged only sliderMoved
    // reports. The volume has no drag handler, so it stores on release.
    showAndStoreEveryPosition(m_speedBar, m_speedBox, keys::Speed);
    showAndStoreEveryPosition(m_jetDelayBar, m_jetDelayBox, keys::SecDelay);
    showAndStoreEveryPosition(m_backgroundPlaneDelayBar, m_backgroundPlaneDelayBox, keys::BGFreq);
    showAndStoreEveryPosition(m_mouseSensitivityBar, m_mouseSensitivityBox, keys::MouseSens);
    connect(m_volumeBar, &QScrollBar::valueChanged, this, &AircraftTab::onVolumeChanged);

    connect(m_jetCheckBox, &QCheckBox::toggled, this, &AircraftTab::onJetToggled);
    connect(m_backgroundPlaneCheckBox, &QCheckBox::toggled, this,
            &AircraftTab::onBackgroundPlaneToggled);
    connect(m_clockCheckBox, &QCheckBox::toggled, this, &AircraftTab::onClockToggled);
    connect(m_powerSaveCheckBox, &QCheckBox::toggled, this, &AircraftTab::onPowerSaveToggled);

    // Only an entry picked from the list is stored, never typed text.
    connect(m_soundCutOffList, &QComboBox::activated, this, &AircraftTab::onSoundCutOffPicked);
    connect(m_clockFontSizeBox, &QLineEdit::textChanged, this, &AircraftTab::onClockFontSizeEdited);
}

void AircraftTab::showAndStoreEveryPosition(QScrollBar* bar, QLineEdit* box, Key key)
{
    const auto showAndStore = [this, box, key](int position) {
        const QString text = storedText(position);
        box->setText(text);
        writeSetting(m_store, key, text);
    };
    connect(bar, &QScrollBar::valueChanged, this, showAndStore);
    connect(bar, &QScrollBar::sliderMoved, this, showAndStore);
}

void AircraftTab::storeCheck(Key key, const QCheckBox* box)
{
    writeSetting(m_store, key, storedText(box->isChecked() ? 1 : 0));
}

void AircraftTab::onVolumeChanged()
{
    writeSetting(m_store, keys::Volume, storedText(m_volumeBar->value()));
}

void AircraftTab::onJetToggled()
{
    storeCheck(keys::Prop, m_jetCheckBox);
}

void AircraftTab::onBackgroundPlaneToggled()
{
    storeCheck(keys::PlaneBG, m_backgroundPlaneCheckBox);
}

void AircraftTab::onClockToggled()
{
    storeCheck(keys::Clock, m_clockCheckBox);
}

void AircraftTab::onPowerSaveToggled()
{
    storeCheck(keys::PwrSave, m_powerSaveCheckBox);
}

void AircraftTab::onSoundCutOffPicked(int index)
{
    if (reachedByTyping(*m_soundCutOffList))
        return;
    writeSetting(m_store, keys::SoundOff, m_soundCutOffList->itemText(index));
}

void AircraftTab::onClockFontSizeEdited(const QString& text)
{
    writeSetting(m_store, keys::FontClock, text);
}

} // namespace skyraid
