#include "instrument.h"
#include <algorithm>
#include <cmath>
#include <numbers>
#include "core/builderror.h"
#include "oscillator.h"

namespace assets {

int parseNote(const std::string& text) {
    static const std::string letters = "CDEFGAB";
    static const int steps[] = {0, 2, 4, 5, 7, 9, 11};
    if (text.size() < 2) return -1;
    size_t letter = letters.find(text[0]);
    if (letter == std::string::npos) return -1;
    int note = steps[letter];
    size_t i = 1;
    if (text[i] == '#') ++note, ++i;
    else if (text[i] == 'b') --note, ++i;
    if (i + 1 != text.size() || text[i] < '0' || text[i] > '8') return -1;
    return note + 12 * (text[i] - '0' + 1);
}

Instrument::Instrument(const std::vector<std::string>& words, const Place& place) {
    if (words.size() < 3) throw BuildError(place, "\"instrument\" takes a name and its parameters");
    label = words[1];
    for (size_t i = 2; i < words.size(); ++i) {
        size_t equals = words[i].find('=');
        if (equals == std::string::npos) throw BuildError(place, "\"" + words[i] + "\" is not name=value");
        std::string key = words[i].substr(0, equals), text = words[i].substr(equals + 1);
        auto number = [&]() {
            try {
                return std::stod(text);
            } catch (const std::exception&) {
                throw BuildError(place, "\"" + text + "\" is not a number");
            }
        };
        if (key == "wave") {
            static const std::vector<std::string> waves{"sine", "square", "triangle", "saw", "kick", "snare", "hat"};
            if (std::find(waves.begin(), waves.end(), text) == waves.end())
                throw BuildError(place, "unknown instrument wave \"" + text + "\"");
            wave = text;
        } else if (key == "base") {
            base = parseNote(text);
            if (base < 0) throw BuildError(place, "\"" + text + "\" is not a note");
        } else if (key == "duty") {
            duty = number();
        } else if (key == "attack") {
            attackMs = number();
        } else if (key == "hold") {
            holdMs = number();
        } else if (key == "decay") {
            decayMs = number();
        } else if (key == "volume") {
            defaultVolume = int(number());
            if (defaultVolume < 0 || defaultVolume > 64) throw BuildError(place, "volume runs from 0 to 64");
        } else {
            throw BuildError(place, "unknown instrument parameter \"" + key + "\"");
        }
    }
    if (wave.empty()) throw BuildError(place, "the instrument needs wave=");
    if (decayMs <= 0 || attackMs < 0 || holdMs < 0) throw BuildError(place, "attack, hold and decay are not negative");
    double seconds = (attackMs + holdMs + decayMs) / 1000;
    if (seconds * middleRate > 120000) throw BuildError(place, "the instrument is longer than a MOD sample holds");
}

std::vector<int8_t> Instrument::render() const {
    const double rate = middleRate;
    size_t count = size_t((attackMs + holdMs + decayMs) * rate / 1000);
    std::vector<double> wave(count, 0.0);
    double hz = 440.0 * std::pow(2.0, (base - 69) / 12.0);
    uint32_t noise = 12345;
    double previousNoise = 0, smooth = 0;
    Oscillator tone(this->wave == "square"     ? Oscillator::Wave::square
                    : this->wave == "triangle" ? Oscillator::Wave::triangle
                    : this->wave == "saw"      ? Oscillator::Wave::saw
                                               : Oscillator::Wave::sine,
                    rate, duty);
    for (size_t i = 0; i < count; ++i) {
        double ms = i * 1000 / rate;
        double t = ms / 1000;
        noise = noise * 1664525u + 1013904223u;
        double white = (noise >> 8) / double(1 << 23) - 1;
        double v;
        if (this->wave == "kick") {
            v = tone.next(40 + 120 * std::exp(-t * 30));
        } else if (this->wave == "snare") {
            smooth += 0.6 * (white - smooth);
            v = 0.7 * smooth + 0.45 * tone.next(185);
        } else if (this->wave == "hat") {
            v = white - previousNoise;
            previousNoise = white;
        } else {
            v = tone.next(hz);
        }
        double level;
        if (ms < attackMs) level = ms / attackMs;
        else if (ms < attackMs + holdMs) level = 1;
        else {
            double left = 1 - (ms - attackMs - holdMs) / decayMs;
            level = left * left;
        }
        wave[i] = v * level;
    }
    double peak = 1e-9;
    for (double v : wave) peak = std::max(peak, std::abs(v));
    // Two silent bytes first: a one-shot sample repeats its first word after it ends.
    std::vector<int8_t> data{0, 0};
    for (double v : wave) data.push_back(int8_t(std::lround(v / peak * 118)));
    data.push_back(0);
    if (data.size() % 2) data.push_back(0);
    return data;
}

}  // namespace assets
