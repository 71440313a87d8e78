#include "setup.h"

#include "aircrafttab.h"
#include "backgroundtab.h"
#include "controls.h"
#include "controlvalues.h"
#include "helptab.h"
#include "logomessagetab.h"
#include "settings/keys.h"

#include <algorithm>
#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
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
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(caption());
    buildForm();
    Form_Load(fontNames);
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
    m_SSTab1 = new QTabWidget(this);
    m_SSTab1->setObjectName(QStringLiteral("SSTab1"));
    m_aircraft = new AircraftTab(m_store, m_SSTab1);
    m_backGround = new BackGroundTab(m_store, m_services, m_SSTab1);
    m_logoMessage = new LogoMessageTab(m_store, m_services, m_SSTab1);
    m_help = new HelpTab(m_SSTab1);
    m_SSTab1->addTab(m_aircraft, QStringLiteral("Aircraft"));
    m_SSTab1->addTab(m_backGround, QStringLiteral("BackGround"));
    m_SSTab1->addTab(m_logoMessage, QStringLiteral("Logo/Message"));
    m_SSTab1->addTab(m_help, QStringLiteral("Help"));
    m_SSTab1->setCurrentWidget(m_aircraft);

    auto* picToolBar = new QWidget(this);
    picToolBar->setObjectName(QStringLiteral("picToolBar"));
    m_cmdAbout = button(QStringLiteral("&About"), QStringLiteral("cmdAbout"), picToolBar);
    m_cmdHelp = button(QStringLiteral("&Online HELP"), QStringLiteral("cmdHelp"), picToolBar);
    m_cmdOK = button(QStringLiteral("&OK"), QStringLiteral("cmdOK"), picToolBar);
    controls::setBold(m_cmdOK);
    auto* strip = new QHBoxLayout(picToolBar);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->addWidget(m_cmdAbout);
    strip->addWidget(m_cmdHelp);
    strip->addStretch(1);
    strip->addWidget(m_cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_SSTab1, 1);
    layout->addWidget(picToolBar);

    connect(m_cmdOK, &QPushButton::clicked, this, &Setup::cmdOK_Click);
    connect(m_cmdHelp, &QPushButton::clicked, this, &Setup::cmdHelp_Click);
    connect(m_cmdAbout, &QPushButton::clicked, this, &Setup::cmdAbout_Click);
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

void Setup::Form_Load(const QStringList& fontNames)
{
    // Every assignment below that changes a control raises that control's
    // change signal, which stores the control's value just as a user's change
    // would. What a control already shows is not stored again, and the text
    // boxes that only show a value (txtLogo, txtBGFile, txtBGPlanes) and the
    // sound cut-off's text store nothing.
    auto read = [this](Key key) { return readSetting(m_store, key); };
    AircraftTab& aircraft = *m_aircraft;
    BackGroundTab& backGround = *m_backGround;
    LogoMessageTab& logoMessage = *m_logoMessage;

    logoMessage.fillFontList(fontNames);
    setCheckState(*aircraft.chkBG(), read(keys::PlaneBG));

    backGround.setBackgroundChoice(read(keys::BackGround));
    if (const auto index =
            backgroundIndex(backGround.backgroundChoice(), BackGroundTab::OptionCount))
        backGround.optBakGrnd(*index)->setChecked(true);

    setCheckState(*aircraft.chkProp(), read(keys::Prop));
    setBoxText(*logoMessage.txtMessage(), read(keys::Message));
    setBarPosition(*aircraft.hsbSpeed(), read(keys::Speed));
    setCheckState(*logoMessage.chkMessage(), read(keys::MessageChecked));
    setCheckState(*logoMessage.chkLogo(), read(keys::LogoChecked));
    logoMessage.SelectLogo();
    backGround.SelectBG();

    // The message font is found by its name. Its list position is only
    // stored for the record: a position alone would name whatever font
    // happens to sit there on this system, and selecting it would replace
    // the stored font. A font the system lacks leaves the list without a
    // selection, greyed out in the list's place, and the sample shows what
    // the system draws instead.
    const QString fontName = read(keys::FontName);
    if (const int position = logoMessage.fontPosition(fontName); position >= 0) {
        logoMessage.cboFontsScreen()->setCurrentIndex(position);
    } else {
        logoMessage.cboFontsScreen()->setPlaceholderText(fontName);
        logoMessage.showSampleFont(fontName);
    }

    // The bar is put where the stored pause is, like every other bar, so
    // that it agrees with the text box beside it.
    const QString bgFreq = read(keys::BGFreq);
    aircraft.txtBGPlanes()->setText(bgFreq);
    setBarPosition(*aircraft.HSBSec(), bgFreq);

    setBarPosition(*aircraft.hsbFastJet(), read(keys::SecDelay));
    // The size's text is read before its list position is selected: that
    // selection stores the entry's text, and the size the user typed would
    // otherwise be lost. A size too long for the box goes back whole.
    const QString fontSize = read(keys::FontSize);
    logoMessage.selectFontSize(read(keys::SelectedFontSize));
    if (!setBoxText(*logoMessage.cboFontSize()->lineEdit(), fontSize))
        writeSetting(m_store, keys::FontSize, fontSize);

    setBarPosition(*aircraft.hsbMouseS(), read(keys::MouseSens));
    setCheckState(*aircraft.chkClock(), read(keys::Clock));
    setBoxText(*aircraft.txtFontSize(), read(keys::FontClock));
    aircraft.cboSoundOff()->setEditText(read(keys::SoundOff));
    setBarPosition(*aircraft.hsbVolume(), read(keys::Volume));
    setCheckState(*aircraft.chkPowerSave(), read(keys::PwrSave));

    backGround.enableSelectBG();
}

void Setup::cmdOK_Click()
{
    // Every change is stored already.
    close();
}

void Setup::cmdHelp_Click()
{
    Navigate(*this, supportPage());
}

void Setup::cmdAbout_Click()
{
    m_services.messages->show(this, MessageBoxes::Icon::None, programTitle(), aboutText());
}

void Navigate(QWidget& frm, QString WebPageURL)
{
    Q_UNUSED(frm);
    // A bare file path opens as a document, a bare host name as a web page.
    QDesktopServices::openUrl(QUrl::fromUserInput(WebPageURL));
}

} // namespace skyraid
