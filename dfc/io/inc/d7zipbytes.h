#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dfc::io {

namespace d7zip {

// Property ids of the 7z header.
enum Id : uint8_t {
    kEnd = 0x00,
    kHeader = 0x01,
    kArchiveProperties = 0x02,
    kAdditionalStreamsInfo = 0x03,
    kMainStreamsInfo = 0x04,
    kFilesInfo = 0x05,
    kPackInfo = 0x06,
    kUnpackInfo = 0x07,
    kSubStreamsInfo = 0x08,
    kSize = 0x09,
    kCRC = 0x0A,
    kFolder = 0x0B,
    kCodersUnpackSize = 0x0C,
    kNumUnpackStream = 0x0D,
    kEmptyStream = 0x0E,
    kEmptyFile = 0x0F,
    kName = 0x11,
    kEncodedHeader = 0x17,
};

// The start header: the signature, the version and where the header lies; the packed streams
// follow it.
constexpr size_t signatureHeaderSize = 32;

// What a message calls a property of the header.
std::string propertyName(uint8_t id);

uint32_t littleEndian32(const uint8_t* p);

}  // namespace d7zip

// A cursor over header bytes that knows where they lie, for its messages; reading past the
// end refuses the archive.
class D7zipBytes {
public:
    // origin: the offset of the first byte, in the file or, for a packed header, in its
    // unpacked form.
    D7zipBytes(const uint8_t* data, size_t size, uint64_t origin, bool unpacked)
        : data(data), size(size), origin(origin), unpacked(unpacked) {}

    uint8_t byte();
    // The 7z number: the leading one bits of the first byte count the bytes that follow.
    uint64_t number();
    // A count of things each at least minBytes long that must still fit in the header, and
    // be no more than maxListed; `what` names them in a message ("files").
    uint64_t count(uint64_t minBytes, const std::string& what);
    // Refuses more than maxListed of them.
    static void checkListed(uint64_t n, const std::string& what);
    const uint8_t* take(uint64_t n);
    void skip(uint64_t n) { take(n); }
    // The next n bytes as a cursor of their own.
    D7zipBytes part(uint64_t n);
    std::vector<bool> bits(uint64_t n);
    void expect(uint8_t id);
    // The format's optional properties come in a fixed order, each at most once; what is
    // left after them must be the end mark.
    void expectEnd(uint8_t id) const;
    uint64_t remaining() const { return size - at; }
    // Bytes left over are the fault `what`, placed where they start.
    void expectNoMore(const std::string& what);

    // The most files, folders or streams a header may list: far more than a data archive
    // holds, while the reader's own tens of bytes for each stay within a megabyte or two
    // however few bytes the header spends on them.
    static constexpr uint64_t maxListed = 1 << 14;

    // The fault, placed at the start of the item last read.
    [[noreturn]] void damagedHere(const std::string& what) const;

private:
    uint8_t next();
    // " remains" or " remain", as the bytes left ask.
    std::string remainText() const;

    const uint8_t* data;
    size_t size;
    uint64_t origin;
    bool unpacked;
    size_t at = 0;
    size_t start = 0;
};

}  // namespace dfc::io
