#include "d7ziplzma.h"
#include <algorithm>
#include <cstdlib>
#include <lzma.h>
#include <new>
#include "d7ziprefusal.h"

namespace dfc::io::d7zip {

namespace {

constexpr uint64_t smallestOutput = 4096;

// The decoder's state, ended on every path out of the decoding, an allocation that fails
// included.
class Decoder {
public:
    Decoder(const std::vector<uint8_t>& properties, const std::string& subject) {
        lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
        if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) != LZMA_OK)
            damaged(subject, "its LZMA properties are invalid");
        const lzma_ret started = lzma_raw_decoder(&stream, filters);
        free(filters[0].options);
        if (started == LZMA_MEM_ERROR) throw std::bad_alloc();
        if (started != LZMA_OK) damaged(subject, "its LZMA properties are invalid");
    }
    ~Decoder() { lzma_end(&stream); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // Decodes what the output has room for, taking the next piece once the last is used up.
    // When the pieces have run out, the second call in a row that moves nothing is told as
    // LZMA_BUF_ERROR.
    lzma_ret step(D7zipPackedStream& packed) {
        if (stream.avail_in == 0) {
            const std::vector<uint8_t>& piece = packed.next();
            stream.next_in = piece.data();
            stream.avail_in = piece.size();
        }
        return lzma_code(&stream, LZMA_RUN);
    }

    lzma_stream stream = LZMA_STREAM_INIT;
};

}  // namespace

uint32_t crcOf(const uint8_t* bytes, size_t size) { return lzma_crc32(bytes, size, 0); }

uint32_t dictionaryOf(const std::vector<uint8_t>& properties) {
    uint32_t size = 0;
    for (int i = 4; i >= 1; --i) size = size << 8 | properties[size_t(i)];
    return size;
}

std::vector<uint8_t> unpackLzma(D7zipPackedStream& packed, std::vector<uint8_t> properties, uint64_t wanted,
                                const std::string& subject) {
    // The dictionary need not be larger than what it unpacks.
    const uint64_t needed = std::max(wanted, smallestOutput);
    const uint32_t dictionary = uint32_t(std::min<uint64_t>(dictionaryOf(properties), needed));
    for (int i = 1; i <= 4; ++i) properties[size_t(i)] = uint8_t(dictionary >> (8 * (i - 1)));
    Decoder decoder(properties, subject);
    lzma_stream& stream = decoder.stream;
    std::vector<uint8_t> unpacked;
    lzma_ret result = LZMA_OK;
    while (unpacked.size() < wanted && result == LZMA_OK) {
        const size_t done = unpacked.size() - stream.avail_out;
        const size_t grown =
            size_t(std::min<uint64_t>(wanted, std::max(D7zipPackedStream::pieceSize, 2 * unpacked.size())));
        // Reserved first: a resize alone may take up to twice what is wanted.
        unpacked.reserve(grown);
        unpacked.resize(grown);
        stream.next_out = unpacked.data() + done;
        stream.avail_out = unpacked.size() - done;
        while (stream.avail_out > 0 && result == LZMA_OK) result = decoder.step(packed);
    }
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (result == LZMA_DATA_ERROR) damaged(subject, "its packed bytes are no LZMA data");
    if (stream.avail_out != 0 || (result != LZMA_OK && result != LZMA_STREAM_END))
        damaged(subject, "its packed bytes unpack to less than its size");
    return unpacked;
}

}  // namespace dfc::io::d7zip
