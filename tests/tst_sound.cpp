// The jet sound: when the saver asks for it and cuts it off, and what the
// desktop's sound server really plays.
#include "scene/form1.h"
#include "settings/keys.h"
#include "sound/qtsoundcontrol.h"
#include "testsupport.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include <QAudioFormat>
#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWaveDecoder>

#include <gtest/gtest.h>

using namespace skyraid;
using namespace Qt::StringLiterals;

namespace {

// The saver form with its sound calls written down on their own.
class SoundForm : public ::testing::Test {
protected:
    SoundForm() { SetRegistry(store, u"/assets/"_s); }

    Form1& load()
    {
        form = std::make_unique<Form1>(
            FormServices{store, drawing, sound, platform, time, random, u"/assets/"_s, [] {}});
        drawing.setEvents(form.get());
        form->Form_Load();
        soundLog.clear();
        return *form;
    }

    // One tick of the sound timer: whether it cut the sound off.
    bool tick()
    {
        soundLog.clear();
        form->tmrSound_Timer();
        return soundLog.contains(u"StopAllSounds"_s);
    }

    test::MemoryStore store;
    QStringList drawLog;
    QStringList soundLog;
    test::FakePlatform platform;
    test::RecordingDrawing drawing{&drawLog};
    test::RecordingSound sound{&soundLog};
    test::FakeTime time;
    test::ScriptedRandom random;
    std::unique_ptr<Form1> form;
};

struct CutOffRow {
    const char* soundOff;
    std::optional<int> firstCut; // the tick that first cuts the sound off
};

void PrintTo(const CutOffRow& row, std::ostream* out)
{
    *out << '"' << row.soundOff << '"';
}

class CutOff : public SoundForm, public ::testing::WithParamInterface<CutOffRow> {};

} // namespace

TEST_P(CutOff, SilencesFromItsTickOnEveryTick)
{
    writeSetting(store, keys::SoundOff, QString::fromLatin1(GetParam().soundOff));
    load();
    const int last = GetParam().firstCut.value_or(3000) + 2;
    std::optional<int> firstCut;
    for (int n = 1; n <= last; ++n) {
        time.time = QTime(12, 0).addSecs(n);
        const bool cut = tick();
        ASSERT_EQ(form->ClockSample, time.time) << "tick " << n;
        if (cut && !firstCut)
            firstCut = n;
        if (firstCut) {
            ASSERT_TRUE(cut) << "tick " << n << " after the cut-off";
            ASSERT_TRUE(form->SilencedFlag);
        } else {
            ASSERT_FALSE(form->SilencedFlag) << "tick " << n;
        }
    }
    EXPECT_EQ(firstCut, GetParam().firstCut);
    if (!firstCut) {
        EXPECT_EQ(form->SoundSeconds, 0) << "Never counts nothing";
    }
}

INSTANTIATE_TEST_SUITE_P(SoundOff, CutOff,
                         ::testing::Values(CutOffRow{"1", 60}, CutOffRow{"45", 2700},
                                           CutOffRow{"120", 7200}, CutOffRow{"480", 28800},
                                           CutOffRow{"Never", std::nullopt},
                                           // Not in the list, or not a number: the limit stays 0.
                                           CutOffRow{"7", 1}, CutOffRow{"never", 1},
                                           CutOffRow{"NEVER", 1}, CutOffRow{"1.5", 1}));

TEST_F(SoundForm, CountRestartsAfterADayAndTheSoundStaysOff)
{
    writeSetting(store, keys::SoundOff, u"1"_s);
    load();
    for (int n = 1; n <= 86399; ++n)
        form->tmrSound_Timer();
    EXPECT_EQ(form->SoundSeconds, 0);
    for (int n = 1; n <= 59; ++n)
        ASSERT_FALSE(tick()) << "tick " << n << " of the new count";
    EXPECT_TRUE(form->SilencedFlag);
    EXPECT_TRUE(tick());
}

