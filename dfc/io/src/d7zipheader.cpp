#include "d7zipcoders.h"
#include <lzma.h>
#include <algorithm>
#include <cstdlib>
#include "ce.h"
#include "dioexception.h"

namespace dfc::io {

namespace {

[[noreturn]] void refused() { DFC_THROW(DIOException); }

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
    kName = 0x11,
    kEncodedHeader = 0x17,
};

constexpr uint8_t signature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
constexpr size_t signatureHeaderSize = 32;
const std::vector<uint8_t> copyId = {0x00}, lzmaId = {0x03, 0x01, 0x01};
constexpr size_t lzmaPropertiesSize = 5;
// The most coders a folder of the 7z format has.
constexpr uint64_t maxCoders = 4;

// A cursor over header bytes; reading past the end refuses the archive.
class Bytes {
public:
    explicit Bytes(const std::vector<uint8_t>& bytes) : data(bytes.data()), size(bytes.size()) {}

    uint8_t byte() {
        if (at >= size) refused();
        return data[at++];
    }
    // The 7z number: the leading one bits of the first byte count the bytes that follow.
    uint64_t number() {
        const uint8_t first = byte();
        uint64_t value = 0;
        for (int i = 0, mask = 0x80; i < 8; ++i, mask >>= 1) {
            if ((first & mask) == 0) return value | (uint64_t(first & (mask - 1)) << (8 * i));
            value |= uint64_t(byte()) << (8 * i);
        }
        return value;
    }
    // A count of things each at least minBytes long that must still fit in the header.
    uint64_t count(uint64_t minBytes) {
        const uint64_t n = number();
        if (n > remaining() / minBytes) refused();
        return n;
    }
    const uint8_t* take(uint64_t n) {
        if (n > remaining()) refused();
        const uint8_t* start = data + at;
        at += size_t(n);
        return start;
    }
    void skip(uint64_t n) { take(n); }
    std::vector<bool> bits(uint64_t n) {
        const uint8_t* packed = take(n / 8 + (n % 8 != 0));
        std::vector<bool> set(n);
        for (uint64_t i = 0; i < n; ++i) set[i] = (packed[i / 8] >> (7 - i % 8)) & 1;
        return set;
    }
    void expect(uint8_t id) {
        if (byte() != id) refused();
    }
    uint64_t remaining() const { return size - at; }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

struct Folder {
    bool plain = true;
    bool lzma = false;  // a single LZMA coder, whose properties follow
    std::vector<uint8_t> lzmaProperties;
    uint64_t unpackSize = 0;
    uint64_t unpackStreams = 1;
    bool hasChecksum = false;
};

struct Streams {
    uint64_t packPosition = 0;
    std::vector<uint64_t> packSizes;
    std::vector<Folder> folders;
};

uint32_t dictionaryOf(const std::vector<uint8_t>& properties) {
    uint32_t size = 0;
    for (int i = 4; i >= 1; --i) size = size << 8 | properties[size_t(i)];
    return size;
}

Folder readFolder(Bytes& in) {
    Folder folder;
    const uint64_t coders = in.number();
    if (coders == 0 || coders > maxCoders) refused();
    for (uint64_t i = 0; i < coders; ++i) {
        const uint8_t flags = in.byte();
        // Coders with several streams, and alternative methods, are no part of Copy or LZMA.
        if (flags & 0xD0) refused();
        const uint8_t* id = in.take(flags & 0x0F);
        const std::vector<uint8_t> codec(id, id + (flags & 0x0F));
        std::vector<uint8_t> properties;
        if (flags & 0x20) {
            const uint64_t n = in.number();
            const uint8_t* p = in.take(n);
            properties.assign(p, p + n);
        }
        const bool isLzma = codec == lzmaId && properties.size() == lzmaPropertiesSize &&
                            dictionaryOf(properties) <= D7zipCoders::maxDictionary;
        if (!isLzma && codec != copyId) folder.plain = false;
        if (coders == 1 && isLzma) {
            folder.lzma = true;
            folder.lzmaProperties = properties;
        }
    }
    // Simple coders: one bound pair between each two, one packed stream.
    for (uint64_t i = 1; i < coders; ++i) {
        in.number();
        in.number();
    }
    return folder;
}

// Skips the checksums of count streams; which of them have one.
std::vector<bool> skipDigests(Bytes& in, uint64_t count) {
    const bool all = in.byte() != 0;
    if (all && count > in.remaining() / 4) refused();
    std::vector<bool> defined = all ? std::vector<bool>(count, true) : in.bits(count);
    const uint64_t n = uint64_t(std::count(defined.begin(), defined.end(), true));
    if (n > in.remaining() / 4) refused();
    in.skip(4 * n);
    return defined;
}

void readPackInfo(Bytes& in, Streams& streams) {
    streams.packPosition = in.number();
    streams.packSizes.assign(in.count(1), 0);
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kSize)
            for (uint64_t& size : streams.packSizes) size = in.number();
        else if (id == kCRC)
            skipDigests(in, streams.packSizes.size());
        else
            refused();
    }
}

