#pragma once

#include <cstdint>

#include <QString>

namespace skyraid {

// The saver's sound: wave files loaded into numbered sounds, played with a
// volume in hundredths of a decibel (0 the loudest, -2500 quiet). Every call
// is harmless on a handle that holds nothing.
class SoundControl {
public:
    virtual ~SoundControl() = default;

    virtual void setVisible(bool) {}
    virtual std::int32_t loadSound(const QString& fileName) = 0;
    virtual void releaseSound(std::int32_t sound) = 0;
    virtual void stopSound(std::int32_t sound) = 0;
    virtual void setVolume(std::int32_t sound, std::int32_t volume) = 0;
    // A sound that is still playing plays on.
    virtual void playSound(std::int32_t sound, std::int32_t from, std::int32_t to) = 0;
    virtual void stopAllSounds() = 0;
};

// No sound at all: where there is no audio device, the saver runs silent.
class SilentSoundControl final : public SoundControl {
public:
    std::int32_t loadSound(const QString&) override { return 0; }
    void releaseSound(std::int32_t) override {}
    void stopSound(std::int32_t) override {}
    void setVolume(std::int32_t, std::int32_t) override {}
    void playSound(std::int32_t, std::int32_t, std::int32_t) override {}
    void stopAllSounds() override {}
};

} // namespace skyraid
