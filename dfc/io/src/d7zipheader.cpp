#include "d7zipheader.h"
#include <lzma.h>
#include <algorithm>
#include <cstdlib>
#include <iterator>
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
    kEmptyFile = 0x0F,
    kName = 0x11,
    kEncodedHeader = 0x17,
};

constexpr uint8_t signature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
constexpr size_t signatureHeaderSize = 32;
constexpr size_t firstAllocation = 1 << 20;
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

using Folder = D7zipHeader::Folder;
using Entry = D7zipHeader::Entry;

// A folder as the header describes it, before its entries are placed.
struct FolderRecord {
    Folder folder;
    uint64_t coders = 1;
    // The coder whose output is the folder's: the one no bound pair feeds onwards.
    uint64_t output = 0;
    uint64_t unpackStreams = 1;
    bool hasCrc = false;
    uint32_t crc = 0;
};

struct Digests {
    std::vector<bool> defined;
    std::vector<uint32_t> values;
};

struct Streams {
    uint64_t packPosition = 0;
    std::vector<uint64_t> packSizes;
    std::vector<FolderRecord> folders;
    // Every unpacked stream of every folder, in order.
    std::vector<uint64_t> sizes;
    Digests digests;
};

uint32_t dictionaryOf(const std::vector<uint8_t>& properties) {
    uint32_t size = 0;
    for (int i = 4; i >= 1; --i) size = size << 8 | properties[size_t(i)];
    return size;
}

uint32_t littleEndian32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint32_t crcOf(const uint8_t* bytes, size_t size) { return lzma_crc32(bytes, size, 0); }

FolderRecord readFolder(Bytes& in) {
    FolderRecord record;
    Folder& folder = record.folder;
    const uint64_t coders = in.number();
    if (coders == 0 || coders > maxCoders) refused();
    folder.plain = coders == 1;
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
                            dictionaryOf(properties) <= D7zipHeader::maxDictionary;
        if (!isLzma && codec != copyId) folder.plain = false;
        if (coders == 1 && isLzma) {
            folder.lzma = true;
            folder.lzmaProperties = properties;
        }
    }
    // Simple coders: one bound pair between each two, one packed stream.
    std::vector<bool> bound(coders);
    for (uint64_t i = 1; i < coders; ++i) {
        in.number();
        const uint64_t from = in.number();
        if (from >= coders) refused();
        bound[from] = true;
    }
    record.coders = coders;
    record.output = uint64_t(std::find(bound.begin(), bound.end(), false) - bound.begin());
    return record;
}

Digests readDigests(Bytes& in, uint64_t count) {
    Digests digests;
    const bool all = in.byte() != 0;
    if (all && count > in.remaining() / 4) refused();
    digests.defined = all ? std::vector<bool>(count, true) : in.bits(count);
    for (bool defined : digests.defined) digests.values.push_back(defined ? littleEndian32(in.take(4)) : 0);
    return digests;
}

void readPackInfo(Bytes& in, Streams& streams) {
    streams.packPosition = in.number();
    streams.packSizes.assign(in.count(1), 0);
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kSize)
            for (uint64_t& size : streams.packSizes) size = in.number();
        else if (id == kCRC)
            readDigests(in, streams.packSizes.size());
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
    for (FolderRecord& record : streams.folders)
        for (uint64_t i = 0; i < record.coders; ++i) {
            const uint64_t size = in.number();
            if (i == record.output) record.folder.unpackSize = size;
        }
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id != kCRC) refused();
        const Digests digests = readDigests(in, streams.folders.size());
        for (size_t i = 0; i < streams.folders.size(); ++i) {
            streams.folders[i].hasCrc = digests.defined[i];
            streams.folders[i].crc = digests.values[i];
        }
    }
}

// The sizes of a folder's streams: all but the last are given, the last takes the rest.
void addSizes(Bytes* in, const FolderRecord& record, std::vector<uint64_t>& sizes) {
    uint64_t left = record.folder.unpackSize;
    for (uint64_t i = 1; i < record.unpackStreams; ++i) {
        if (!in) refused();
        const uint64_t size = in->number();
        if (size > left) refused();
        sizes.push_back(size);
        left -= size;
    }
    if (record.unpackStreams > 0) sizes.push_back(left);
}

void readSubStreams(Bytes& in, Streams& streams) {
    streams.sizes.clear();
    streams.digests = Digests();
    uint8_t id = in.byte();
    if (id == kNumUnpackStream) {
        for (FolderRecord& record : streams.folders) record.unpackStreams = in.count(1);
        id = in.byte();
    }
    for (const FolderRecord& record : streams.folders) addSizes(id == kSize ? &in : nullptr, record, streams.sizes);
    if (id == kSize) id = in.byte();
    // A folder's only stream has the folder's checksum, when that is given; the others are
    // listed here.
    uint64_t unchecked = 0;
    for (const FolderRecord& record : streams.folders)
        unchecked += record.unpackStreams == 1 && record.hasCrc ? 0 : record.unpackStreams;
    Digests listed;
    for (; id != kEnd; id = in.byte()) {
        if (id != kCRC) refused();
        listed = readDigests(in, unchecked);
    }
    size_t next = 0;
    for (const FolderRecord& record : streams.folders) {
        for (uint64_t i = 0; i < record.unpackStreams; ++i) {
            const bool inherited = record.unpackStreams == 1 && record.hasCrc;
            const bool given = !inherited && next < listed.defined.size() && listed.defined[next];
            streams.digests.defined.push_back(inherited || given);
            streams.digests.values.push_back(inherited ? record.crc : given ? listed.values[next] : 0);
            if (!inherited) ++next;
        }
    }
}

