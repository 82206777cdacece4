#include "sound_files.h"
#include <cstring>
#include <string>

namespace {

void put16(std::vector<uint8_t>& out, unsigned v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void tag(std::vector<uint8_t>& out, const char* four) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(four[i]));
}

}  // namespace

std::vector<uint8_t> makeWav(const WavFormat& format, const std::vector<int16_t>& samples) {
    std::vector<uint8_t> data;
    for (int16_t s : samples) {
        if (format.bits == 8) data.push_back(uint8_t((s >> 8) + 128));
        else put16(data, uint16_t(s));
    }
    unsigned block = format.channels * format.bits / 8;
    std::vector<uint8_t> out;
    tag(out, "RIFF");
    put32(out, uint32_t(4 + 8 + 16 + 8 + data.size() + (data.size() & 1)));
    tag(out, "WAVE");
    tag(out, "fmt ");
    put32(out, 16);
    put16(out, format.formatTag);
    put16(out, format.channels);
    put32(out, format.rate);
    put32(out, format.rate * block);
    put16(out, block);
    put16(out, format.bits);
    tag(out, "data");
    put32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() & 1) out.push_back(0);
    return out;
}

std::vector<uint8_t> makeMod(bool shortSong) {
    constexpr size_t header = 1084, pattern = 1024, sampleBytes = 64;
    std::vector<uint8_t> m(header + pattern + sampleBytes, 0);
    std::memcpy(m.data(), "test tune", 9);
    uint8_t* instrument = m.data() + 20;
    std::memcpy(instrument, "square", 6);
    instrument[23] = sampleBytes / 2;  // length in words
    instrument[25] = 64;               // volume
    instrument[29] = sampleBytes / 2;  // the whole sample repeats
    m[950] = 1;                        // one position in the song
    m[951] = 127;
    std::memcpy(m.data() + 1080, "M.K.", 4);
    uint8_t* row = m.data() + header;
    const uint8_t note[4] = {0x01, 0xAC, 0x10, 0x00};  // instrument 1 at period 428
    std::memcpy(row, note, 4);
    if (shortSong) {
        const uint8_t speed[4] = {0x00, 0x00, 0x0F, 0x01};  // one tick a row
        const uint8_t end[4] = {0x00, 0x00, 0x0D, 0x00};    // break to the next position: the song is over
        std::memcpy(row + 4, speed, 4);
        std::memcpy(row + 8, end, 4);
    }
    uint8_t* wave = m.data() + header + pattern;
    for (size_t i = 0; i < sampleBytes; ++i) wave[i] = (i % 16) < 8 ? 100 : uint8_t(-100);
    return m;
}
