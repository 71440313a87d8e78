// A day of the running saver in about a minute, on injected clocks.
//
// The one-second timers tick 86,400 times, exactly as in a day. Between two
// ticks come two frames instead of sixty, with the tick counter half a second
// further each time and "Speed" at 500 ms, so that every flying aircraft is due
// for exactly one step on every frame, as it is at sixty frames a second with
// the seeded speed. The flights are counted in frames, so each one takes
// thirty times more of the simulated day than it would on screen; the relay
// still goes round many times, and the pauses and the sound's cut-off, which
// are counted in timer ticks, fall exactly where they would. The tick counter
// starts twelve hours before it passes 2^31 or wraps at 2^32.
#include "saverformfixture.h"
#include "scene/flighttable.h"
#include "scene/form1.h"
#include "scene/imagecontrol.h"
#include "settings/keys.h"
#include "settings/systemsettingsstore.h"
#include "sound/soundcontrol.h"
#include "testsupport.h"

#include <array>
#include <malloc.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

// Counts what the jet's sound is asked to do.
class CountingSound final : public SoundControl {
public:
    int plays = 0;
    int stopAlls = 0;
    std::int32_t LoadSound(const QString&) override { return 3; }
    void ReleaseSound(std::int32_t) override {}
    void StopSound(std::int32_t) override {}
    void SetVolume(std::int32_t, std::int32_t) override {}
    void PlaySound(std::int32_t, std::int32_t, std::int32_t) override { ++plays; }
    void StopAllSounds() override { ++stopAlls; }
};

constexpr int SecondsPerDay = 24 * 60 * 60;
constexpr int FramesPerSecond = 2;
constexpr std::uint32_t MsPerFrame = 1000 / FramesPerSecond;
constexpr int SoundLimit = 480 * 60; // "SoundOff" 480 minutes

struct Wrap {
    const char* name;
    std::uint64_t at;
};

void PrintTo(const Wrap& wrap, std::ostream* out)
{
    *out << wrap.name;
}

class DayInAMinute : public ::testing::TestWithParam<Wrap> {
protected:
    DayInAMinute() { test::writeAssets(m_assets); }

    std::size_t heapInUse() const { return mallinfo2().uordblks; }

    QTemporaryDir m_assets;
    QTemporaryDir m_config;
};

// What happened in one quarter of the day.
struct Quarter {
    int relayRounds = 0; // plane 1 launched again
    int planeRelaunches = 0;
    int jetRelaunches = 0;
    int plays = 0;
};

} // namespace

