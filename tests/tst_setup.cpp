#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <functional>
#include <memory>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.left(80).toStdString() << '"';
}

namespace {

// Sorted without regard to case: Arial, Courier New, dejaVu Sans, Liberation
// Serif, Times New Roman, Verdana.
const QStringList Fonts{u"Verdana"_s,     u"Times New Roman"_s,  u"dejaVu Sans"_s,
                        u"Courier New"_s, u"Liberation Serif"_s, u"Arial"_s};

QString stored(SettingsStore& store, Key key)
{
    return store.read(key.section, key.name, u"<missing>"_s);
}

void put(SettingsStore& store, Key key, const QString& text)
{
    store.write(key.section, key.name, text);
}

// A dialog opened on a store, which tells the writes of loading from later ones.
class Opened {
public:
    explicit Opened(test::MemoryStore& store, DialogServices services = {})
        : m_store(store), m_before(store.writes().size()),
          m_setup(std::make_unique<skyraid::Setup>(store, Fonts, std::move(services))),
          m_loaded(store.writes().size())
    {}

    skyraid::Setup& dialog() { return *m_setup; }
    template <class T> T& find(const char* name)
    {
        T* child = m_setup->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            throw std::runtime_error(std::string("no control named ") + name);
        return *child;
    }
    QStringList loadWrites() const { return m_store.writes().mid(m_before, m_loaded - m_before); }
    QStringList writesSinceLoad() const { return m_store.writes().mid(m_loaded); }

    // Shows the dialog on the tab that holds the control.
    void showTabOf(QWidget& control)
    {
        m_setup->show();
        m_setup->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_setup.get()));
        for (int i = 0; i < m_setup->tabs()->count(); ++i)
            if (m_setup->tabs()->widget(i)->isAncestorOf(&control))
                m_setup->tabs()->setCurrentIndex(i);
    }

private:
    test::MemoryStore& m_store;
    qsizetype m_before;
    std::unique_ptr<skyraid::Setup> m_setup;
    qsizetype m_loaded;
};

test::MemoryStore seededStore()
{
    test::MemoryStore store;
    SetRegistry(store, u"/opt/skyraid/"_s);
    return store;
}

// Drags a bar's thumb with the mouse a pixel at a time until it shows
// `target`, calling `step` after each move, then lets go.
void dragThumb(QScrollBar& bar, int target, const std::function<void()>& step)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.pageStep = bar.pageStep();
    QPoint at = bar.style()
                    ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar)
                    .center();
    auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, bar.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&bar, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    for (int guard = 0; bar.sliderPosition() != target && guard < 2000; ++guard) {
        at.rx() += target > bar.sliderPosition() ? 1 : -1;
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        step();
    }
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

void pickEntry(QComboBox& list, int row)
{
    list.showPopup();
    QAbstractItemView* view = list.view();
    const QModelIndex index = view->model()->index(row, list.modelColumn());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

void retype(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
}

// Stands for the user's web browser.
class Browser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }
};

class SetupSeeded : public ::testing::Test {
protected:
    test::MemoryStore store = seededStore();
    Opened opened{store};
};

} // namespace

TEST(SetupOpening, OnAnEmptyStoreShowsTheFallbackAndStoresWhatItChanged)
{
    test::MemoryStore store;
    Opened opened(store);
    // "1" lies below every bar's range: the bars stay at their start and the
    // boxes beside them keep their text.
    const std::pair<const char*, const char*> texts[] = {
        {"txtMessage", "1"},  {"txtFontSize", "1"}, {"txtLogo", "1"},     {"txtBGFile", "1"},
        {"txtBGPlanes", "1"}, {"txtSpeed", ""},     {"txtFastJet", "30"}, {"txtMouseS", ""}};
    for (auto [name, text] : texts)
        EXPECT_EQ(opened.find<QLineEdit>(name).text(), QLatin1String(text)) << name;
    EXPECT_EQ(opened.find<QComboBox>("cboSoundOff").currentText(), u"1"_s);
    EXPECT_EQ(opened.find<QScrollBar>("hsbVolume").value(), 0);
    EXPECT_FALSE(opened.find<QPushButton>("cmdSelectBG").isEnabled());
    // The font "1" is not installed: no entry, its name greyed in the list.
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").currentIndex(), -1);
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").placeholderText(), u"1"_s);
    EXPECT_EQ(opened.find<QLabel>("lblSample").font().family(), u"1"_s);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentIndex(), 1);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentText(), u"1"_s);
    QString folder = QDir::toNativeSeparators(assetFolder());
    folder.chop(1);
    EXPECT_EQ(opened.find<QLabel>("Label6").text(), u' ' + folder);

    EXPECT_EQ(opened.loadWrites(), (QStringList{u"PlaneBG"_s, u"BackGround"_s, u"Prop"_s,
                                                u"Message"_s, u"MessageChecked"_s, u"LogoChecked"_s,
                                                u"SelectedFontSize"_s, u"FontSize"_s, u"FontSize"_s,
                                                u"Clock"_s, u"FontClock"_s, u"PwrSave"_s}));
    for (Key key : {keys::PlaneBG, keys::BackGround, keys::Prop, keys::Message,
                    keys::MessageChecked, keys::LogoChecked, keys::SelectedFontSize, keys::FontSize,
                    keys::Clock, keys::FontClock, keys::PwrSave})
        EXPECT_EQ(stored(store, key), u"1"_s) << key.name.data();
}