TEST_F(SoundForm, SoundIsLoadedWhateverPropSaysAndStoppedWhenItIsOff)
{
    const struct {
        const char* prop;
        bool stopped;
    } rows[] = {{"1", false}, {"0", true}, {"2", false}, {"off", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.prop);
        writeSetting(store, keys::Prop, QString::fromLatin1(row.prop));
        form = std::make_unique<Form1>(
            FormServices{store, drawing, sound, platform, time, random, u"/assets/"_s, [] {}});
        soundLog.clear();
        form->Form_Load();
        QStringList expected{u"ReleaseSound(0)"_s, u"LoadSound(jets.wav)"_s};
        if (row.stopped)
            expected << u"StopSound(7)"_s;
        EXPECT_EQ(soundLog, expected);
        EXPECT_EQ(form->sndJets, 7);
        EXPECT_EQ(form->Prop, QString::fromLatin1(row.prop));
        form.reset();
    }
}

TEST_F(SoundForm, JetWithPropOffNeverAsksForTheSound)
{
    writeSetting(store, keys::Prop, u"0"_s);
    writeSetting(store, keys::SecDelay, u"0"_s);
    load();
    for (int n = 0; n < 2000; ++n) {
        time.ticks += 20;
        drawing.image.raiseFrame();
        if (n % 50 == 0) {
            form->tmrPause_Timer();
            form->tmrSound_Timer();
        }
    }
    EXPECT_FALSE(soundLog.contains(u"PlaySound(7)"_s));
    EXPECT_FALSE(soundLog.contains(u"SetVolume(7,"_s));
}

// ---------------------------------------------------------------------------
// The real control.

namespace {

constexpr int Rate = 48000;

// A mono 16-bit WAV file of `seconds`, each sample given by `wave` (-1..1).
template <typename Wave> void writeWav(const QString& path, double seconds, Wave wave)
{
    QAudioFormat format;
    format.setSampleRate(Rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QWaveDecoder writer(&file, format);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
    const int count = int(std::lround(seconds * Rate));
    std::vector<qint16> samples(std::size_t(count), 0);
    for (int i = 0; i < count; ++i)
        samples[std::size_t(i)] = qint16(std::lround(32767.0 * wave(double(i) / Rate)));
    writer.write(reinterpret_cast<const char*>(samples.data()), qint64(samples.size() * 2));
    writer.close();
}

double sine(double t)
{
    return 0.5 * std::sin(2 * std::numbers::pi * 441.0 * t);
}

// Root mean square, full scale 1, of 16-bit samples.
double rms(const QByteArray& pcm)
{
    const auto* samples = reinterpret_cast<const qint16*>(pcm.constData());
    const qsizetype count = pcm.size() / 2;
    if (count == 0)
        return 0;
    double sum = 0;
    for (qsizetype i = 0; i < count; ++i)
        sum += double(samples[i]) * samples[i];
    return std::sqrt(sum / double(count)) / 32768.0;
}

// The last `fraction` of a recording, whole samples.
QByteArray tail(const QByteArray& pcm, double fraction)
{
    const qsizetype samples = qsizetype(double(pcm.size() / 2) * fraction);
    return pcm.right(samples * 2);
}

// A null sink of the test's own on the session's sound server, recorded
// from its monitor while the real control plays on it.
class NullSink : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("SKYRAID_TEST_AUDIO"))
            GTEST_SKIP() << "no sound server in this session";
        m_name = QStringLiteral("skyraid_rec_%1_%2")
                     .arg(QCoreApplication::applicationPid())
                     .arg(QString::fromLatin1(
                         ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        QProcess pactl;
        pactl.start(u"pactl"_s, {u"load-module"_s, u"module-null-sink"_s, u"sink_name="_s + m_name,
                                 u"rate=48000"_s, u"channels=1"_s});
        ASSERT_TRUE(pactl.waitForFinished(10000));
        ASSERT_EQ(pactl.exitCode(), 0) << pactl.readAllStandardError().toStdString();
        m_module = QString::fromLatin1(pactl.readAllStandardOutput().trimmed());

        const auto device = [this] {
            for (const QAudioDevice& output : QMediaDevices::audioOutputs())
                if (output.id() == m_name.toUtf8())
                    return output;
            return QAudioDevice();
        };
        ASSERT_TRUE(QTest::qWaitFor([&] { return !device().isNull(); }, 10000))
            << "the sink never showed up as an audio output";
        m_control = std::make_unique<QtSoundControl>(device());

        m_recorder.start(u"parec"_s,
                         {u"--device="_s + m_name + u".monitor"_s, u"--raw"_s, u"--format=s16le"_s,
                          u"--rate=48000"_s, u"--channels=1"_s, u"--latency-msec=20"_s});
        ASSERT_TRUE(m_recorder.waitForStarted(10000));
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_recorder.bytesAvailable() > 0; }, 10000))
            << "nothing recorded from the monitor";
    }

    void TearDown() override
    {
        m_control.reset();
        if (m_recorder.state() != QProcess::NotRunning) {
            m_recorder.kill();
            m_recorder.waitForFinished();
        }
        if (!m_module.isEmpty())
            QProcess::execute(u"pactl"_s, {u"unload-module"_s, m_module});
    }

    std::int32_t load(const QString& fileName)
    {
        const std::int32_t sound = m_control->LoadSound(m_dir.filePath(fileName));
        EXPECT_NE(sound, 0);
        return sound;
    }

    // Records for `ms` milliseconds; `frame` runs sixty times a second, as
    // the saver's frames do.
    QByteArray record(int ms, const std::function<void()>& frame = {})
    {
        m_recorder.readAll();
        QTimer frames;
        frames.setInterval(16);
        if (frame) {
            QObject::connect(&frames, &QTimer::timeout, frame);
            frame();
            frames.start();
        }
        QTest::qWait(ms);
        frames.stop();
        return m_recorder.readAll();
    }

    QTemporaryDir m_dir;
    QString m_name;
    QString m_module;
    QProcess m_recorder;
    std::unique_ptr<QtSoundControl> m_control;
};

} // namespace

