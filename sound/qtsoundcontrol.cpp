#include "sound/qtsoundcontrol.h"

#include <algorithm>
#include <cmath>

#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace skyraid {

namespace {

// How often a fading sound has its loudness lowered.
constexpr int FadeStepMs = 20;

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

} // namespace

QtSoundControl::QtSoundControl(const QAudioDevice& device, QObject* parent)
    : QObject(parent), m_device(device)
{
    m_fade.setInterval(FadeStepMs);
    connect(&m_fade, &QTimer::timeout, this, &QtSoundControl::fadeStep);
    // Connects to the sound server now, quietly if there is none.
    hasAudioOutput();
}

QtSoundControl::~QtSoundControl() = default;

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

bool QtSoundControl::ensureEffect(Sound& sound)
{
    if (sound.effect)
        return true;
    if (!outputPresent())
        return false;
    sound.effect = m_device.isNull() ? std::make_unique<QSoundEffect>()
                                     : std::make_unique<QSoundEffect>(m_device);
    sound.effect->setLoopCount(QSoundEffect::Infinite);
    sound.effect->setVolume(float(sound.gain));
    sound.applied = sound.gain;
    sound.effect->setSource(QUrl::fromLocalFile(sound.fileName));
    return true;
}

void QtSoundControl::applyGain(Sound& sound, double gain)
{
    if (sound.effect && gain != sound.applied) {
        sound.effect->setVolume(float(gain));
        sound.applied = gain;
    }
}

std::int32_t QtSoundControl::LoadSound(const QString& fileName)
{
    const QFileInfo file(fileName);
    if (!file.isFile() || !file.isReadable())
        return 0;
    const std::int32_t handle = m_nextHandle++;
    Sound& sound = m_sounds[handle];
    sound.fileName = file.absoluteFilePath();
    // Decoding starts now, so the first request finds the sound ready.
    ensureEffect(sound);
    return handle;
}

void QtSoundControl::ReleaseSound(std::int32_t sound)
{
    m_sounds.erase(sound);
}

void QtSoundControl::stop(Sound& sound)
{
    if (sound.effect)
        sound.effect->stop();
    sound.sounding = false;
}

void QtSoundControl::StopSound(std::int32_t sound)
{
    if (Sound* found = find(sound))
        stop(*found);
}

void QtSoundControl::StopAllSounds()
{
    for (auto& [handle, sound] : m_sounds)
        stop(sound);
    m_fade.stop();
}

void QtSoundControl::SetVolume(std::int32_t sound, std::int32_t volume)
{
    Sound* found = find(sound);
    if (!found)
        return;
    found->gain = gainOf(volume);
    if (found->sounding)
        applyGain(*found, found->gain * envelopeAt(found->sinceRequest.elapsed()));
    else
        applyGain(*found, found->gain);
}

void QtSoundControl::PlaySound(std::int32_t sound, std::int32_t, std::int32_t)
{
    Sound* found = find(sound);
    if (!found || !outputPresent() || !ensureEffect(*found))
        return;
    found->sinceRequest.start();
    applyGain(*found, found->gain);
    // Starting again would restart the recording: one that plays plays on.
    if (!found->sounding || !found->effect->isPlaying())
        found->effect->play();
    found->sounding = true;
    if (!m_fade.isActive())
        m_fade.start();
}

bool QtSoundControl::isSounding(std::int32_t sound) const
{
    const auto it = m_sounds.find(sound);
    return it != m_sounds.end() && it->second.sounding && it->second.effect->isPlaying();
}

void QtSoundControl::fadeStep()
{
    bool anySounding = false;
    for (auto& [handle, sound] : m_sounds) {
        if (!sound.sounding)
            continue;
        const double envelope = envelopeAt(sound.sinceRequest.elapsed());
        if (envelope <= 0.0) {
            stop(sound);
            applyGain(sound, sound.gain);
            continue;
        }
        applyGain(sound, sound.gain * envelope);
        anySounding = true;
    }
    if (!anySounding)
        m_fade.stop();
}

} // namespace skyraid
