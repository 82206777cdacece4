#include "oscillator.h"
#include <cmath>
#include <numbers>
#include "core/builderror.h"

namespace assets {

Oscillator::Wave Oscillator::parseWave(const std::string& name, const Place& place) {
    if (name == "sine") return Wave::sine;
    if (name == "square") return Wave::square;
    if (name == "triangle") return Wave::triangle;
    if (name == "saw") return Wave::saw;
    if (name == "noise") return Wave::noise;
    throw BuildError(place, "unknown wave \"" + name + "\" (sine, square, triangle, saw, noise)");
}

double Oscillator::harmonicSum(double frequency) const {
    constexpr double pi = std::numbers::pi;
    int harmonics = std::max(1, int(rate / 2 / std::max(frequency, 1.0)));
    double sum = 0;
    for (int k = 1; k <= harmonics; ++k) {
        double angle = 2 * pi * k * phase;
        switch (wave) {
            case Wave::square:
                sum += 4 / (k * pi) * std::sin(k * pi * duty) * std::cos(2 * pi * k * (phase - duty / 2));
                break;
            case Wave::saw: sum += (k % 2 ? 2 : -2) / (k * pi) * std::sin(angle); break;
            case Wave::triangle:
                if (k % 2) sum += ((k / 2) % 2 ? -8 : 8) / (pi * pi * k * k) * std::sin(angle);
                break;
            default: break;
        }
    }
    return sum;
}

double Oscillator::next(double frequency) {
    double value = 0;
    if (wave == Wave::sine) {
        value = std::sin(2 * std::numbers::pi * phase);
    } else if (wave == Wave::noise) {
        // A new random level at each cycle of `frequency`: lower frequencies rumble.
        if (phase + frequency / rate >= 1 || held == 0) {
            noiseState = noiseState * 1664525u + 1013904223u;
            held = (noiseState >> 8) / double(1 << 23) - 1;
        }
        value = held;
    } else {
        value = harmonicSum(frequency);
    }
    phase += frequency / rate;
    phase -= std::floor(phase);
    return value;
}

}  // namespace assets
