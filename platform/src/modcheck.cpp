// A 31-instrument tracker module: a 20-byte title, 31 instrument headers of 30 bytes (the
// sample length in 16-bit words, big-endian, at offset 22), the song length, a restart byte,
// 128 pattern numbers, a 4-byte signature telling the channel count, the patterns (64 rows of
// 4 bytes per channel) and the sample data. The module player accepts files cut short, so
// the lengths are checked here first.
#include <cstring>
#include <string_view>
#include "snd_internal.h"

namespace {

constexpr size_t instruments = 31;
constexpr size_t instrumentHeader = 30;
constexpr size_t songLengthAt = 950;
constexpr size_t ordersAt = 952;
constexpr size_t signatureAt = 1080;
constexpr size_t headerSize = 1084;
constexpr size_t rowsPerPattern = 64;

bool digit(char c) { return c >= '0' && c <= '9'; }

// The channel count a signature stands for; 0 for none known.
unsigned channelsOf(std::string_view s) {
    for (std::string_view four : {"M.K.", "M!K!", "M&K!", "FLT4", "N.T."})
        if (s == four) return 4;
    for (std::string_view eight : {"FLT8", "CD81", "OKTA", "OCTA"})
        if (s == eight) return 8;
    if (digit(s[0]) && s.substr(1) == "CHN") return unsigned(s[0] - '0');
    if (digit(s[0]) && digit(s[1]) && (s.substr(2) == "CH" || s.substr(2) == "CN"))
        return unsigned((s[0] - '0') * 10 + (s[1] - '0'));
    if (s.substr(0, 3) == "TDZ" && digit(s[3])) return unsigned(s[3] - '0');
    return 0;
}

int refuse(int result, std::string* error, const std::string& why) {
    *error = "module data: " + why;
    return result;
}

}  // namespace

int checkModule(const uint8_t* data, size_t size, std::string* error) {
    if (size < headerSize) return refuse(SND_BAD_DATA, error, std::to_string(size) + " bytes, shorter than a header");
    unsigned channels = channelsOf(std::string_view(reinterpret_cast<const char*>(data + signatureAt), 4));
    if (channels == 0) return refuse(SND_UNSUPPORTED, error, "no 31-instrument module signature");
    unsigned songLength = data[songLengthAt];
    if (songLength == 0 || songLength > 128)
        return refuse(SND_BAD_DATA, error, "a song of " + std::to_string(songLength) + " positions");
    unsigned patterns = 0;
    for (size_t i = 0; i < 128; ++i) patterns = std::max(patterns, unsigned(data[ordersAt + i]) + 1);
    uint64_t expected = headerSize + uint64_t(patterns) * rowsPerPattern * channels * 4;
    for (size_t i = 0; i < instruments; ++i) {
        const uint8_t* header = data + 20 + i * instrumentHeader;
        expected += 2 * uint64_t(header[22] << 8 | header[23]);
    }
    if (size < expected)
        return refuse(SND_BAD_DATA, error, "truncated: " + std::to_string(expected) + " bytes announced, " +
                                               std::to_string(size) + " given");
    xmp_context context = xmp_create_context();
    int loaded = xmp_load_module_from_memory(context, data, long(size));
    if (loaded == 0) xmp_release_module(context);
    xmp_free_context(context);
    if (loaded != 0)
        return refuse(SND_BAD_DATA, error, "refused by the module player (" + std::to_string(-loaded) + ")");
    return SND_OK;
}
