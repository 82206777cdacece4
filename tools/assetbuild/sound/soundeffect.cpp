#include "soundeffect.h"
#include <algorithm>
#include <cmath>
#include "core/builderror.h"
#include "voice.h"

namespace assets {

namespace {

void put16(std::string& out, uint16_t v) {
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void put32(std::string& out, uint32_t v) {
    put16(out, uint16_t(v & 0xFFFF));
    put16(out, uint16_t(v >> 16));
}

uint32_t get32(const std::string& in, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | uint8_t(in[at + size_t(i)]);
    return v;
}

uint16_t get16(const std::string& in, size_t at) { return uint16_t(uint8_t(in[at]) | uint8_t(in[at + 1]) << 8); }

// An edge is a click: the first and last samples must be this close to silence.
constexpr int quietEdge = 328;

}  // namespace

SoundEffect::SoundEffect(const SourceText& source) {
    std::vector<Voice> voices;
    for (const SourceText::Line& line : source.lines()) {
        Place place = source.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        if (words[0] != "voice") throw BuildError(place, "a sound is made of \"voice ...\" lines");
        voices.emplace_back(words, place);
    }
    if (voices.empty()) throw BuildError(source.place(0), "the sound has no voice");
    double endMs = 0;
    for (const Voice& voice : voices) endMs = std::max(endMs, voice.endMs());
    std::vector<double> mix(size_t(std::ceil(endMs * rate / 1000)) + rate / 200, 0.0);
    for (const Voice& voice : voices) voice.render(mix, rate);
    double peak = 0;
    for (double v : mix) peak = std::max(peak, std::abs(v));
    if (peak > 0.98) throw BuildError(source.place(0), "the voices add up past full scale; lower their volumes");
    for (double v : mix) pcm.push_back(int16_t(std::lround(v * 32767)));
}

std::string SoundEffect::wav() const {
    uint32_t dataBytes = uint32_t(pcm.size() * 2);
    std::string out = "RIFF";
    put32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, rate);
    put32(out, rate * 2);
    put16(out, 2);
    put16(out, 16);
    out += "data";
    put32(out, dataBytes);
    for (int16_t sample : pcm) put16(out, uint16_t(sample));
    return out;
}

bool SoundEffect::check(const std::string& bytes, std::string& error) {
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
        bytes.compare(36, 4, "data") != 0) {
        error = "not a plain RIFF WAVE file";
        return false;
    }
    if (get16(bytes, 20) != 1 || get16(bytes, 34) != 16) {
        error = "not 16-bit PCM";
        return false;
    }
    uint32_t dataBytes = get32(bytes, 40);
    if (dataBytes + 44 != bytes.size() || get32(bytes, 4) != 36 + dataBytes || dataBytes < 2) {
        error = "the sizes in the header do not match the file";
        return false;
    }
    int first = int16_t(get16(bytes, 44)), last = int16_t(get16(bytes, bytes.size() - 2));
    if (std::abs(first) > quietEdge || std::abs(last) > quietEdge) {
        error = "the sound starts or ends away from silence and would click";
        return false;
    }
    return true;
}

}  // namespace assets
