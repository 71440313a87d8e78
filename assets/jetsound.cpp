#include "assets/jetsound.h"

#include "assets/random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skyraid::art {

namespace {

constexpr double pi = std::numbers::pi;

// One-pole low-pass filter whose corner can move from sample to sample.
class LowPass {
public:
    double step(double input, double cornerHz, double sampleRate)
    {
        const double k = 1.0 - std::exp(-2.0 * pi * cornerHz / sampleRate);
        m_state += k * (input - m_state);
        return m_state;
    }

private:
    double m_state = 0.0;
};

// Removes the slow drift that filtered noise carries, so the wave stays
// centred on zero.
class DcBlock {
public:
    double step(double input)
    {
        const double output = input - m_previousIn + 0.995 * m_previousOut;
        m_previousIn = input;
        m_previousOut = output;
        return output;
    }

private:
    double m_previousIn = 0.0;
    double m_previousOut = 0.0;
};

double smoothStep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

std::vector<std::int16_t> jetRoar(int sampleRate, double seconds)
{
    const auto count = std::size_t(std::lround(seconds * sampleRate));
    const double rate = sampleRate;
    const double passTime = seconds * 0.42; // the moment the jet is closest
    constexpr double passWidth = 1.1;       // seconds over which it is near

    Random random(0x51ab1eu);
    LowPass roar1, roar2, hiss, rumble1, rumble2, rumble3, wobble;
    DcBlock dc;
    double whinePhase = 0.0;
    double whinePhase2 = 0.0;
    double rumblePhase = 0.0;

    std::vector<double> wave(count);
    std::vector<double> history(count);
    for (std::size_t i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        const double offset = (t - passTime) / passWidth;
        const double nearness = 1.0 / (1.0 + offset * offset);
        // Approaching, the pitch is raised; going away, lowered.
        const double doppler = 1.0 + 0.11 * std::tanh(-(t - passTime) / 0.45);

        const double white = random.uniform() * 2.0 - 1.0;

        // The roar: noise darkened by two poles whose corner opens up as the
        // jet comes near, plus a little brighter hiss close by.
        const double corner = (500.0 + 2600.0 * nearness) * doppler;
        const double roar = roar2.step(roar1.step(white, corner, rate), corner * 1.3, rate);
        const double brightHiss = hiss.step(white, 6000.0, rate) - roar;

        // The rumble: very low noise and a slow, wavering drone.
        const double low =
            rumble3.step(rumble2.step(rumble1.step(white, 140.0, rate), 110.0, rate), 90.0, rate);
        const double waver = wobble.step(random.uniform() * 2.0 - 1.0, 3.0, rate);
        rumblePhase += 2.0 * pi * (41.0 + 30.0 * waver) * doppler / rate;
        const double drone = std::sin(rumblePhase);

        // The turbine whine, strongest while the jet approaches.
        whinePhase += 2.0 * pi * 2350.0 * doppler / rate;
        whinePhase2 += 2.0 * pi * 3710.0 * doppler / rate;
        const double whineLevel =
            nearness * (t < passTime ? 1.0 : 0.35) * (0.8 + 0.2 * std::sin(2.0 * pi * 7.0 * t));
        const double whine = whineLevel * (std::sin(whinePhase) + 0.5 * std::sin(whinePhase2));

        double sample = 3.2 * roar * (0.35 + 0.65 * nearness) +
                        0.5 * brightHiss * nearness * nearness +
                        10.0 * low * (0.5 + 0.5 * nearness) +
                        0.10 * drone * (0.4 + 0.6 * nearness) + 0.035 * whine;
        sample = dc.step(sample);

        // The sound reflected off the ground arrives a little later; the
        // delay grows as the jet comes overhead, sweeping the comb of
        // cancellations that makes a fly-past sound like one.
        history[i] = sample;
        const double delay = (0.0006 + 0.0045 * nearness) * rate;
        const double back = double(i) - delay;
        if (back >= 0.0) {
            const auto whole = std::size_t(back);
            const double part = back - double(whole);
            const double echo =
                history[whole] * (1.0 - part) + history[std::min(whole + 1, i)] * part;
            sample += 0.6 * echo;
        }

        // Rise from and fall back to silence: no click at either end.
        const double fadeIn = smoothStep(0.0, 0.3, t);
        const double fadeOut = smoothStep(0.0, 1.4, seconds - t);
        wave[i] = sample * fadeIn * fadeOut;
    }

    double peak = 0.0;
    for (const double sample : wave)
        peak = std::max(peak, std::abs(sample));
    const double gain = peak > 0.0 ? 0.85 * 32767.0 / peak : 0.0;

    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i)
        samples[i] = std::int16_t(std::lround(wave[i] * gain));
    return samples;
}

} // namespace skyraid::art