Streams readStreams(Bytes& in) {
    Streams streams;
    bool subStreams = false;
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kPackInfo) {
            readPackInfo(in, streams);
        } else if (id == kUnpackInfo) {
            readUnpackInfo(in, streams);
        } else if (id == kSubStreamsInfo) {
            readSubStreams(in, streams);
            subStreams = true;
        } else {
            refused();
        }
    }
    if (!subStreams) {
        // One stream a folder, with the folder's checksum.
        for (const FolderRecord& record : streams.folders) {
            streams.sizes.push_back(record.folder.unpackSize);
            streams.digests.defined.push_back(record.hasCrc);
            streams.digests.values.push_back(record.crc);
        }
    }
    // Simple coders: each folder packs into one stream, the folders' streams one after another.
    if (streams.folders.size() > streams.packSizes.size()) refused();
    uint64_t start = signatureHeaderSize + streams.packPosition;
    for (size_t i = 0; i < streams.folders.size(); ++i) {
        streams.folders[i].folder.packStart = start;
        streams.folders[i].folder.packSize = streams.packSizes[i];
        if (streams.packSizes[i] > UINT64_MAX - start) refused();
        start += streams.packSizes[i];
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

// The first `wanted` unpacked bytes. The output grows as it fills, so a damaged header that
// claims a huge size fails when the packed data runs out instead of asking for the memory
// up front.
std::vector<uint8_t> decodeLzma(const std::vector<uint8_t>& packed, const Folder& folder, uint64_t wanted) {
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
    std::vector<uint8_t> unpacked;
    stream.next_in = packed.data();
    stream.avail_in = packed.size();
    lzma_ret result = LZMA_OK;
    while (unpacked.size() < wanted && result == LZMA_OK) {
        const size_t done = unpacked.size() - stream.avail_out;
        unpacked.resize(size_t(std::min<uint64_t>(wanted, std::max<uint64_t>(firstAllocation, 2 * unpacked.size()))));
        stream.next_out = unpacked.data() + done;
        stream.avail_out = unpacked.size() - done;
        while (stream.avail_out > 0 && result == LZMA_OK) {
            const size_t before = stream.avail_out;
            result = lzma_code(&stream, LZMA_FINISH);
            if (result == LZMA_OK && stream.avail_out == before) result = LZMA_BUF_ERROR;
        }
    }
    const bool whole = stream.avail_out == 0 && (result == LZMA_OK || result == LZMA_STREAM_END);
    lzma_end(&stream);
    if (!whole) refused();
    return unpacked;
}

std::vector<uint8_t> unpackFolder(HANDLE file, const Folder& folder, uint64_t wanted) {
    if (!folder.plain) refused();
    std::vector<uint8_t> packed = readAt(file, folder.packStart, folder.packSize);
    if (folder.lzma) return decodeLzma(packed, folder, wanted);
    if (packed.size() != folder.unpackSize) refused();
    packed.resize(size_t(wanted));
    return packed;
}

// The header that an encoded header packs: one folder of Copy or LZMA.
std::vector<uint8_t> unpackHeader(HANDLE file, const Streams& streams) {
    if (streams.folders.size() != 1 || streams.packSizes.size() != 1) refused();
    const FolderRecord& record = streams.folders[0];
    if (record.folder.unpackSize > D7zipHeader::maxHeaderSize || record.folder.packSize > D7zipHeader::maxHeaderSize)
        refused();
    std::vector<uint8_t> header = unpackFolder(file, record.folder, record.folder.unpackSize);
    if (record.hasCrc && crcOf(header.data(), header.size()) != record.crc) refused();
    return header;
}

// A name of UTF-16 units up to its terminating zero, as UTF-8.
std::string readName(Bytes& names) {
    std::string text;
    for (;;) {
        uint32_t c = names.byte();
        c |= uint32_t(names.byte()) << 8;
        if (c == 0) return text;
        if (c >= 0xD800 && c < 0xDC00) {
            uint32_t low = names.byte();
            low |= uint32_t(names.byte()) << 8;
            if (low < 0xDC00 || low >= 0xE000) refused();
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        if (c < 0x80) {
            text += char(c);
        } else if (c < 0x800) {
            text += char(0xC0 | (c >> 6));
            text += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            text += char(0xE0 | (c >> 12));
            text += char(0x80 | ((c >> 6) & 0x3F));
            text += char(0x80 | (c & 0x3F));
        } else {
            text += char(0xF0 | (c >> 18));
            text += char(0x80 | ((c >> 12) & 0x3F));
            text += char(0x80 | ((c >> 6) & 0x3F));
            text += char(0x80 | (c & 0x3F));
        }
    }
}

std::vector<bool> bitsOf(const uint8_t* value, uint64_t size, uint64_t count) {
    const std::vector<uint8_t> bytes(value, value + size);
    Bytes flags(bytes);
    return flags.bits(count);
}

std::vector<Entry> readFiles(Bytes& in, const Streams& streams) {
    // Every entry has a name of at least its terminating 16-bit zero.
    const uint64_t count = in.count(2);
    std::vector<Entry> entries(count);
    std::vector<bool> emptyStream(count), emptyFile;
    bool named = count == 0;
    for (uint64_t type = in.number(); type != kEnd; type = in.number()) {
        const uint64_t size = in.number();
        const uint8_t* value = in.take(size);
        if (type == kEmptyStream) {
            emptyStream = bitsOf(value, size, count);
        } else if (type == kEmptyFile) {
            emptyFile = bitsOf(value, size, uint64_t(std::count(emptyStream.begin(), emptyStream.end(), true)));
        } else if (type == kName) {
            const std::vector<uint8_t> bytes(value, value + size);
            Bytes names(bytes);
            if (names.byte() != 0) refused();  // names kept elsewhere
            for (Entry& entry : entries) entry.name = readName(names);
            named = true;
        }
    }
    if (!named) refused();
    // Entries with data take the folders' unpacked streams in order.
    size_t folder = 0, stream = 0, empties = 0;
    uint64_t taken = 0, offset = 0;
    for (uint64_t i = 0; i < count; ++i) {
        Entry& entry = entries[i];
        if (emptyStream[i]) {
            const bool file = empties < emptyFile.size() && emptyFile[empties];
            entry.directory = !file;
            ++empties;
            continue;
        }
        while (folder < streams.folders.size() && taken == streams.folders[folder].unpackStreams) {
            ++folder;
            taken = 0;
            offset = 0;
        }
        if (folder == streams.folders.size() || stream >= streams.sizes.size()) refused();
        entry.folder = int(folder);
        entry.offset = offset;
        entry.size = streams.sizes[stream];
        entry.hasCrc = streams.digests.defined[stream];
        entry.crc = streams.digests.values[stream];
        offset += entry.size;
        ++stream;
        ++taken;
    }
    return entries;
}

void readHeader(Bytes& in, std::vector<Folder>& folders, std::vector<Entry>& entries) {
    Streams main;
    for (uint8_t id = in.byte(); id != kEnd; id = in.byte()) {
        if (id == kArchiveProperties) {
            for (uint8_t type = in.byte(); type != kEnd; type = in.byte()) in.skip(in.number());
        } else if (id == kAdditionalStreamsInfo) {
            readStreams(in);
        } else if (id == kMainStreamsInfo) {
            main = readStreams(in);
        } else if (id == kFilesInfo) {
            entries = readFiles(in, main);
        } else {
            refused();
        }
    }
    for (const FolderRecord& record : main.folders) folders.push_back(record.folder);
}

}  // namespace

D7zipHeader::D7zipHeader(HANDLE file) {
    const std::vector<uint8_t> start = readAt(file, 0, signatureHeaderSize);
    if (!std::equal(std::begin(signature), std::end(signature), start.begin()) || start[6] != 0) refused();
    if (crcOf(&start[12], 20) != littleEndian32(&start[8])) refused();
    uint64_t offset = 0, size = 0;
    for (int i = 7; i >= 0; --i) {
        offset = offset << 8 | start[12 + size_t(i)];
        size = size << 8 | start[20 + size_t(i)];
    }
    if (size > maxHeaderSize || offset > UINT32_MAX) refused();
    std::vector<uint8_t> header = readAt(file, signatureHeaderSize + offset, size);
    // An archive without entries has no header at all.
    if (header.empty()) return;
    if (crcOf(header.data(), header.size()) != littleEndian32(&start[28])) refused();
    // A packed header unpacks to the header itself, or to another packed one.
    for (int depth = 0;; ++depth) {
        Bytes in(header);
        const uint8_t id = in.byte();
        if (id == kHeader) {
            readHeader(in, folders, files);
            return;
        }
        if (id != kEncodedHeader || depth == 4) refused();
        header = unpackHeader(file, readStreams(in));
    }
}

std::vector<uint8_t> D7zipHeader::unpack(HANDLE file, const Entry& entry) const {
    if (entry.folder < 0) return {};
    const uint64_t end = entry.offset + entry.size;
    std::vector<uint8_t> bytes = unpackFolder(file, folderOf(entry), end);
    if (entry.offset > 0) bytes.erase(bytes.begin(), bytes.begin() + ptrdiff_t(entry.offset));
    if (entry.hasCrc && crcOf(bytes.data(), bytes.size()) != entry.crc) refused();
    return bytes;
}

}  // namespace dfc::io