TEST(SetupOpening, OnASeededStoreAndOkAtOnceKeepsEveryValue)
{
    test::MemoryStore store = seededStore();
    put(store, keys::PlaneBG, u"01"_s);
    put(store, keys::FontName, u"Times New Roman"_s);
    put(store, keys::SelectedFont, u"1"_s); // stale: the font sits at 4 in this list
    put(store, keys::FontSize, u"24"_s);    // typed: it survives the list position
    put(store, keys::BGFreq, u"120"_s);
    test::MemoryStore before = store;

    Opened opened(store);
    const std::pair<const char*, int> bars[] = {
        {"hsbSpeed", 3}, {"hsbMouseS", 4}, {"hsbVolume", -857}, {"HSBSec", 120}, {"hsbFastJet", 30}};
    for (auto [name, value] : bars)
        EXPECT_EQ(opened.find<QScrollBar>(name).value(), value) << name;
    const std::pair<const char*, const char*> texts[] = {
        {"txtSpeed", "3"}, {"txtMouseS", "4"}, {"txtBGPlanes", "120"}, {"txtFastJet", "30"}};
    for (auto [name, text] : texts)
        EXPECT_EQ(opened.find<QLineEdit>(name).text(), QLatin1String(text)) << name;
    EXPECT_TRUE(opened.find<QRadioButton>("optBakGrnd2").isChecked());
    EXPECT_TRUE(opened.find<QPushButton>("cmdSelectBG").isEnabled());
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").currentText(), u"Times New Roman"_s);
    EXPECT_EQ(opened.find<QLabel>("lblSample").font().family(), u"Times New Roman"_s);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentIndex(), 3);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentText(), u"24"_s);
    EXPECT_EQ(opened.find<QLineEdit>("txtLogo").text(), u"/opt/skyraid/Logo.bmp"_s);

    opened.dialog().show();
    QTest::mouseClick(&opened.find<QPushButton>("cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(opened.dialog().isVisible());
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
    // What a control held from the start is not stored again; only the
    // number's plain form and the font's true position differ.
    for (const char* key : {"SecDelay", "SoundOff"})
        EXPECT_FALSE(opened.loadWrites().contains(QLatin1String(key))) << key;
    for (const SeededKey& entry : SeedTable) {
        QString expected = stored(before, entry.key);
        if (entry.key.name == keys::PlaneBG.name)
            expected = u"1"_s;
        if (entry.key.name == keys::SelectedFont.name)
            expected = u"4"_s;
        EXPECT_EQ(stored(store, entry.key), expected) << entry.key.name.data();
    }
}

// Texts longer than a box can hold are shown cut, but only an edit stores them.
TEST(SetupOpening, LongTextsStayWholeUntilTheUserEditsThem)
{
    QTemporaryDir config;
    SystemSettingsStore store(config.filePath(u"SkyRaid.ini"_s));
    SetRegistry(store, u"/opt/skyraid/"_s);
    const QString longText = QString(100000, u'7');
    for (Key key : {keys::Message, keys::FontClock, keys::FontSize})
        put(store, key, longText);
    {
        skyraid::Setup setup(store, Fonts);
        setup.show();
        setup.close();
        EXPECT_EQ(setup.findChild<QLineEdit*>(u"txtMessage"_s)->text().size(), 32767);
    }
    for (Key key : {keys::Message, keys::FontClock, keys::FontSize})
        EXPECT_EQ(stored(store, key), longText) << key.name.data();

    skyraid::Setup setup(store, Fonts);
    QLineEdit& message = *setup.findChild<QLineEdit*>(u"txtMessage"_s);
    message.setFocus();
    QTest::keyClick(&message, Qt::Key_Backspace);
    EXPECT_EQ(stored(store, keys::Message), longText.left(32766));
    EXPECT_EQ(stored(store, keys::FontSize), longText);
}

struct HostileRow {
    Key key;
    const char* text;
    const char* control;
    int expected; // a bar's value, a box's ticked state (1/0) or an entry (-1 none)
    const char* storedAfter;
};

void PrintTo(const HostileRow& row, std::ostream* os)
{
    *os << row.key.name.data() << "=\"" << row.text << '"';
}

class SetupHostile : public ::testing::TestWithParam<HostileRow> {};

TEST_P(SetupHostile, DialogOpensAndTheControlTakesTheNearestState)
{
    const HostileRow& row = GetParam();
    test::MemoryStore store;
    put(store, row.key, QString::fromUtf8(row.text));
    Opened opened(store);
    const QString name = QString::fromLatin1(row.control);
    if (auto* bar = opened.dialog().findChild<QScrollBar*>(name))
        EXPECT_EQ(bar->value(), row.expected);
    else if (auto* box = opened.dialog().findChild<QCheckBox*>(name))
        EXPECT_EQ(box->isChecked(), row.expected == 1);
    else if (auto* list = opened.dialog().findChild<QComboBox*>(name))
        EXPECT_EQ(list->currentIndex(), row.expected);
    else // the background options: the one ticked, or none
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(opened.find<QRadioButton>(("optBakGrnd" + std::to_string(i)).c_str())
                          .isChecked(),
                      i == row.expected)
                << i;
    EXPECT_EQ(opened.find<QPushButton>("cmdSelectBG").isEnabled(),
              row.key.name == keys::BackGround.name && row.expected == 2);
    EXPECT_EQ(stored(store, row.key), QString::fromUtf8(row.storedAfter));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SetupHostile, ::testing::Values(
    HostileRow{keys::Speed, "99999999999", "hsbSpeed", 100, "100"},
    HostileRow{keys::Speed, "-7", "hsbSpeed", 2, "-7"},
    HostileRow{keys::Speed, "abc", "hsbSpeed", 2, "abc"},
    HostileRow{keys::Speed, "10.5", "hsbSpeed", 10, "10"},
    HostileRow{keys::MouseSens, "20", "hsbMouseS", 20, "20"},
    HostileRow{keys::Volume, "-32769", "hsbVolume", -2500, "-2500"},
    HostileRow{keys::PlaneBG, "2", "chkBG", 0, "2"},
    HostileRow{keys::PwrSave, "1.0", "chkPowerSave", 1, "1"},
    HostileRow{keys::FontName, "verdana", "cboFontsScreen", 5, "Verdana"},
    HostileRow{keys::SelectedFont, "0", "cboFontsScreen", -1, "0"},
    HostileRow{keys::SelectedFontSize, "11", "cboFontSize", -1, "11"},
    HostileRow{keys::SelectedFontSize, "0", "cboFontSize", 0, "0"},
    HostileRow{keys::BackGround, "2", "optBakGrnd", 1, "2"},
    HostileRow{keys::BackGround, "2.5", "optBakGrnd", 2, "3"},
    HostileRow{keys::BackGround, "4", "optBakGrnd", -1, "4"},
    HostileRow{keys::BackGround, "0.5", "optBakGrnd", 0, "1"}));
// clang-format on

// A control changes; these keys are written, the last with this value, and
// the box beside a bar shows it.
struct ControlRow {
    const char* control;
    std::function<void(QWidget&)> act;
    QStringList writes;
    Key key;
    const char* expected;
    const char* box = nullptr;
};

void PrintTo(const ControlRow& row, std::ostream* os)
{
    *os << row.control << " -> " << row.key.name.data();
}

class SetupControl : public SetupSeeded, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(SetupControl, StoresItsOptionTheMomentItChanges)
{
    const ControlRow& row = GetParam();
    QWidget& control = opened.find<QWidget>(row.control);
    opened.showTabOf(control);
    row.act(control);
    EXPECT_EQ(opened.writesSinceLoad(), row.writes);
    EXPECT_EQ(stored(store, row.key), QString::fromUtf8(row.expected));
    if (row.box) {
        EXPECT_EQ(opened.find<QLineEdit>(row.box).text(), QString::fromUtf8(row.expected));
    }
}

void click(QWidget& control)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(8, control.height() / 2));
}

