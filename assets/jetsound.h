#pragma once

#include <cstdint>
#include <vector>

namespace skyraid::art {

inline constexpr int jetSoundRate = 22050;
inline constexpr double jetSoundSeconds = 6.0;

// A jet passing by: a broad roar of filtered noise over a low rumble, a
// turbine whine that drops in pitch as the jet goes past, and a swell of
// loudness at the moment of passing. It rises from silence and falls back to
// silence, so it starts and ends without a click and can be played again at
// once.
std::vector<std::int16_t> jetRoar(int sampleRate = jetSoundRate, double seconds = jetSoundSeconds);

} // namespace skyraid::art
