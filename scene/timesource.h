#pragma once

#include <cstdint>
#include <random>

#include <QTime>

namespace skyraid {

// The clocks the scene runs on, so that tests can drive them by hand.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    // Milliseconds since some fixed moment, wrapping at 2^32 like the system
    // tick counter.
    virtual std::uint32_t tickCount() = 0;
    // The time of day.
    virtual QTime timeOfDay() = 0;

    // Seconds since midnight, with the fraction.
    double secondsSinceMidnight() { return timeOfDay().msecsSinceStartOfDay() / 1000.0; }
};

// The real clocks.
class SystemTime final : public TimeSource {
public:
    std::uint32_t tickCount() override;
    QTime timeOfDay() override { return QTime::currentTime(); }
};

// Uniform fractions in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual double nextFraction() = 0;
};

// Never seeded from the clock: every run draws the same sequence.
class UnseededRandom final : public RandomSource {
public:
    double nextFraction() override
    {
        // 24 random bits make an exact fraction, the same on every platform.
        return double(m_engine() >> 8) / double(1u << 24);
    }

private:
    std::mt19937 m_engine; // default seed
};

} // namespace skyraid
