#include "sound/qtsoundcontrol.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QWaveDecoder>

namespace skyraid {

namespace {

// How often a fading sound has its loudness lowered.
constexpr int FadeStepMs = 20;

// How much sound a stream holds ahead of the speaker: enough to ride out a
// busy moment, little enough that a fade is heard when it is made.
constexpr int StreamBufferMs = 200;

// How often a sound that is asked for tries a fresh stream while its own has
// lost the sound server.
constexpr qint64 RetryMs = 1000;

// Below this the sound is inaudible; the quietest volume the control takes.
constexpr std::int32_t QuietestVolume = -10000;

QtMessageHandler previousHandler = nullptr;

// A desktop without a sound server is no fault: the saver runs silent, and
// the audio back end's complaint that it found none is not passed on.
void quietWhileProbing(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(u"PulseAudioService:"))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

// A recording read over and over, without end.
class Loop final : public QIODevice {
public:
    Loop(const QByteArray& samples, QObject* parent) : QIODevice(parent), m_samples(samples)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_samples.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        qint64 done = 0;
        while (done < maxSize) {
            const qint64 part = std::min(maxSize - done, qint64(m_samples.size()) - m_offset);
            std::memcpy(data + done, m_samples.constData() + m_offset, std::size_t(part));
            done += part;
            m_offset = (m_offset + part) % m_samples.size();
        }
        return done;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_samples;
    qint64 m_offset = 0;
};

class SteadyClock final : public SoundClock {
public:
    qint64 nowMs() const override
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    }
};

} // namespace

const SoundClock& SoundClock::steady()
{
    static const SteadyClock clock;
    return clock;
}

QtSoundControl::QtSoundControl(const QAudioDevice& device, const SoundClock& clock, QObject* parent)
    : QObject(parent), m_device(device), m_clock(clock)
{
    m_fade.setInterval(FadeStepMs);
    connect(&m_fade, &QTimer::timeout, this, &QtSoundControl::fadeStep);
    // Connects to the sound server now, quietly if there is none.
    hasAudioOutput();
}

QtSoundControl::~QtSoundControl()
{
    stopAllSounds();
}

bool QtSoundControl::hasAudioOutput()
{
    // The first look connects to the sound server.
    previousHandler = qInstallMessageHandler(quietWhileProbing);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(previousHandler);
    return any;
}

double QtSoundControl::gainOf(std::int32_t volume)
{
    // Hundredths of a decibel: -2000 is a tenth of the amplitude. Nothing is
    // louder than the recording itself.
    const std::int32_t clamped = std::clamp(volume, QuietestVolume, 0);
    return std::pow(10.0, clamped / 2000.0);
}

double QtSoundControl::envelopeAt(qint64 msSinceRequest)
{
    if (msSinceRequest <= HoldMs)
        return 1.0;
    const qint64 fading = msSinceRequest - HoldMs;
    if (fading >= FadeMs)
        return 0.0;
    return 1.0 - double(fading) / double(FadeMs);
}

bool QtSoundControl::outputPresent() const
{
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (m_device.isNull())
        return !outputs.isEmpty();
    return outputs.contains(m_device);
}

QtSoundControl::Sound* QtSoundControl::find(std::int32_t sound)
{
    const auto it = m_sounds.find(sound);
    return it == m_sounds.end() ? nullptr : &it->second;
}

std::int32_t QtSoundControl::loadSound(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const std::int32_t handle = m_nextHandle++;
    Sound& sound = m_sounds[handle];
    QWaveDecoder recording(&file);
    if (recording.open(QIODevice::ReadOnly) && recording.audioFormat().isValid()) {
        sound.format = recording.audioFormat();
        sound.samples = recording.readAll();
        // Whole frames only, so that every loop starts on the first channel.
        const int frameBytes = std::max(sound.format.bytesPerFrame(), 1);
        sound.samples.truncate(sound.samples.size() - sound.samples.size() % frameBytes);
    }
    return handle;
}

void QtSoundControl::releaseSound(std::int32_t sound)
{
    if (Sound* found = find(sound)) {
        stop(*found);
        m_sounds.erase(sound);
    }
}

bool QtSoundControl::start(Sound& sound)
{
    if (sound.samples.isEmpty() || !outputPresent())
        return false;
    // A stream of its own, on which the recording loops until it stops.
    auto* sink = m_device.isNull() ? new QAudioSink(sound.format, this)
                                   : new QAudioSink(m_device, sound.format, this);
    sink->setBufferSize(sound.format.bytesForDuration(StreamBufferMs * 1000));
    sink->setVolume(float(sound.gain));
    sound.applied = sound.gain;
    sink->start(new Loop(sound.samples, sink));
    sound.sink = sink;
    sound.startedAt = m_clock.nowMs();
    return true;
}

void QtSoundControl::applyGain(Sound& sound, double gain)
{
    if (sound.sink && gain != sound.applied) {
        sound.sink->setVolume(float(gain));
        sound.applied = gain;
    }
}

void QtSoundControl::stop(Sound& sound)
{
    if (sound.sink) {
        sound.sink->stop();
        // The stream may still be delivering its last events.
        sound.sink->deleteLater();
        sound.sink = nullptr;
    }
    sound.sounding = false;
}

void QtSoundControl::stopSound(std::int32_t sound)
{
    if (Sound* found = find(sound))
        stop(*found);
}

void QtSoundControl::stopAllSounds()
{
    for (auto& [handle, sound] : m_sounds)
        stop(sound);
    m_fade.stop();
}

void QtSoundControl::setVolume(std::int32_t sound, std::int32_t volume)
{
    Sound* found = find(sound);
    if (!found)
        return;
    found->gain = gainOf(volume);
    if (found->sounding)
        applyGain(*found, found->gain * envelopeAt(m_clock.nowMs() - found->requestedAt));
}

void QtSoundControl::playSound(std::int32_t sound, std::int32_t, std::int32_t)
{
    Sound* found = find(sound);
    if (!found)
        return;
    const qint64 now = m_clock.nowMs();
    // A stream stops by itself only when it has lost the sound server, or
    // found none. The server may be back: a fresh stream is tried now and then.
    if (found->sink && found->sink->state() == QAudio::StoppedState &&
        now - found->startedAt >= RetryMs)
        stop(*found);
    // Starting again would restart the recording: one that plays plays on.
    if (!found->sink && !start(*found))
        return;
    found->requestedAt = now;
    applyGain(*found, found->gain);
    found->sounding = true;
    if (!m_fade.isActive())
        m_fade.start();
}

bool QtSoundControl::isSounding(std::int32_t sound) const
{
    const auto it = m_sounds.find(sound);
    return it != m_sounds.end() && it->second.sounding && it->second.sink &&
           it->second.sink->state() != QAudio::StoppedState;
}

void QtSoundControl::fadeStep()
{
    bool anySounding = false;
    for (auto& [handle, sound] : m_sounds) {
        if (!sound.sounding)
            continue;
        const double envelope = envelopeAt(m_clock.nowMs() - sound.requestedAt);
        if (envelope <= 0.0) {
            stop(sound);
            continue;
        }
        applyGain(sound, sound.gain * envelope);
        anySounding = true;
    }
    if (!anySounding)
        m_fade.stop();
}

} // namespace skyraid
