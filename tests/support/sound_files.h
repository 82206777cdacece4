// Small sound files made in memory for the tests.
#pragma once
#include <cstdint>
#include <vector>

struct WavFormat {
    unsigned rate = 44000;
    unsigned channels = 1;
    unsigned bits = 16;
    unsigned formatTag = 1;  // PCM
};

// A RIFF WAV of the given 16-bit samples (interleaved when stereo); 8-bit files keep their top bytes.
std::vector<uint8_t> makeWav(const WavFormat& format, const std::vector<int16_t>& samples);

// A four-channel module of one looping square-wave instrument. With a short song it plays
// one row (20 ms) and ends; otherwise it plays one note through a 64-row pattern.
std::vector<uint8_t> makeMod(bool shortSong);