TEST_F(NullSink, PlaysOnWhileRequestedAndIsSilentOnceStopped)
{
    // A quiet start and then a tone: asked for again on every frame, the
    // sound must play on to the tone rather than start over in the quiet.
    writeWav(m_dir.filePath(u"quietstart.wav"_s), 0.5,
             [](double t) { return t < 0.2 ? 0.0 : sine(t); });
    const std::int32_t sound = load(u"quietstart.wav"_s);
    const auto request = [&] {
        m_control->SetVolume(sound, 0);
        m_control->PlaySound(sound, -1, -1);
    };

    const QByteArray playing = record(1500, request);
    EXPECT_TRUE(m_control->isSounding(sound));
    // Two whole loops of the last part: 60 % tone of RMS 0.354.
    const double level = rms(playing.right(2 * Rate * 2));
    std::cout << "playing RMS " << level << '\n';
    EXPECT_GT(level, 0.2) << "the sound did not play on through its loops";

    m_control->StopAllSounds();
    const QByteArray stopped = record(600);
    const double after = rms(tail(stopped, 0.5));
    std::cout << "after StopAllSounds RMS " << after << '\n';
    EXPECT_LT(after, 0.001);
    EXPECT_FALSE(m_control->isSounding(sound));
}

TEST_F(NullSink, FadesOutSoonAfterTheRequestsStop)
{
    writeWav(m_dir.filePath(u"tone.wav"_s), 0.25, sine);
    const std::int32_t sound = load(u"tone.wav"_s);
    const QByteArray playing = record(800, [&] { m_control->PlaySound(sound, -1, -1); });
    EXPECT_GT(rms(tail(playing, 0.5)), 0.3);

    record(int(QtSoundControl::HoldMs + QtSoundControl::FadeMs + 100)); // holding, fading
    const QByteArray after = record(500);
    EXPECT_FALSE(m_control->isSounding(sound));
    const double level = rms(after);
    std::cout << "after the last request RMS " << level << '\n';
    EXPECT_LT(level, 0.001) << "the sound went on without requests";
}

TEST_F(NullSink, VolumeIsHundredthsOfADecibel)
{
    writeWav(m_dir.filePath(u"tone.wav"_s), 0.25, sine);
    const std::int32_t sound = load(u"tone.wav"_s);
    const auto at = [&](std::int32_t volume) {
        return rms(tail(record(900,
                               [&] {
                                   m_control->SetVolume(sound, volume);
                                   m_control->PlaySound(sound, -1, -1);
                               }),
                        0.5));
    };
    const double loudest = at(0);
    const double tenth = at(-2000);
    const double quietest = at(-2500);
    std::cout << "RMS at 0: " << loudest << ", at -2000: " << tenth << ", at -2500: " << quietest
              << '\n';
    ASSERT_GT(loudest, 0.3);
    EXPECT_NEAR(loudest / tenth, 10.0, 1.5);
    EXPECT_NEAR(loudest / quietest, std::pow(10.0, 2500.0 / 2000.0), 3.0);
}

