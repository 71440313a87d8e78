#include "settings/systemsettingsstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

// A store on disk in a temporary folder.
class SettingsFile : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(u"SkyRaid/SkyRaid.ini"_s); }

    QTemporaryDir m_dir;
};

} // namespace

// Text comes back as written, in its own section, whatever a hand edit or a
// broken disk left in the file: commas without quotes, bytes of no text.
TEST_F(SettingsFile, TextComesBackAsWrittenInItsSection)
{
    static const char junk[] = "\xff\xfe\x00\x01[[[=\n]]]\n[Startup\nno equals sign\n=\n";
    QByteArray content = "[Startup]\nMessage=Hello, world\n" + QByteArray(junk, sizeof junk - 1);
    for (int i = 0; i < 4096; ++i)
        content.append(char((i * 7919) & 0xff));
    QDir().mkpath(m_dir.filePath(u"SkyRaid"_s));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    const QStringList texts{u"Hello, world"_s,         u"@Variant(x)"_s, u"two\nlines"_s,
                            u"über Zürich ✈ 飛行機"_s, QString(),        QString(100000, u'x')};
    {
        SystemSettingsStore writer(path());
        for (int i = 0; i < texts.size(); ++i)
            EXPECT_TRUE(writer.write(Section::Startup, u"Text%1"_s.arg(i), texts[i]));
        EXPECT_TRUE(writer.write(Section::System, u"Text0"_s, u"other"_s));
    }
    SystemSettingsStore reader(path());
    EXPECT_EQ(reader.read(Section::Startup, u"Message"_s, u"1"_s), u"Hello, world");
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.read(Section::Startup, u"Text%1"_s.arg(i), u"1"_s), texts[i]) << i;
    EXPECT_EQ(QSettings(path(), QSettings::IniFormat).value(u"System/Text0"_s), u"other"_s);
}

// A folder stands where the settings file should be: the write fails, and
// reads show what is on disk. Once the way is clear the next write succeeds,
// and nothing of the failed one ever reaches the disk.
TEST_F(SettingsFile, WriteThatCannotBeKeptChangesNothing)
{
    SystemSettingsStore store(path());
    ASSERT_TRUE(QDir().mkpath(path()));
    EXPECT_FALSE(store.write(Section::Startup, u"Speed"_s, u"5"_s));
    EXPECT_EQ(store.read(Section::Startup, u"Speed"_s, u"1"_s), u"1");
    SystemSettingsStore sameProcess(path());
    EXPECT_EQ(sameProcess.read(Section::Startup, u"Speed"_s, u"1"_s), u"1");

    ASSERT_TRUE(QDir(path()).removeRecursively());
    EXPECT_TRUE(store.write(Section::Startup, u"Volume"_s, u"-10"_s));
    EXPECT_EQ(store.read(Section::Startup, u"Volume"_s, u"1"_s), u"-10");
    EXPECT_EQ(store.read(Section::Startup, u"Speed"_s, u"1"_s), u"1");
    EXPECT_FALSE(QSettings(path(), QSettings::IniFormat).contains(u"Startup/Speed"_s));
}

// Two processes write one file three hundred times each, at the same time,
// each checking what it reads (see store_tool's "count"); at the end each key
// holds its writer's last value.
TEST_F(SettingsFile, TwoProcessesWritingAtOnceLoseNothing)
{
    QProcess writers[2];
    const QStringList keys{u"Startup"_s, u"Message"_s, u"System"_s, u"Other"_s};
    for (int i = 0; i < 2; ++i) {
        writers[i].start(test::builtProgram(u"store_tool"_s),
                         QStringList{path(), u"count"_s, keys[2 * i], keys[2 * i + 1], u"300"_s,
                                     keys[2 - 2 * i], keys[3 - 2 * i]});
    }
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(120000));
        EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    const QString last = u"000300:"_s + QString(40, u'x');
    SystemSettingsStore reader(path());
    EXPECT_EQ(reader.read(Section::Startup, u"Message"_s, u"1"_s), last);
    EXPECT_EQ(reader.read(Section::System, u"Other"_s, u"1"_s), last);
}
