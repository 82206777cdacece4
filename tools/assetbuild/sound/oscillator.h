// Band-limited waveforms: only the harmonics below half the sample rate are summed, so
// synthesised sounds carry no aliasing hiss.
#pragma once
#include <cstdint>
#include <string>
#include "core/place.h"

namespace assets {

class Oscillator {
public:
    enum class Wave { sine, square, triangle, saw, noise };

    static Wave parseWave(const std::string& name, const Place& place);

    Oscillator(Wave wave, double sampleRate, double duty = 0.5, uint32_t seed = 1)
        : wave(wave), rate(sampleRate), duty(duty), noiseState(seed) {}

    // Advances by one sample at `frequency` and gives the value (-1..1).
    double next(double frequency);

private:
    double harmonicSum(double frequency) const;

    Wave wave;
    double rate;
    double duty;
    double phase = 0;
    uint32_t noiseState;
    double held = 0;
};

}  // namespace assets
