#include "platform/platform.h"
#include "settings/keys.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <functional>
#include <memory>
#include <stdexcept>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

// Readable failure messages.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// The font list of these tests, in the order the dialog sorts it.
const QStringList Fonts{u"Arial"_s,           u"Courier New"_s,
                        u"DejaVu Sans"_s,     u"Liberation Serif"_s,
                        u"Times New Roman"_s, u"Verdana"_s};

const QString Missing = u"<missing>"_s;

QString stored(test::MemoryStore& store, Key key)
{
    return store.read(key.section, key.name, Missing);
}

void put(test::MemoryStore& store, Key key, const QString& text)
{
    store.write(key.section, key.name, text);
}

// A dialog opened on a store, with the store's writes from then on.
class Opened {
public:
    explicit Opened(test::MemoryStore& store, const QStringList& fonts = Fonts)
        : m_store(store), m_writesBefore(int(store.writes().size())),
          m_setup(std::make_unique<skyraid::Setup>(store, fonts))
    {}

    skyraid::Setup& dialog() { return *m_setup; }

    template <class T> T& find(const QString& name)
    {
        T* child = m_setup->findChild<T*>(name);
        if (!child)
            throw std::runtime_error("no control named " + name.toStdString());
        return *child;
    }

    // The keys written while the dialog opened, in order.
    QStringList loadWrites() const { return m_store.writes().mid(m_writesBefore, m_loaded); }
    // The keys written since the dialog finished opening, in order.
    QStringList writesSinceLoad() const { return m_store.writes().mid(m_writesBefore + m_loaded); }

    // Marks the end of loading; call right after construction.
    Opened& loaded()
    {
        m_loaded = int(m_store.writes().size()) - m_writesBefore;
        return *this;
    }

    // Shows the dialog on the tab that holds the named control.
    void showTabOf(QWidget& control)
    {
        m_setup->show();
        QTabWidget* tabs = m_setup->tabs();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(&control))
                tabs->setCurrentIndex(i);
    }

private:
    test::MemoryStore& m_store;
    int m_writesBefore = 0;
    int m_loaded = 0;
    std::unique_ptr<skyraid::Setup> m_setup;
};

test::MemoryStore seededStore()
{
    test::MemoryStore store;
    SetRegistry(store, u"/opt/skyraid/"_s);
    return store;
}

QStringList repeated(const QString& key, int times)
{
    QStringList keys;
    for (int i = 0; i < times; ++i)
        keys << key;
    return keys;
}

// Drives a scroll bar's thumb as the mouse would: press on the thumb, move
// one pixel at a time until the thumb shows `target`, then let go. Calls
// `step` after each move.
void dragThumb(QScrollBar& bar, int target, const std::function<void()>& step = {})
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.singleStep = bar.singleStep();
    option.pageStep = bar.pageStep();
    option.upsideDown = bar.invertedAppearance();
    option.subControls = QStyle::SC_All;
    const QRect thumb = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option,
                                                    QStyle::SC_ScrollBarSlider, &bar);
    QPoint at = thumb.center();
    const int direction = target > bar.sliderPosition() ? 1 : -1;

    QMouseEvent press(QEvent::MouseButtonPress, at, bar.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &press);
    for (int guard = 0; bar.sliderPosition() != target && guard < 2000; ++guard) {
        at.rx() += direction;
        QMouseEvent move(QEvent::MouseMove, at, bar.mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&bar, &move);
        if (step)
            step();
    }
    QMouseEvent release(QEvent::MouseButtonRelease, at, bar.mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &release);
}

// Picks an entry from a list's pop-up with the mouse.
void pickEntry(QComboBox& list, int row)
{
    list.showPopup();
    QAbstractItemView* view = list.view();
    const QModelIndex index = view->model()->index(row, list.modelColumn());
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

void typeInto(QLineEdit& box, const QString& text)
{
    box.setFocus();
    QTest::keyClicks(&box, text);
}

} // namespace

// --- Opening -----------------------------------------------------------------

