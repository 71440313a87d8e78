// The jet sound: when the saver asks for it and cuts it off, and what the
// desktop's sound server really plays.
#include "assets/wavefile.h"
#include "scenefixture.h"
#include "sound/qtsoundcontrol.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

#include <QMediaDevices>
#include <QProcess>
#include <QTest>
#include <QTimer>

using namespace skyraid;
using namespace Qt::StringLiterals;
using test::RunningScene;

// The chosen minutes become seconds; any other text leaves the limit at 0,
// which cuts the sound off on the first tick, and "Never" never does.
TEST_F(RunningScene, SoundCutOffFollowsTheChosenMinutes)
{
    const QStringList choices =
        u"1 2 3 4 5 10 15 20 30 45 60 90 120 180 240 300 360 420 480"_s.split(u' ');
    seed();
    for (const QString& soundOff :
         choices + QStringList{u"7"_s, u"never"_s, u"1.5"_s, u"Never"_s}) {
        set(keys::SoundOff, soundOff);
        load();
        const int limit = choices.contains(soundOff) ? soundOff.toInt() * 60 : 0;
        EXPECT_EQ(scene->view().soundLimitSeconds, limit) << soundOff.toStdString();
        log.clear();
        scene->onSoundSecond();
        const bool cut = limit == 0 && soundOff != u"Never";
        EXPECT_EQ(log.contains(u"stopAllSounds"_s), cut) << soundOff.toStdString();
    }
    // A minute is heard whole and cut off with its last second.
    set(keys::SoundOff, u"1"_s);
    load();
    for (int second = 1; second <= 60; ++second) {
        log.clear();
        scene->onSoundSecond();
        EXPECT_EQ(log.contains(u"stopAllSounds"_s), second == 60) << second;
    }
}

namespace {

constexpr int Rate = 48000;

double sine(double t)
{
    return 0.5 * std::sin(2 * std::numbers::pi * 441.0 * t);
}

// A WAV file of `seconds` at 48 kHz, each sample given by `wave` (-1..1);
// gives back its path.
QString writeWav(const QString& path, double seconds, double (*wave)(double))
{
    std::vector<std::int16_t> samples(std::size_t(std::lround(seconds * Rate)));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = std::int16_t(std::lround(32767.0 * wave(double(i) / Rate)));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(art::wave16(samples, Rate)) > 0);
    return path;
}

// Root mean square, full scale 1, of the 16-bit samples from one part of a
// recording to another (parts of its length).
double rms(const QByteArray& pcm, double from, double to = 1.0)
{
    const auto* samples = reinterpret_cast<const qint16*>(pcm.constData());
    const auto at = [&](double part) { return qsizetype(double(pcm.size() / 2) * part); };
    double sum = 0;
    for (qsizetype i = at(from); i < at(to); ++i)
        sum += double(samples[i]) * samples[i];
    return at(to) > at(from) ? std::sqrt(sum / double(at(to) - at(from))) / 32768.0 : 0.0;
}

// A clock that stands still until the test moves it.
struct HandClock final : SoundClock {
    qint64 now = 0;
    qint64 nowMs() const override { return now; }
};

// The real control on a null sink of the test's own on the session's sound
// server, recorded from the sink's monitor.
class NullSink : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("SKYRAID_TEST_AUDIO"))
            GTEST_SKIP() << "no sound server in this session";
        QProcess pactl;
        pactl.start(u"pactl"_s, {u"load-module"_s, u"module-null-sink"_s, u"sink_name="_s + m_name,
                                 u"rate=48000"_s, u"channels=1"_s});
        ASSERT_TRUE(pactl.waitForFinished(10000) && pactl.exitCode() == 0);
        m_module = QString::fromLatin1(pactl.readAllStandardOutput().trimmed());
        QAudioDevice sink;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                for (const QAudioDevice& output : QMediaDevices::audioOutputs())
                    sink = output.id() == m_name.toUtf8() ? output : sink;
                return !sink.isNull();
            },
            10000));
        if (!m_control)
            m_control = std::make_unique<QtSoundControl>(sink, m_clock);
        m_recorder.start(u"parec"_s,
                         {u"--device="_s + m_name + u".monitor"_s, u"--raw"_s, u"--format=s16le"_s,
                          u"--rate=48000"_s, u"--channels=1"_s, u"--latency-msec=20"_s});
    }

    void TearDown() override
    {
        m_recorder.kill();
        m_recorder.waitForFinished();
        if (!m_module.isEmpty())
            QProcess::execute(u"pactl"_s, {u"unload-module"_s, m_module});
    }

    // Records `ms` milliseconds of what the sink plays, from the first sound
    // heard when `fromHeard` is set; `frame` runs as the saver's frames do.
    QByteArray record(int ms, const std::function<void()>& frame, bool fromHeard = false)
    {
        m_recorder.readAll();
        QTimer frames;
        QObject::connect(&frames, &QTimer::timeout, frame);
        frame();
        frames.start(16);
        const qsizetype size = qsizetype(ms) * Rate / 1000 * 2;
        QByteArray pcm;
        qsizetype from = 0;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                pcm += m_recorder.readAll();
                const std::span samples(reinterpret_cast<const qint16*>(pcm.constData()),
                                        std::size_t(pcm.size() / 2));
                const auto loud = [](qint16 sample) { return std::abs(sample) > 4096; };
                from = fromHeard ? std::ranges::find_if(samples, loud) - samples.begin() : 0;
                return pcm.size() - 2 * from >= size;
            },
            30000))
            << "nothing heard";
        return pcm.mid(2 * from, size);
    }

    QTemporaryDir m_dir;
    const QString m_name = u"skyraid_rec_%1"_s.arg(QCoreApplication::applicationPid());
    QString m_module;
    QProcess m_recorder;
    HandClock m_clock;
    std::unique_ptr<QtSoundControl> m_control;
};

} // namespace

