#include "logomessagetab.h"

#include "controls.h"
#include "controlvalues.h"
#include "framebox.h"
#include "imagepicker.h"
#include "settings/keys.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace skyraid {

using namespace controls;

namespace {

const QStringList FontSizeItems{
    QStringLiteral("8"),  QStringLiteral("10"), QStringLiteral("20"),  QStringLiteral("30"),
    QStringLiteral("40"), QStringLiteral("50"), QStringLiteral("60"),  QStringLiteral("70"),
    QStringLiteral("80"), QStringLiteral("90"), QStringLiteral("100"),
};

constexpr double SamplePointSize = 13.5;

} // namespace

LogoMessageTab::LogoMessageTab(SettingsStore& store, DialogServices services, QWidget* parent)
    : QWidget(parent), m_store(store), m_services(std::move(services))
{
    setObjectName(QStringLiteral("tabLogoMessage"));

    auto* logo = new FrameBox(QStringLiteral("Custom Logo"), QStringLiteral("Frame6"), this);
    m_chkLogo = checkBox(QStringLiteral("Display Logo"), QStringLiteral("chkLogo"), logo);
    m_txtLogo = textBox(QString(), QStringLiteral("txtLogo"), logo);
    m_cmdSelectLogo = new QPushButton(QStringLiteral("Select &Logo"), logo);
    m_cmdSelectLogo->setObjectName(QStringLiteral("cmdSelectLogo"));
    m_cmdSelectLogo->setAutoDefault(false);
    auto* logoLayout = new QGridLayout(logo);
    logoLayout->addWidget(m_chkLogo, 0, 0, 1, 2);
    logoLayout->addWidget(m_txtLogo, 1, 0);
    logoLayout->addWidget(m_cmdSelectLogo, 1, 1);

    auto* title = new FrameBox(QStringLiteral("Title"), QStringLiteral("Frame5"), this);
    m_chkMessage = checkBox(QStringLiteral("Display Message"), QStringLiteral("chkMessage"), title);
    m_txtMessage = textBox(QString(), QStringLiteral("txtMessage"), title);

    m_cboFontsScreen = new QComboBox(title);
    m_cboFontsScreen->setObjectName(QStringLiteral("cboFontsScreen"));
    // Sized by a typical name rather than by measuring hundreds of them.
    m_cboFontsScreen->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboFontsScreen->setMinimumContentsLength(22);
    m_cboFontsScreen->setMaxVisibleItems(20);
    m_cboFontSize = editableList(FontSizeItems, QStringLiteral("cboFontSize"), title);
    m_cboFontSize->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_cboFontSize->setMinimumContentsLength(5);
    // It starts with no entry and no text.
    m_cboFontSize->setCurrentIndex(-1);
    m_cboFontSize->setEditText(QString());

    m_lblSample = label(QStringLiteral("Aa Bb Cc Dd"), QStringLiteral("lblSample"), title);
    showSampleFont(font().family());
    // Room for the sample in any font, so that changing it moves nothing.
    m_lblSample->setFixedHeight(2 * QFontMetrics(m_lblSample->font()).height());

    auto* fonts = new QGridLayout;
    fonts->addWidget(label(QStringLiteral("Available Fonts:"), QStringLiteral("Label7"), title), 0,
                     0);
    fonts->addWidget(m_cboFontsScreen, 0, 1);
    fonts->addWidget(label(QStringLiteral("Font Size:"), QStringLiteral("Label13"), title), 1, 0);
    fonts->addWidget(m_cboFontSize, 1, 1, Qt::AlignLeft);
    fonts->addWidget(label(QStringLiteral("Sample:"), QStringLiteral("Label8"), title), 2, 0);
    fonts->addWidget(m_lblSample, 2, 1);
    fonts->setColumnStretch(2, 1);

    auto* titleLayout = new QVBoxLayout(title);
    titleLayout->addWidget(m_chkMessage);
    titleLayout->addWidget(m_txtMessage);
    titleLayout->addLayout(fonts);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logo);
    layout->addWidget(title);
    layout->addStretch(1);

    connect(m_chkLogo, &QCheckBox::toggled, this, &LogoMessageTab::chkLogo_Click);
    connect(m_chkMessage, &QCheckBox::toggled, this, &LogoMessageTab::chkMessage_Click);
    connect(m_txtMessage, &QLineEdit::textChanged, this, &LogoMessageTab::txtMessage_Change);
    // Selecting a font, by the user or from code, raises currentIndexChanged.
    // A size is picked from the list by the user (activated) or selected from
    // code (selectFontSize); editing its text part, by typing or from code,
    // raises editTextChanged.
    connect(m_cboFontsScreen, &QComboBox::currentIndexChanged, this,
            &LogoMessageTab::cboFontsScreen_Click);
    connect(m_cboFontSize, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_fontSizeIndex = index; });
    connect(m_cboFontSize, &QComboBox::activated, this, &LogoMessageTab::cboFontSize_Click);
    connect(m_cboFontSize, &QComboBox::editTextChanged, this, &LogoMessageTab::cboFontSize_Change);
    connect(m_cmdSelectLogo, &QPushButton::clicked, this, &LogoMessageTab::cmdSelectLogo_Click);
}

