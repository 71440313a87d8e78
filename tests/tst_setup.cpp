#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/imagepicker.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <functional>
#include <pwd.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

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

// A dialog opened on a store, which tells the writes of loading from later ones.
struct Opened {
    explicit Opened(test::MemoryStore& onStore) : store(onStore) {}
    template <class T> T& find(const char* name)
    {
        return *dialog.findChild<T*>(QString::fromLatin1(name));
    }
    QStringList loadWrites() const { return store.writes().mid(before, loaded - before); }
    QStringList writesSinceLoad() const { return store.writes().mid(loaded); }
    // Shows the dialog on the tab that holds the control.
    void showTabOf(QWidget& control)
    {
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        for (int i = 0; i < dialog.tabs()->count(); ++i)
            if (dialog.tabs()->widget(i)->isAncestorOf(&control))
                dialog.tabs()->setCurrentIndex(i);
    }

    test::MemoryStore& store;
    qsizetype before = store.writes().size();
    skyraid::Setup dialog{store, Fonts};
    qsizetype loaded = store.writes().size();
};

test::MemoryStore seededStore()
{
    test::MemoryStore store;
    writeFirstRunSettings(store, u"/opt/skyraid/"_s);
    return store;
}

void pickEntry(int row, QWidget& control)
{
    auto& list = static_cast<QComboBox&>(control);
    list.showPopup();
    QAbstractItemView* view = list.view();
    view->setCurrentIndex(view->model()->index(row, list.modelColumn()));
    QTest::keyClick(view, Qt::Key_Return);
}

void retype(const QString& text, QWidget& box)
{
    box.setFocus();
    static_cast<QLineEdit&>(box).selectAll();
    QTest::keyClicks(&box, text);
}

void click(QWidget& control)
{
    QTest::mouseClick(&control, Qt::LeftButton, {}, QPoint(8, control.height() / 2));
}

void press(Qt::Key key, QWidget& control)
{
    control.setFocus();
    QTest::keyClick(&control, key);
}

// The thumb dragged through `via` and let go at `to`.
void drag(int via, int to, QWidget& control)
{
    auto& bar = static_cast<QScrollBar&>(control);
    bar.setSliderDown(true);
    bar.setSliderPosition(via);
    bar.setSliderPosition(to);
    bar.setSliderDown(false);
}

// While it lives, root runs as "nobody", who owns `folder`, so that
// permissions count; root's saved ID brings root back after.
class WithoutRoot {
public:
    explicit WithoutRoot(const QString& folder)
    {
        const passwd* nobody = ::getpwnam("nobody");
        m_dropped = ::geteuid() == 0 && nobody &&
                    ::chown(QFile::encodeName(folder).constData(), nobody->pw_uid, 0) == 0 &&
                    ::setresuid(nobody->pw_uid, nobody->pw_uid, 0) == 0;
    }
    ~WithoutRoot()
    {
        if (m_dropped) {
            EXPECT_EQ(::setresuid(0, 0, 0), 0);
        }
    }

private:
    bool m_dropped = false;
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
        {"messageBox", "1"},        {"clockFontSizeBox", "1"},        {"logoFileBox", "1"},
        {"backgroundFileBox", "1"}, {"backgroundPlaneDelayBox", "1"}, {"speedBox", ""},
        {"jetDelayBox", "30"},      {"mouseSensitivityBox", ""}};
    for (auto [name, text] : texts)
        EXPECT_EQ(opened.find<QLineEdit>(name).text(), QLatin1String(text)) << name;
    EXPECT_EQ(opened.find<QComboBox>("soundCutOffList").currentText(), u"1"_s);
    // The font "1" is not installed: no entry, but the sample shows its name.
    EXPECT_EQ(opened.find<QComboBox>("fontList").currentIndex(), -1);
    EXPECT_EQ(opened.find<QLabel>("sampleLabel").font().family(), u"1"_s);
    EXPECT_EQ(opened.find<QComboBox>("fontSizeList").currentIndex(), 1);
    EXPECT_EQ(opened.find<QComboBox>("fontSizeList").currentText(), u"1"_s);
    const QString folder = QDir::toNativeSeparators(assetFolder());
    EXPECT_EQ(opened.find<QLabel>("backgroundFolderLabel").text(), u' ' + folder.chopped(1));

    EXPECT_EQ(
        opened.loadWrites(),
        (QStringList{u"PlaneBG"_s, u"BackGround"_s, u"Prop"_s, u"Message"_s, u"MessageChecked"_s,
                     u"LogoChecked"_s, u"SelectedFontSize"_s, u"FontSize"_s, u"FontSize"_s,
                     u"Clock"_s, u"FontClock"_s, u"PwrSave"_s, u"FillScreen"_s}));
    for (const SeededKey& entry : SeedTable)
        EXPECT_EQ(readSetting(store, entry.key), u"1"_s) << entry.key.name.data();
}

