// The saver under stress: settings that a hand edit, another program or a
// broken disk may leave behind, and a whole day of running.
#include "saverformfixture.h"
#include "scene/imagecontrol.h"
#include "setup/setup.h"

#include <malloc.h>
#include <optional>

#include <QCoreApplication>
#include <QSettings>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

class BusySaver : public test::SaverForm {
protected:
    // Every key seeded and every overlay on, then `change`.
    void prepare(const std::function<void()>& change)
    {
        seed();
        for (const Key key : {keys::MessageChecked, keys::Clock, keys::LogoChecked})
            set(key, u"1"_s);
        set(keys::LogoFileName, assets() + u"small.png"_s);
        change();
    }
    // The saver on a drawing control that keeps no log: `frames` frames `ms`
    // apart, a tick of the one-second timers every `perTick` of them.
    void run(int frames, std::uint32_t ms, int perTick, const std::function<void(int)>& everyTick)
    {
        form.reset();
        plain.emplace();
        form = std::make_unique<Form1>(FormServices{store, *plain, sound, platform, time, random,
                                                    assets(), [this] { ++ended; }});
        plain->setEvents(form.get());
        form->Form_Load();
        for (int n = 1; n <= frames; ++n) {
            time.ticks += ms;
            plain->raiseFrame();
            if (n % perTick)
                continue;
            time.time = time.time.addSecs(1);
            form->tmrPause_Timer();
            form->tmrSound_Timer();
            everyTick(n / perTick);
        }
    }
    QStringList keySet() const
    {
        QStringList keys = QSettings(iniPath(), QSettings::IniFormat).allKeys();
        keys.sort();
        return keys;
    }

    std::optional<ImageControl> plain;
};

const QString HostileTexts[] = {
    u""_s,       u"   "_s,    u"abc"_s,    u"4.5"_s,         u"-1"_s,
    u"0"_s,      u"1e400"_s,  u"-1e400"_s, u"99999999999"_s, u"-32769"_s,
    u"32768"_s,  u"NaN"_s,    u"&H10"_s,   QString(100000, u'7'),
    u"Flugzeug über Zürich ✈ 飛行機"_s, u"12\nfirst line"_s};

class HostileSetting : public BusySaver, public ::testing::WithParamInterface<int> {};

} // namespace

// With the text in any one key, or in all at once, the saver composes every
// frame and ends on a key, and the dialog opens and closes without adding a
// key to the file.
TEST_P(HostileSetting, SaverAndDialogSurviveEveryKeyAloneAndAllAtOnce)
{
    const QString& text = HostileTexts[GetParam()];
    for (std::size_t alone = 0; alone <= SeedTable.size(); ++alone) {
        SCOPED_TRACE(alone < SeedTable.size() ? SeedTable[alone].key.name.data() : "all keys");
        prepare([&] {
            for (std::size_t i = 0; i < SeedTable.size(); ++i) {
                if (i == alone || alone == SeedTable.size())
                    set(SeedTable[i].key, text);
            }
        });
        const QStringList keys = keySet();
        ended = 0;
        run(700, 16, 60, [](int) {});
        for (int n = 0; n < 3; ++n)
            form->TegoDDrw1_MouseMove();
        form->TegoDDrw1_Key();
        EXPECT_EQ(plain->flips(), 700);
        EXPECT_EQ(ended, 1);

        skyraid::Setup setup(store, {u"Arial"_s, u"DejaVu Sans"_s, u"Liberation Serif"_s});
        setup.show();
        QCoreApplication::processEvents();
        setup.close();
        EXPECT_EQ(keySet(), keys);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, HostileSetting, ::testing::Range(0, int(std::size(HostileTexts))));

// A day in a minute: 86,400 ticks of the one-second timers with two frames
// between them, half a second apart, and "Speed" 500 ms, so that every flying
// aircraft steps on every frame as at sixty frames a second; the tick counter
// wraps at 2^32 half way through. The relay and the relaunches go on all day,
// the sound is cut off at its time, and nothing piles up.
TEST_F(BusySaver, ADayKeepsGoingAndNothingGrows)
{
    prepare([this] {
        set(keys::Speed, u"500"_s);
        set(keys::SoundOff, u"480"_s);
    });
    time.ticks = std::uint32_t((1ull << 32) - 12ull * 3600 * 1000);
    // Per quarter of the day: relay rounds, background plane and jet relaunches, roars.
    std::array<std::array<int, 4>, 4> quarters{};
    std::array<bool, 3> flew{true, true, true};
    int surfaces = 0;
    [[maybe_unused]] std::size_t heapAtHourFour = 0;
    const QStringList fonts{u"Arial"_s, u"DejaVu Sans"_s, u"Liberation Serif"_s};
    run(2 * 24 * 3600, 500, 2, [&](int second) {
        std::array<int, 4>& quarter = quarters[std::size_t(second - 1) / (6 * 3600)];
        const std::array<bool, 3> flies{form->Planes[1].Active, !form->BGPlaneWaiting,
                                        !form->JetWaiting};
        for (std::size_t i = 0; i < 3; ++i)
            quarter[i] += flies[i] && !flew[i];
        flew = flies;
        quarter[3] += int(log.count(u"PlaySound(7)"_s));
        log.clear();
        if (second % 3600 == 0) // someone changes the message's font every hour
            set(keys::FontName, fonts[(second / 3600) % 3]);
        if (second == 1)
            surfaces = plain->canvas().surfaceCount();
        if (second == 4 * 3600)
            heapAtHourFour = mallinfo2().uordblks;
    });
    for (std::size_t q = 0; q < 4; ++q) {
        EXPECT_GT(quarters[q][0], 0) << q;
        EXPECT_GT(quarters[q][1], 0) << q;
        EXPECT_GT(quarters[q][2], 0) << q;
    }
    // The jet is heard until the cut-off, eight hours in, and never after.
    EXPECT_GT(quarters[0][3], 0);
    EXPECT_EQ(quarters[2][3] + quarters[3][3], 0);
    EXPECT_EQ(form->ClockSample, QTime(12, 0));
    // No surface is made after loading, and the heap is where it was at hour
    // four, when every font had been seen.
    EXPECT_EQ(plain->canvas().surfaceCount(), surfaces);
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(mallinfo2().uordblks, heapAtHourFour + (512u << 10));
#endif
    form->TegoDDrw1_Key();
    EXPECT_EQ(ended, 1);
}