TEST(SetupOpening, OnAnEmptyStoreShowsTheFallbackAndStoresWhatItChanged)
{
    test::MemoryStore store;
    Opened opened(store);
    opened.loaded();

    // Text boxes show the fallback "1"; the message and clock size store it.
    EXPECT_EQ(opened.find<QLineEdit>(u"txtMessage"_s).text(), u"1");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtFontSize"_s).text(), u"1");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtLogo"_s).text(), u"1");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtBGFile"_s).text(), u"1");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtBGPlanes"_s).text(), u"1");
    EXPECT_EQ(opened.find<QComboBox>(u"cboSoundOff"_s).currentText(), u"1");
    // "1" lies below every bar's range: the bars stay at their start, so
    // nothing moves and the boxes beside them keep their starting text.
    EXPECT_EQ(opened.find<QScrollBar>(u"hsbSpeed"_s).value(), 2);
    EXPECT_EQ(opened.find<QLineEdit>(u"txtSpeed"_s).text(), u"");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtFastJet"_s).text(), u"30");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtMouseS"_s).text(), u"");
    EXPECT_EQ(opened.find<QScrollBar>(u"hsbVolume"_s).value(), 0);
    EXPECT_TRUE(opened.find<QCheckBox>(u"chkProp"_s).isChecked());
    EXPECT_TRUE(opened.find<QRadioButton>(u"optBakGrnd0"_s).isChecked());
    EXPECT_FALSE(opened.find<QPushButton>(u"cmdSelectBG"_s).isEnabled());
    // The font named "1" is not installed: no entry, and nothing stored.
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontsScreen"_s).currentIndex(), -1);
    // The size list picks position 1, then its text becomes the stored "1".
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontSize"_s).currentIndex(), 1);
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontSize"_s).currentText(), u"1");

    // Exactly these writes, in the loading order.
    EXPECT_EQ(opened.loadWrites(), (QStringList{u"PlaneBG"_s, u"BackGround"_s, u"Prop"_s,
                                                u"Message"_s, u"MessageChecked"_s, u"LogoChecked"_s,
                                                u"SelectedFontSize"_s, u"FontSize"_s, u"FontSize"_s,
                                                u"Clock"_s, u"FontClock"_s, u"PwrSave"_s}));
    for (Key key : {keys::PlaneBG, keys::BackGround, keys::Prop, keys::Message,
                    keys::MessageChecked, keys::LogoChecked, keys::SelectedFontSize, keys::FontSize,
                    keys::Clock, keys::FontClock, keys::PwrSave})
        EXPECT_EQ(stored(store, key), u"1") << key.name.data();
}

TEST(SetupOpening, OnASeededStoreAndOkAtOnceKeepsEveryValue)
{
    test::MemoryStore store = seededStore();
    put(store, keys::PlaneBG, u"01"_s);
    put(store, keys::FontName, u"Times New Roman"_s);
    put(store, keys::SelectedFont, u"1"_s); // stale: the font sits at 4 in this list
    test::MemoryStore before = store;

    Opened opened(store);
    opened.loaded();
    EXPECT_EQ(opened.find<QScrollBar>(u"hsbSpeed"_s).value(), 3);
    EXPECT_EQ(opened.find<QLineEdit>(u"txtSpeed"_s).text(), u"3");
    EXPECT_EQ(opened.find<QScrollBar>(u"hsbMouseS"_s).value(), 4);
    EXPECT_EQ(opened.find<QLineEdit>(u"txtMouseS"_s).text(), u"4");
    EXPECT_EQ(opened.find<QScrollBar>(u"hsbVolume"_s).value(), -857);
    EXPECT_EQ(opened.find<QScrollBar>(u"HSBSec"_s).value(), 36);
    EXPECT_EQ(opened.find<QLineEdit>(u"txtBGPlanes"_s).text(), u"36");
    EXPECT_TRUE(opened.find<QRadioButton>(u"optBakGrnd2"_s).isChecked());
    EXPECT_TRUE(opened.find<QPushButton>(u"cmdSelectBG"_s).isEnabled());
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontsScreen"_s).currentText(), u"Times New Roman");
    EXPECT_EQ(opened.find<QLabel>(u"lblSample"_s).font().family(), u"Times New Roman");
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontSize"_s).currentIndex(), 3);
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontSize"_s).currentText(), u"30");
    EXPECT_EQ(opened.find<QComboBox>(u"cboSoundOff"_s).currentText(), u"Never");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtLogo"_s).text(), u"/opt/skyraid/Logo.bmp");

    opened.dialog().show();
    QTest::mouseClick(&opened.find<QPushButton>(u"cmdOK"_s), Qt::LeftButton);
    EXPECT_FALSE(opened.dialog().isVisible());
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());

    // Only the number's plain form and the font's true position differ.
    for (const SeededKey& entry : SeedTable) {
        QString expected = stored(before, entry.key);
        if (entry.key.name == keys::PlaneBG.name)
            expected = u"1"_s;
        if (entry.key.name == keys::SelectedFont.name)
            expected = u"4"_s;
        EXPECT_EQ(stored(store, entry.key), expected) << entry.key.name.data();
    }
}