// Texts longer than a box can hold are shown cut, but only an edit stores them.
TEST(SetupOpening, OnASeededStoreAndOkAtOnceKeepsEveryValue)
{
    test::MemoryStore store = seededStore();
    const QString longText(100000, u'7');
    writeSetting(store, keys::PlaneBG, u"01"_s);
    writeSetting(store, keys::FontName, u"Times New Roman"_s);
    writeSetting(store, keys::SelectedFont, u"1"_s); // stale: the font sits at 4 in this list
    writeSetting(store, keys::FontSize, longText);   // typed: it survives the list position
    writeSetting(store, keys::Message, longText);
    writeSetting(store, keys::FontClock, longText);
    // Only the number's plain form and the font's true position will differ.
    test::MemoryStore expected = store;
    writeSetting(expected, keys::PlaneBG, u"1"_s);
    writeSetting(expected, keys::SelectedFont, u"4"_s);

    Opened opened(store);
    EXPECT_EQ(opened.find<QLineEdit>("speedBox").text(), u"3"_s);
    EXPECT_EQ(opened.dialog.findChild<QButtonGroup*>()->checkedId(), 2);
    EXPECT_TRUE(opened.find<QPushButton>("selectBackgroundButton").isEnabled());
    EXPECT_EQ(opened.find<QLabel>("sampleLabel").font().family(), u"Times New Roman"_s);
    EXPECT_EQ(opened.find<QComboBox>("fontSizeList").currentIndex(), 3);
    EXPECT_EQ(opened.find<QComboBox>("fontSizeList").currentText(), longText.left(32767));

    opened.showTabOf(opened.find<QPushButton>("okButton"));
    QTest::mouseClick(&opened.find<QPushButton>("okButton"), Qt::LeftButton);
    EXPECT_FALSE(opened.dialog.isVisible());
    EXPECT_TRUE(opened.writesSinceLoad().isEmpty());
    for (const SeededKey& entry : SeedTable)
        EXPECT_EQ(readSetting(store, entry.key), readSetting(expected, entry.key))
            << entry.key.name.data();
    press(Qt::Key_Backspace, opened.find<QLineEdit>("messageBox"));
    EXPECT_EQ(readSetting(store, keys::Message), longText.left(32766));
}

// The dialog opens on a store with one hostile text; the control shows the
// nearest state it has (a bar's value, a box's state, a list's entry, the
// option picked; -1 none), and the key holds this text after.
TEST(SetupOpening, ControlsTakeTheNearestStateOfAHostileText)
{
    // clang-format off
    const struct { Key key; const char* text; const char* control; int expected;
                   const char* storedAfter; } rows[] = {
        {keys::Speed, "99999999999", "speedBar", 100, "100"},
        {keys::Speed, "-7", "speedBar", 2, "-7"},
        {keys::Speed, "abc", "speedBar", 2, "abc"},
        {keys::Speed, "10.5", "speedBar", 10, "10"},
        {keys::Volume, "-32769", "volumeBar", -2500, "-2500"},
        {keys::BGFreq, "120", "backgroundPlaneDelayBar", 120, "120"},
        {keys::MouseSens, "25", "mouseSensitivityBar", 20, "20"},
        {keys::PlaneBG, "2", "backgroundPlaneCheckBox", 0, "2"},
        {keys::PwrSave, "1.0", "powerSaveCheckBox", 1, "1"},
        {keys::FontName, "arial", "fontList", 0, "Arial"},
        {keys::SelectedFontSize, "11", "fontSizeList", -1, "11"},
        {keys::SelectedFontSize, "0", "fontSizeList", 0, "0"},
        {keys::BackGround, "2.5", "backgroundOption", 2, "3"},
        {keys::BackGround, "4", "backgroundOption", -1, "4"},
        {keys::BackGround, "0.5", "backgroundOption", 0, "1"}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.control) + " from " + row.text);
        test::MemoryStore store;
        writeSetting(store, row.key, QString::fromUtf8(row.text));
        Opened opened(store);
        const auto* control = opened.dialog.findChild<QWidget*>(QString::fromLatin1(row.control));
        int state = control ? -2 : opened.dialog.findChild<QButtonGroup*>()->checkedId();
        for (const char* property : {"value", "checked", "currentIndex"})
            if (control && control->property(property).isValid())
                state = control->property(property).toInt();
        EXPECT_EQ(state, row.expected);
        EXPECT_EQ(opened.find<QPushButton>("selectBackgroundButton").isEnabled(),
                  row.key.name == keys::BackGround.name && row.expected == 2);
        EXPECT_EQ(readSetting(store, row.key), QString::fromUtf8(row.storedAfter));
    }
}

