#include "scene/canvas.h"
#include "settings/keys.h"
#include "setup/filelists.h"
#include "setup/imagepicker.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

const QString Missing = u"<missing>"_s;

QString stored(test::MemoryStore& store, Key key)
{
    return store.read(key.section, key.name, Missing);
}

// Two drives in a temporary folder, and the program's current folder on
// the first:
//   drive1/  start.bmp
//   drive1/Pics/  sky.bmp SKY2.BMP Cloud.Bmp anim.gif ANIM2.GIF photo.jpg
//                 PHOTO2.JPG logo.png README .hidden.bmp, and Deeper/
//   drive2/Art/
class Pickers : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tree.isValid());
        QDir tree(m_tree.path());
        ASSERT_TRUE(tree.mkpath(u"drive1/Pics/Deeper"_s));
        ASSERT_TRUE(tree.mkpath(u"drive2/Art"_s));
        drive1 = tree.filePath(u"drive1"_s);
        drive2 = tree.filePath(u"drive2"_s);
        pics = tree.filePath(u"drive1/Pics"_s);
        // 4 x 3 pictures; Qt reads GIF but does not write it, so the GIFs are
        // the smallest there is: one pixel.
        QImage picture(4, 3, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        const QByteArray gif =
            QByteArray::fromHex("47494638396101000100800000ffffff0000002"
                                "1f90401000000002c00000000010001000002024401003b");
        const std::pair<const char*, const char*> files[] = {
            {"start.bmp", "BMP"},        {"Pics/sky.bmp", "BMP"},     {"Pics/SKY2.BMP", "BMP"},
            {"Pics/Cloud.Bmp", "BMP"},   {"Pics/.hidden.bmp", "BMP"}, {"Pics/photo.jpg", "JPEG"},
            {"Pics/PHOTO2.JPG", "JPEG"}, {"Pics/logo.png", "PNG"},    {"Pics/anim.gif", nullptr},
            {"Pics/ANIM2.GIF", nullptr}, {"Pics/README", nullptr}};
        for (auto [name, format] : files) {
            QFile file(drive1 + u'/' + QLatin1String(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
            if (format)
                ASSERT_TRUE(picture.save(&file, format)) << name;
            else
                file.write(QByteArray(name).endsWith("README") ? "not a picture" : gif);
        }

        m_previousFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(drive1));
        volumes = {drive1, drive2};
    }

    void TearDown() override { QDir::setCurrent(m_previousFolder); }

    DialogServices services()
    {
        return DialogServices{&messages, [this] { return volumes; }};
    }

    std::unique_ptr<ImagePicker> open(const ImagePicker::Kind& kind = ImagePicker::GetFile)
    {
        auto picker = std::make_unique<ImagePicker>(kind, store, services());
        picker->show();
        return picker;
    }

    QString drive1, drive2, pics;
    QStringList volumes;
    test::MemoryStore store;
    test::RecordingMessages messages;

private:
    QTemporaryDir m_tree;
    QString m_previousFolder;
};

QStringList shownFiles(const ImagePicker& picker)
{
    QStringList names;
    for (int row = 0; row < picker.filFiles()->count(); ++row)
        names << picker.filFiles()->item(row)->text();
    return names;
}

// Clicks once or twice on an entry of a list. Twice is a double-click as the
// window system reports it: press, release, press, double-click, release.
void click(QAbstractItemView& view, const QRect& entry, int times = 1)
{
    ASSERT_TRUE(entry.isValid()) << "no such entry";
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, entry.center());
    if (times == 2)
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, entry.center());
}

void clickFile(ImagePicker& picker, const QString& name, int times = 1)
{
    FileList& list = *picker.filFiles();
    const QList<QListWidgetItem*> found = list.findItems(name, Qt::MatchExactly);
    click(list, found.size() == 1 ? list.visualItemRect(found.first()) : QRect(), times);
}

// Opens a folder of the folder list as the user does, with a double-click.
void openFolder(ImagePicker& picker, const QString& name)
{
    DirectoryList& list = *picker.dirDirectory();
    const QList<QTreeWidgetItem*> found =
        list.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    click(list, found.size() == 1 ? list.visualItemRect(found.first()) : QRect(), 2);
}

void typeName(ImagePicker& picker, const QString& text)
{
    QLineEdit& box = *picker.txtFileName();
    box.setFocus();
    box.selectAll();
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, text);
}

} // namespace

// --- Choosing ------------------------------------------------------------------

// Rows of the tests below are named by their label.
template <class Row>
requires requires(Row row)
{
    row.label;
}
void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.label;
}

constexpr auto ByLabel = [](const auto& row) { return std::string(row.param.label); };

