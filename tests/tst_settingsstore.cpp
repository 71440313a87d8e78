#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "setup/logomessagetab.h"
#include "setup/setup.h"
#include "testsupport.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    QString path() const { return m_dir.filePath(QStringLiteral("SkyRaid/SkyRaid.ini")); }

    void writeRaw(const QByteArray& content)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray rawContent() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Runs the store tool as another process; returns its standard output.
    QString runTool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(test::builtProgram(QStringLiteral("store_tool")),
                   QStringList{path()} + arguments);
        EXPECT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << arguments.join(u' ').toStdString();
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(SettingsFile, KeepsTextInIniGroupsAndFallsBackForMissingKeys)
{
    SystemSettingsStore store(path());
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Speed"), QStringLiteral("1")), u"1");

    EXPECT_TRUE(store.write(Section::Startup, QStringLiteral("Volume"), QStringLiteral("-857")));
    EXPECT_TRUE(store.write(Section::System, QStringLiteral("SoundOff"), QStringLiteral("Never")));
    EXPECT_TRUE(store.write(Section::Startup, QStringLiteral("Volume"), QStringLiteral("-10")));

    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Volume"), QStringLiteral("1")), u"-10");
    // The same key in the other section is another value.
    EXPECT_EQ(store.read(Section::System, QStringLiteral("Volume"), QStringLiteral("1")), u"1");

    QSettings ini(path(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Startup/Volume")).toString(), u"-10");
    EXPECT_EQ(ini.value(QStringLiteral("System/SoundOff")).toString(), u"Never");
}

TEST_F(SettingsFile, AwkwardTextComesBackAsWritten)
{
    const QStringList texts{QStringLiteral("Hello, world"),
                            QStringLiteral("@Variant(x)"),
                            QStringLiteral("  padded  "),
                            QStringLiteral("semi; colon # hash"),
                            QStringLiteral("two\nlines"),
                            QStringLiteral("\"quoted\" \\ back"),
                            QStringLiteral("Flugzeug über Zürich ✈ 飛行機"),
                            QStringLiteral(""),
                            QString(100000, u'x')};
    {
        SystemSettingsStore writer(path());
        for (int i = 0; i < texts.size(); ++i)
            writer.write(Section::Startup, QStringLiteral("Text%1").arg(i), texts[i]);
    }
    SystemSettingsStore reader(path());
    for (int i = 0; i < texts.size(); ++i)
        EXPECT_EQ(reader.read(Section::Startup, QStringLiteral("Text%1").arg(i), u"1"_s), texts[i])
            << i;
}

TEST_F(SettingsFile, HandEditedCommasReadBackAsText)
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("SkyRaid")));
    writeRaw("[Startup]\nMessage=Hello, world\nFontName=Arial\n");
    SystemSettingsStore store(path());
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Message"), u"1"_s), u"Hello, world");
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("FontName"), u"1"_s), u"Arial");
}

TEST_F(SettingsFile, AnotherProcessWriteIsSeenByTheNextRead)
{
    SystemSettingsStore store(path());
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Message"), u"1"_s), u"1");

    runTool({QStringLiteral("write"), QStringLiteral("Startup"), QStringLiteral("Message"),
             QStringLiteral("first")});
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Message"), u"1"_s), u"first");

    // Same length, written right after: only the file's identity tells.
    runTool({QStringLiteral("write"), QStringLiteral("Startup"), QStringLiteral("Message"),
             QStringLiteral("secnd")});
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Message"), u"1"_s), u"secnd");

    // And our own writes reach the other process.
    store.write(Section::System, QStringLiteral("MouseSens"), QStringLiteral("7"));
    EXPECT_EQ(
        runTool({QStringLiteral("read"), QStringLiteral("System"), QStringLiteral("MouseSens")}),
        u"7");
}

TEST_F(SettingsFile, ConcurrentWritersOfDifferentKeysLoseNothing)
{
    const int count = 150;
    QProcess first;
    QProcess second;
    first.start(test::builtProgram(QStringLiteral("store_tool")),
                {path(), QStringLiteral("write-many"), QStringLiteral("Startup"),
                 QStringLiteral("A"), QString::number(count)});
    second.start(test::builtProgram(QStringLiteral("store_tool")),
                 {path(), QStringLiteral("write-many"), QStringLiteral("System"),
                  QStringLiteral("B"), QString::number(count)});
    // Meanwhile this process writes keys of its own.
    SystemSettingsStore store(path());
    for (int i = 0; i < count; ++i)
        store.write(Section::Startup, QStringLiteral("C%1").arg(i), QString::number(i));
    ASSERT_TRUE(first.waitForFinished(120000));
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(first.exitCode(), 0);
    EXPECT_EQ(second.exitCode(), 0);

    SystemSettingsStore reader(path());
    int missing = 0;
    for (int i = 0; i < count; ++i) {
        missing += reader.read(Section::Startup, QStringLiteral("A%1").arg(i), u"-"_s) !=
                   QString::number(i);
        missing += reader.read(Section::System, QStringLiteral("B%1").arg(i), u"-"_s) !=
                   QString::number(i);
        missing += reader.read(Section::Startup, QStringLiteral("C%1").arg(i), u"-"_s) !=
                   QString::number(i);
    }
    EXPECT_EQ(missing, 0);
}

