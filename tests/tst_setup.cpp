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

// The font list of these tests, unsorted. The dialog sorts it without regard
// to case: Arial, Courier New, dejaVu Sans, Liberation Serif, Times New Roman,
// Verdana.
const QStringList Fonts{u"Verdana"_s,     u"Times New Roman"_s,  u"dejaVu Sans"_s,
                        u"Courier New"_s, u"Liberation Serif"_s, u"Arial"_s};

QString stored(test::MemoryStore& store, Key key)
{
    return store.read(key.section, key.name, u"<missing>"_s);
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
          m_setup(std::make_unique<skyraid::Setup>(store, fonts)),
          m_loaded(int(store.writes().size()) - m_writesBefore)
    {}

    skyraid::Setup& dialog() { return *m_setup; }

    template <class T> T& find(const char* name)
    {
        T* child = m_setup->findChild<T*>(QString::fromLatin1(name));
        if (!child)
            throw std::runtime_error(std::string("no control named ") + name);
        return *child;
    }

    // The keys written while the dialog opened, in order.
    QStringList loadWrites() const { return m_store.writes().mid(m_writesBefore, m_loaded); }
    // The keys written since the dialog finished opening, in order.
    QStringList writesSinceLoad() const { return m_store.writes().mid(m_writesBefore + m_loaded); }

    // Shows the dialog on the tab that holds the control.
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
    std::unique_ptr<skyraid::Setup> m_setup;
    int m_loaded = 0;
};

test::MemoryStore seededStore()
{
    test::MemoryStore store;
    SetRegistry(store, u"/opt/skyraid/"_s);
    return store;
}

// Drives a scroll bar's thumb as the mouse would: press on the thumb, move
// one pixel at a time until the thumb shows `target`, then let go. Calls
// `step` after each move.
void dragThumb(QScrollBar& bar, int target, const std::function<void()>& step)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = bar.maximum();
    option.sliderPosition = bar.sliderPosition();
    option.sliderValue = bar.value();
    option.pageStep = bar.pageStep();
    option.subControls = QStyle::SC_All;
    QPoint at =
        bar.style()
            ->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar)
            .center();
    const int direction = target > bar.sliderPosition() ? 1 : -1;
    auto send = [&](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent event(type, at, bar.mapToGlobal(at), button, held, Qt::NoModifier);
        QApplication::sendEvent(&bar, &event);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
    for (int guard = 0; bar.sliderPosition() != target && guard < 2000; ++guard) {
        at.rx() += direction;
        send(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton);
        step();
    }
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton);
}

// Picks an entry from a list's pop-up with the mouse.
void pickEntry(QComboBox& list, int row)
{
    list.showPopup();
    QAbstractItemView* view = list.view();
    const QModelIndex index = view->model()->index(row, list.modelColumn());
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

// Replaces the text of a box by typing.
void retype(QLineEdit& box, const QString& text)
{
    box.setFocus();
    box.selectAll();
    QTest::keyClicks(&box, text);
}

void click(QWidget& control)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(8, control.height() / 2));
}

// A dialog opened on a seeded store.
class SetupSeeded : public ::testing::Test {
protected:
    test::MemoryStore store = seededStore();
    Opened opened{store};
};

} // namespace

// --- Opening -----------------------------------------------------------------

