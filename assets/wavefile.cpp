#include "assets/wavefile.h"

#include "assets/bytes.h"

namespace skyraid::art {

QByteArray wave16(const std::vector<std::int16_t>& samples, int sampleRate)
{
    constexpr std::uint16_t channels = 1;
    constexpr std::uint16_t bitsPerSample = 16;
    constexpr std::uint16_t blockAlign = channels * bitsPerSample / 8;
    const auto dataSize = std::uint32_t(samples.size() * blockAlign);

    QByteArray out;
    out.reserve(int(44 + dataSize));
    out.append("RIFF", 4);
    put32(out, 36 + dataSize);
    out.append("WAVE", 4);
    out.append("fmt ", 4);
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, channels);
    put32(out, std::uint32_t(sampleRate));
    put32(out, std::uint32_t(sampleRate) * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);
    out.append("data", 4);
    put32(out, dataSize);
    for (const std::int16_t sample : samples)
        put16(out, std::uint16_t(sample));
    return out;
}

} // namespace skyraid::art