void readUnpackInfo(Bytes& in, Streams& streams) {
    in.expect(kFolder);
    const uint64_t count = in.count(2);
    if (in.byte() != 0) refused();  // folders kept elsewhere: not in an archive this program makes
    for (uint64_t i = 0; i < count; ++i) streams.folders.push_back(readFolder(in));
    in.expect(kCodersUnpackSize);
    // A simple coder has one output; the folder's last coder gives its unpacked size.
    for (Folder& folder : streams.folders) folder.unpackSize = in.number();
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id != kCRC) refused();
        const std::vector<bool> defined = skipDigests(in, streams.folders.size());
        for (size_t i = 0; i < defined.size(); ++i) streams.folders[i].hasChecksum = defined[i];
    }
}

void readSubStreams(Bytes& in, Streams& streams) {
    uint8_t id = in.byte();
    if (id == kNumUnpackStream) {
        for (Folder& folder : streams.folders) folder.unpackStreams = in.count(1);
        id = in.byte();
    }
    if (id == kSize) {
        for (const Folder& folder : streams.folders)
            for (uint64_t i = 1; i < folder.unpackStreams; ++i) in.number();
        id = in.byte();
    }
    // A folder's only stream has the folder's checksum, when that is given.
    uint64_t unchecked = 0;
    for (const Folder& folder : streams.folders)
        unchecked += folder.unpackStreams == 1 && folder.hasChecksum ? 0 : folder.unpackStreams;
    for (; id != kEnd; id = in.byte()) {
        if (id != kCRC) refused();
        skipDigests(in, unchecked);
    }
}

Streams readStreams(Bytes& in) {
    Streams streams;
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kPackInfo)
            readPackInfo(in, streams);
        else if (id == kUnpackInfo)
            readUnpackInfo(in, streams);
        else if (id == kSubStreamsInfo)
            readSubStreams(in, streams);
        else
            refused();
    }
    return streams;
}

std::vector<uint8_t> readAt(HANDLE file, uint64_t position, uint64_t size) {
    const DWORD fileSize = GetFileSize(file, nullptr);
    if (fileSize == 0xFFFFFFFF || position > fileSize || size > fileSize - position) refused();
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    DWORD got = 0;
    if (SetFilePointer(file, LONG(position), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        (size > 0 && (!ReadFile(file, bytes.data(), DWORD(size), &got, nullptr) || got != size)))
        refused();
    return bytes;
}

std::vector<uint8_t> decodeLzma(const std::vector<uint8_t>& packed, const Folder& folder) {
    std::vector<uint8_t> properties = folder.lzmaProperties;
    // The dictionary need not be larger than what it unpacks.
    const uint64_t needed = std::max<uint64_t>(folder.unpackSize, 4096);
    const uint32_t dictionary = uint32_t(std::min<uint64_t>(dictionaryOf(properties), needed));
    for (int i = 1; i <= 4; ++i) properties[size_t(i)] = uint8_t(dictionary >> (8 * (i - 1)));
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) != LZMA_OK) refused();
    lzma_stream stream = LZMA_STREAM_INIT;
    const lzma_ret started = lzma_raw_decoder(&stream, filters);
    free(filters[0].options);
    if (started != LZMA_OK) refused();
    std::vector<uint8_t> unpacked(size_t(folder.unpackSize));
    stream.next_in = packed.data();
    stream.avail_in = packed.size();
    stream.next_out = unpacked.data();
    stream.avail_out = unpacked.size();
    lzma_ret result = LZMA_OK;
    while (stream.avail_out > 0 && result == LZMA_OK) result = lzma_code(&stream, LZMA_FINISH);
    const bool whole = stream.avail_out == 0 && (result == LZMA_OK || result == LZMA_STREAM_END);
    lzma_end(&stream);
    if (!whole) refused();
    return unpacked;
}

