#include "platform/platform.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;
using test::MemoryStore;

TEST(Seeding, EmptyStoreGetsEveryKeyInOrderWithTheMarkerLast)
{
    QTemporaryDir assets; // the sunset, but no logo
    ASSERT_TRUE(QFile(assets.filePath(u"Sunset Yellow.BMP"_s)).open(QIODevice::WriteOnly));
    const QString folder = assets.path() + u'/';
    MemoryStore store;
    EXPECT_TRUE(seedOnFirstRun(store, folder));

    ASSERT_EQ(store.writes().size(), 22); // every key once, and no path of nothing
    EXPECT_EQ(store.size(), 22);
    EXPECT_EQ(store.writes().front(), u"BackGround");
    EXPECT_EQ(store.read(Section::System, store.writes().back(), {}), u"2");
    EXPECT_EQ(store.read(Section::System, u"SoundOff"_s, {}), u"Never");
    EXPECT_EQ(readSetting(store, keys::BMPFileName), folder + u"Sunset Yellow.BMP"_s);
    EXPECT_EQ(readSetting(store, keys::LogoFileName), FallbackValue);

    EXPECT_FALSE(seedOnFirstRun(store, folder));
    EXPECT_EQ(store.writes().size(), 22);
}

TEST(Seeding, OnlyAMarkerThatReadsTwoKeepsTheStore)
{
    // A marker that is no 16-bit number stands for its seeded value, 2.
    for (const char* marker : {"3", "1", "0", "2.6", "-2", "2", "2.4", "abc", "", "99999"}) {
        const bool seeds = QByteArray("3 1 0 2.6 -2").split(' ').contains(marker);
        MemoryStore store;
        writeSetting(store, keys::SetReg, QString::fromLatin1(marker));
        writeSetting(store, keys::Speed, u"50"_s);
        EXPECT_EQ(seedOnFirstRun(store, u"/nowhere/"_s), seeds) << marker;
        EXPECT_EQ(readSetting(store, keys::Speed), seeds ? u"3"_s : u"50"_s) << marker;
    }
}

// A copy of the program alone in a folder, on an empty store: it finds the
// pictures in the desktop's data folders, else under the prefix it was built
// for, else says that it has none; it never stores the path of nothing.
TEST(CopiedProgram, FindsThePicturesWhereverTheyAreOrSaysSo)
{
    QTemporaryDir root;
    const QString program = root.filePath(u"bin/skyraid"_s);
    const QString data = root.filePath(u"data/skyraid/"_s);
    ASSERT_TRUE(QDir(root.path()).mkpath(u"bin"_s) && QDir().mkpath(data));
    ASSERT_TRUE(QFile::copy(test::builtProgram(u"skyraid"_s), program));
    for (const QString& name : QDir(assetFolder()).entryList(QDir::Files))
        QFile::copy(assetFolder() + name, data + name);

    for (const bool installed : {true, false}) {
        const QString config = root.filePath(installed ? u"config1"_s : u"config2"_s);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_CONFIG_HOME"_s, config);
        env.insert(u"XDG_DATA_HOME"_s, root.filePath(installed ? u"data"_s : u"none"_s));
        env.insert(u"XDG_DATA_DIRS"_s, root.filePath(u"none"_s));
        // A runtime folder of its own: a saver of another test is no reason
        // for this one to end.
        env.insert(u"XDG_RUNTIME_DIR"_s, root.path());
        QProcess saver;
        saver.setProcessEnvironment(env);
        saver.setWorkingDirectory(root.filePath(u"bin"_s));
        saver.start(program, {});
        SystemSettingsStore store(config + u"/SkyRaid/SkyRaid.ini"_s);
        for (QDeadlineTimer deadline(60000);
             readSetting(store, keys::SetReg) != u"2" && !deadline.hasExpired();)
            QThread::msleep(20);
        saver.terminate();
        ASSERT_TRUE(saver.waitForFinished(30000));
        const QString said = QString::fromLocal8Bit(saver.readAllStandardError());
        EXPECT_EQ(readSetting(store, keys::SetReg), u"2") << qPrintable(said);
        for (const Key key : {keys::BMPFileName, keys::LogoFileName}) {
            const QString stored = readSetting(store, key);
            EXPECT_TRUE(stored == FallbackValue
                            ? !installed && said.contains(u"cannot find the pictures"_s)
                            : QFileInfo(stored).isFile() && (!installed || stored.startsWith(data)))
                << qPrintable(stored + u' ' + said);
        }
    }
}