auto pressing(Qt::Key key)
{
    return [key](QWidget& control) {
        control.setFocus();
        QTest::keyClick(&control, key);
    };
}

auto typing(const QString& text)
{
    return [text](QWidget& box) { retype(static_cast<QLineEdit&>(box), text); };
}

auto picking(int row)
{
    return [row](QWidget& list) { pickEntry(static_cast<QComboBox&>(list), row); };
}

QStringList times(int count, const char* key)
{
    return QStringList(count, QString::fromLatin1(key));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SetupControl, ::testing::Values(
    ControlRow{"chkProp", click, times(1, "Prop"), keys::Prop, "0"},
    ControlRow{"chkBG", click, times(1, "PlaneBG"), keys::PlaneBG, "0"},
    ControlRow{"chkClock", click, times(1, "Clock"), keys::Clock, "1"},
    ControlRow{"chkLogo", click, times(1, "LogoChecked"), keys::LogoChecked, "1"},
    ControlRow{"chkMessage", click, times(1, "MessageChecked"), keys::MessageChecked, "1"},
    ControlRow{"chkPowerSave", click, times(1, "PwrSave"), keys::PwrSave, "1"},
    ControlRow{"hsbSpeed", pressing(Qt::Key_Right), times(1, "Speed"), keys::Speed, "4", "txtSpeed"},
    ControlRow{"hsbFastJet", pressing(Qt::Key_Right), times(1, "SecDelay"), keys::SecDelay, "31", "txtFastJet"},
    ControlRow{"HSBSec", pressing(Qt::Key_Right), times(1, "BGFreq"), keys::BGFreq, "37", "txtBGPlanes"},
    ControlRow{"hsbMouseS", pressing(Qt::Key_Left), times(1, "MouseSens"), keys::MouseSens, "3", "txtMouseS"},
    ControlRow{"hsbVolume", pressing(Qt::Key_Left), times(1, "Volume"), keys::Volume, "-858"},
    ControlRow{"optBakGrnd1", click, times(1, "BackGround"), keys::BackGround, "2"},
    // Every keystroke stores the whole text, unchecked.
    ControlRow{"txtMessage", typing(u"Hello"_s), times(5, "Message"), keys::Message, "Hello"},
    ControlRow{"txtFontSize", typing(u"12a"_s), times(3, "FontClock"), keys::FontClock, "12a"},
    ControlRow{"cboFontsScreen", picking(1), {u"SelectedFont"_s, u"FontName"_s}, keys::FontName, "Courier New"},
    ControlRow{"cboFontSize", picking(2), {u"SelectedFontSize"_s, u"FontSize"_s}, keys::FontSize, "20"},
    ControlRow{"cboSoundOff", picking(10), times(1, "SoundOff"), keys::SoundOff, "45"},
    // Boxes that only show a value store nothing.
    ControlRow{"txtBGPlanes", typing(u"99"_s), {}, keys::BGFreq, "36"},
    ControlRow{"txtLogo", typing(u"99"_s), {}, keys::LogoFileName, "/opt/skyraid/Logo.bmp"}));