struct ChoiceRow {
    const char* label;
    const ImagePicker::Kind* kind;
    QString folder; // opened from the start folder, one step at a time
    QString file;
    bool doubleClick;
    int fileType = 0;
};

class PickerChoice : public Pickers, public ::testing::WithParamInterface<ChoiceRow> {};

TEST_P(PickerChoice, StoresTheFullPathOfTheChosenFile)
{
    const ChoiceRow& row = GetParam();
    auto picker = open(*row.kind);
    picker->cboFileType()->setCurrentIndex(row.fileType);
    QString folder = drive1;
    for (const QString& step : row.folder.split(u'/', Qt::SkipEmptyParts)) {
        openFolder(*picker, step);
        folder += u'/' + step;
    }
    EXPECT_EQ(picker->lblDirName()->text(), QDir::toNativeSeparators(folder));

    if (row.doubleClick) {
        clickFile(*picker, row.file, 2);
    } else {
        clickFile(*picker, row.file);
        EXPECT_EQ(picker->txtFileName()->text(), row.file);
        ASSERT_TRUE(picker->isVisible());
        QTest::mouseClick(picker->cmdOK(), Qt::LeftButton);
    }
    EXPECT_EQ(stored(store, row.kind->key), QDir::toNativeSeparators(folder + u'/' + row.file));
    EXPECT_EQ(store.writes(), QStringList{row.kind->key.name});
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(picker->result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());

    // The scene shows any picture so chosen.
    Canvas canvas;
    const Surface surface = canvas.createSurface();
    canvas.loadPicture(surface, stored(store, row.kind->key), 0);
    EXPECT_FALSE(canvas.picture(surface).isNull());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PickerChoice, ::testing::Values(
    ChoiceRow{"Background", &ImagePicker::GetFile, u"Pics"_s, u"sky.bmp"_s, false},
    ChoiceRow{"Logo", &ImagePicker::GetLogo, u"Pics"_s, u"SKY2.BMP"_s, false},
    ChoiceRow{"DriveRoot", &ImagePicker::GetFile, QString(), u"start.bmp"_s, false},
    ChoiceRow{"DoubleClick", &ImagePicker::GetLogo, u"Pics"_s, u"Cloud.Bmp"_s, true},
    ChoiceRow{"Gif", &ImagePicker::GetFile, u"Pics"_s, u"anim.gif"_s, true, 1},
    ChoiceRow{"Jpeg", &ImagePicker::GetFile, u"Pics"_s, u"photo.jpg"_s, false, 2},
    ChoiceRow{"Png", &ImagePicker::GetLogo, u"Pics"_s, u"logo.png"_s, true, 3}), ByLabel);
// clang-format on

TEST_F(Pickers, AtTheSystemRootTheFolderKeepsItsOneSeparator)
{
    auto picker = open();
    picker->cboFileType()->setCurrentIndex(3);
    const QString root = QDir::rootPath();
    ASSERT_TRUE(picker->dirDirectory()->setPath(root));
    EXPECT_EQ(picker->lblDirName()->text(), QDir::toNativeSeparators(root));
    if (picker->filFiles()->count() == 0)
        GTEST_SKIP() << "no file in the root folder to choose";
    const QString name = picker->filFiles()->item(0)->text();
    clickFile(*picker, name);
    QTest::mouseClick(picker->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(stored(store, keys::BMPFileName), QDir::toNativeSeparators(root + name));
}

struct TypedRow {
    const char* label;
    QString selected; // empty: no file selected
    QString typed;
    QString expected; // empty: the selected file's full path
};

class PickerTyped : public Pickers, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(PickerTyped, OkStoresTheSelectedFileWithItsFolderAndAnythingElseAsTyped)
{
    const TypedRow& row = GetParam();
    auto picker = open(ImagePicker::GetLogo);
    openFolder(*picker, u"Pics"_s);
    if (!row.selected.isEmpty())
        clickFile(*picker, row.selected);
    typeName(*picker, row.typed);
    // Enter in the name box is OK.
    QTest::keyClick(picker->txtFileName(), Qt::Key_Return);
    const QString expected = row.expected.isEmpty()
                                 ? QDir::toNativeSeparators(pics + u'/' + row.selected)
                                 : row.expected;
    EXPECT_EQ(stored(store, keys::LogoFileName), expected);
    EXPECT_FALSE(picker->isVisible());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, PickerTyped, ::testing::Values(
    TypedRow{"FullPathOverAnotherFile", u"sky.bmp"_s, u"D:\\art\\logo.bmp"_s,
             u"D:\\art\\logo.bmp"_s},
    TypedRow{"BareName", QString(), u"logo.bmp"_s, u"logo.bmp"_s},
    TypedRow{"ListedButNotSelected", QString(), u"sky.bmp"_s, u"sky.bmp"_s},
    TypedRow{"SelectedInOtherCase", u"sky.bmp"_s, u"Sky.bmp"_s, u"Sky.bmp"_s},
    TypedRow{"SelectedRetyped", u"sky.bmp"_s, u"sky.bmp"_s, QString()}), ByLabel);
// clang-format on

TEST_F(Pickers, OkWithoutANameSaysSoAndStaysOpen)
{
    auto picker = open();
    QTest::mouseClick(picker->cmdOK(), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"You must first select a file!");
    EXPECT_EQ(messages.shown[0].title, programTitle());
    EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::None);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_TRUE(store.writes().isEmpty());
}

