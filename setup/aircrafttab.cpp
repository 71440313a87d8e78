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

} // namespace

AircraftTab::AircraftTab(SettingsStore& store, QWidget* parent) : QWidget(parent), m_store(store)
{
    setObjectName(QStringLiteral("tabAircraft"));

    auto* left = new QVBoxLayout;
    left->addWidget(buildSpeedFrame());
    left->addWidget(buildSoundsFrame());
    left->addStretch(1);

    m_chkPowerSave = checkBox(QStringLiteral("Disable any Power Saving settings"),
                              QStringLiteral("chkPowerSave"), this);
    m_chkPowerSave->setToolTip(QStringLiteral(
        "If you have your Monitor set to turn off enabling this will keep that setting, "
        "otherwise the screensaver will ignore those settings"));

    auto* right = new QVBoxLayout;
    right->addWidget(buildBackgroundPlanesFrame());
    right->addWidget(buildMouseFrame());
    right->addWidget(buildClockFrame());
    right->addSpacing(4);
    right->addWidget(m_chkPowerSave);
    right->addStretch(1);

    auto* columns = new QHBoxLayout(this);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    connectHandlers();
}

QWidget* AircraftTab::buildSpeedFrame()
{
    auto* frame =
        new FrameBox(QStringLiteral("Aircraft Speed"), QStringLiteral("frameSpeed"), this);
    auto* lblSpeed = label(QStringLiteral("Speed:"), QStringLiteral("lblSpeed"), frame);
    m_txtSpeed = textBox(QString(), QStringLiteral("txtSpeed"), frame);
    fitDigits(m_txtSpeed, 4);
    // The left end of the bar is fast: it is the shortest wait between steps.
    auto* lblSlideInfo = label(QStringLiteral("Fast") + QString(74, u'-') + QStringLiteral("Slow"),
                               QStringLiteral("lblSlideInfo"), frame);
    m_hsbSpeed = scrollBar(2, 100, 2, QStringLiteral("hsbSpeed"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(row({lblSpeed, m_txtSpeed}));
    layout->addWidget(lblSlideInfo);
    layout->addWidget(m_hsbSpeed);
    return frame;
}

QWidget* AircraftTab::buildSoundsFrame()
{
    auto* frame = new FrameBox(QStringLiteral("Sounds"), QStringLiteral("frameSounds"), this);
    m_chkProp = checkBox(QStringLiteral("Turn on Jet sound and show aircraft"),
                         QStringLiteral("chkProp"), frame);

    auto* showEvery = label(QStringLiteral("Show every"), QStringLiteral("Label12"), frame);
    m_hsbFastJet = scrollBar(30, 300, 30, QStringLiteral("hsbFastJet"), frame);
    m_txtFastJet = textBox(QStringLiteral("30"), QStringLiteral("txtFastJet"), frame);
    fitDigits(m_txtFastJet, 4);
    auto* secs = label(QStringLiteral("secs"), QStringLiteral("Label12End"), frame);

    auto* stopAfter = label(QStringLiteral("Stop sound after:"), QStringLiteral("Label46"), frame);
    m_cboSoundOff = editableList(SoundOffItems, QStringLiteral("cboSoundOff"), frame);
    auto* minutes = label(QStringLiteral("min."), QStringLiteral("Label46End"), frame);

    auto* volumeInfo = label(QStringLiteral("Low ----------VOLUME ------------High"),
                             QStringLiteral("Label15"), frame);
    volumeInfo->setAlignment(Qt::AlignHCenter);
    m_hsbVolume = scrollBar(-2500, 0, 0, QStringLiteral("hsbVolume"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_chkProp);
    layout->addLayout(row({showEvery, m_hsbFastJet, m_txtFastJet, secs}, 1));
    layout->addLayout(row({stopAfter, m_cboSoundOff, minutes}));
    layout->addWidget(volumeInfo);
    layout->addWidget(m_hsbVolume);
    return frame;
}

QWidget* AircraftTab::buildBackgroundPlanesFrame()
{
    auto* frame = new FrameBox(QStringLiteral("Background Planes"), QStringLiteral("Frame1"), this);
    m_chkBG = checkBox(QStringLiteral("Visible"), QStringLiteral("chkBG"), frame);
    auto* showEvery = label(QStringLiteral("Show every"), QStringLiteral("Label11"), frame);
    m_HSBSec = scrollBar(36, 300, 36, QStringLiteral("HSBSec"), frame);
    m_txtBGPlanes = textBox(QStringLiteral("36"), QStringLiteral("txtBGPlanes"), frame);
    fitDigits(m_txtBGPlanes, 4);
    auto* seconds = label(QStringLiteral("seconds"), QStringLiteral("Label11End"), frame);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_chkBG);
    layout->addLayout(row({showEvery, m_HSBSec, m_txtBGPlanes, seconds}, 1));
    return frame;
}

QWidget* AircraftTab::buildMouseFrame()
{
    auto* frame =
        new FrameBox(QStringLiteral("Mouse Sensitivity"), QStringLiteral("Frame23"), this);
    auto* light = label(QStringLiteral("Light Touch"), QStringLiteral("Label32"), frame);
    auto* heavy = label(QStringLiteral("HeavyTouch"), QStringLiteral("Label33"), frame);
    m_hsbMouseS = scrollBar(2, 20, 2, QStringLiteral("hsbMouseS"), frame);
    m_txtMouseS = textBox(QString(), QStringLiteral("txtMouseS"), frame);
    setBold(m_txtMouseS);
    fitDigits(m_txtMouseS, 3);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(row({light, m_hsbMouseS, heavy, m_txtMouseS}, 1));
    return frame;
}

QWidget* AircraftTab::buildClockFrame()
{
    auto* frame = new FrameBox(QStringLiteral("Clock"), QStringLiteral("Frame24"), this);
    m_chkClock = checkBox(QStringLiteral("Show Clock"), QStringLiteral("chkClock"), frame);
    setTextColour(m_chkClock, navy());
    auto* sizeInfo =
        label(QStringLiteral("Type the Font Size:   (i.e.: 16)"), QStringLiteral("Label34"), frame);
    setTextColour(sizeInfo, navy());
    m_txtFontSize = textBox(QString(), QStringLiteral("txtFontSize"), frame);
    fitDigits(m_txtFontSize, 4);

    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(m_chkClock);
    layout->addLayout(row({sizeInfo, m_txtFontSize}));
    return frame;
}

void AircraftTab::connectHandlers()
{
    // Each bar's value changes on arrows, page clicks, keys, the thumb's
    // release and assignment; while the thumb is dragged only sliderMoved
    // reports. The volume has no drag handler, so it stores on release.
    connect(m_hsbSpeed, &QScrollBar::valueChanged, this, &AircraftTab::hsbSpeed_Change);
    connect(m_hsbSpeed, &QScrollBar::sliderMoved, this, &AircraftTab::hsbSpeed_Scroll);
    connect(m_hsbFastJet, &QScrollBar::valueChanged, this, &AircraftTab::hsbFastJet_Change);
    connect(m_hsbFastJet, &QScrollBar::sliderMoved, this, &AircraftTab::hsbFastJet_Scroll);
    connect(m_HSBSec, &QScrollBar::valueChanged, this, &AircraftTab::HSBSec_Change);
    connect(m_HSBSec, &QScrollBar::sliderMoved, this, &AircraftTab::HSBSec_Scroll);
    connect(m_hsbMouseS, &QScrollBar::valueChanged, this, &AircraftTab::hsbMouseS_Change);
    connect(m_hsbMouseS, &QScrollBar::sliderMoved, this, &AircraftTab::hsbMouseS_Scroll);
    connect(m_hsbVolume, &QScrollBar::valueChanged, this, &AircraftTab::hsbVolume_Change);

    connect(m_chkProp, &QCheckBox::toggled, this, &AircraftTab::chkProp_Click);
    connect(m_chkBG, &QCheckBox::toggled, this, &AircraftTab::chkBG_Click);
    connect(m_chkClock, &QCheckBox::toggled, this, &AircraftTab::chkClock_Click);
    connect(m_chkPowerSave, &QCheckBox::toggled, this, &AircraftTab::chkPowerSave_Click);

    // Only an entry picked from the list is stored, never typed text.
    connect(m_cboSoundOff, &QComboBox::activated, this, &AircraftTab::cboSoundOff_Click);
    connect(m_txtFontSize, &QLineEdit::textChanged, this, &AircraftTab::txtFontSize_Change);
}

void AircraftTab::showAndStore(QLineEdit* box, Key key, int position)
{
    const QString text = storedText(position);
    box->setText(text);
    writeSetting(m_store, key, text);
}

void AircraftTab::storeCheck(Key key, const QCheckBox* box)
{
    writeSetting(m_store, key, storedText(box->isChecked() ? 1 : 0));
}

void AircraftTab::hsbSpeed_Change()
{
    showAndStore(m_txtSpeed, keys::Speed, m_hsbSpeed->value());
}

void AircraftTab::hsbSpeed_Scroll(int position)
{
    showAndStore(m_txtSpeed, keys::Speed, position);
}

void AircraftTab::hsbFastJet_Change()
{
    showAndStore(m_txtFastJet, keys::SecDelay, m_hsbFastJet->value());
}

void AircraftTab::hsbFastJet_Scroll(int position)
{
    showAndStore(m_txtFastJet, keys::SecDelay, position);
}

void AircraftTab::HSBSec_Change()
{
    showAndStore(m_txtBGPlanes, keys::BGFreq, m_HSBSec->value());
}

void AircraftTab::HSBSec_Scroll(int position)
{
    showAndStore(m_txtBGPlanes, keys::BGFreq, position);
}

void AircraftTab::hsbMouseS_Change()
{
    showAndStore(m_txtMouseS, keys::MouseSens, m_hsbMouseS->value());
}

void AircraftTab::hsbMouseS_Scroll(int position)
{
    showAndStore(m_txtMouseS, keys::MouseSens, position);
}

void AircraftTab::hsbVolume_Change()
{
    writeSetting(m_store, keys::Volume, storedText(m_hsbVolume->value()));
}

void AircraftTab::chkProp_Click()
{
    storeCheck(keys::Prop, m_chkProp);
}

void AircraftTab::chkBG_Click()
{
    storeCheck(keys::PlaneBG, m_chkBG);
}

void AircraftTab::chkClock_Click()
{
    storeCheck(keys::Clock, m_chkClock);
}

void AircraftTab::chkPowerSave_Click()
{
    storeCheck(keys::PwrSave, m_chkPowerSave);
}

void AircraftTab::cboSoundOff_Click(int index)
{
    if (reachedByTyping(*m_cboSoundOff))
        return;
    writeSetting(m_store, keys::SoundOff, m_cboSoundOff->itemText(index));
}

void AircraftTab::txtFontSize_Change(const QString& text)
{
    writeSetting(m_store, keys::FontClock, text);
}

} // namespace skyraid