namespace {

// The n-th value of a counting writer (as store_tool's "count" writes it).
// Every value has the same length, so the file keeps its size from one
// version to the next and only its contents tell them apart.
QString countedValue(int n)
{
    return QStringLiteral("%1:%2").arg(n, 6, 10, QLatin1Char('0')).arg(QString(40, u'x'));
}

// The n of a counted value, or -1 when the value is not one, whole.
int countOf(const QString& value)
{
    const qsizetype colon = value.indexOf(u':');
    bool ok = false;
    const int n = value.left(colon).toInt(&ok);
    if (colon < 0 || !ok || value != countedValue(n))
        return -1;
    return n;
}

} // namespace

// The dialog in this process and another process write the same file
// thousands of times each, while the saver reads both values between the
// dialog's writes: every value read is whole and never older than one read
// before, and at the end each key holds its writer's last value and every
// other key is as it was.
TEST_F(SettingsFile, DialogAndAnotherProcessWritingAtOnceLoseNothing)
{
    const int count = 2000;
    {
        SystemSettingsStore seeder(path());
        SetRegistry(seeder, u"/assets/"_s);
    }
    SystemSettingsStore dialogStore(path());
    SystemSettingsStore saverStore(path());
    skyraid::Setup dialog(dialogStore, {u"Arial"_s});
    QLineEdit& message = *dialog.logoMessageTab()->txtMessage();
    QStringList others; // what the dialog's loading left in the other keys
    for (const SeededKey& entry : SeedTable)
        others << readSetting(saverStore, entry.key);

    QProcess other;
    other.start(test::builtProgram(QStringLiteral("store_tool")),
                {path(), u"count"_s, u"System"_s, u"Other"_s, QString::number(count)});
    ASSERT_TRUE(other.waitForStarted());

    int lastMessage = 0;
    int lastOther = 0;
    int otherSeenRunning = 0;
    int torn = 0;
    int backwards = 0;
    for (int n = 1; n <= count; ++n) {
        message.setText(countedValue(n));
        const int seenMessage = countOf(saverStore.read(Section::Startup, u"Message"_s, u"-"_s));
        const QString otherText = saverStore.read(Section::System, u"Other"_s, u"0:"_s);
        const int seenOther = otherText == u"0:" ? 0 : countOf(otherText);
        torn += (seenMessage < 0) + (seenOther < 0);
        backwards += (seenMessage < lastMessage) + (seenOther < lastOther);
        // The dialog's own write is always seen by the next read.
        EXPECT_EQ(seenMessage, n);
        lastMessage = std::max(lastMessage, seenMessage);
        if (seenOther > lastOther && seenOther < count)
            ++otherSeenRunning;
        lastOther = std::max(lastOther, seenOther);
    }
    ASSERT_TRUE(other.waitForFinished(120000));
    EXPECT_EQ(other.exitCode(), 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(backwards, 0);
    // The two really wrote at the same time.
    EXPECT_GT(otherSeenRunning, 0);

    QSettings ini(path(), QSettings::IniFormat);
    EXPECT_EQ(ini.status(), QSettings::NoError);
    EXPECT_EQ(ini.value(u"Startup/Message"_s).toString(), countedValue(count));
    EXPECT_EQ(ini.value(u"System/Other"_s).toString(), countedValue(count));
    for (std::size_t i = 0; i < SeedTable.size(); ++i) {
        const Key key = SeedTable[i].key;
        if (key.name != keys::Message.name) {
            EXPECT_EQ(readSetting(saverStore, key), others[qsizetype(i)]) << key.name.data();
        }
    }
}

TEST_F(SettingsFile, CorruptFileNeverCrashesAndStillTakesWrites)
{
    QDir().mkpath(m_dir.filePath(QStringLiteral("SkyRaid")));
    static const char head[] =
        "\xff\xfe\x00\x01[[[=\n]]]\n[Startup\nno equals sign\n=\n[System]\nSetReg=2\n";
    QByteArray garbage(head, sizeof head - 1); // the NUL bytes inside are part of it
    for (int i = 0; i < 4096; ++i)
        garbage.append(char((i * 7919) & 0xff));
    writeRaw(garbage);

    SystemSettingsStore store(path());
    (void)store.read(Section::Startup, QStringLiteral("Message"), u"1"_s);
    EXPECT_TRUE(store.write(Section::Startup, QStringLiteral("Speed"), QStringLiteral("5")));
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Speed"), u"1"_s), u"5");

    SystemSettingsStore other(path());
    EXPECT_EQ(other.read(Section::Startup, QStringLiteral("Speed"), u"1"_s), u"5");
}

TEST_F(SettingsFile, WriteThatCannotBeKeptIsReported)
{
    // The settings folder's place is taken by a plain file.
    QFile blocker(m_dir.filePath(QStringLiteral("SkyRaid")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    SystemSettingsStore store(path());
    EXPECT_FALSE(store.write(Section::Startup, QStringLiteral("Speed"), QStringLiteral("5")));
    EXPECT_EQ(store.read(Section::Startup, QStringLiteral("Speed"), u"1"_s), u"1");
}

TEST(SettingsLocation, IsTheSkyRaidIniInTheUserConfigFolder)
{
    EXPECT_TRUE(SystemSettingsStore::defaultIniPath().endsWith(u"/SkyRaid/SkyRaid.ini"));
}