TEST(SetupOpening, TypedFontSizeSurvivesTheListPosition)
{
    test::MemoryStore store = seededStore();
    put(store, keys::SelectedFontSize, u"2"_s);
    put(store, keys::FontSize, u"24"_s);
    Opened opened(store);
    opened.loaded();
    EXPECT_EQ(opened.find<QComboBox>(u"cboFontSize"_s).currentText(), u"24");
    EXPECT_EQ(stored(store, keys::FontSize), u"24");
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");
}

TEST(SetupOpening, ValuesEqualToTheStartingStateStoreNothing)
{
    test::MemoryStore store;
    put(store, keys::Speed, u"2"_s);
    put(store, keys::MouseSens, u"2"_s);
    put(store, keys::SecDelay, u"30"_s);
    put(store, keys::Message, u""_s);
    Opened opened(store);
    opened.loaded();
    EXPECT_EQ(opened.find<QLineEdit>(u"txtSpeed"_s).text(), u"");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtMouseS"_s).text(), u"");
    EXPECT_EQ(opened.find<QLineEdit>(u"txtFastJet"_s).text(), u"30");
    for (const char* key : {"Speed", "MouseSens", "SecDelay", "Message", "Volume", "SoundOff"})
        EXPECT_FALSE(opened.loadWrites().contains(QLatin1String(key))) << key;
}

TEST(SetupOpening, BackgroundPlanesBarStandsAtTheStoredPause)
{
    test::MemoryStore store;
    put(store, keys::BGFreq, u"120"_s);
    Opened opened(store);
    opened.loaded();
    EXPECT_EQ(opened.find<QLineEdit>(u"txtBGPlanes"_s).text(), u"120");
    EXPECT_EQ(opened.find<QScrollBar>(u"HSBSec"_s).value(), 120);
    EXPECT_EQ(stored(store, keys::BGFreq), u"120");

    // So one step of the bar moves on from what the box shows.
    opened.find<QScrollBar>(u"HSBSec"_s).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(stored(store, keys::BGFreq), u"121");
}

TEST(SetupOpening, MessageFontIsFoundByItsName)
{
    {
        test::MemoryStore store;
        put(store, keys::FontName, u"verdana"_s);
        put(store, keys::SelectedFont, u"0"_s);
        Opened opened(store);
        opened.loaded();
        EXPECT_EQ(opened.find<QComboBox>(u"cboFontsScreen"_s).currentText(), u"Verdana");
        EXPECT_EQ(stored(store, keys::SelectedFont), u"5");
        EXPECT_EQ(stored(store, keys::FontName), u"Verdana");
    }
    {
        // A font this system lacks stays the stored font: the list shows its
        // name greyed and no entry, and nothing is written.
        test::MemoryStore store;
        put(store, keys::FontName, u"Comic Sans MS"_s);
        put(store, keys::SelectedFont, u"2"_s);
        Opened opened(store);
        opened.loaded();
        auto& list = opened.find<QComboBox>(u"cboFontsScreen"_s);
        EXPECT_EQ(list.currentIndex(), -1);
        EXPECT_EQ(list.placeholderText(), u"Comic Sans MS");
        EXPECT_EQ(opened.find<QLabel>(u"lblSample"_s).font().family(), u"Comic Sans MS");
        EXPECT_EQ(stored(store, keys::FontName), u"Comic Sans MS");
        EXPECT_EQ(stored(store, keys::SelectedFont), u"2");
    }
}

