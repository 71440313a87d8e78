#pragma once

#include <cstdint>
#include <vector>

#include <QByteArray>

namespace skyraid::art {

// A RIFF wave file holding the samples as one channel of 16-bit PCM.
QByteArray wave16(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace skyraid::art