// clang-format on

TEST_F(SetupSeeded, FontPickShowsInTheSampleAndBackgroundChoiceEnablesItsButton)
{
    auto& fonts = opened.find<QComboBox>("cboFontsScreen");
    opened.showTabOf(fonts);
    pickEntry(fonts, 0);
    EXPECT_EQ(stored(store, keys::SelectedFont), u"0"_s);
    EXPECT_EQ(opened.find<QLabel>("lblSample").font().family(), u"Arial"_s);
    EXPECT_DOUBLE_EQ(opened.find<QLabel>("lblSample").font().pointSizeF(), 13.5);

    auto& select = opened.find<QPushButton>("cmdSelectBG");
    opened.showTabOf(select);
    for (auto [option, enabled] : {std::pair{"optBakGrnd1", false}, {"optBakGrnd2", true},
                                   {"optBakGrnd0", false}}) {
        click(opened.find<QRadioButton>(option));
        EXPECT_EQ(select.isEnabled(), enabled) << option;
    }
    EXPECT_EQ(stored(store, keys::BackGround), u"1"_s);
}

TEST_F(SetupSeeded, TypedTextIsNoPickFromTheList)
{
    auto& sizes = opened.find<QComboBox>("cboFontSize");
    opened.showTabOf(sizes);
    pickEntry(sizes, 2);
    // Typed sizes are stored keystroke by keystroke, confirmed or not, even
    // where they match an entry; the list position stays the one picked.
    const std::pair<const char*, Qt::Key> typed[] = {
        {"24", Qt::Key_unknown}, {"30", Qt::Key_Return}, {"50", Qt::Key_Tab}};
    for (auto [text, confirm] : typed) {
        retype(*sizes.lineEdit(), QString::fromLatin1(text));
        if (confirm != Qt::Key_unknown)
            QTest::keyClick(sizes.lineEdit(), confirm);
        EXPECT_EQ(stored(store, keys::FontSize), QLatin1String(text));
        EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2"_s) << text;
    }
    EXPECT_EQ(opened.writesSinceLoad().mid(2), times(6, "FontSize"));
    // Picking the entry that typing reached is a pick all the same.
    pickEntry(sizes, 5);
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"5"_s);

    // The sound cut-off stores nothing typed.
    auto& cutOff = opened.find<QComboBox>("cboSoundOff");
    opened.showTabOf(cutOff);
    for (const char* text : {"7", "45"}) {
        retype(*cutOff.lineEdit(), QString::fromLatin1(text));
        QTest::keyClick(cutOff.lineEdit(), Qt::Key_Return);
    }
    EXPECT_EQ(stored(store, keys::SoundOff), u"Never"_s);
}

