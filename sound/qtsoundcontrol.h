#pragma once

#include "sound/soundcontrol.h"

#include <cstdint>
#include <map>
#include <memory>

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

class QSoundEffect;

namespace skyraid {

// The saver's sound on the desktop's audio output.
//
// The frame loop asks for the jet on every frame it is in sight, so a request
// is a wish to hear the sound now rather than an order to start it: a sound
// that plays goes on, looping for as long as requests keep coming; once they
// stop it holds a moment and then fades out. Stopping is immediate.
//
// Without an audio output every call does nothing, quietly: the saver runs
// silent. A file that cannot be read gives handle 0, which holds nothing.
class QtSoundControl final : public QObject, public SoundControl {
public:
    // Plays on `device`, or on the desktop's default output when it is null.
    explicit QtSoundControl(const QAudioDevice& device = {}, QObject* parent = nullptr);
    ~QtSoundControl() override;

    // Whether the desktop has an audio output to play on.
    static bool hasAudioOutput();

    // The linear gain of a volume in hundredths of a decibel (0 the loudest).
    static double gainOf(std::int32_t volume);
    // How loud, as a part of the sound's gain, a sound is this long after the
    // last request for it; 0 once it has faded out.
    static double envelopeAt(qint64 msSinceRequest);

    // The fast jet asks for its roar only in its cruise frames, a hundred at a
    // time between a hundred drift frames (1.7 s at sixty frames a second):
    // the roar holds over such a gap and fades once the jet has gone.
    static constexpr qint64 HoldMs = 1800;
    static constexpr qint64 FadeMs = 500;

    std::int32_t LoadSound(const QString& fileName) override;
    void ReleaseSound(std::int32_t sound) override;
    void StopSound(std::int32_t sound) override;
    void SetVolume(std::int32_t sound, std::int32_t volume) override;
    void PlaySound(std::int32_t sound, std::int32_t from, std::int32_t to) override;
    void StopAllSounds() override;

    // Whether the sound is being heard (playing or fading out).
    bool isSounding(std::int32_t sound) const;

private:
    struct Sound {
        QString fileName;
        std::unique_ptr<QSoundEffect> effect; // made once there is an output
        double gain = 1.0;
        double applied = -1.0; // the gain the effect was last given
        bool sounding = false;
        QElapsedTimer sinceRequest;
    };

    bool outputPresent() const;
    Sound* find(std::int32_t sound);
    bool ensureEffect(Sound& sound);
    void applyGain(Sound& sound, double gain);
    void stop(Sound& sound);
    void fadeStep();

    QAudioDevice m_device;
    std::map<std::int32_t, Sound> m_sounds;
    std::int32_t m_nextHandle = 1;
    QTimer m_fade;
};

} // namespace skyraid