TEST(SetupOpening, OnAnEmptyStoreShowsTheFallbackAndStoresWhatItChanged)
{
    test::MemoryStore store;
    Opened opened(store);

    // Text boxes show the fallback "1". "1" lies below every bar's range: the
    // bars stay at their start and the boxes beside them keep their text.
    const std::pair<const char*, const char*> texts[] = {
        {"txtMessage", "1"},  {"txtFontSize", "1"}, {"txtLogo", "1"},     {"txtBGFile", "1"},
        {"txtBGPlanes", "1"}, {"txtSpeed", ""},     {"txtFastJet", "30"}, {"txtMouseS", ""}};
    for (auto [name, text] : texts)
        EXPECT_EQ(opened.find<QLineEdit>(name).text(), QLatin1String(text)) << name;
    EXPECT_EQ(opened.find<QComboBox>("cboSoundOff").currentText(), u"1");
    EXPECT_EQ(opened.find<QScrollBar>("hsbSpeed").value(), 2);
    EXPECT_EQ(opened.find<QScrollBar>("hsbVolume").value(), 0);
    EXPECT_TRUE(opened.find<QCheckBox>("chkProp").isChecked());
    EXPECT_TRUE(opened.find<QRadioButton>("optBakGrnd0").isChecked());
    EXPECT_FALSE(opened.find<QPushButton>("cmdSelectBG").isEnabled());
    // The font named "1" is not installed: it stays the font, shown greyed in
    // the list without an entry, and nothing is stored.
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").currentIndex(), -1);
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").placeholderText(), u"1");
    EXPECT_EQ(opened.find<QLabel>("lblSample").font().family(), u"1");
    // The size list picks position 1, then its text becomes the stored "1".
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentIndex(), 1);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentText(), u"1");
    QString folder = QDir::toNativeSeparators(assetFolder());
    folder.chop(1);
    EXPECT_EQ(opened.find<QLabel>("Label6").text(), u' ' + folder);

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
    put(store, keys::FontSize, u"24"_s);    // typed: it survives the list position
    test::MemoryStore before = store;

    Opened opened(store);
    const std::pair<const char*, int> bars[] = {
        {"hsbSpeed", 3}, {"hsbMouseS", 4}, {"hsbVolume", -857}, {"HSBSec", 36}};
    for (auto [name, value] : bars)
        EXPECT_EQ(opened.find<QScrollBar>(name).value(), value) << name;
    EXPECT_EQ(opened.find<QLineEdit>("txtSpeed").text(), u"3");
    EXPECT_EQ(opened.find<QLineEdit>("txtMouseS").text(), u"4");
    EXPECT_EQ(opened.find<QLineEdit>("txtBGPlanes").text(), u"36");
    EXPECT_TRUE(opened.find<QRadioButton>("optBakGrnd2").isChecked());
    EXPECT_TRUE(opened.find<QPushButton>("cmdSelectBG").isEnabled());
    EXPECT_EQ(opened.find<QComboBox>("cboFontsScreen").currentText(), u"Times New Roman");
    EXPECT_EQ(opened.find<QLabel>("lblSample").font().family(), u"Times New Roman");
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentIndex(), 3);
    EXPECT_EQ(opened.find<QComboBox>("cboFontSize").currentText(), u"24");
    EXPECT_EQ(opened.find<QComboBox>("cboSoundOff").currentText(), u"Never");
    EXPECT_EQ(opened.find<QLineEdit>("txtLogo").text(), u"/opt/skyraid/Logo.bmp");

    opened.dialog().show();
    QTest::mouseClick(&opened.find<QPushButton>("cmdOK"), Qt::LeftButton);
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

TEST(SetupOpening, ValuesEqualToTheStartingStateStoreNothing)
{
    test::MemoryStore store;
    put(store, keys::Speed, u"2"_s);
    put(store, keys::MouseSens, u"2"_s);
    put(store, keys::SecDelay, u"30"_s);
    put(store, keys::Message, u""_s);
    Opened opened(store);
    EXPECT_EQ(opened.find<QLineEdit>("txtSpeed").text(), u"");
    EXPECT_EQ(opened.find<QLineEdit>("txtMouseS").text(), u"");
    for (const char* key : {"Speed", "MouseSens", "SecDelay", "Message", "Volume", "SoundOff"})
        EXPECT_FALSE(opened.loadWrites().contains(QLatin1String(key))) << key;
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
    else { // the background options: the one ticked, or none
        for (int i = 0; i < 3; ++i) {
            const std::string option = "optBakGrnd" + std::to_string(i);
            EXPECT_EQ(opened.find<QRadioButton>(option.c_str()).isChecked(), i == row.expected)
                << i;
        }
    }
    EXPECT_EQ(opened.find<QPushButton>("cmdSelectBG").isEnabled(),
              row.key.name == keys::BackGround.name && row.expected == 2);
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
    HostileRow{keys::BGFreq, "120", "HSBSec", 120, "120"},
    // Only 0 and 1 are a check box's states.
    HostileRow{keys::PlaneBG, "2", "chkBG", 0, "2"},
    HostileRow{keys::Clock, "yes", "chkClock", 0, "yes"},
    HostileRow{keys::PwrSave, "1.0", "chkPowerSave", 1, "1"},
    // A font is found by its name whatever the case, and stored as listed.
    HostileRow{keys::FontName, "verdana", "cboFontsScreen", 5, "Verdana"},
    // Positions beyond the size list leave it alone; its text is still loaded.
    HostileRow{keys::SelectedFontSize, "99", "cboFontSize", -1, "99"},
    HostileRow{keys::SelectedFontSize, "-1", "cboFontSize", -1, "-1"},
    // Options 1 to 3 by number, rounded half to even; others tick none.
    HostileRow{keys::BackGround, "2", "optBakGrnd", 1, "2"},
    HostileRow{keys::BackGround, "3.0", "optBakGrnd", 2, "3"},
    HostileRow{keys::BackGround, "2.5", "optBakGrnd", 2, "3"},
    HostileRow{keys::BackGround, "7", "optBakGrnd", -1, "7"},
    HostileRow{keys::BackGround, "0", "optBakGrnd", -1, "0"},
    HostileRow{keys::BackGround, "1e400", "optBakGrnd", -1, "1e400"},
    HostileRow{keys::BackGround, "sky", "optBakGrnd", -1, "sky"}));