TEST(SetupOpening, FontListHoldsEveryFamilySortedWithoutRegardToCase)
{
    QStringList many;
    for (int i = 299; i >= 0; --i)
        many << (i % 2 ? u"family %1"_s : u"Family %1"_s).arg(i, 3, 10, QLatin1Char('0'));
    test::MemoryStore store;
    Opened opened(store, many);
    auto& list = opened.find<QComboBox>(u"cboFontsScreen"_s);
    ASSERT_EQ(list.count(), 300);
    EXPECT_EQ(list.itemText(0), u"Family 000");
    EXPECT_EQ(list.itemText(1), u"family 001");
    EXPECT_EQ(list.itemText(299), u"family 299");
}

// --- Values the controls cannot take ------------------------------------------

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
    else
        FAIL() << "no control " << row.control;
    EXPECT_EQ(stored(store, row.key), QString::fromUtf8(row.storedAfter));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SetupHostile, ::testing::Values(
    // Numbers beyond a bar's range end at the range's end; no number leaves the bar.
    HostileRow{keys::Speed, "5000", "hsbSpeed", 100, "100"},
    HostileRow{keys::Speed, "99999999999", "hsbSpeed", 100, "100"},
    HostileRow{keys::Speed, "-7", "hsbSpeed", 2, "-7"},
    HostileRow{keys::Speed, "abc", "hsbSpeed", 2, "abc"},
    HostileRow{keys::Speed, "10.5", "hsbSpeed", 10, "10"},
    HostileRow{keys::SecDelay, "1e400", "hsbFastJet", 300, "300"},
    HostileRow{keys::MouseSens, "NaN", "hsbMouseS", 2, "NaN"},
    HostileRow{keys::Volume, "-32769", "hsbVolume", -2500, "-2500"},
    HostileRow{keys::Volume, "12 34", "hsbVolume", 0, "12 34"},
    HostileRow{keys::BGFreq, "40000", "HSBSec", 300, "300"},
    // Only 0 and 1 are a check box's states.
    HostileRow{keys::PlaneBG, "2", "chkBG", 0, "2"},
    HostileRow{keys::PlaneBG, "-1", "chkBG", 0, "-1"},
    HostileRow{keys::Clock, "yes", "chkClock", 0, "yes"},
    HostileRow{keys::PwrSave, "1.0", "chkPowerSave", 1, "1"},
    // Positions beyond the size list leave it alone; its text is still loaded.
    HostileRow{keys::SelectedFontSize, "99", "cboFontSize", -1, "99"},
    HostileRow{keys::SelectedFontSize, "-1", "cboFontSize", -1, "-1"}));
// clang-format on

struct BackgroundRow {
    const char* text;
    int ticked; // -1: no option
    bool selectEnabled;
    const char* storedAfter;
};

class SetupBackgroundValue : public ::testing::TestWithParam<BackgroundRow> {};

TEST_P(SetupBackgroundValue, TicksTheOptionItNamesOrNone)
{
    const BackgroundRow& row = GetParam();
    test::MemoryStore store;
    put(store, keys::BackGround, QString::fromUtf8(row.text));
    Opened opened(store);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(opened.find<QRadioButton>(u"optBakGrnd%1"_s.arg(i)).isChecked(), i == row.ticked)
            << i;
    EXPECT_EQ(opened.find<QPushButton>(u"cmdSelectBG"_s).isEnabled(), row.selectEnabled);
    EXPECT_EQ(stored(store, keys::BackGround), QString::fromUtf8(row.storedAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SetupBackgroundValue,
    ::testing::Values(BackgroundRow{"1", 0, false, "1"}, BackgroundRow{"2", 1, false, "2"},
                      BackgroundRow{"3", 2, true, "3"}, BackgroundRow{"3.0", 2, true, "3"},
                      BackgroundRow{"2.5", 2, true, "3"}, BackgroundRow{"7", -1, false, "7"},
                      BackgroundRow{"0", -1, false, "0"},
                      BackgroundRow{"-32768", -1, false, "-32768"},
                      BackgroundRow{"1e400", -1, false, "1e400"},
                      BackgroundRow{"sky", -1, false, "sky"}));

// --- Each control stores its option -------------------------------------------

struct ControlRow {
    const char* control;
    std::function<void(Opened&, QWidget&)> act;
    Key key;
    const char* expected;
};

void PrintTo(const ControlRow& row, std::ostream* os)
{
    *os << row.control;
}

class SetupControl : public ::testing::TestWithParam<ControlRow> {};

TEST_P(SetupControl, StoresItsOptionTheMomentItChanges)
{
    const ControlRow& row = GetParam();
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    QWidget& control = opened.find<QWidget>(QString::fromLatin1(row.control));
    opened.showTabOf(control);
    row.act(opened, control);
    ASSERT_FALSE(opened.writesSinceLoad().isEmpty());
    EXPECT_EQ(opened.writesSinceLoad().constLast(), row.key.name);
    EXPECT_EQ(stored(store, row.key), QString::fromUtf8(row.expected));
}

void click(Opened&, QWidget& control)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(8, control.height() / 2));
}

