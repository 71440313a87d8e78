#include "setup.h"

#include "aircrafttab.h"
#include "backgroundtab.h"
#include "controls.h"
#include "controlvalues.h"
#include "helptab.h"
#include "logomessagetab.h"
#include "settings/keys.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace skyraid {

namespace {

// The dialog's size on a 96 DPI screen; it grows with the screen's DPI and
// never gets smaller than its contents need.
constexpr QSize DefaultSize(609, 412);

QPushButton* button(const QString& caption, const QString& name, QWidget* parent)
{
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(name);
    // Enter in a text box must not press a button.
    result->setAutoDefault(false);
    return result;
}

} // namespace

Setup::Setup(SettingsStore& store, QWidget* parent)
    : Setup(store, QFontDatabase::families(), parent)
{}

Setup::Setup(SettingsStore& store, const QStringList& fontNames, QWidget* parent)
    : Setup(store, fontNames, DialogServices(), parent)
{}

Setup::Setup(SettingsStore& store, const QStringList& fontNames, DialogServices services,
             QWidget* parent)
    : QDialog(parent), m_store(store), m_services(std::move(services))
{
    setObjectName(QStringLiteral("setupDialog"));
    setWindowTitle(caption());
    buildForm();
    showSettings(fontNames);
    placeOnScreen();
}

QString Setup::webAddress()
{
    return QStringLiteral("www.stratowave.example");
}

QString Setup::caption()
{
    return QStringLiteral("Sky Raiders Control Box    ") + webAddress();
}

QString Setup::supportPage()
{
    return QStringLiteral("https://") + webAddress() + QStringLiteral("/support.htm");
}

QString Setup::aboutText()
{
    return QStringLiteral(
               "%1 %2  Developed by %3\r\nCopyright \u00A9 2026 %3. All rights reserved.")
        .arg(programTitle(), QStringLiteral(SKYRAID_VERSION), QStringLiteral("Stratowave"));
}

void Setup::buildForm()
{
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_aircraftTab = new AircraftTab(m_store, m_tabs);
    m_backgroundTab = new BackgroundTab(m_store, m_services, m_tabs);
    m_logoMessageTab = new LogoMessageTab(m_store, m_services, m_tabs);
    m_helpTab = new HelpTab(m_tabs);
    m_tabs->addTab(m_aircraftTab, QStringLiteral("Aircraft"));
    m_tabs->addTab(m_backgroundTab, QStringLiteral("BackGround"));
    m_tabs->addTab(m_logoMessageTab, QStringLiteral("Logo/Message"));
    m_tabs->addTab(m_helpTab, QStringLiteral("Help"));
    m_tabs->setCurrentWidget(m_aircraftTab);

    auto* toolBar = new QWidget(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    m_aboutButton = button(QStringLiteral("&About"), QStringLiteral("aboutButton"), toolBar);
    m_helpButton = button(QStringLiteral("&Online HELP"), QStringLiteral("helpButton"), toolBar);
    m_okButton = button(QStringLiteral("&OK"), QStringLiteral("okButton"), toolBar);
    controls::setBold(m_okButton);
    auto* strip = new QHBoxLayout(toolBar);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(m_aboutButton);
    strip->addWidget(m_helpButton);
    strip->addStretch(1);
    strip->addWidget(m_okButton);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(buildSaveStrip());
    layout->addWidget(toolBar);

    connect(m_okButton, &QPushButton::clicked, this, &Setup::onOk);
    connect(m_helpButton, &QPushButton::clicked, this, &Setup::onHelp);
    connect(m_aboutButton, &QPushButton::clicked, this, &Setup::onAbout);
}

QWidget* Setup::buildSaveStrip()
{
    m_saveStrip = new QFrame(this);
    m_saveStrip->setObjectName(QStringLiteral("saveStrip"));
    m_saveIcon = new QLabel(m_saveStrip);
    m_saveMessage = new QLabel(m_saveStrip);
    m_saveMessage->setObjectName(QStringLiteral("saveMessage"));
    m_saveMessage->setWordWrap(true);
    auto* row = new QHBoxLayout(m_saveStrip);
    row->addWidget(m_saveIcon, 0, Qt::AlignTop);
    row->addWidget(m_saveMessage, 1);
    m_saveStrip->hide();
    connect(&m_store, &RetryingStore::stateChanged, this, &Setup::onSaveStateChanged);
    return m_saveStrip;
}

void Setup::onSaveStateChanged(const WriteResult& state)
{
    QStyle::StandardPixmap icon = QStyle::SP_DialogApplyButton;
    QColor tint(0x27, 0xae, 0x60);
    QString text = QStringLiteral("Your changes are saved in %1.").arg(m_failedPlace);
    if (!state) {
        m_failedPlace = state.place;
        icon = QStyle::SP_MessageBoxWarning;
        tint = QColor(0xda, 0x44, 0x53);
        text = QStringLiteral("Your changes are not saved. %1: %2. The dialog keeps them and "
                              "saves them as soon as it can.")
                   .arg(state.place, state.reason);
        std::fprintf(stderr, "skyraid: cannot save the settings in %s: %s\n",
                     qPrintable(state.place), qPrintable(state.reason));
    } else {
        std::fprintf(stderr, "skyraid: the settings are saved in %s again\n",
                     qPrintable(m_failedPlace));
    }
    const int iconSize = style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, this);
    m_saveIcon->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(iconSize));
    m_saveMessage->setText(text);
    QColor background = tint;
    background.setAlpha(40);
    m_saveStrip->setStyleSheet(
        QStringLiteral("#saveStrip { background: %1; border: 1px solid %2; border-radius: 4px; }")
            .arg(background.name(QColor::HexArgb), tint.name()));
    m_saveStrip->show();
}