// clang-format on

// --- Each control stores its option -------------------------------------------

struct ControlRow {
    const char* control;
    std::function<void(QWidget&)> act;
    Key key;
    const char* expected;
    const char* box = nullptr; // the box beside a bar, showing its value
};

void PrintTo(const ControlRow& row, std::ostream* os)
{
    *os << row.control;
}

class SetupControl : public SetupSeeded, public ::testing::WithParamInterface<ControlRow> {};

TEST_P(SetupControl, StoresItsOptionTheMomentItChanges)
{
    const ControlRow& row = GetParam();
    QWidget& control = opened.find<QWidget>(row.control);
    opened.showTabOf(control);
    row.act(control);
    ASSERT_FALSE(opened.writesSinceLoad().isEmpty());
    EXPECT_EQ(opened.writesSinceLoad().constLast(), row.key.name);
    EXPECT_EQ(stored(store, row.key), QString::fromUtf8(row.expected));
    if (row.box) {
        EXPECT_EQ(opened.find<QLineEdit>(row.box).text(), QString::fromUtf8(row.expected));
    }
}

auto pressing(Qt::Key key)
{
    return [key](QWidget& control) {
        control.setFocus();
        QTest::keyClick(&control, key);
    };
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, SetupControl, ::testing::Values(
    ControlRow{"chkProp", click, keys::Prop, "0"},
    ControlRow{"chkBG", click, keys::PlaneBG, "0"},
    ControlRow{"chkClock", click, keys::Clock, "1"},
    ControlRow{"chkLogo", click, keys::LogoChecked, "1"},
    ControlRow{"chkMessage", click, keys::MessageChecked, "1"},
    ControlRow{"chkPowerSave", click, keys::PwrSave, "1"},
    ControlRow{"hsbSpeed", pressing(Qt::Key_Right), keys::Speed, "4", "txtSpeed"},
    ControlRow{"hsbFastJet", pressing(Qt::Key_Right), keys::SecDelay, "31", "txtFastJet"},
    ControlRow{"HSBSec", pressing(Qt::Key_Right), keys::BGFreq, "37", "txtBGPlanes"},
    ControlRow{"hsbMouseS", pressing(Qt::Key_Left), keys::MouseSens, "3", "txtMouseS"},
    ControlRow{"hsbVolume", pressing(Qt::Key_Left), keys::Volume, "-858"},
    ControlRow{"hsbVolume", pressing(Qt::Key_End), keys::Volume, "0"}));
// clang-format on

TEST(SetupControls, DraggingTheSpeedStoresEachPositionOnTheWay)
{
    test::MemoryStore store;
    put(store, keys::Speed, u"2"_s);
    Opened opened(store);
    opened.dialog().show();
    auto& bar = opened.find<QScrollBar>("hsbSpeed");
    auto& box = opened.find<QLineEdit>("txtSpeed");

    QSet<QString> shown;
    dragThumb(bar, 10, [&] {
        if (bar.sliderPosition() == 2)
            return; // the thumb has not left its place yet
        shown << box.text();
        // The box and the store follow the thumb while it moves.
        EXPECT_EQ(box.text(), QString::number(bar.sliderPosition()));
        EXPECT_EQ(stored(store, keys::Speed), QString::number(bar.sliderPosition()));
    });
    EXPECT_EQ(bar.value(), 10);
    EXPECT_GE(shown.size(), 2); // at least one position on the way was shown
    EXPECT_EQ(stored(store, keys::Speed), u"10");
    EXPECT_EQ(opened.writesSinceLoad(), QStringList(opened.writesSinceLoad().size(), u"Speed"_s));
}