void arrowKey(Opened&, QWidget& control, Qt::Key key)
{
    control.setFocus();
    QTest::keyClick(&control, key);
}

auto pressing(Qt::Key key)
{
    return [key](Opened& opened, QWidget& control) { arrowKey(opened, control, key); };
}

auto typing(const char* text)
{
    return [text](Opened&, QWidget& control) {
        auto& box = static_cast<QLineEdit&>(control);
        box.setFocus();
        box.end(false);
        QTest::keyClicks(&box, QString::fromUtf8(text));
    };
}

auto picking(int row)
{
    return [row](Opened&, QWidget& control) { pickEntry(static_cast<QComboBox&>(control), row); };
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SetupControl, ::testing::Values(
    ControlRow{"chkProp", click, keys::Prop, "0"},
    ControlRow{"chkBG", click, keys::PlaneBG, "0"},
    ControlRow{"chkClock", click, keys::Clock, "1"},
    ControlRow{"chkLogo", click, keys::LogoChecked, "1"},
    ControlRow{"chkMessage", click, keys::MessageChecked, "1"},
    ControlRow{"chkPowerSave", click, keys::PwrSave, "1"},
    ControlRow{"optBakGrnd0", click, keys::BackGround, "1"},
    ControlRow{"optBakGrnd1", click, keys::BackGround, "2"},
    ControlRow{"hsbSpeed", pressing(Qt::Key_Right), keys::Speed, "4"},
    ControlRow{"hsbFastJet", pressing(Qt::Key_Right), keys::SecDelay, "31"},
    ControlRow{"HSBSec", pressing(Qt::Key_Right), keys::BGFreq, "37"},
    ControlRow{"hsbMouseS", pressing(Qt::Key_Left), keys::MouseSens, "3"},
    ControlRow{"hsbVolume", pressing(Qt::Key_Left), keys::Volume, "-858"},
    ControlRow{"hsbVolume", pressing(Qt::Key_End), keys::Volume, "0"},
    ControlRow{"txtMessage", typing("!"), keys::Message, "Place a message here!"},
    ControlRow{"txtFontSize", typing("5"), keys::FontClock, "165"},
    ControlRow{"cboSoundOff", picking(10), keys::SoundOff, "45"},
    ControlRow{"cboFontsScreen", picking(5), keys::FontName, "Verdana"},
    ControlRow{"cboFontSize", picking(2), keys::FontSize, "20"}));
// clang-format on

TEST(SetupControls, BarsShowEveryPositionInTheirTextBox)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    opened.dialog().show();
    const struct {
        const char* bar;
        const char* box;
    } pairs[] = {{"hsbSpeed", "txtSpeed"},
                 {"hsbFastJet", "txtFastJet"},
                 {"HSBSec", "txtBGPlanes"},
                 {"hsbMouseS", "txtMouseS"}};
    for (const auto& pair : pairs) {
        auto& bar = opened.find<QScrollBar>(QString::fromLatin1(pair.bar));
        auto& box = opened.find<QLineEdit>(QString::fromLatin1(pair.box));
        for (auto action :
             {QAbstractSlider::SliderPageStepAdd, QAbstractSlider::SliderToMaximum,
              QAbstractSlider::SliderSingleStepSub, QAbstractSlider::SliderToMinimum}) {
            bar.triggerAction(action);
            EXPECT_EQ(box.text(), QString::number(bar.value())) << pair.bar;
        }
    }
}