void Setup::placeOnScreen()
{
    const double scale = logicalDpiY() / 96.0;
    const QSize wanted(qRound(DefaultSize.width() * scale), qRound(DefaultSize.height() * scale));
    resize(wanted.expandedTo(minimumSizeHint()).expandedTo(sizeHint()));
    if (const QScreen* where = screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}

void Setup::showSettings(const QStringList& fontNames)
{
    // Every assignment below that changes a control raises that control's
    // change signal, which stores the control's value just as a user's change
    // would. What a control already shows is not stored again, and the text
    // boxes that only show a value (logoFileBox, backgroundFileBox, backgroundPlaneDelayBox) and
    // the sound cut-off's text store nothing.
    auto read = [this](Key key) { return readSetting(m_store, key); };
    AircraftTab& aircraft = *m_aircraftTab;
    BackgroundTab& background = *m_backgroundTab;
    LogoMessageTab& logoMessage = *m_logoMessageTab;

    logoMessage.fillFontList(fontNames);
    setCheckState(*aircraft.backgroundPlaneCheckBox(), read(keys::PlaneBG));

    background.setBackgroundChoice(read(keys::BackGround));
    if (const auto index =
            backgroundIndex(background.backgroundChoice(), BackgroundTab::OptionCount))
        background.backgroundOption(*index)->setChecked(true);

    setCheckState(*aircraft.jetCheckBox(), read(keys::Prop));
    setBoxText(*logoMessage.messageBox(), read(keys::Message));
    setBarPosition(*aircraft.speedBar(), read(keys::Speed));
    setCheckState(*logoMessage.messageCheckBox(), read(keys::MessageChecked));
    setCheckState(*logoMessage.logoCheckBox(), read(keys::LogoChecked));
    logoMessage.showLogoFile();
    background.showBackgroundFile();

    // The message font is found by its name. Its list position is only
    // stored for the record: a position alone would name whatever font
    // happens to sit there on this system, and selecting it would replace
    // the stored font. A font the system lacks leaves the list without a
    // selection, greyed out in the list's place, and the sample shows what
    // the system draws instead.
    const QString fontName = read(keys::FontName);
    if (const int position = logoMessage.fontPosition(fontName); position >= 0) {
        logoMessage.fontList()->setCurrentIndex(position);
    } else {
        logoMessage.fontList()->setPlaceholderText(fontName);
        logoMessage.showSampleFont(fontName);
    }

    // The bar is put where the stored pause is, like every other bar, so
    // that it agrees with the text box beside it.
    const QString bgFreq = read(keys::BGFreq);
    aircraft.backgroundPlaneDelayBox()->setText(bgFreq);
    setBarPosition(*aircraft.backgroundPlaneDelayBar(), bgFreq);

    setBarPosition(*aircraft.jetDelayBar(), read(keys::SecDelay));
    // The size's text is read before its list position is selected: that
    // selection stores the entry's text, and the size the user typed would
    // otherwise be lost. A size too long for the box goes back whole.
    const QString fontSize = read(keys::FontSize);
    logoMessage.selectFontSize(read(keys::SelectedFontSize));
    if (!setBoxText(*logoMessage.fontSizeList()->lineEdit(), fontSize))
        writeSetting(m_store, keys::FontSize, fontSize);

    setBarPosition(*aircraft.mouseSensitivityBar(), read(keys::MouseSens));
    setCheckState(*aircraft.clockCheckBox(), read(keys::Clock));
    setBoxText(*aircraft.clockFontSizeBox(), read(keys::FontClock));
    aircraft.soundCutOffList()->setEditText(read(keys::SoundOff));
    setBarPosition(*aircraft.volumeBar(), read(keys::Volume));
    setCheckState(*aircraft.powerSaveCheckBox(), read(keys::PwrSave));
    setCheckState(*background.fillScreenCheckBox(), read(keys::FillScreen));

    background.enableBackgroundPicker();
}

void Setup::done(int result)
{
    // The last chance for changes still held: the folder may just have been
    // set right.
    m_store.retry();
    if (m_store.heldCount() > 0)
        std::fprintf(stderr, "skyraid: closed with %d changes not saved in %s\n",
                     m_store.heldCount(), qPrintable(m_failedPlace));
    QDialog::done(result);
}

void Setup::onOk()
{
    // Every change is stored already.
    close();
}

void Setup::onHelp()
{
    openAddress(supportPage());
}

void Setup::onAbout()
{
    m_services.messages->show(this, MessageBoxes::Icon::None, programTitle(), aboutText());
}

void openAddress(const QString& address)
{
    // A bare file path opens as a document, a bare host name as a web page.
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace skyraid
