#include "settings/keys.h"
#include "testsupport.h"

#include <set>

#include <gtest/gtest.h>

using namespace skyraid;
using test::MemoryStore;

namespace {
const QString Assets = QStringLiteral("/opt/skyraid/share/skyraid/");
}

TEST(Seeding, EmptyStoreGetsEveryKeyInOrderWithTheMarkerLast)
{
    MemoryStore store;
    EXPECT_TRUE(seedOnFirstRun(store, Assets));

    ASSERT_EQ(store.writes().size(), 22);
    EXPECT_EQ(store.writes().front(), u"BackGround");
    EXPECT_EQ(store.writes().back(), u"SetReg");
    EXPECT_EQ(store.size(), 22); // no key written twice
    EXPECT_EQ(readSetting(store, keys::SetReg), u"2");
    EXPECT_EQ(readSetting(store, keys::Volume), u"-857");
    EXPECT_EQ(readSetting(store, keys::SoundOff), u"Never");
    EXPECT_EQ(readSetting(store, keys::Message), u"Place a message here");
    EXPECT_EQ(readSetting(store, keys::BMPFileName), Assets + QStringLiteral("Sunset Yellow.BMP"));
    EXPECT_EQ(readSetting(store, keys::LogoFileName), Assets + QStringLiteral("Logo.bmp"));

    // Seeding again is a no-op once the marker is set.
    EXPECT_FALSE(seedOnFirstRun(store, Assets));
    EXPECT_EQ(store.writes().size(), 22);
}

TEST(Seeding, MarkerTwoWithKeysMissingSeedsNothingAndReadsFallback)
{
    MemoryStore store;
    writeSetting(store, keys::SetReg, QStringLiteral("2"));
    EXPECT_FALSE(seedOnFirstRun(store, Assets));
    EXPECT_EQ(store.writes().size(), 1);
    EXPECT_EQ(readSetting(store, keys::FontName), u"1");
    EXPECT_EQ(readSetting(store, keys::Message), FallbackValue);
}

TEST(Seeding, AnyOtherMarkerSeedsAgainOverUserValues)
{
    for (const char* marker : {"3", "1", "0", "2.6", "-2"}) {
        MemoryStore store;
        writeSetting(store, keys::SetReg, QString::fromLatin1(marker));
        writeSetting(store, keys::Speed, QStringLiteral("50"));
        EXPECT_TRUE(seedOnFirstRun(store, Assets)) << marker;
        EXPECT_EQ(readSetting(store, keys::Speed), u"3") << marker;
        EXPECT_EQ(readSetting(store, keys::SetReg), u"2") << marker;
    }
}

TEST(Seeding, UnconvertibleMarkerCountsAsSeeded)
{
    // A marker that is no number stands for its seeded value, 2.
    for (const char* marker : {"abc", "", "99999"}) {
        MemoryStore store;
        writeSetting(store, keys::SetReg, QString::fromLatin1(marker));
        EXPECT_FALSE(seedOnFirstRun(store, Assets)) << marker;
    }
    MemoryStore store;
    writeSetting(store, keys::SetReg, QStringLiteral("2.4")); // rounds to 2
    EXPECT_FALSE(seedOnFirstRun(store, Assets));
}

TEST(KeyTable, KeysAreUniqueAndInTheirSections)
{
    std::set<QString> names;
    for (const SeededKey& entry : SeedTable)
        EXPECT_TRUE(names.insert(QString(entry.key.name)).second) << entry.key.name.data();
    for (Key key : {keys::MouseSens, keys::SoundOff, keys::PwrSave, keys::SetReg})
        EXPECT_EQ(key.section, Section::System);
    EXPECT_EQ(keys::Message.section, Section::Startup);
}

TEST(NumericReads, UnconvertibleTextFallsBackToTheSeed)
{
    MemoryStore store;
    writeSetting(store, keys::Volume, QStringLiteral("-857"));
    writeSetting(store, keys::FontClock, QStringLiteral("16.5"));
    EXPECT_EQ(readWhole16(store, keys::Volume), -857);
    EXPECT_EQ(readNumberWhole16(store, keys::FontClock), 16);

    writeSetting(store, keys::FontClock, QStringLiteral("17.5"));
    EXPECT_EQ(readNumberWhole16(store, keys::FontClock), 18);

    writeSetting(store, keys::Volume, QStringLiteral("loud"));
    writeSetting(store, keys::FontClock, QStringLiteral("99999"));
    EXPECT_EQ(readWhole16(store, keys::Volume), -857);
    EXPECT_EQ(readNumberWhole16(store, keys::FontClock), 16);

    // A missing Volume reads the fallback "1", which converts.
    MemoryStore empty;
    EXPECT_EQ(readWhole16(empty, keys::Volume), 1);
}