// A control changes; these keys are written, the last with this value, and
// the box beside a bar shows it.
TEST(SetupControl, StoresItsOptionTheMomentItChanges)
{
    // clang-format off
    const struct { const char* control; std::function<void(QWidget&)> act; QStringList writes;
                   Key key; const char* expected; const char* box = nullptr; } rows[] = {
        {"jetCheckBox", click, {u"Prop"_s}, keys::Prop, "0"},
        {"backgroundPlaneCheckBox", click, {u"PlaneBG"_s}, keys::PlaneBG, "0"},
        {"fillScreenCheckBox", click, {u"FillScreen"_s}, keys::FillScreen, "0"},
        {"clockCheckBox", click, {u"Clock"_s}, keys::Clock, "1"},
        {"logoCheckBox", click, {u"LogoChecked"_s}, keys::LogoChecked, "1"},
        {"messageCheckBox", click, {u"MessageChecked"_s}, keys::MessageChecked, "1"},
        {"powerSaveCheckBox", click, {u"PwrSave"_s}, keys::PwrSave, "1"},
        {"speedBar", std::bind_front(press, Qt::Key_Right), {u"Speed"_s}, keys::Speed, "4", "speedBox"},
        {"jetDelayBar", std::bind_front(press, Qt::Key_Right), {u"SecDelay"_s}, keys::SecDelay, "31", "jetDelayBox"},
        {"backgroundPlaneDelayBar", std::bind_front(press, Qt::Key_Right), {u"BGFreq"_s}, keys::BGFreq, "37", "backgroundPlaneDelayBox"},
        {"mouseSensitivityBar", std::bind_front(press, Qt::Key_Left), {u"MouseSens"_s}, keys::MouseSens, "3", "mouseSensitivityBox"},
        {"volumeBar", std::bind_front(press, Qt::Key_Left), {u"Volume"_s}, keys::Volume, "-858"},
        // A drag stores each position on the way, except the volume's: only where it ends.
        {"speedBar", std::bind_front(drag, 6, 10), QStringList(3, u"Speed"_s), keys::Speed, "10", "speedBox"},
        {"volumeBar", std::bind_front(drag, -1000, -1200), {u"Volume"_s}, keys::Volume, "-1200"},
        {"backgroundOption1", click, {u"BackGround"_s}, keys::BackGround, "2"},
        // Every keystroke stores the whole text, unchecked.
        {"messageBox", std::bind_front(retype, u"Hello"_s), QStringList(5, u"Message"_s), keys::Message, "Hello"},
        {"clockFontSizeBox", std::bind_front(retype, u"12a"_s), QStringList(3, u"FontClock"_s), keys::FontClock, "12a"},
        {"fontList", std::bind_front(pickEntry, 1), {u"SelectedFont"_s, u"FontName"_s}, keys::FontName, "Courier New"},
        {"fontSizeList", std::bind_front(pickEntry, 0), {u"SelectedFontSize"_s, u"FontSize"_s}, keys::FontSize, "8"},
        {"soundCutOffList", std::bind_front(pickEntry, 10), {u"SoundOff"_s}, keys::SoundOff, "45"},
        // Boxes that only show a value store nothing.
        {"backgroundPlaneDelayBox", std::bind_front(retype, u"99"_s), {}, keys::BGFreq, "36"},
        {"logoFileBox", std::bind_front(retype, u"99"_s), {}, keys::LogoFileName, "/opt/skyraid/Logo.bmp"}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.control) + " to " + row.expected);
        test::MemoryStore store = seededStore();
        Opened opened(store);
        QWidget& control = opened.find<QWidget>(row.control);
        opened.showTabOf(control);
        row.act(control);
        EXPECT_EQ(opened.writesSinceLoad(), row.writes);
        EXPECT_EQ(readSetting(store, row.key), QString::fromUtf8(row.expected));
        if (row.box) {
            EXPECT_EQ(opened.find<QLineEdit>(row.box).text(), QString::fromUtf8(row.expected));
        }
    }
}

