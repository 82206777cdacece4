// One synthesised voice of a sound: a wave with a pitch sweep, an envelope, and optionally
// vibrato, an arpeggio and a low-pass filter. Parameters are name=value words:
// wave= freq=A or A..B (Hz) start= length= attack= release= (ms) volume= duty=
// vibrato=RATE:SEMITONES arp=0,4,7 arpstep=MS lowpass=HZ.
#pragma once
#include <string>
#include <vector>
#include "oscillator.h"
#include "core/place.h"

namespace assets {

class Voice {
public:
    Voice(const std::vector<std::string>& words, const Place& place);

    double endMs() const { return startMs + lengthMs; }
    // Adds this voice into `mix` (samples at `rate`).
    void render(std::vector<double>& mix, double rate) const;

private:
    double envelope(double ms) const;

    Oscillator::Wave wave = Oscillator::Wave::sine;
    double fromHz = 440, toHz = 440;
    double startMs = 0, lengthMs = 0, attackMs = 1, releaseMs = -1;
    double volume = 0.5, duty = 0.5;
    double vibratoRate = 0, vibratoDepth = 0;
    std::vector<int> arpeggio;
    double arpStepMs = 50;
    double lowpassHz = 0;
    uint32_t seed = 1;
};

}  // namespace assets