TEST_P(DayInAMinute, EverythingKeepsGoingAndNothingGrows)
{
    SystemSettingsStore store(m_config.filePath(u"SkyRaid.ini"_s));
    const QString assets = m_assets.path() + u'/';
    SetRegistry(store, assets);
    writeSetting(store, keys::Speed, QString::number(MsPerFrame));
    writeSetting(store, keys::SoundOff, u"480"_s);
    writeSetting(store, keys::MessageChecked, u"1"_s);
    writeSetting(store, keys::Clock, u"1"_s);
    writeSetting(store, keys::LogoChecked, u"1"_s);
    writeSetting(store, keys::LogoFileName, assets + u"small.png"_s);

    ImageControl drawing;
    CountingSound sound;
    test::FakePlatform platform;
    test::FakeTime time;
    time.ticks = std::uint32_t(GetParam().at - 12ull * 3600 * 1000);
    time.time = QTime(12, 0);
    UnseededRandom random;
    int ended = 0;
    Form1 form(
        FormServices{store, drawing, sound, platform, time, random, assets, [&] { ++ended; }});
    drawing.setEvents(&form);
    form.Form_Load();
    const Canvas& canvas = drawing.canvas();
    const int surfaces = canvas.surfaceCount();

    const std::array<QString, 3> fonts{u"Arial"_s, u"DejaVu Sans"_s, u"Liberation Serif"_s};
    std::array<Quarter, 4> quarters{};
    int unsteadyFrames = 0;
    int wrongStopTicks = 0;
    [[maybe_unused]] std::size_t heapAtHourFour = 0;
    std::array<bool, 2> silenced{};   // just before and at the cut-off
    std::array<int, 2> countAround{}; // the tick count after 86398 and 86399 ticks

    // One frame: every aircraft that flies when it begins takes exactly one
    // step in it, or parks.
    auto frame = [&](Quarter& quarter) {
        std::array<int, 16> planeX{};
        std::array<bool, 16> flew{};
        for (int k = 1; k <= 15; ++k) {
            flew[std::size_t(k)] = form.Planes[std::size_t(k)].Active;
            planeX[std::size_t(k)] = canvas.x(form.sprPlane[std::size_t(k)]);
        }
        const bool planeFlew = form.BGPlaneWaiting == 0;
        const bool jetFlew = form.JetWaiting == 0;
        const bool planeWaited = !planeFlew;
        const bool jetWaited = !jetFlew;
        const int bgX = canvas.x(form.sprBGPlane);
        const int jetX = canvas.x(form.sprJet);
        const int playsBefore = sound.plays;

        time.ticks += MsPerFrame;
        drawing.raiseFrame();

        bool steady = true;
        for (int k = 1; k <= 15; ++k) {
            const std::size_t i = std::size_t(k);
            if (!flew[i])
                continue;
            const FormationPlaneSpec& row = FlightTable[i - 1];
            const int x = canvas.x(form.sprPlane[i]);
            const bool parked = !form.Planes[i].Active && x == row.RestartX;
            steady &= x == planeX[i] + row.StepX || parked;
        }
        if (planeFlew)
            steady &= canvas.x(form.sprBGPlane) == bgX + BackgroundPlane.StepX ||
                      form.BGPlaneWaiting == 1;
        if (jetFlew)
            steady &= canvas.x(form.sprJet) == jetX + FastJet.StepX || form.JetWaiting == 1;
        unsteadyFrames += !steady;

        quarter.relayRounds += !flew[1] && form.Planes[1].Active;
        quarter.planeRelaunches += planeWaited && form.BGPlaneWaiting == 0;
        quarter.jetRelaunches += jetWaited && form.JetWaiting == 0;
        quarter.plays += sound.plays - playsBefore;
    };

    for (int second = 1; second <= SecondsPerDay; ++second) {
        Quarter& quarter = quarters[std::size_t((second - 1) / (SecondsPerDay / 4))];
        if (second % 3600 == 0) {
            // Someone changes the message's font every hour.
            writeSetting(store, keys::FontName, fonts[std::size_t(second / 3600) % fonts.size()]);
        }
        for (int n = 0; n < FramesPerSecond; ++n)
            frame(quarter);

        const int stopsBefore = sound.stopAlls;
        time.time = time.time.addSecs(1);
        form.tmrPause_Timer();
        form.tmrSound_Timer();
        // The sound is stopped on every tick from the cut-off until the count
        // goes back to 0 after 86398, and on no other.
        const bool stops = second >= SoundLimit && second <= 86399;
        wrongStopTicks += (sound.stopAlls - stopsBefore) != (stops ? 1 : 0);
        if (second == SoundLimit - 1 || second == SoundLimit)
            silenced[second - SoundLimit + 1] = form.SilencedFlag;
        if (second == 86398 || second == 86399)
            countAround[second - 86398] = form.SoundSeconds;
        if (second == 4 * 3600)
            heapAtHourFour = heapInUse();
    }

    EXPECT_EQ(unsteadyFrames, 0);
    EXPECT_EQ(wrongStopTicks, 0);
    EXPECT_EQ(silenced, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(countAround, (std::array<int, 2>{86398, 0}));
    EXPECT_EQ(form.SoundSeconds, 1);
    EXPECT_TRUE(form.SilencedFlag);
    for (std::size_t q = 0; q < quarters.size(); ++q) {
        SCOPED_TRACE(q);
        EXPECT_GT(quarters[q].relayRounds, 0);
        EXPECT_GT(quarters[q].planeRelaunches, 0);
        EXPECT_GT(quarters[q].jetRelaunches, 0);
    }
    // The jet is heard until the cut-off, eight hours in, and never after.
    EXPECT_GT(quarters[0].plays, 0);
    EXPECT_EQ(quarters[2].plays + quarters[3].plays, 0);
    EXPECT_EQ(form.ClockSample, QTime(12, 0));

    // Nothing piles up: no surface is made after loading, and the heap is
    // where it was at hour four (when every font had been seen).
    EXPECT_EQ(canvas.surfaceCount(), surfaces);
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LT(heapInUse(), heapAtHourFour + (512u << 10));
#endif

    form.TegoDDrw1_Key();
    EXPECT_EQ(ended, 1);
}

INSTANTIATE_TEST_SUITE_P(TickCounter, DayInAMinute,
                         ::testing::Values(Wrap{"Passing2To31", 1ull << 31},
                                           Wrap{"WrappingAt2To32", 1ull << 32}),
                         [](const ::testing::TestParamInfo<Wrap>& param) {
                             return std::string(param.param.name);
                         });
