#include "voice.h"
#include <cmath>
#include <numbers>
#include "core/builderror.h"

namespace assets {

namespace {

double value(const std::string& text, const Place& place) {
    try {
        size_t used = 0;
        double v = std::stod(text, &used);
        if (used == text.size()) return v;
    } catch (const std::exception&) {
    }
    throw BuildError(place, "\"" + text + "\" is not a number");
}

}  // namespace

Voice::Voice(const std::vector<std::string>& words, const Place& place) {
    for (size_t i = 1; i < words.size(); ++i) {
        size_t equals = words[i].find('=');
        if (equals == std::string::npos) throw BuildError(place, "\"" + words[i] + "\" is not name=value");
        std::string key = words[i].substr(0, equals), text = words[i].substr(equals + 1);
        if (key == "wave") {
            wave = Oscillator::parseWave(text, place);
        } else if (key == "freq") {
            size_t dots = text.find("..");
            fromHz = value(text.substr(0, dots), place);
            toHz = dots == std::string::npos ? fromHz : value(text.substr(dots + 2), place);
        } else if (key == "start") {
            startMs = value(text, place);
        } else if (key == "length") {
            lengthMs = value(text, place);
        } else if (key == "attack") {
            attackMs = value(text, place);
        } else if (key == "release") {
            releaseMs = value(text, place);
        } else if (key == "volume") {
            volume = value(text, place);
        } else if (key == "duty") {
            duty = value(text, place);
        } else if (key == "vibrato") {
            size_t colon = text.find(':');
            if (colon == std::string::npos) throw BuildError(place, "vibrato is RATE:SEMITONES");
            vibratoRate = value(text.substr(0, colon), place);
            vibratoDepth = value(text.substr(colon + 1), place);
        } else if (key == "arp") {
            for (size_t start = 0; start <= text.size();) {
                size_t comma = std::min(text.find(',', start), text.size());
                arpeggio.push_back(int(value(text.substr(start, comma - start), place)));
                start = comma + 1;
            }
        } else if (key == "arpstep") {
            arpStepMs = value(text, place);
        } else if (key == "lowpass") {
            lowpassHz = value(text, place);
        } else if (key == "seed") {
            seed = uint32_t(value(text, place));
        } else {
            throw BuildError(place, "unknown voice parameter \"" + key + "\"");
        }
    }
    if (lengthMs <= 0) throw BuildError(place, "a voice needs length=MS");
    if (fromHz <= 0 || toHz <= 0) throw BuildError(place, "frequencies are above 0");
    if (volume < 0 || volume > 1) throw BuildError(place, "volume runs from 0 to 1");
    if (attackMs < 0 || attackMs > lengthMs) throw BuildError(place, "attack is longer than the voice");
    if (releaseMs < 0) releaseMs = lengthMs - attackMs;
    if (releaseMs > lengthMs - attackMs) throw BuildError(place, "attack and release are longer than the voice");
}

double Voice::envelope(double ms) const {
    if (ms < attackMs) return attackMs > 0 ? ms / attackMs : 1;
    double releaseStart = lengthMs - releaseMs;
    if (ms < releaseStart) return 1;
    double left = 1 - (ms - releaseStart) / std::max(releaseMs, 1e-9);
    return left <= 0 ? 0 : left * left;
}

void Voice::render(std::vector<double>& mix, double rate) const {
    Oscillator oscillator(wave, rate, duty, seed);
    size_t first = size_t(std::lround(startMs * rate / 1000));
    size_t count = size_t(std::lround(lengthMs * rate / 1000));
    double smooth = 0;
    double alpha = lowpassHz > 0 ? 1 - std::exp(-2 * std::numbers::pi * lowpassHz / rate) : 1;
    for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
        double ms = i * 1000.0 / rate, progress = double(i) / count;
        double hz = fromHz * std::pow(toHz / fromHz, progress);
        if (!arpeggio.empty()) hz *= std::pow(2.0, arpeggio[size_t(ms / arpStepMs) % arpeggio.size()] / 12.0);
        if (vibratoRate > 0)
            hz *= std::pow(2.0, vibratoDepth / 12 * std::sin(2 * std::numbers::pi * vibratoRate * ms / 1000));
        smooth += alpha * (oscillator.next(hz) - smooth);
        mix[first + i] += smooth * envelope(ms) * volume;
    }
}

}  // namespace assets
