#include "d7zipbytes.h"
#include "d7ziprefusal.h"

namespace dfc::io {

namespace d7zip {

std::string propertyName(uint8_t id) {
    switch (id) {
        case kEnd: return "an end mark";
        case kHeader: return "the header";
        case kArchiveProperties: return "the archive properties";
        case kAdditionalStreamsInfo: return "the additional streams";
        case kMainStreamsInfo: return "the main streams";
        case kFilesInfo: return "the file list";
        case kPackInfo: return "the packed streams";
        case kUnpackInfo: return "the folders";
        case kSubStreamsInfo: return "the folders' streams";
        case kSize: return "the sizes";
        case kCRC: return "the checksums";
        case kFolder: return "the folder list";
        case kCodersUnpackSize: return "the unpacked sizes";
        case kNumUnpackStream: return "the stream counts";
        case kEmptyStream: return "the empty streams";
        case kEmptyFile: return "the empty files";
        case kName: return "the names";
        case kEncodedHeader: return "a packed header";
        default: return "the unknown property " + hexText({id});
    }
}

uint32_t littleEndian32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace d7zip

using namespace d7zip;

uint8_t D7zipBytes::byte() {
    start = at;
    return next();
}

uint64_t D7zipBytes::number() {
    start = at;
    const uint8_t first = next();
    uint64_t value = 0;
    for (int i = 0, mask = 0x80; i < 8; ++i, mask >>= 1) {
        if ((first & mask) == 0) return value | (uint64_t(first & (mask - 1)) << (8 * i));
        value |= uint64_t(next()) << (8 * i);
    }
    return value;
}

uint64_t D7zipBytes::count(uint64_t minBytes, const std::string& what) {
    const uint64_t n = number();
    if (n > remaining() / minBytes)
        damagedHere("a count of " + std::to_string(n) + " where " + countText(remaining(), "byte") + remainText());
    checkListed(n, what);
    return n;
}

void D7zipBytes::checkListed(uint64_t n, const std::string& what) {
    if (n > maxListed)
        refuse("its header lists " + std::to_string(n) + " " + what + ", more than the " + std::to_string(maxListed) +
               " a data archive may hold");
}

const uint8_t* D7zipBytes::take(uint64_t n) {
    start = at;
    if (n > remaining())
        damagedHere("a property of " + countText(n, "byte") + " where " + std::to_string(remaining()) + remainText());
    const uint8_t* first = data + at;
    at += size_t(n);
    return first;
}

D7zipBytes D7zipBytes::part(uint64_t n) {
    const uint8_t* first = take(n);
    return D7zipBytes(first, size_t(n), origin + start, unpacked);
}

std::vector<bool> D7zipBytes::bits(uint64_t n) {
    const uint8_t* packed = take(n / 8 + (n % 8 != 0));
    std::vector<bool> set(n);
    for (uint64_t i = 0; i < n; ++i) set[i] = (packed[i / 8] >> (7 - i % 8)) & 1;
    return set;
}

void D7zipBytes::expect(uint8_t id) {
    const uint8_t got = byte();
    if (got != id) damagedHere(propertyName(got) + " where " + propertyName(id) + " should be");
}

void D7zipBytes::expectEnd(uint8_t id) const {
    if (id != kEnd) damagedHere(propertyName(id) + " where the format allows none (repeated, or out of order)");
}

void D7zipBytes::expectNoMore(const std::string& what) {
    start = at;
    if (remaining() > 0) damagedHere(what);
}

std::string D7zipBytes::remainText() const { return remaining() == 1 ? " remains" : " remain"; }

void D7zipBytes::damagedHere(const std::string& what) const {
    refuse("its header is damaged at byte " + std::to_string(origin + start) +
           (unpacked ? " of its unpacked form" : "") + ": " + what);
}

uint8_t D7zipBytes::next() {
    if (at >= size) damagedHere("it ends inside a property");
    return data[at++];
}

}  // namespace dfc::io
