// Settings a hand edit, another program or a broken disk may leave behind: with
// such a text in any one key, or in all, the saver composes every frame and ends
// on a key, and the dialog opens and closes without adding a key to the file.
#include "scene/imagecontrol.h"
#include "scenefixture.h"
#include "setup/setup.h"

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

// Separated by '|': the empty text first, a hundred thousand digits last.
const QStringList HostileTexts =
    u"|   |abc|4.5|-1|0|1e400|-1e400|99999999999|-32769|32768|NaN|&H10|12\nfirst line|"
    "Flugzeug über Zürich ✈ 飛行機"_s.split(u'|')
    << QString(100000, u'7');

class HostileSetting : public test::RunningScene, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(HostileSetting, SaverAndDialogSurviveEveryKeyAloneAndAllAtOnce)
{
    const QString& text = HostileTexts[GetParam()];
    seedWithOverlays();
    test::MemoryStore seeded;
    for (const SeededKey& entry : SeedTable)
        writeSetting(seeded, entry.key, readSetting(store, entry.key));
    for (std::size_t alone = 0; alone <= SeedTable.size(); ++alone) {
        SCOPED_TRACE(alone < SeedTable.size() ? SeedTable[alone].key.name.data() : "all keys");
        // A key alone in memory; all of them at once in the file.
        test::MemoryStore memory = seeded;
        const bool all = alone == SeedTable.size();
        SettingsStore& settings = all ? static_cast<SettingsStore&>(store) : memory;
        for (std::size_t key = 0; key < SeedTable.size(); ++key)
            if (all || key == alone)
                writeSetting(settings, SeedTable[key].key, text);

        // On a drawing control that keeps no log, the one-second timers ticking.
        ImageControl plain;
        SaverScene saver(SceneServices{settings, plain, sound, platform, time, random, assets(),
                                       [this] { ++ended; }});
        plain.setEvents(&saver);
        saver.start();
        // The hundred thousand digits cost a parse a frame: fewer frames for them.
        const int frames = text.size() > 1000 ? 130 : 700;
        for (int n = 1; n <= frames; ++n) {
            time.ticks += 16;
            plain.raiseFrame();
            if (n % 60 == 0) {
                time.time = time.time.addSecs(1);
                saver.onPauseSecond();
                saver.onSoundSecond();
            }
        }
        for (int n = 0; n < 3; ++n)
            saver.onMouseMove();
        saver.onKey();
        EXPECT_EQ(plain.flips(), frames);
        EXPECT_EQ(ended, 1);
        ended = 0;
    }
    // The dialog reads every key as it opens, here with the text in all.
    const QStringList keys = QSettings(iniPath(), QSettings::IniFormat).allKeys();
    skyraid::Setup setup(store, {u"Arial"_s, u"DejaVu Sans"_s, u"Liberation Serif"_s});
    setup.show();
    QCoreApplication::processEvents();
    setup.close();
    EXPECT_EQ(QSettings(iniPath(), QSettings::IniFormat).allKeys(), keys);
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileSetting, ::testing::Range(0, int(HostileTexts.size())));
