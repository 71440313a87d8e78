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
    setObjectName(QStringLiteral("logoMessageTab"));

    auto* logoFrame =
        new FrameBox(QStringLiteral("Custom Logo"), QStringLiteral("logoFrame"), this);
    m_logoCheckBox =
        checkBox(QStringLiteral("Display Logo"), QStringLiteral("logoCheckBox"), logoFrame);
    m_logoFileBox = textBox(QString(), QStringLiteral("logoFileBox"), logoFrame);
    m_selectLogoButton = new QPushButton(QStringLiteral("Select &Logo"), logoFrame);
    m_selectLogoButton->setObjectName(QStringLiteral("selectLogoButton"));
    m_selectLogoButton->setAutoDefault(false);
    auto* logoLayout = new QGridLayout(logoFrame);
    logoLayout->addWidget(m_logoCheckBox, 0, 0, 1, 2);
    logoLayout->addWidget(m_logoFileBox, 1, 0);
    logoLayout->addWidget(m_selectLogoButton, 1, 1);

    auto* messageFrame =
        new FrameBox(QStringLiteral("Title"), QStringLiteral("messageFrame"), this);
    m_messageCheckBox = checkBox(QStringLiteral("Display Message"),
                                 QStringLiteral("messageCheckBox"), messageFrame);
    m_messageBox = textBox(QString(), QStringLiteral("messageBox"), messageFrame);

    m_fontList = new QComboBox(messageFrame);
    m_fontList->setObjectName(QStringLiteral("fontList"));
    // Sized by a typical name rather than by measuring hundreds of them.
    m_fontList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontList->setMinimumContentsLength(22);
    m_fontList->setMaxVisibleItems(20);
    m_fontSizeList = editableList(FontSizeItems, QStringLiteral("fontSizeList"), messageFrame);
    m_fontSizeList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_fontSizeList->setMinimumContentsLength(5);
    // It starts with no entry and no text.
    m_fontSizeList->setCurrentIndex(-1);
    m_fontSizeList->setEditText(QString());

    m_sampleLabel =
        label(QStringLiteral("Aa Bb Cc Dd"), QStringLiteral("sampleLabel"), messageFrame);
    showSampleFont(font().family());
    // Room for the sample in any font, so that changing it moves nothing.
    m_sampleLabel->setFixedHeight(2 * QFontMetrics(m_sampleLabel->font()).height());

    auto* fonts = new QGridLayout;
    fonts->addWidget(
        label(QStringLiteral("Available Fonts:"), QStringLiteral("fontLabel"), messageFrame), 0, 0);
    fonts->addWidget(m_fontList, 0, 1);
    fonts->addWidget(
        label(QStringLiteral("Font Size:"), QStringLiteral("fontSizeLabel"), messageFrame), 1, 0);
    fonts->addWidget(m_fontSizeList, 1, 1, Qt::AlignLeft);
    fonts->addWidget(
        label(QStringLiteral("Sample:"), QStringLiteral("sampleCaptionLabel"), messageFrame), 2, 0);
    fonts->addWidget(m_sampleLabel, 2, 1);
    fonts->setColumnStretch(2, 1);

    auto* messageLayout = new QVBoxLayout(messageFrame);
    messageLayout->addWidget(m_messageCheckBox);
    messageLayout->addWidget(m_messageBox);
    messageLayout->addLayout(fonts);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(logoFrame);
    layout->addWidget(messageFrame);
    layout->addStretch(1);

    connect(m_logoCheckBox, &QCheckBox::toggled, this, &LogoMessageTab::onLogoToggled);
    connect(m_messageCheckBox, &QCheckBox::toggled, this, &LogoMessageTab::onMessageToggled);
    connect(m_messageBox, &QLineEdit::textChanged, this, &LogoMessageTab::onMessageEdited);
    // Selecting a font, by the user or from code, raises currentIndexChanged.
    // A size is picked from the list by the user (activated) or selected from
    // code (selectFontSize); editing its text part, by typing or from code,
    // raises editTextChanged.
    connect(m_fontList, &QComboBox::currentIndexChanged, this, &LogoMessageTab::onFontPicked);
    connect(m_fontSizeList, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_fontSizeIndex = index; });
    connect(m_fontSizeList, &QComboBox::activated, this, &LogoMessageTab::onFontSizePicked);
    connect(m_fontSizeList, &QComboBox::editTextChanged, this, &LogoMessageTab::onFontSizeEdited);
    connect(m_selectLogoButton, &QPushButton::clicked, this, &LogoMessageTab::onSelectLogo);
}

void LogoMessageTab::fillFontList(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const QSignalBlocker blocker(m_fontList);
    m_fontList->clear();
    m_fontList->addItems(names);
    m_fontList->setCurrentIndex(-1);
}

int LogoMessageTab::fontPosition(const QString& name) const
{
    const int exact = m_fontList->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (exact >= 0)
        return exact;
    return m_fontList->findText(name, Qt::MatchFixedString);
}

void LogoMessageTab::selectFontSize(const QString& position)
{
    const int before = m_fontSizeList->currentIndex();
    selectListPosition(*m_fontSizeList, position);
    if (m_fontSizeList->currentIndex() != before)
        onFontSizePicked(m_fontSizeList->currentIndex());
}

void LogoMessageTab::showLogoFile()
{
    m_logoFileBox->setText(readSetting(m_store, keys::LogoFileName));
}

void LogoMessageTab::showSampleFont(const QString& name)
{
    QFont sample = m_sampleLabel->font();
    sample.setFamily(name);
    sample.setPointSizeF(SamplePointSize);
    m_sampleLabel->setFont(sample);
}

void LogoMessageTab::onLogoToggled()
{
    writeSetting(m_store, keys::LogoChecked, storedText(m_logoCheckBox->isChecked() ? 1 : 0));
}

void LogoMessageTab::onMessageToggled()
{
    writeSetting(m_store, keys::MessageChecked, storedText(m_messageCheckBox->isChecked() ? 1 : 0));
}

void LogoMessageTab::onMessageEdited(const QString& text)
{
    writeSetting(m_store, keys::Message, text);
}

void LogoMessageTab::onFontPicked(int index)
{
    if (index < 0)
        return;
    const QString name = m_fontList->itemText(index);
    writeSetting(m_store, keys::SelectedFont, storedText(index));
    writeSetting(m_store, keys::FontName, name);
    showSampleFont(name);
}

void LogoMessageTab::onFontSizePicked(int index)
{
    // Typed text that matches an entry selects that entry once the typing is
    // confirmed (Enter, or leaving the box), and the list reports it like a
    // pick. It is still typing: the text is stored already, the position not.
    if (index < 0 || reachedByTyping(*m_fontSizeList))
        return;
    writeSetting(m_store, keys::SelectedFontSize, storedText(index));
    writeSetting(m_store, keys::FontSize, m_fontSizeList->itemText(index));
}

void LogoMessageTab::onFontSizeEdited(const QString& text)
{
    // Picking an entry puts its text into the text part before the pick is
    // reported; that is the pick's business (onFontSizePicked), not an edit.
    if (m_fontSizeList->currentIndex() != m_fontSizeIndex)
        return;
    writeSetting(m_store, keys::FontSize, text);
}

void LogoMessageTab::onSelectLogo()
{
    // Whatever the user did in the picker, the box shows what is stored now.
    ImagePicker picker(ImagePicker::LogoPicture, m_store, m_services, window());
    picker.exec();
    showLogoFile();
}

} // namespace skyraid
