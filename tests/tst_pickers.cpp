#include "settings/keys.h"
#include "setup/filelists.h"
#include "setup/imagepicker.h"
#include "testsupport.h"

#include <memory>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

QStringList shownFiles(const ImagePicker& picker)
{
    QStringList names;
    for (int row = 0; row < picker.fileList()->count(); ++row)
        names << picker.fileList()->item(row)->text();
    return names;
}

// Clicks an entry of a file or folder list once or twice, as the window
// system reports a double-click: press, release, press, double-click, release.
template <class List> void clickEntry(List* list, const QString& name, bool twice = false)
{
    const QRect entry = list->visualItemRect(list->findItems(name, Qt::MatchRecursive).value(0));
    ASSERT_TRUE(entry.isValid()) << "no such entry";
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, entry.center());
}

} // namespace

// A user's walk through both pickers, over two drives in a temporary folder
// with the program's current folder on the first.
TEST(Pickers, WalkThrough)
{
    QTemporaryDir tree;
    const QString drive1 = tree.filePath(u"1"_s), drive2 = tree.filePath(u"2"_s),
                  pics = drive1 + u"/Pics"_s;
    ASSERT_TRUE(QDir().mkpath(pics + u"/Deeper"_s) && QDir().mkpath(drive2));
    for (const char* name : {"start.bmp", "Pics/sky.bmp", "Pics/SKY2.BMP", "Pics/Cloud.Bmp",
                             "Pics/.hidden.bmp", "Pics/anim.gif", "Pics/photo.JPG", "Pics/README"})
        ASSERT_TRUE(QFile(drive1 + u'/' + QLatin1String(name)).open(QIODevice::WriteOnly));
    auto back = qScopeGuard([previous = QDir::currentPath()] { QDir::setCurrent(previous); });
    ASSERT_TRUE(QDir::setCurrent(drive1));
    test::MemoryStore store;
    test::RecordingMessages messages;
    const QStringList volumes{drive1, QDir::cleanPath(drive1 + u"/../ejected"_s), drive2};
    auto open = [&](const ImagePicker::Kind& kind) {
        auto picker = std::make_unique<ImagePicker>(
            kind, store, DialogServices{&messages, [&] { return volumes; }});
        picker->show();
        return picker;
    };
    auto stored = [&](Key key) { return store.read(key.section, key.name, u"<missing>"_s); };

    auto logo = open(ImagePicker::LogoPicture);
    EXPECT_EQ(logo->windowTitle(), u"Select Your Logo"_s);
    EXPECT_TRUE(logo->isModal());
    EXPECT_EQ(logo->folderPathLabel()->text(), QDir::toNativeSeparators(drive1));
    EXPECT_EQ(shownFiles(*logo), QStringList{u"start.bmp"_s});
    QTest::mouseClick(logo->okButton(), Qt::LeftButton);
    EXPECT_EQ(messages.shown,
              QStringList{u"0|%1|You must first select a file!"_s.arg(programTitle())});
    EXPECT_TRUE(logo->isVisible());

    // Every file type, whatever the letter case; "*.*" lists names without a
    // dot too, and hidden files stay hidden.
    clickEntry(logo->folderList(), u"Pics"_s, true);
    EXPECT_EQ(logo->folderPathLabel()->text(), QDir::toNativeSeparators(pics));
    const QStringList listed[] = {
        {u"Cloud.Bmp"_s, u"sky.bmp"_s, u"SKY2.BMP"_s},
        {u"anim.gif"_s},
        {u"photo.JPG"_s},
        {u"anim.gif"_s, u"Cloud.Bmp"_s, u"photo.JPG"_s, u"README"_s, u"sky.bmp"_s, u"SKY2.BMP"_s}};
    for (int position : {1, 2, 3, 0}) {
        logo->fileTypeList()->setCurrentIndex(position);
        EXPECT_EQ(shownFiles(*logo), listed[position]) << position;
    }
    // A file picked stays picked under another type that lists it, and OK
    // stores it with its folder.
    clickEntry(logo->fileList(), u"sky.bmp"_s);
    logo->fileTypeList()->setCurrentIndex(3);
    QTest::mouseClick(logo->okButton(), Qt::LeftButton);
    EXPECT_EQ(stored(keys::LogoFileName), QDir::toNativeSeparators(pics + u"/sky.bmp"_s));

    // Any other name is stored as typed; Enter is OK.
    logo = open(ImagePicker::LogoPicture);
    clickEntry(logo->fileList(), u"start.bmp"_s);
    logo->fileNameBox()->setText(u"Start.bmp"_s);
    QTest::keyClick(logo->fileNameBox(), Qt::Key_Return);
    EXPECT_EQ(stored(keys::LogoFileName), u"Start.bmp"_s);

    // The background picker: Enter opens a folder without pressing OK, a drive
    // that cannot be read says so, and Cancel stores nothing.
    auto background = open(ImagePicker::BackgroundPicture);
    EXPECT_EQ(background->windowTitle(), u"Select Your Background"_s);
    clickEntry(background->folderList(), u"Pics"_s, true);
    DirectoryList& folders = *background->folderList();
    folders.setCurrentItem(folders.findItems(u"Deeper"_s, Qt::MatchRecursive).value(0));
    QTest::keyClick(&folders, Qt::Key_Return);
    EXPECT_EQ(folders.path(), pics + u"/Deeper"_s);
    EXPECT_TRUE(background->isVisible());
    clickEntry(background->folderList(), u"Pics"_s, true);

    QComboBox& drives = *background->driveList();
    EXPECT_EQ(drives.currentIndex(), 0);
    drives.setCurrentIndex(1);
    EXPECT_EQ(messages.shown.mid(1), QStringList{u"1|Error|Drive error!"_s});
    EXPECT_EQ(drives.currentIndex(), 0);
    drives.setCurrentIndex(2);
    EXPECT_EQ(background->folderPathLabel()->text(), QDir::toNativeSeparators(drive2));
    drives.setCurrentIndex(0); // back where it was on that drive
    EXPECT_EQ(folders.path(), pics);
    clickEntry(background->fileList(), u"sky.bmp"_s);
    QTest::mouseClick(background->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(stored(keys::BMPFileName), u"<missing>"_s);

    // A double-click accepts at once; a root keeps its one separator.
    background = open(ImagePicker::BackgroundPicture);
    clickEntry(background->fileList(), u"start.bmp"_s, true);
    EXPECT_EQ(stored(keys::BMPFileName), QDir::toNativeSeparators(drive1 + u"/start.bmp"_s));
    EXPECT_EQ(joinedPath(u"/"_s, u"a.bmp"_s), QDir::toNativeSeparators(u"/a.bmp"_s));

    for (const QString& root : mountedVolumes())
        EXPECT_FALSE(QFileInfo(root).isFile()) << root.toStdString();
}