TEST(SetupControls, DraggingStoresEachPositionExceptTheVolumesOnRelease)
{
    test::MemoryStore store;
    put(store, keys::Speed, u"2"_s);
    put(store, keys::Volume, u"0"_s);
    Opened opened(store);
    opened.dialog().show();
    auto& speed = opened.find<QScrollBar>("hsbSpeed");
    QSet<QString> shown;
    dragThumb(speed, 10, [&] {
        if (speed.sliderPosition() == 2)
            return; // the thumb has not left its place yet
        shown << opened.find<QLineEdit>("txtSpeed").text();
        EXPECT_EQ(stored(store, keys::Speed), QString::number(speed.sliderPosition()));
    });
    EXPECT_GE(shown.size(), 2);
    EXPECT_EQ(stored(store, keys::Speed), u"10"_s);

    auto& volume = opened.find<QScrollBar>("hsbVolume");
    const qsizetype before = store.writes().size();
    // A pixel of thumb travel is several volume steps.
    dragThumb(volume, -1200, [&] {
        EXPECT_EQ(store.writes().size(), before);
        if (volume.sliderPosition() <= -1200)
            volume.setSliderPosition(-1200);
    });
    EXPECT_EQ(store.writes().mid(before), times(1, "Volume"));
    EXPECT_EQ(stored(store, keys::Volume), u"-1200"_s);
}

TEST(SetupButtons, HelpOpensTheSupportPageAboutNamesTheProductNeitherStores)
{
    test::MemoryStore store;
    test::RecordingMessages messages;
    Opened opened(store, DialogServices{&messages, [] { return QStringList(); }});
    opened.dialog().show();
    Browser browser;
    QDesktopServices::setUrlHandler(u"https"_s, &browser, "open");
    opened.find<QPushButton>("cmdHelp").click();
    QDesktopServices::unsetUrlHandler(u"https"_s);
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened.first(), QUrl(u"https://www.stratowave.example/support.htm"_s));
    EXPECT_TRUE(opened.dialog().windowTitle().endsWith(u"    www.stratowave.example"));

    opened.find<QPushButton>("cmdAbout").click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, u"SkyRaid"_s);
    EXPECT_EQ(messages.shown[0].text.section(u"\r\n"_s, 0, 0),
              u"SkyRaid 3.40  Developed by Stratowave"_s);
    EXPECT_EQ(messages.shown[0].text.count(u'\n'), 1);
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
}

// Also keeps a picture of each tab in the temporary folder, to look at.
TEST(SetupLook, CentredEveryTabFitsAndFrameCaptionsAreDarkBlue)
{
    test::MemoryStore store = seededStore();
    skyraid::Setup setup(store);
    setup.show();
    EXPECT_LE((setup.frameGeometry().center() - setup.screen()->availableGeometry().center())
                  .manhattanLength(),
              8);
    for (int tab = 0; tab < setup.tabs()->count(); ++tab) {
        setup.tabs()->setCurrentIndex(tab);
        const QWidget* page = setup.tabs()->widget(tab);
        EXPECT_GE(page->width(), page->minimumSizeHint().width());
        EXPECT_GE(page->height(), page->minimumSizeHint().height());
        setup.grab().save(QDir::temp().filePath(u"skyraid-setup-%1.png"_s.arg(tab)));
    }
    setup.tabs()->setCurrentIndex(0);
    const QImage frame = setup.findChild<QWidget*>(u"frameSpeed"_s)->grab().toImage();
    bool blue = false;
    for (int y = 0; y < frame.height() && !blue; ++y)
        for (int x = 0; x < frame.width() && !blue; ++x)
            blue = frame.pixelColor(x, y) == QColor(0, 0, 192);
    EXPECT_TRUE(blue);
}

#include "tst_setup.moc"
