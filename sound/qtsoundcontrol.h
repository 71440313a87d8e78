#pragma once

#include "sound/soundcontrol.h"

#include <cstdint>
#include <map>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QAudioSink;

namespace skyraid {

// The clock a sound's hold and fade follow, so that tests can move it by hand.
class SoundClock {
public:
    virtual ~SoundClock() = default;
    // Milliseconds since some fixed moment; never goes back.
    virtual qint64 nowMs() const = 0;

    // The system's steady clock.
    static const SoundClock& steady();
};

// The saver's sound on the desktop's audio output.
//
// The frame loop asks for the jet on every frame it is in sight, so a request
// is a wish to hear the sound now rather than an order to start it: a sound
// that plays goes on, looping for as long as requests keep coming; once they
// stop it holds a moment and then fades out. Stopping is immediate.
//
// Each sound is decoded once, when it is loaded; every time it starts to be
// heard it gets an audio stream of its own, which ends when the sound stops.
// A stream stopped and started again over and over loses its buffer on some
// sound servers, so none is reused.
//
// Without an audio output every call does nothing, quietly: the saver runs
// silent. A file that cannot be read gives handle 0, which holds nothing; a
// readable file that is no recording gives a handle that stays silent.
//
// A sound server that goes away takes its streams with it. While a sound is
// asked for and its stream is lost, a fresh one is tried now and then (by the
// clock), so the sound is heard again soon after the server is back.
class QtSoundControl final : public QObject, public SoundControl {
public:
    // Plays on `device`, or on the desktop's default output when it is null;
    // holds and fades by `clock`, which outlives the control.
    explicit QtSoundControl(const QAudioDevice& device = {},
                            const SoundClock& clock = SoundClock::steady(),
                            QObject* parent = nullptr);
    ~QtSoundControl() override;

    // Whether the desktop has an audio output to play on.
    static bool hasAudioOutput();

    // The linear gain of a volume in hundredths of a decibel (0 the loudest).
    static double gainOf(std::int32_t volume);

    // The fast jet asks for its roar only in its cruise frames, a hundred at a
    // time between a hundred drift frames (1.7 s at sixty frames a second):
    // the roar holds over such a gap and fades once the jet has gone.
    static constexpr qint64 HoldMs = 1800;
    static constexpr qint64 FadeMs = 500;

    // How loud, as a part of the sound's gain, a sound is this long after the
    // last request for it; 0 once it has faded out.
    static double envelopeAt(qint64 msSinceRequest);

    std::int32_t loadSound(const QString& fileName) override;
    void releaseSound(std::int32_t sound) override;
    void stopSound(std::int32_t sound) override;
    void setVolume(std::int32_t sound, std::int32_t volume) override;
    void playSound(std::int32_t sound, std::int32_t from, std::int32_t to) override;
    void stopAllSounds() override;

    // Whether the sound is being heard (playing or fading out).
    bool isSounding(std::int32_t sound) const;

private:
    struct Sound {
        QAudioFormat format;
        QByteArray samples;        // the whole recording, decoded
        QPointer<QAudioSink> sink; // the stream while the sound is heard; a child of ours
        double gain = 1.0;
        double applied = -1.0; // the gain the stream was last given
        bool sounding = false;
        qint64 requestedAt = 0; // by the clock
        qint64 startedAt = 0;   // when the stream was started, by the clock
    };

    bool outputPresent() const;
    Sound* find(std::int32_t sound);
    bool start(Sound& sound);
    void applyGain(Sound& sound, double gain);
    void stop(Sound& sound);
    void fadeStep();

    QAudioDevice m_device;
    const SoundClock& m_clock;
    std::map<std::int32_t, Sound> m_sounds;
    std::int32_t m_nextHandle = 1;
    QTimer m_fade;
};

} // namespace skyraid