class PickerDismissed : public Pickers, public ::testing::WithParamInterface<const char*> {};

TEST_P(PickerDismissed, StoresNothing)
{
    const QString how = QString::fromLatin1(GetParam());
    auto picker = open();
    openFolder(*picker, u"Pics"_s);
    clickFile(*picker, u"sky.bmp"_s);
    if (how == u"Cancel")
        QTest::mouseClick(picker->cmdCancel(), Qt::LeftButton);
    else if (how == u"Escape")
        QTest::keyClick(picker->filFiles(), Qt::Key_Escape);
    else
        picker->close(); // the title bar's close box
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(picker->result(), QDialog::Rejected);
    EXPECT_TRUE(store.writes().isEmpty());
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Rows, PickerDismissed, ::testing::Values("Cancel", "Escape", "CloseBox"));

// --- The lists -----------------------------------------------------------------

TEST_F(Pickers, FileTypesListTheirFilesWhateverTheLetterCase)
{
    auto picker = open();
    openFolder(*picker, u"Pics"_s);
    const QList<QStringList> expected{
        {u"Cloud.Bmp"_s, u"sky.bmp"_s, u"SKY2.BMP"_s},
        {u"anim.gif"_s, u"ANIM2.GIF"_s},
        {u"photo.jpg"_s, u"PHOTO2.JPG"_s},
        // Every file, also one without an extension; hidden files stay hidden.
        {u"anim.gif"_s, u"ANIM2.GIF"_s, u"Cloud.Bmp"_s, u"logo.png"_s, u"photo.jpg"_s,
         u"PHOTO2.JPG"_s, u"README"_s, u"sky.bmp"_s, u"SKY2.BMP"_s},
    };
    ASSERT_EQ(picker->cboFileType()->count(), ImagePicker::FileTypeCount);
    // Back to the first type at the end.
    for (const int position : {1, 2, 3, 0}) {
        picker->cboFileType()->setCurrentIndex(position);
        EXPECT_EQ(shownFiles(*picker), expected[position]) << "file type " << position;
        EXPECT_EQ(picker->filFiles()->fileName(), u"") << "a new list selects nothing";
    }
    // A file chosen under one type stays chosen under another that lists it,
    // so OK still stores it with its folder.
    clickFile(*picker, u"sky.bmp"_s);
    picker->cboFileType()->setCurrentIndex(3);
    EXPECT_EQ(picker->filFiles()->fileName(), u"sky.bmp");
    QTest::mouseClick(picker->cmdOK(), Qt::LeftButton);
    EXPECT_EQ(stored(store, keys::BMPFileName), QDir::toNativeSeparators(pics + u"/sky.bmp"_s));
}

TEST_F(Pickers, FolderListShowsTheWayUpAndTheFoldersInside)
{
    auto picker = open();
    openFolder(*picker, u"Pics"_s);
    DirectoryList& list = *picker->dirDirectory();
    const QList<QTreeWidgetItem*> deeper = list.findItems(u"Deeper"_s, Qt::MatchRecursive);
    ASSERT_EQ(deeper.size(), 1);

    // Enter opens the current entry and does not press OK as well.
    list.setFocus();
    list.setCurrentItem(deeper.first());
    QTest::keyClick(&list, Qt::Key_Return);
    EXPECT_EQ(list.path(), pics + u"/Deeper"_s);
    EXPECT_TRUE(picker->isVisible());
    EXPECT_TRUE(messages.shown.empty());

    // Up again by an entry above; the file list follows.
    openFolder(*picker, u"drive1"_s);
    EXPECT_EQ(list.path(), drive1);
    EXPECT_EQ(picker->lblDirName()->text(), QDir::toNativeSeparators(drive1));
    EXPECT_EQ(shownFiles(*picker), QStringList{u"start.bmp"_s});
}

