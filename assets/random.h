#pragma once

#include <cmath>
#include <cstdint>

namespace skyraid::art {

// A small xorshift generator. Every picture and the sound are drawn from fixed
// seeds, so each build writes the same bytes on every machine.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed != 0 ? seed : 0x9e3779b9u) {}

    std::uint32_t next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 8) * (1.0 / 16777216.0); }
    double range(double low, double high) { return low + (high - low) * uniform(); }

private:
    std::uint32_t m_state;
};

// Smooth value noise on an integer lattice, summed over octaves: the texture of
// clouds and ridges.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : m_seed(seed) {}

    double value(double x, double y) const
    {
        const double fx = std::floor(x);
        const double fy = std::floor(y);
        const auto ix = std::int32_t(fx);
        const auto iy = std::int32_t(fy);
        const double tx = smooth(x - fx);
        const double ty = smooth(y - fy);
        const double a = lattice(ix, iy);
        const double b = lattice(ix + 1, iy);
        const double c = lattice(ix, iy + 1);
        const double d = lattice(ix + 1, iy + 1);
        return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
    }

    // Octaves of value noise, each twice as fine and half as strong; about 0..1.
    double fractal(double x, double y, int octaves) const
    {
        double sum = 0.0;
        double weight = 0.5;
        double total = 0.0;
        for (int i = 0; i < octaves; ++i) {
            sum += weight * value(x, y);
            total += weight;
            x = x * 2.03 + 17.1;
            y = y * 2.03 - 5.3;
            weight *= 0.5;
        }
        return sum / total;
    }

private:
    static double smooth(double t) { return t * t * (3.0 - 2.0 * t); }

    double lattice(std::int32_t x, std::int32_t y) const
    {
        std::uint32_t h =
            m_seed ^ (std::uint32_t(x) * 0x8da6b343u) ^ (std::uint32_t(y) * 0xd8163841u);
        h ^= h >> 15;
        h *= 0x2c1b3c6du;
        h ^= h >> 12;
        h *= 0x297a2d39u;
        h ^= h >> 15;
        return double(h >> 8) * (1.0 / 16777216.0);
    }

    std::uint32_t m_seed;
};

} // namespace skyraid::art