// The store on disk refuses a change: the strip names the file and why, the
// file stays as it was and the dialog keeps the change. Once the file can be
// written it is saved, with the next change or soon by itself, and the strip
// says so.
TEST(SetupSaving, ChangesTheStoreRefusesWaitInTheDialogUntilTheyAreSaved)
{
    QTemporaryDir dir;
    const WithoutRoot nobody(dir.path());
    using Change = std::function<void(const QString&)>;
    const auto mode = [](QFile::Permissions permissions, bool ofFolder) -> Change {
        return [=](const QString& file) {
            QFile::setPermissions(ofFolder ? QFileInfo(file).path() : file, permissions);
        };
    };
    const auto ro = QFile::ReadOwner | QFile::ExeOwner, rw = ro | QFile::WriteOwner;
    // clang-format off
    const struct { const char* name; Change refuse, allow; const char* reason; bool nextChange; } rows[] = {
        {"read-only file", mode(ro, false), mode(rw, false), "Permission denied", false},
        {"read-only folder", mode(ro, true), mode(rw, true), "Permission denied", true},
        {"folder for the file", [](auto& f) { QFile::remove(f); QDir().mkdir(f); },
         [](auto& f) { QDir().rmdir(f); }, "is a folder", false}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString file = dir.filePath(QLatin1String(row.name) + u"/SkyRaid.ini"_s);
        SystemSettingsStore store(file);
        writeFirstRunSettings(store, u"/opt/skyraid/"_s);
        skyraid::Setup dialog(store, Fonts);
        const auto& strip = *dialog.findChild<QLabel*>(u"saveMessage"_s);
        EXPECT_FALSE(strip.isVisibleTo(&dialog));
        row.refuse(file);
        const QByteArray before = test::readFile(file);
        dialog.findChild<QLineEdit*>(u"messageBox"_s)->setText(u"Hello"_s);
        EXPECT_TRUE(strip.isVisibleTo(&dialog));
        EXPECT_TRUE(strip.text().contains(file + u": "_s + QLatin1String(row.reason)))
            << strip.text().toStdString();
        EXPECT_EQ(test::readFile(file), before);

        row.allow(file);
        if (row.nextChange)
            dialog.findChild<QCheckBox*>(u"clockCheckBox"_s)->toggle();
        const auto saved = [&] { return strip.text().contains(u"are saved"_s); };
        EXPECT_TRUE(QTest::qWaitFor(saved, row.nextChange ? 0 : 60000));
        EXPECT_EQ(readSetting(store, keys::Message), u"Hello"_s);
    }
}

TEST_F(SetupSeeded, TypedTextIsNoPickFromTheList)
{
    auto& sizes = opened.find<QComboBox>("fontSizeList");
    opened.showTabOf(sizes);
    pickEntry(2, sizes);
    // Typed sizes are stored keystroke by keystroke, confirmed or not, even
    // where they match an entry; the list position stays the one picked.
    const std::pair<const char*, Qt::Key> typed[] = {
        {"24", Qt::Key_unknown}, {"30", Qt::Key_Return}, {"50", Qt::Key_Tab}};
    for (auto [text, confirm] : typed) {
        retype(QString::fromLatin1(text), *sizes.lineEdit());
        if (confirm != Qt::Key_unknown)
            QTest::keyClick(sizes.lineEdit(), confirm);
        EXPECT_EQ(readSetting(store, keys::FontSize), QLatin1String(text));
    }
    EXPECT_EQ(opened.writesSinceLoad(),
              QStringList({u"SelectedFontSize"_s, u"FontSize"_s}) + QStringList(6, u"FontSize"_s));
    // Picking the entry that typing reached is a pick all the same.
    pickEntry(5, sizes);
    EXPECT_EQ(readSetting(store, keys::SelectedFontSize), u"5"_s);
}