void LogoMessageTab::fillFontList(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const QSignalBlocker blocker(m_cboFontsScreen);
    m_cboFontsScreen->clear();
    m_cboFontsScreen->addItems(names);
    m_cboFontsScreen->setCurrentIndex(-1);
}

int LogoMessageTab::fontPosition(const QString& name) const
{
    const int exact = m_cboFontsScreen->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact >= 0)
        return exact;
    return m_cboFontsScreen->findText(name, Qt::MatchFixedString);
}

void LogoMessageTab::selectFontSize(const QString& position)
{
    const int before = m_cboFontSize->currentIndex();
    selectListPosition(*m_cboFontSize, position);
    if (m_cboFontSize->currentIndex() != before)
        cboFontSize_Click(m_cboFontSize->currentIndex());
}

void LogoMessageTab::SelectLogo()
{
    m_txtLogo->setText(readSetting(m_store, keys::LogoFileName));
}

void LogoMessageTab::showSampleFont(const QString& name)
{
    QFont sample = m_lblSample->font();
    sample.setFamily(name);
    sample.setPointSizeF(SamplePointSize);
    m_lblSample->setFont(sample);
}

void LogoMessageTab::chkLogo_Click()
{
    writeSetting(m_store, keys::LogoChecked, storedText(m_chkLogo->isChecked() ? 1 : 0));
}

void LogoMessageTab::chkMessage_Click()
{
    writeSetting(m_store, keys::MessageChecked, storedText(m_chkMessage->isChecked() ? 1 : 0));
}

void LogoMessageTab::txtMessage_Change(const QString& text)
{
    writeSetting(m_store, keys::Message, text);
}

void LogoMessageTab::cboFontsScreen_Click(int index)
{
    if (index < 0)
        return;
    const QString name = m_cboFontsScreen->itemText(index);
    writeSetting(m_store, keys::SelectedFont, storedText(index));
    writeSetting(m_store, keys::FontName, name);
    showSampleFont(name);
}

void LogoMessageTab::cboFontSize_Click(int index)
{
    // Typed text that matches an entry selects that entry once the typing is
    // confirmed (Enter, or leaving the box), and the list reports it like a
    // pick. It is still typing: the text is stored already, the position not.
    if (index < 0 || reachedByTyping(*m_cboFontSize))
        return;
    writeSetting(m_store, keys::SelectedFontSize, storedText(index));
    writeSetting(m_store, keys::FontSize, m_cboFontSize->itemText(index));
}

void LogoMessageTab::cboFontSize_Change(const QString& text)
{
    // Picking an entry puts its text into the text part before the pick is
    // reported; that is the pick's business (cboFontSize_Click), not an edit.
    if (m_cboFontSize->currentIndex() != m_fontSizeIndex)
        return;
    writeSetting(m_store, keys::FontSize, text);
}

void LogoMessageTab::cmdSelectLogo_Click()
{
    // Whatever the user did in the picker, the box shows what is stored now.
    ImagePicker picker(ImagePicker::GetLogo, m_store, m_services, window());
    picker.exec();
    SelectLogo();
}

} // namespace skyraid
