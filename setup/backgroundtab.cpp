#include "backgroundtab.h"

#include "controls.h"
#include "controlvalues.h"
#include "framebox.h"
#include "imagepicker.h"
#include "platform/platform.h"
#include "settings/conversions.h"
#include "settings/keys.h"

#include <utility>

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace skyraid {

using namespace controls;

namespace {

QFrame* swatch(const QColor& colour, const QString& name, QWidget* parent)
{
    auto* result = new QFrame(parent);
    result->setObjectName(name);
    result->setFrameShape(QFrame::Box);
    result->setFixedSize(48, 20);
    QPalette palette = result->palette();
    palette.setColor(QPalette::Window, colour);
    result->setPalette(palette);
    result->setAutoFillBackground(true);
    return result;
}

// The asset folder as the user would type it, without its closing separator.
QString assetFolderForDisplay()
{
    QString folder = QDir::toNativeSeparators(assetFolder());
    if (folder.size() > 1 && folder.endsWith(QDir::separator()))
        folder.chop(1);
    return folder;
}

} // namespace

BackgroundTab::BackgroundTab(SettingsStore& store, DialogServices services, QWidget* parent)
    : QWidget(parent), m_store(store), m_services(std::move(services))
{
    setObjectName(QStringLiteral("backgroundTab"));

    auto* choices =
        new FrameBox(QStringLiteral("Background"), QStringLiteral("backgroundFrame"), this);
    m_backgroundOptions = new QButtonGroup(this);
    const QString captions[OptionCount] = {
        QStringLiteral("Solid Black"), QStringLiteral("Solid Sky Blue"), QStringLiteral("Custom")};
    auto* choiceLayout = new QGridLayout(choices);
    for (int index = 0; index < OptionCount; ++index) {
        auto* option = new QRadioButton(captions[index], choices);
        option->setObjectName(QStringLiteral("backgroundOption%1").arg(index));
        m_backgroundOptions->addButton(option, index);
        choiceLayout->addWidget(option, index, 0);
    }
    choiceLayout->addWidget(swatch(Qt::black, QStringLiteral("blackSwatch"), choices), 0, 1);
    choiceLayout->addWidget(swatch(QColor(128, 255, 255), QStringLiteral("skyBlueSwatch"), choices),
                            1, 1);
    // Ours: the scene takes the screen's shape instead of keeping to 4:3.
    m_fillScreenCheckBox = checkBox(QStringLiteral("Fill the whole screen"),
                                    QStringLiteral("fillScreenCheckBox"), choices);
    choiceLayout->addWidget(m_fillScreenCheckBox, OptionCount, 0, 1, 3);
    choiceLayout->setColumnStretch(2, 1);

    auto* custom = new FrameBox(QStringLiteral("Custom Back Ground"),
                                QStringLiteral("customBackgroundFrame"), this);
    m_selectBackgroundButton = new QPushButton(QStringLiteral("Select Background"), custom);
    m_selectBackgroundButton->setObjectName(QStringLiteral("selectBackgroundButton"));
    m_selectBackgroundButton->setAutoDefault(false);
    m_backgroundFileBox = textBox(QString(), QStringLiteral("backgroundFileBox"), custom);
    auto* where = label(QStringLiteral("Backgrounds can be downloaded from our site. Must be "
                                       "800x600 and in .bmp format + placed in:"),
                        QStringLiteral("backgroundHintLabel"), custom);
    where->setWordWrap(true);
    setTextColour(where, blue());
    auto* folder =
        label(u' ' + assetFolderForDisplay(), QStringLiteral("backgroundFolderLabel"), custom);
    folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextColour(folder, blue());

    auto* customLayout = new QGridLayout(custom);
    customLayout->addWidget(m_selectBackgroundButton, 0, 0);
    customLayout->addWidget(m_backgroundFileBox, 0, 1);
    customLayout->addWidget(where, 1, 0, 1, 2);
    customLayout->addWidget(folder, 2, 0, 1, 2);
    customLayout->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choices);
    layout->addWidget(custom);
    layout->addStretch(1);

    // Choosing an option from code raises the same notification as a click.
    connect(m_backgroundOptions, &QButtonGroup::idToggled, this,
            &BackgroundTab::onBackgroundOptionToggled);
    connect(m_selectBackgroundButton, &QPushButton::clicked, this,
            &BackgroundTab::onSelectBackground);
    connect(m_fillScreenCheckBox, &QCheckBox::toggled, this, [this](bool checked) {
        writeSetting(m_store, keys::FillScreen, storedText(checked ? 1 : 0));
    });
}

QRadioButton* BackgroundTab::backgroundOption(int index) const
{
    return static_cast<QRadioButton*>(m_backgroundOptions->button(index));
}

void BackgroundTab::readBackgroundChoice()
{
    m_backgroundChoice = readSetting(m_store, keys::BackGround);
    enableBackgroundPicker();
}

void BackgroundTab::enableBackgroundPicker()
{
    m_selectBackgroundButton->setEnabled(toNumber(m_backgroundChoice) == 3.0);
}

void BackgroundTab::showBackgroundFile()
{
    m_backgroundFileBox->setText(readSetting(m_store, keys::BMPFileName));
}

void BackgroundTab::onBackgroundOptionToggled(int index, bool checked)
{
    if (!checked)
        return; // the option that was chosen before
    m_backgroundChoice = storedText(index + 1);
    writeSetting(m_store, keys::BackGround, m_backgroundChoice);
    readBackgroundChoice();
}

void BackgroundTab::onSelectBackground()
{
    // Whatever the user did in the picker, the box shows what is stored now.
    ImagePicker picker(ImagePicker::BackgroundPicture, m_store, m_services, window());
    picker.exec();
    showBackgroundFile();
}

} // namespace skyraid
