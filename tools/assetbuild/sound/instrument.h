// A synthesised instrument of a MOD tune: a one-shot sample that starts and ends in
// silence. "instrument NAME wave=... [base=C4] [duty=] [attack=MS] [hold=MS] decay=MS
// [volume=0..64]"; waves: sine, square, triangle, saw, kick, snare, hat. The sample sounds
// its `base` note when the player plays it at the tracker's middle C.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "core/place.h"

namespace assets {

class Instrument {
public:
    // The rate at which the player plays a sample at its middle C (period 428).
    static constexpr double middleRate = 3546894.6 / 428;

    Instrument(const std::vector<std::string>& words, const Place& place);

    const std::string& name() const { return label; }
    int volume() const { return defaultVolume; }
    int baseNote() const { return base; }
    std::vector<int8_t> render() const;

private:
    std::string label;
    std::string wave;
    int base = 60;  // semitones, C4 = 60
    double duty = 0.5;
    double attackMs = 2, holdMs = 0, decayMs = 300;
    int defaultVolume = 64;
};

// A note name ("C4", "F#3", "Bb2") as semitones with C4 = 60; -1 when it is not one.
int parseNote(const std::string& text);

}  // namespace assets