// The header that an encoded header packs: one folder of Copy or LZMA.
std::vector<uint8_t> unpackHeader(HANDLE file, const Streams& streams) {
    if (streams.folders.size() != 1 || streams.packSizes.size() != 1) refused();
    const Folder& folder = streams.folders[0];
    if (!folder.plain || folder.unpackSize > D7zipCoders::maxHeaderSize ||
        streams.packSizes[0] > D7zipCoders::maxHeaderSize || streams.packPosition > UINT32_MAX)
        refused();
    std::vector<uint8_t> packed = readAt(file, signatureHeaderSize + streams.packPosition, streams.packSizes[0]);
    if (folder.lzma) return decodeLzma(packed, folder);
    if (packed.size() != folder.unpackSize) refused();
    return packed;
}

std::vector<bool> readFiles(Bytes& in, const std::vector<Folder>& folders) {
    // Every entry has a name of at least its terminating 16-bit zero.
    const uint64_t count = in.count(2);
    std::vector<bool> empty(count);
    bool named = count == 0;
    for (uint64_t type = in.number(); type != kEnd; type = in.number()) {
        const uint64_t size = in.number();
        const uint8_t* value = in.take(size);
        if (type == kEmptyStream) {
            const std::vector<uint8_t> bytes(value, value + size);
            Bytes flags(bytes);
            empty = flags.bits(count);
        }
        if (type == kName) named = size >= 2 * count;
    }
    if (!named) refused();
    // Entries with data take the folders' unpacked streams in order.
    std::vector<bool> plain;
    size_t folder = 0;
    uint64_t taken = 0;
    for (uint64_t i = 0; i < count; ++i) {
        if (empty[i]) {
            plain.push_back(true);
            continue;
        }
        while (folder < folders.size() && taken == folders[folder].unpackStreams) {
            ++folder;
            taken = 0;
        }
        if (folder == folders.size()) refused();
        plain.push_back(folders[folder].plain);
        ++taken;
    }
    return plain;
}

std::vector<bool> readHeader(Bytes& in) {
    std::vector<Folder> folders;
    std::vector<bool> plain;
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kArchiveProperties) {
            for (uint8_t type = in.byte(); type != kEnd; type = in.byte()) in.skip(in.number());
        } else if (id == kAdditionalStreamsInfo) {
            readStreams(in);
        } else if (id == kMainStreamsInfo) {
            folders = readStreams(in).folders;
        } else if (id == kFilesInfo) {
            plain = readFiles(in, folders);
        } else {
            refused();
        }
    }
    return plain;
}

}  // namespace

D7zipCoders::D7zipCoders(HANDLE file) {
    const std::vector<uint8_t> start = readAt(file, 0, signatureHeaderSize);
    if (!std::equal(std::begin(signature), std::end(signature), start.begin())) refused();
    uint64_t offset = 0, size = 0;
    for (int i = 7; i >= 0; --i) {
        offset = offset << 8 | start[12 + size_t(i)];
        size = size << 8 | start[20 + size_t(i)];
    }
    if (size > maxHeaderSize || offset > UINT32_MAX) refused();
    std::vector<uint8_t> header = readAt(file, signatureHeaderSize + offset, size);
    // An archive without entries has no header at all.
    if (header.empty()) return;
    // A packed header unpacks to the header itself, or to another packed one.
    for (int depth = 0;; ++depth) {
        Bytes in(header);
        const uint8_t id = in.byte();
        if (id == kHeader) {
            plain = readHeader(in);
            return;
        }
        if (id != kEncodedHeader || depth == 4) refused();
        header = unpackHeader(file, readStreams(in));
    }
}

}  // namespace dfc::io