TEST_F(NullSink, RecordingThatIsNoSoundPlaysNothing)
{
    QFile file(m_dir.filePath(u"jets.wav"_s));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4000, 'x'));
    file.close();
    const std::int32_t sound = load(u"jets.wav"_s);
    const QByteArray recorded = record(600, [&] { m_control->PlaySound(sound, -1, -1); });
    EXPECT_FALSE(m_control->isSounding(sound));
    EXPECT_LT(rms(tail(recorded, 0.5)), 0.001);
    m_control->ReleaseSound(sound);
}

// Calls that find nothing to play, or nothing to play on, do nothing.
TEST(QtSound, HandlesThatHoldNothingAreHarmless)
{
    QTemporaryDir dir;
    writeWav(dir.filePath(u"tone.wav"_s), 0.1, sine);
    QtSoundControl control;
    EXPECT_EQ(control.LoadSound(u"/nowhere/jets.wav"_s), 0);
    const std::int32_t released = control.LoadSound(dir.filePath(u"tone.wav"_s));
    EXPECT_NE(released, 0);
    control.PlaySound(released, -1, -1);
    control.ReleaseSound(released);
    for (std::int32_t handle : {0, released, -1}) {
        control.SetVolume(handle, -2500);
        control.PlaySound(handle, -1, -1);
        control.StopSound(handle);
        control.ReleaseSound(handle);
        control.ReleaseSound(handle);
        EXPECT_FALSE(control.isSounding(handle));
    }
    control.StopAllSounds();
}

TEST(QtSound, GainFollowsTheDecibelsAndFadesToNothing)
{
    EXPECT_DOUBLE_EQ(QtSoundControl::gainOf(0), 1.0);
    EXPECT_NEAR(QtSoundControl::gainOf(-2000), 0.1, 1e-12);
    EXPECT_NEAR(QtSoundControl::gainOf(-2500), 0.0562, 1e-4);
    EXPECT_DOUBLE_EQ(QtSoundControl::gainOf(600), 1.0) << "nothing is louder than the recording";
    const double floor = QtSoundControl::gainOf(std::numeric_limits<std::int32_t>::min());
    EXPECT_GT(floor, 0.0);
    EXPECT_LT(floor, 1e-4);

    // Full while requests come, then down without a jump up, to nothing.
    double previous = 1.0;
    EXPECT_EQ(QtSoundControl::envelopeAt(0), 1.0);
    for (qint64 ms = 0; ms <= 5000; ms += 5) {
        const double envelope = QtSoundControl::envelopeAt(ms);
        ASSERT_LE(envelope, previous) << ms;
        ASSERT_GE(envelope, 0.0) << ms;
        previous = envelope;
    }
    EXPECT_EQ(previous, 0.0);
    EXPECT_EQ(QtSoundControl::envelopeAt(100), 1.0) << "a late frame is no gap";
}

// Run in a process of its own with no sound server at all (see below).
TEST(QtSoundWithoutServer, EveryCallIsHarmless)
{
    if (qEnvironmentVariableIsEmpty("SKYRAID_EXPECT_NO_AUDIO"))
        GTEST_SKIP() << "runs in a process without a sound server";
    EXPECT_FALSE(QtSoundControl::hasAudioOutput());
    QTemporaryDir dir;
    writeWav(dir.filePath(u"tone.wav"_s), 0.1, sine);
    QtSoundControl control;
    const std::int32_t sound = control.LoadSound(dir.filePath(u"tone.wav"_s));
    for (int frame = 0; frame < 10; ++frame) {
        control.SetVolume(sound, -2500);
        control.PlaySound(sound, -1, -1);
        QCoreApplication::processEvents();
    }
    EXPECT_FALSE(control.isSounding(sound));
    control.StopSound(sound);
    control.StopAllSounds();
    control.ReleaseSound(sound);
    control.ReleaseSound(sound);
}

TEST(QtSound, WithoutAServerNothingIsPlayedAndNothingFails)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    QTemporaryDir nowhere;
    env.insert(u"PULSE_SERVER"_s, u"unix:"_s + nowhere.filePath(u"no-server"_s));
    env.insert(u"SKYRAID_EXPECT_NO_AUDIO"_s, u"1"_s);
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=QtSoundWithoutServer.*"_s});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(u"[  PASSED  ] 1 test"_s)) << output.toStdString();
}