TEST(SetupControls, DraggingTheVolumeStoresOnceOnRelease)
{
    test::MemoryStore store;
    put(store, keys::Volume, u"0"_s);
    Opened opened(store);
    opened.dialog().show();
    auto& bar = opened.find<QScrollBar>("hsbVolume");
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

TEST_F(SetupSeeded, TextBoxesStoreEveryKeystroke)
{
    auto& message = opened.find<QLineEdit>("txtMessage");
    opened.showTabOf(message);
    retype(message, u"Hello"_s);
    EXPECT_EQ(opened.writesSinceLoad(), QStringList(5, u"Message"_s));
    EXPECT_EQ(stored(store, keys::Message), u"Hello");
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(&message, Qt::Key_Backspace);
    EXPECT_EQ(stored(store, keys::Message), u"");

    auto& clockSize = opened.find<QLineEdit>("txtFontSize");
    opened.showTabOf(clockSize);
    retype(clockSize, u"12a"_s);
    EXPECT_EQ(stored(store, keys::FontClock), u"12a");
}

TEST_F(SetupSeeded, FontSizeStoresAPickAndThenEachTypedText)
{
    auto& sizes = opened.find<QComboBox>("cboFontSize");
    opened.showTabOf(sizes);

    pickEntry(sizes, 2);
    EXPECT_EQ(opened.writesSinceLoad(), (QStringList{u"SelectedFontSize"_s, u"FontSize"_s}));
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");
    EXPECT_EQ(stored(store, keys::FontSize), u"20");

    QLineEdit& text = *sizes.lineEdit();
    retype(text, u"24"_s);
    EXPECT_EQ(opened.writesSinceLoad().mid(2), QStringList(2, u"FontSize"_s));
    EXPECT_EQ(stored(store, keys::FontSize), u"24");
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");

    // Typed text that matches an entry selects it once confirmed, and the
    // stored position follows.
    retype(text, u"40"_s);
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"2");
    QTest::keyClick(&text, Qt::Key_Return);
    EXPECT_EQ(stored(store, keys::FontSize), u"40");
    EXPECT_EQ(stored(store, keys::SelectedFontSize), u"4");

    text.selectAll();
    QTest::keyClick(&text, Qt::Key_Delete);
    EXPECT_EQ(stored(store, keys::FontSize), u"");
}

TEST_F(SetupSeeded, SoundCutOffStoresPicksOnly)
{
    auto& cutOff = opened.find<QComboBox>("cboSoundOff");
    opened.showTabOf(cutOff);
    // Not even typed text that matches an entry.
    for (const QString& typed : {u"7"_s, u"45"_s}) {
        retype(*cutOff.lineEdit(), typed);
        QTest::keyClick(cutOff.lineEdit(), Qt::Key_Return);
    }
    opened.find<QLineEdit>("txtFontSize").setFocus();
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
    EXPECT_EQ(stored(store, keys::SoundOff), u"Never");

    pickEntry(cutOff, 10);
    EXPECT_EQ(opened.writesSinceLoad(), QStringList{u"SoundOff"_s});
    EXPECT_EQ(store.read(Section::System, u"SoundOff"_s, {}), u"45");
}

TEST_F(SetupSeeded, ShowingBoxesStoreNothing)
{
    for (const char* name :
         {"txtSpeed", "txtFastJet", "txtBGPlanes", "txtMouseS", "txtLogo", "txtBGFile"}) {
        auto& box = opened.find<QLineEdit>(name);
        opened.showTabOf(box);
        box.setFocus();
        QTest::keyClicks(&box, u"99"_s);
    }
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
}

TEST_F(SetupSeeded, BackgroundChoiceEnablesThePickerButton)
{
    auto& select = opened.find<QPushButton>("cmdSelectBG");
    opened.showTabOf(select);
    const std::tuple<const char*, const char*, bool> steps[] = {
        {"optBakGrnd1", "2", false}, {"optBakGrnd2", "3", true}, {"optBakGrnd0", "1", false}};
    for (auto [option, value, enabled] : steps) {
        click(opened.find<QRadioButton>(option));
        EXPECT_EQ(stored(store, keys::BackGround), QLatin1String(value)) << option;
        EXPECT_EQ(select.isEnabled(), enabled) << option;
    }
    EXPECT_EQ(opened.writesSinceLoad(), QStringList(3, u"BackGround"_s));
}

TEST_F(SetupSeeded, MessageFontShowsInTheSample)
{
    auto& fonts = opened.find<QComboBox>("cboFontsScreen");
    opened.showTabOf(fonts);
    pickEntry(fonts, 1);
    EXPECT_EQ(opened.writesSinceLoad(), (QStringList{u"SelectedFont"_s, u"FontName"_s}));
    EXPECT_EQ(stored(store, keys::SelectedFont), u"1");
    EXPECT_EQ(stored(store, keys::FontName), u"Courier New");
    const QFont sample = opened.find<QLabel>("lblSample").font();
    EXPECT_EQ(sample.family(), u"Courier New");
    EXPECT_DOUBLE_EQ(sample.pointSizeF(), 13.5);
}