TEST_F(Pickers, ADriveThatCannotBeReadSaysSoAndTheListReturns)
{
    const QString gone = QDir(drive1).filePath(u"../ejected"_s);
    volumes = {drive1, QDir::cleanPath(gone), drive2};
    auto picker = open();
    openFolder(*picker, u"Pics"_s);

    QComboBox& drives = *picker->drvDrive();
    ASSERT_EQ(drives.count(), 3);
    EXPECT_EQ(drives.currentText(), QDir::toNativeSeparators(drive1));
    drives.setCurrentIndex(1);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"Drive error!");
    EXPECT_EQ(messages.shown[0].title, u"Error");
    EXPECT_EQ(messages.shown[0].icon, MessageBoxes::Icon::Exclamation);
    EXPECT_EQ(drives.currentIndex(), 0);
    EXPECT_EQ(picker->dirDirectory()->path(), pics);
    // Another drive shows its root.
    drives.setCurrentIndex(2);
    EXPECT_EQ(picker->lblDirName()->text(), QDir::toNativeSeparators(drive2));
    EXPECT_TRUE(store.writes().isEmpty());
}

TEST(PickerDrives, TheMachinesDrivesIncludeTheRoot)
{
    const QStringList roots = mountedVolumes();
#ifndef Q_OS_WIN
    EXPECT_TRUE(roots.contains(u"/"_s)) << roots.join(u' ').toStdString();
#endif
    for (const QString& root : roots)
        EXPECT_FALSE(QFileInfo(root).isFile()) << root.toStdString();
}

// --- Opened from the dialog ------------------------------------------------------

namespace {

// Clicks the button, and while the picker it opens runs modally, hands the
// picker to `act`. A picker that `act` leaves open is closed afterwards.
void withPicker(QPushButton& button, const std::function<void(ImagePicker&)>& act)
{
    bool ran = false;
    std::function<void(int)> look = [&](int triesLeft) {
        auto* picker = qobject_cast<ImagePicker*>(QApplication::activeModalWidget());
        if (!picker && triesLeft > 0) {
            QTimer::singleShot(10, [&look, triesLeft] { look(triesLeft - 1); });
            return;
        }
        ASSERT_NE(picker, nullptr) << "no picker opened";
        ran = true;
        act(*picker);
        if (picker->isVisible())
            picker->close();
    };
    QTimer::singleShot(0, [&look] { look(200); });
    button.click();
    EXPECT_TRUE(ran);
}

} // namespace

// Each button opens its picker modally and afresh, and once the picker
// closes the box beside the button shows what is stored, chosen or not.
TEST_F(Pickers, OpenedFromTheDialogStartsAfreshAndTheBoxShowsWhatIsStored)
{
    store.write(keys::BackGround.section, keys::BackGround.name, u"3"_s);
    skyraid::Setup setup(store, {u"Arial"_s}, services());
    auto& logoButton = *setup.findChild<QPushButton*>(u"cmdSelectLogo"_s);
    auto& logo = *setup.findChild<QLineEdit*>(u"txtLogo"_s);
    const QString start = QDir::toNativeSeparators(drive1 + u"/start.bmp"_s);

    withPicker(logoButton, [&](ImagePicker& picker) {
        EXPECT_EQ(picker.windowTitle(), u"Select Your Logo");
        EXPECT_TRUE(picker.isModal());
        openFolder(picker, u"Pics"_s);
        picker.cboFileType()->setCurrentIndex(3);
        clickFile(picker, u"README"_s);
        // Another program changes the setting meanwhile.
        store.write(keys::LogoFileName.section, keys::LogoFileName.name, u"elsewhere.bmp"_s);
        QTest::mouseClick(picker.cmdCancel(), Qt::LeftButton);
    });
    EXPECT_EQ(logo.text(), u"elsewhere.bmp");

    withPicker(logoButton, [&](ImagePicker& picker) {
        EXPECT_EQ(picker.cboFileType()->currentText(), u"BMP files (*.BMP)");
        EXPECT_EQ(picker.dirDirectory()->path(), drive1);
        EXPECT_EQ(picker.txtFileName()->text(), u"");
        clickFile(picker, u"start.bmp"_s, 2);
    });
    EXPECT_EQ(logo.text(), start);

    withPicker(*setup.findChild<QPushButton*>(u"cmdSelectBG"_s), [&](ImagePicker& picker) {
        EXPECT_EQ(picker.windowTitle(), u"Form1");
        clickFile(picker, u"start.bmp"_s, 2);
    });
    EXPECT_EQ(setup.findChild<QLineEdit*>(u"txtBGFile"_s)->text(), start);
    EXPECT_TRUE(setup.findChildren<ImagePicker*>().isEmpty()) << "the pickers are gone";
}