// The saver's jet comes back flight after flight for hours, asking for its
// sound on every frame it is in sight: every flight is heard in full, even
// after the sound server went away and came back, and ends once the requests
// stop; asked for on and on, the sound plays through its loops, as loud as its
// volume says; past its hold it fades; stopped, silent.
TEST_F(NullSink, JetIsHeardOnEveryFlightAtItsVolume)
{
    const std::int32_t roar =
        m_control->loadSound(writeWav(m_dir.filePath(u"roar.wav"_s), 0.25, sine));
    const std::int32_t sound = m_control->loadSound(writeWav(
        m_dir.filePath(u"jets.wav"_s), 0.25, [](double t) { return t < 0.1 ? 0.0 : sine(t); }));
    const auto request = [&] {
        m_clock.now += 100; // a frame's time, well within the hold
        m_control->playSound(roar, -1, -1);
    };
    const auto silent = [&] { return rms(record(50, [] {}), 0) < 0.001; };
    for (int flight = 1; flight <= 20; ++flight) {
        EXPECT_NEAR(rms(record(200, request, true), 0), 0.354, 0.04) << "flight " << flight;
        // The sound server dies during the roar and is back before Qt sees it
        // go; Qt reconnects a while later, in the middle of the next flight.
        if (flight == 10) {
            m_recorder.kill();
            m_recorder.waitForFinished();
            const auto server = SKYRAID_TEST_SOURCE_DIR "/../scripts/sound-server"_L1;
            ASSERT_EQ(QProcess::execute(server, {u"restart"_s}), 0);
            SetUp();
        }
        m_clock.now += QtSoundControl::HoldMs + QtSoundControl::FadeMs;
        const auto ended = [&] { return !m_control->isSounding(roar) && silent(); };
        EXPECT_TRUE(QTest::qWaitFor(ended, 30000)) << "flight " << flight << " went on";
    }

    const auto at = [&](std::int32_t volume) {
        return rms(record(1000,
                          [&] {
                              m_clock.now += 1700; // as long as the jet drifts between cruises
                              m_control->setVolume(sound, volume);
                              m_control->playSound(sound, -1, -1);
                          }),
                   0.5); // two whole loops: 60 % of them a tone of RMS 0.354
    };
    // The first starts the sound again, at the volume set before it.
    const double tenth = at(-2000), quietest = at(-2500), loudest = at(0);
    EXPECT_NEAR(loudest, 0.274, 0.04) << "the sound did not play on through its loops";
    EXPECT_NEAR(loudest / tenth, 10.0, 1.5);
    EXPECT_NEAR(loudest / quietest, std::pow(10.0, 2500.0 / 2000.0), 3.0);
    m_clock.now += QtSoundControl::HoldMs + QtSoundControl::FadeMs / 2;
    EXPECT_NEAR(rms(record(1000, [] {}), 0.5) / loudest, 0.5, 0.1) << "halfway through its fade";
    m_control->stopAllSounds();
    EXPECT_FALSE(m_control->isSounding(sound));
    EXPECT_TRUE(QTest::qWaitFor(silent, 30000));
}

// Calls that find nothing to play, not even in a file that is no recording,
// do nothing.
TEST(QtSound, HandlesThatHoldNothingAreHarmless)
{
    const bool server = QtSoundControl::hasAudioOutput();
    QTemporaryDir dir;
    const QString file = writeWav(dir.filePath(u"tone.wav"_s), 0.1, sine);
    QtSoundControl control;
    EXPECT_EQ(control.loadSound(u"/nowhere/jets.wav"_s), 0);
    const std::int32_t released = control.loadSound(file), tone = control.loadSound(file);
    // Left alone, a sound fades out by itself on the system's clock.
    control.playSound(tone, -1, -1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !control.isSounding(tone); }, 30000));
    control.releaseSound(released);
    for (std::int32_t handle :
         {0, released, -1, control.loadSound(QCoreApplication::applicationFilePath()), tone}) {
        control.setVolume(handle, -2500);
        control.playSound(handle, -1, -1);
        EXPECT_EQ(control.isSounding(handle), handle == tone && server) << handle;
        control.stopSound(handle);
        control.releaseSound(handle);
        control.releaseSound(handle);
    }
}

TEST(QtSound, GainFollowsTheDecibelsAndFadesToNothing)
{
    EXPECT_DOUBLE_EQ(QtSoundControl::gainOf(600), 1.0) << "nothing is louder than the recording";
    const double floor = QtSoundControl::gainOf(std::numeric_limits<std::int32_t>::min());
    EXPECT_TRUE(floor > 0.0 && floor < 1e-4) << floor;
    // Full while requests come and through the hold, then down to nothing.
    for (const auto& [ms, expected] : std::vector<std::pair<qint64, double>>{
             {0, 1.0}, {1800, 1.0}, {1925, 0.75}, {2050, 0.5}, {2300, 0.0}, {100000, 0.0}})
        EXPECT_DOUBLE_EQ(QtSoundControl::envelopeAt(ms), expected) << ms << " ms";
}