TEST(SetupControls, DraggingTheSpeedStoresEachPositionOnTheWay)
{
    test::MemoryStore store;
    put(store, keys::Speed, u"2"_s);
    Opened opened(store);
    opened.loaded();
    opened.dialog().show();
    auto& bar = opened.find<QScrollBar>(u"hsbSpeed"_s);
    auto& box = opened.find<QLineEdit>(u"txtSpeed"_s);

    QStringList shown;
    dragThumb(bar, 10, [&] {
        if (bar.sliderPosition() == 2)
            return; // the thumb has not left its place yet
        if (shown.isEmpty() || box.text() != shown.constLast())
            shown << box.text();
        // The box and the store follow the thumb while it moves.
        EXPECT_EQ(box.text(), QString::number(bar.sliderPosition()));
        EXPECT_EQ(stored(store, keys::Speed), QString::number(bar.sliderPosition()));
    });
    EXPECT_EQ(bar.value(), 10);
    EXPECT_EQ(shown.constLast(), u"10");
    EXPECT_GE(shown.size(), 2); // at least one position on the way was shown
    EXPECT_EQ(stored(store, keys::Speed), u"10");
    EXPECT_EQ(opened.writesSinceLoad(), repeated(u"Speed"_s, int(opened.writesSinceLoad().size())));
}

TEST(SetupControls, DraggingTheVolumeStoresOnceOnRelease)
{
    test::MemoryStore store;
    put(store, keys::Volume, u"0"_s);
    Opened opened(store);
    opened.loaded();
    opened.dialog().show();
    auto& bar = opened.find<QScrollBar>(u"hsbVolume"_s);
    // A pixel of thumb travel is several volume steps: stop at the first
    // position at or below -1200.
    dragThumb(bar, -1200, [&] {
        EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
        if (bar.sliderPosition() <= -1200)
            bar.setSliderPosition(-1200);
    });
    EXPECT_EQ(opened.writesSinceLoad(), QStringList{u"Volume"_s});
    EXPECT_EQ(stored(store, keys::Volume), u"-1200");
}

TEST(SetupControls, TextBoxesStoreEveryKeystroke)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    opened.dialog().show();
    auto& message = opened.find<QLineEdit>(u"txtMessage"_s);
    opened.showTabOf(message);
    message.selectAll();
    typeInto(message, u"Hello"_s);
    EXPECT_EQ(opened.writesSinceLoad(), repeated(u"Message"_s, 5));
    EXPECT_EQ(stored(store, keys::Message), u"Hello");

    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&message, Qt::Key_Backspace);
    EXPECT_EQ(stored(store, keys::Message), u"");

    auto& clockSize = opened.find<QLineEdit>(u"txtFontSize"_s);
    opened.showTabOf(clockSize);
    clockSize.selectAll();
    typeInto(clockSize, u"12a"_s);
    EXPECT_EQ(stored(store, keys::FontClock), u"12a");
}

TEST(SetupControls, FontSizeStoresAPickAndThenEachTypedText)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    auto& sizes = opened.find<QComboBox>(u"cboFontSize"_s);
    opened.showTabOf(sizes);

    pickEntry(sizes, 2);
    EXPECT_EQ(opened.writesSinceLoad(), (QStringList{u"SelectedFontSize"_s, u"FontSize"_s}));
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");
    EXPECT_EQ(stored(store, keys::FontSize), u"20");

    QLineEdit& text = *sizes.lineEdit();
    text.selectAll();
    typeInto(text, u"24"_s);
    EXPECT_EQ(opened.writesSinceLoad().mid(2), repeated(u"FontSize"_s, 2));
    EXPECT_EQ(stored(store, keys::FontSize), u"24");
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");

    // Typed text that matches an entry selects it once confirmed, and the
    // stored position follows.
    text.selectAll();
    typeInto(text, u"40"_s);
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");
    QTest::keyClick(&text, Qt::Key_Return);
    EXPECT_EQ(stored(store, keys::FontSize), u"40");
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"4");

    text.selectAll();
    QTest::keyClick(&text, Qt::Key_Delete);
    EXPECT_EQ(stored(store, keys::FontSize), u"");
}

