// RIFF WAV: a "RIFF" header naming "WAVE", then chunks of a four-letter id, a 32-bit
// little-endian size and the data, padded to an even length. Every size is checked against
// the bytes given before anything is read.
#include <cstring>
#include "snd_internal.h"

namespace {

constexpr unsigned pcmFormat = 1;

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

struct Chunk {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

struct Format {
    unsigned tag = 0;
    unsigned channels = 0;
    unsigned rate = 0;
    unsigned blockAlign = 0;
    unsigned bits = 0;
};

int refuse(int result, std::string* error, const std::string& why) {
    *error = "WAV data: " + why;
    return result;
}

int readFormat(const Chunk& chunk, Format* format, std::string* error) {
    if (chunk.size < 16) return refuse(SND_BAD_DATA, error, "format chunk of " + std::to_string(chunk.size) + " bytes");
    const uint8_t* p = chunk.data;
    *format = {le16(p), le16(p + 2), le32(p + 4), le16(p + 12), le16(p + 14)};
    if (format->tag != pcmFormat)
        return refuse(SND_UNSUPPORTED, error, "format " + std::to_string(format->tag) + " is not PCM");
    if (format->channels != 1 && format->channels != 2)
        return refuse(SND_UNSUPPORTED, error, std::to_string(format->channels) + " channels (mono or stereo only)");
    if (format->bits != 8 && format->bits != 16)
        return refuse(SND_UNSUPPORTED, error, std::to_string(format->bits) + "-bit samples (8 or 16 only)");
    if (format->rate == 0) return refuse(SND_BAD_DATA, error, "a rate of 0");
    if (format->blockAlign != format->channels * format->bits / 8)
        return refuse(SND_BAD_DATA, error, "frames of " + std::to_string(format->blockAlign) + " bytes");
    return SND_OK;
}

void convert(const Format& format, const Chunk& data, SndPcm* pcm) {
    size_t count = data.size / format.blockAlign * format.channels;
    pcm->rate = format.rate;
    pcm->channels = format.channels;
    pcm->samples.resize(count);
    for (size_t i = 0; i < count; ++i)
        pcm->samples[i] = format.bits == 8 ? int16_t((data.data[i] - 128) * 256) : int16_t(le16(data.data + 2 * i));
}

}  // namespace

int readWav(const uint8_t* bytes, size_t size, SndPcm* pcm, std::string* error) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0)
        return refuse(SND_BAD_DATA, error, "no RIFF WAVE header");
    uint64_t end = uint64_t(le32(bytes + 4)) + 8;
    if (end > size) return refuse(SND_BAD_DATA, error, "truncated: " + std::to_string(end) + " bytes announced, " +
                                                          std::to_string(size) + " given");
    Chunk format, data;
    for (uint64_t at = 12; at < end;) {
        if (end - at < 8) return refuse(SND_BAD_DATA, error, "a chunk header cut short");
        uint64_t chunkSize = le32(bytes + at + 4);
        if (chunkSize > end - at - 8) return refuse(SND_BAD_DATA, error, "a chunk running past the end");
        Chunk chunk{bytes + at + 8, size_t(chunkSize)};
        if (std::memcmp(bytes + at, "fmt ", 4) == 0) format = chunk;
        if (std::memcmp(bytes + at, "data", 4) == 0) data = chunk;
        at += 8 + chunkSize + (chunkSize & 1);
    }
    if (!format.data) return refuse(SND_BAD_DATA, error, "no format chunk");
    if (!data.data) return refuse(SND_BAD_DATA, error, "no data chunk");
    Format parsed;
    if (int result = readFormat(format, &parsed, error); result != SND_OK) return result;
    if (data.size < parsed.blockAlign) return refuse(SND_BAD_DATA, error, "no samples");
    convert(parsed, data, pcm);
    return SND_OK;
}