bool takesFocus(const QWidget& control)
{
    return control.focusPolicy() != Qt::NoFocus && !qobject_cast<const QLabel*>(&control);
}

// The controls inside `container` row by row, each row left to right ("..."
// first when it starts elsewhere than the first, "*" after one that takes the
// focus, which a label does only to copy its text), then those inside each.
// Checked, as it holds in any font and style: each is shown inside its
// container, none lies over another, the rows of a grid line up and, where
// `focus` asks, one that takes the focus looks different while it has it.
void placeRows(QWidget& container, QString& layout, bool focus)
{
    QList<QWidget*> controls = container.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    controls.removeIf([](const QWidget* c) {
        return c->objectName().isEmpty() || c->objectName().startsWith(u"qt_"_s) || c->isHidden();
    });
    std::ranges::sort(controls, {}, [](const QWidget* c) { return std::pair(c->y(), c->x()); });
    QList<QList<QWidget*>> rows;
    int bottom = -1;
    for (QWidget* control : controls) {
        const std::string name = control->objectName().toStdString();
        const QRect place = control->geometry();
        EXPECT_TRUE(control->isVisibleTo(&container) && container.contentsRect().contains(place))
            << name;
        for (const QWidget* other : controls)
            EXPECT_TRUE(other == control || !other->geometry().intersects(place))
                << name << " over " << other->objectName().toStdString();
        if (focus && takesFocus(*control)) {
            control->clearFocus();
            const QImage unfocused = control->grab().toImage();
            control->setFocus();
            EXPECT_NE(control->grab().toImage(), unfocused) << name;
        }
        if (rows.isEmpty() || place.top() > bottom)
            rows.emplace_back();
        rows.back() << control;
        bottom = std::max(bottom, place.bottom());
    }
    QStringList text;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        std::ranges::sort(rows[row], {}, &QWidget::x);
        const bool flush = rows[row].front()->x() == rows[0].front()->x();
        const bool grid = flush && row > 0 && rows[row - 1].size() == rows[row].size();
        QStringList names(flush ? 0 : 1, u"..."_s);
        for (qsizetype i = 0; i < rows[row].size(); ++i) {
            names << rows[row][i]->objectName() + (takesFocus(*rows[row][i]) ? u"*"_s : QString());
            EXPECT_TRUE(!grid || rows[row][i]->x() == rows[row - 1][i]->x())
                << names.back().toStdString();
        }
        text << names.join(u' ');
    }
    if (!text.isEmpty())
        layout += container.objectName() + u": "_s + text.join(u" / "_s) + u'\n';
    for (QWidget* control : controls)
        if (!qobject_cast<QTabWidget*>(control))
            placeRows(*control, layout, focus);
}

// The dialog and its pages, after a Tab so that the focus shows, and a picker.
TEST_F(SetupSeeded, ControlsKeepTheirRowsAndShowTheirFocusInAnyFont)
{
    QString layout;
    opened.showTabOf(opened.find<QWidget>("aircraftTab"));
    QTest::keyClick(&opened.dialog, Qt::Key_Tab);
    placeRows(opened.dialog, layout, true);
    for (int i = 0; i < opened.dialog.tabs()->count(); ++i) {
        opened.dialog.tabs()->setCurrentIndex(i);
        placeRows(*opened.dialog.tabs()->widget(i), layout, true);
    }
    ImagePicker picker(ImagePicker::BackgroundPicture, store,
                       {.volumes = [] { return QStringList(); }});
    picker.show();
    placeRows(picker, layout, false);
    test::expectGoldenText(u"layout.txt"_s, layout.toUtf8());
}