TEST(SetupControls, SoundCutOffStoresPicksOnly)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    auto& cutOff = opened.find<QComboBox>(u"cboSoundOff"_s);
    opened.showTabOf(cutOff);
    cutOff.lineEdit()->selectAll();
    typeInto(*cutOff.lineEdit(), u"7"_s);
    QTest::keyClick(cutOff.lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
    EXPECT_EQ(stored(store, keys::SoundOff), u"Never");
    // Not even text that matches an entry.
    cutOff.lineEdit()->selectAll();
    typeInto(*cutOff.lineEdit(), u"45"_s);
    QTest::keyClick(cutOff.lineEdit(), Qt::Key_Return);
    opened.find<QLineEdit>(u"txtFontSize"_s).setFocus();
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());

    pickEntry(cutOff, 10);
    EXPECT_EQ(opened.writesSinceLoad(), QStringList{u"SoundOff"_s});
    EXPECT_EQ(store.read(Section::System, u"SoundOff"_s, Missing), u"45");
}

TEST(SetupControls, ShowingBoxesStoreNothing)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    for (const char* name :
         {"txtSpeed", "txtFastJet", "txtBGPlanes", "txtMouseS", "txtLogo", "txtBGFile"}) {
        auto& box = opened.find<QLineEdit>(QString::fromLatin1(name));
        opened.showTabOf(box);
        typeInto(box, u"99"_s);
    }
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
}

TEST(SetupControls, BackgroundChoiceEnablesThePickerButton)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    auto& select = opened.find<QPushButton>(u"cmdSelectBG"_s);
    auto& skyBlue = opened.find<QRadioButton>(u"optBakGrnd1"_s);
    auto& custom = opened.find<QRadioButton>(u"optBakGrnd2"_s);
    opened.showTabOf(select);

    click(opened, skyBlue);
    EXPECT_EQ(stored(store, keys::BackGround), u"2");
    EXPECT_FALSE(select.isEnabled());
    click(opened, custom);
    EXPECT_EQ(stored(store, keys::BackGround), u"3");
    EXPECT_TRUE(select.isEnabled());
    EXPECT_EQ(opened.writesSinceLoad(), (QStringList{u"BackGround"_s, u"BackGround"_s}));
}

TEST(SetupControls, MessageFontShowsInTheSample)
{
    test::MemoryStore store = seededStore();
    Opened opened(store);
    opened.loaded();
    auto& fonts = opened.find<QComboBox>(u"cboFontsScreen"_s);
    opened.showTabOf(fonts);
    pickEntry(fonts, 1);
    EXPECT_EQ(opened.writesSinceLoad(), (QStringList{u"SelectedFont"_s, u"FontName"_s}));
    EXPECT_EQ(stored(store, keys::SelectedFont), u"1");
    EXPECT_EQ(stored(store, keys::FontName), u"Courier New");
    const QFont sample = opened.find<QLabel>(u"lblSample"_s).font();
    EXPECT_EQ(sample.family(), u"Courier New");
    EXPECT_DOUBLE_EQ(sample.pointSizeF(), 13.5);
}

// --- Closing and the rest of the form ------------------------------------------

TEST(SetupForm, NamesTheAssetFolderAndTheMakersSite)
{
    test::MemoryStore store;
    Opened opened(store);
    EXPECT_TRUE(opened.dialog().windowTitle().startsWith(u"Sky Raiders Control Box    "));
    EXPECT_TRUE(opened.dialog().windowTitle().endsWith(skyraid::Setup::webAddress()));
    QString folder = QDir::toNativeSeparators(assetFolder());
    folder.chop(1);
    EXPECT_EQ(opened.find<QLabel>(u"Label6"_s).text(), u' ' + folder);
    EXPECT_EQ(opened.dialog().tabs()->currentIndex(), 0);
}
