#include "d7zipheader.h"
#include <lzma.h>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <new>
#include <string>
#include "ce.h"
#include "dioexception.h"
#include "platform.h"

namespace dfc::io {

namespace {

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
constexpr uint64_t smallestOutput = 4096;
const std::vector<uint8_t> copyId = {0x00}, lzmaId = {0x03, 0x01, 0x01};
constexpr size_t lzmaPropertiesSize = 5;
// The most coders a folder of the 7z format has.
constexpr uint64_t maxCoders = 4;

using Folder = D7zipHeader::Folder;
using Entry = D7zipHeader::Entry;
using Coder = D7zipHeader::Coder;

// Every refusal of the reader: one line saying what is wrong, without the archive's name,
// which the archive stream puts in front.
[[noreturn]] void refuse(const std::string& why) {
    throw DIOExceptionPtr(new DIOException(new lang::DString(platform::widen(why).c_str())));
}

[[noreturn]] void damaged(const std::string& subject, const std::string& what) {
    refuse(subject + " is damaged: " + what);
}

// A size as a message gives it: whole mebibytes as such, anything else in bytes.
std::string sizeText(uint64_t bytes) {
    constexpr uint64_t mebibyte = 1 << 20;
    if (bytes >= mebibyte && bytes % mebibyte == 0) return std::to_string(bytes / mebibyte) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// What a message calls a property of the header.
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
        case kEncodedHeader: return "a packed header";
        default: return "the unknown property " + std::to_string(id);
    }
}

// A cursor over header bytes that knows where they lie, for its messages; reading past the
// end refuses the archive.
class Bytes {
public:
    // origin: the offset of the first byte, in the file or, for a packed header, in its
    // unpacked form.
    Bytes(const uint8_t* data, size_t size, uint64_t origin, bool unpacked)
        : data(data), size(size), origin(origin), unpacked(unpacked) {}

    uint8_t byte() {
        start = at;
        return next();
    }
    // The 7z number: the leading one bits of the first byte count the bytes that follow.
    uint64_t number() {
        start = at;
        const uint8_t first = next();
        uint64_t value = 0;
        for (int i = 0, mask = 0x80; i < 8; ++i, mask >>= 1) {
            if ((first & mask) == 0) return value | (uint64_t(first & (mask - 1)) << (8 * i));
            value |= uint64_t(next()) << (8 * i);
        }
        return value;
    }
    // A count of things each at least minBytes long that must still fit in the header.
    uint64_t count(uint64_t minBytes) {
        const uint64_t n = number();
        if (n > remaining() / minBytes)
            damaged("a count of " + std::to_string(n) + " where " + std::to_string(remaining()) + " bytes remain");
        return n;
    }
    const uint8_t* take(uint64_t n) {
        start = at;
        if (n > remaining())
            damaged("a property of " + std::to_string(n) + " bytes where " + std::to_string(remaining()) + " remain");
        const uint8_t* first = data + at;
        at += size_t(n);
        return first;
    }
    void skip(uint64_t n) { take(n); }
    // The next n bytes as a cursor of their own.
    Bytes part(uint64_t n) {
        const uint8_t* first = take(n);
        return Bytes(first, size_t(n), origin + start, unpacked);
    }
    std::vector<bool> bits(uint64_t n) {
        const uint8_t* packed = take(n / 8 + (n % 8 != 0));
        std::vector<bool> set(n);
        for (uint64_t i = 0; i < n; ++i) set[i] = (packed[i / 8] >> (7 - i % 8)) & 1;
        return set;
    }
    void expect(uint8_t id) {
        const uint8_t got = byte();
        if (got != id) damaged(propertyName(got) + " where " + propertyName(id) + " belong");
    }
    // The format's optional properties come in a fixed order, each at most once; what is
    // left after them must be the end mark.
    void expectEnd(uint8_t id) const {
        if (id != kEnd) damaged(propertyName(id) + " where the format allows none (repeated, or out of order)");
    }
    uint64_t remaining() const { return size - at; }

    // The fault, placed at the start of the item last read.
    [[noreturn]] void damaged(const std::string& what) const {
        refuse("its header is damaged at byte " + std::to_string(origin + start) +
               (unpacked ? " of its unpacked form" : "") + ": " + what);
    }

private:
    uint8_t next() {
        if (at >= size) damaged("it ends inside a property");
        return data[at++];
    }

    const uint8_t* data;
    size_t size;
    uint64_t origin;
    bool unpacked;
    size_t at = 0;
    size_t start = 0;
};

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

Coder coderOf(const std::vector<uint8_t>& id, const std::vector<uint8_t>& properties) {
    if (id == copyId && properties.empty()) return Coder::copy;
    if (id == lzmaId && properties.size() == lzmaPropertiesSize) return Coder::lzma;
    return Coder::other;
}

FolderRecord readFolder(Bytes& in) {
    FolderRecord record;
    Folder& folder = record.folder;
    const uint64_t coders = in.number();
    if (coders == 0 || coders > maxCoders) in.damaged("a folder of " + std::to_string(coders) + " coders");
    for (uint64_t i = 0; i < coders; ++i) {
        const uint8_t flags = in.byte();
        // Coders with several streams, and alternative methods, are no part of Copy or LZMA.
        if (flags & 0xD0) in.damaged("a coder with several streams, which no data archive has");
        const uint8_t* id = in.take(flags & 0x0F);
        const std::vector<uint8_t> codec(id, id + (flags & 0x0F));
        std::vector<uint8_t> properties;
        if (flags & 0x20) {
            const uint64_t n = in.number();
            const uint8_t* p = in.take(n);
            properties.assign(p, p + n);
        }
        if (coders == 1) folder.coder = coderOf(codec, properties);
        if (folder.coder == Coder::lzma) folder.lzmaProperties = properties;
    }
    // Simple coders: one bound pair between each two, one packed stream.
    std::vector<bool> bound(coders);
    for (uint64_t i = 1; i < coders; ++i) {
        const uint64_t to = in.number();
        const uint64_t from = in.number();
        if (to >= coders || from >= coders || bound[from]) in.damaged("a bound pair of coders its folder lacks");
        bound[from] = true;
    }
    record.coders = coders;
    record.output = uint64_t(std::find(bound.begin(), bound.end(), false) - bound.begin());
    return record;
}

Digests readDigests(Bytes& in, uint64_t count) {
    Digests digests;
    const bool all = in.byte() != 0;
    if (all && count > in.remaining() / 4) in.damaged("more checksums than the header holds");
    digests.defined = all ? std::vector<bool>(count, true) : in.bits(count);
    for (bool defined : digests.defined) digests.values.push_back(defined ? littleEndian32(in.take(4)) : 0);
    return digests;
}

void readPackInfo(Bytes& in, Streams& streams) {
    streams.packPosition = in.number();
    streams.packSizes.assign(in.count(1), 0);
    uint8_t id = in.byte();
    if (id == kSize) {
        for (uint64_t& size : streams.packSizes) size = in.number();
        id = in.byte();
    }
    if (id == kCRC) {
        readDigests(in, streams.packSizes.size());
        id = in.byte();
    }
    in.expectEnd(id);
}

void readUnpackInfo(Bytes& in, Streams& streams) {
    in.expect(kFolder);
    const uint64_t count = in.count(2);
    if (in.byte() != 0) in.damaged("a folder list kept elsewhere, which no data archive has");
    for (uint64_t i = 0; i < count; ++i) streams.folders.push_back(readFolder(in));
    in.expect(kCodersUnpackSize);
    for (FolderRecord& record : streams.folders)
        for (uint64_t i = 0; i < record.coders; ++i) {
            const uint64_t size = in.number();
            if (i == record.output) record.folder.unpackSize = size;
        }
    uint8_t id = in.byte();
    if (id == kCRC) {
        const Digests digests = readDigests(in, streams.folders.size());
        for (size_t i = 0; i < streams.folders.size(); ++i) {
            streams.folders[i].hasCrc = digests.defined[i];
            streams.folders[i].crc = digests.values[i];
        }
        id = in.byte();
    }
    in.expectEnd(id);
}

// The sizes of a folder's streams: all but the last are given, the last takes the rest.
void addSizes(Bytes* in, const FolderRecord& record, std::vector<uint64_t>& sizes) {
    uint64_t left = record.folder.unpackSize;
    for (uint64_t i = 1; i < record.unpackStreams; ++i) {
        if (!in) refuse("its header is damaged: the sizes of a folder's streams are missing");
        const uint64_t size = in->number();
        if (size > left) in->damaged("streams larger than their folder");
        sizes.push_back(size);
        left -= size;
    }
    if (record.unpackStreams > 0) sizes.push_back(left);
}

void readSubStreams(Bytes& in, Streams& streams) {
    uint8_t id = in.byte();
    if (id == kNumUnpackStream) {
        // Each stream but a folder's last has a size of a byte at least.
        uint64_t total = 0;
        for (FolderRecord& record : streams.folders) {
            record.unpackStreams = in.count(1);
            total += record.unpackStreams;
            if (total > streams.folders.size() + in.remaining()) in.damaged("more streams than the header holds");
        }
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
    if (id == kCRC) {
        listed = readDigests(in, unchecked);
        id = in.byte();
    }
    in.expectEnd(id);
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

// Where each folder's packed stream lies: each folder packs into one stream, the folders'
// streams one after another.
void placeFolders(Bytes& in, Streams& streams) {
    if (streams.folders.size() > streams.packSizes.size()) in.damaged("more folders than packed streams");
    if (streams.packPosition > UINT64_MAX - signatureHeaderSize) in.damaged("packed streams past any file's end");
    uint64_t start = signatureHeaderSize + streams.packPosition;
    for (size_t i = 0; i < streams.folders.size(); ++i) {
        streams.folders[i].folder.packStart = start;
        streams.folders[i].folder.packSize = streams.packSizes[i];
        if (streams.packSizes[i] > UINT64_MAX - start) in.damaged("packed streams past any file's end");
        start += streams.packSizes[i];
    }
}

Streams readStreams(Bytes& in) {
    Streams streams;
    uint8_t id = in.byte();
    if (id == kPackInfo) {
        readPackInfo(in, streams);
        id = in.byte();
    }
    if (id == kUnpackInfo) {
        readUnpackInfo(in, streams);
        id = in.byte();
    }
    if (id == kSubStreamsInfo) {
        readSubStreams(in, streams);
        id = in.byte();
    } else {
        // One stream a folder, with the folder's checksum.
        for (const FolderRecord& record : streams.folders) {
            streams.sizes.push_back(record.folder.unpackSize);
            streams.digests.defined.push_back(record.hasCrc);
            streams.digests.values.push_back(record.crc);
        }
    }
    in.expectEnd(id);
    placeFolders(in, streams);
    return streams;
}

uint64_t fileSizeOf(HANDLE file) {
    DWORD high = 0;
    const DWORD low = GetFileSize(file, &high);
    if (low == 0xFFFFFFFF && high == 0) refuse("it cannot be read");
    return uint64_t(high) << 32 | low;
}

// Bytes the caller has found within the file.
std::vector<uint8_t> readAt(HANDLE file, uint64_t position, uint64_t size) {
    if (size > UINT32_MAX) refuse("it cannot be read at byte " + std::to_string(position));
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    LONG high = LONG(position >> 32);
    const DWORD low = SetFilePointer(file, LONG(uint32_t(position)), &high, FILE_BEGIN);
    DWORD got = 0;
    if (low != DWORD(position) || uint64_t(uint32_t(high)) != position >> 32 ||
        (size > 0 && (!ReadFile(file, bytes.data(), DWORD(size), &got, nullptr) || got != size)))
        refuse("it cannot be read at byte " + std::to_string(position));
    return bytes;
}

// Entries and packed headers alike are refused before anything is unpacked when their coder
// is not one this reader has, or would need more memory than it allows.
void checkCoder(const Folder& folder, const std::string& subject) {
    if (folder.coder == Coder::other) refuse(subject + " uses a coder other than Copy or LZMA");
    if (folder.coder == Coder::lzma && dictionaryOf(folder.lzmaProperties) > D7zipHeader::maxDictionary)
        refuse(subject + " uses an LZMA dictionary of " + sizeText(dictionaryOf(folder.lzmaProperties)) +
               ", more than the " + sizeText(D7zipHeader::maxDictionary) + " this program unpacks with");
}

// The first `wanted` unpacked bytes. The output grows as it fills, so a header that claims a
// huge size fails when the packed data runs out instead of asking for the memory up front.
std::vector<uint8_t> decodeLzma(const std::vector<uint8_t>& packed, const Folder& folder, uint64_t wanted,
                                const std::string& subject) {
    std::vector<uint8_t> properties = folder.lzmaProperties;
    // The dictionary need not be larger than what it unpacks.
    const uint64_t needed = std::max(wanted, smallestOutput);
    const uint32_t dictionary = uint32_t(std::min<uint64_t>(dictionaryOf(properties), needed));
    for (int i = 1; i <= 4; ++i) properties[size_t(i)] = uint8_t(dictionary >> (8 * (i - 1)));
    lzma_filter filters[2] = {{LZMA_FILTER_LZMA1, nullptr}, {LZMA_VLI_UNKNOWN, nullptr}};
    if (lzma_properties_decode(&filters[0], nullptr, properties.data(), properties.size()) != LZMA_OK)
        damaged(subject, "its LZMA properties are invalid");
    lzma_stream stream = LZMA_STREAM_INIT;
    const lzma_ret started = lzma_raw_decoder(&stream, filters);
    free(filters[0].options);
    if (started == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (started != LZMA_OK) damaged(subject, "its LZMA properties are invalid");
    std::vector<uint8_t> unpacked;
    stream.next_in = packed.data();
    stream.avail_in = packed.size();
    lzma_ret result = LZMA_OK;
    const uint64_t first = std::max<uint64_t>(packed.size(), smallestOutput);
    while (unpacked.size() < wanted && result == LZMA_OK) {
        const size_t done = unpacked.size() - stream.avail_out;
        unpacked.resize(size_t(std::min<uint64_t>(wanted, std::max<uint64_t>(first, 2 * unpacked.size()))));
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
    if (result == LZMA_MEM_ERROR) throw std::bad_alloc();
    if (result == LZMA_DATA_ERROR) damaged(subject, "its packed bytes are no LZMA data");
    if (!whole) damaged(subject, "its packed bytes unpack to less than its size");
    return unpacked;
}

// The folder's packed bytes lie within the file, and a stored folder holds what it claims.
void checkStored(HANDLE file, const Folder& folder, const std::string& subject) {
    const uint64_t fileSize = fileSizeOf(file);
    if (folder.packStart > fileSize || folder.packSize > fileSize - folder.packStart)
        damaged(subject, "its packed bytes lie past the end of the file");
    if (folder.coder == Coder::copy && folder.packSize != folder.unpackSize)
        damaged(subject, "its folder claims " + std::to_string(folder.unpackSize) + " bytes and stores " +
                             std::to_string(folder.packSize));
}

// The first `wanted` unpacked bytes of a folder whose coder and sizes are checked; `subject`
// names what they are in messages.
std::vector<uint8_t> unpackFolder(HANDLE file, const Folder& folder, uint64_t wanted, const std::string& subject) {
    if (folder.coder == Coder::lzma)
        return decodeLzma(readAt(file, folder.packStart, folder.packSize), folder, wanted, subject);
    return readAt(file, folder.packStart, wanted);
}

// The header that an encoded header packs: one folder of Copy or LZMA.
std::vector<uint8_t> unpackHeader(HANDLE file, Bytes& in, const Streams& streams) {
    if (streams.folders.size() != 1 || streams.packSizes.size() != 1) in.damaged("a packed header of several folders");
    const FolderRecord& record = streams.folders[0];
    const std::string subject = "its header";
    checkCoder(record.folder, subject);
    if (record.folder.unpackSize > D7zipHeader::maxHeaderSize)
        refuse("its header is damaged: it claims " + sizeText(record.folder.unpackSize) + ", more than the " +
               sizeText(D7zipHeader::maxHeaderSize) + " a header may have");
    checkStored(file, record.folder, subject);
    std::vector<uint8_t> header = unpackFolder(file, record.folder, record.folder.unpackSize, subject);
    if (record.hasCrc && crcOf(header.data(), header.size()) != record.crc)
        damaged(subject, "its unpacked form does not match its checksum");
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
            if (low < 0xDC00 || low >= 0xE000) names.damaged("a name with half a character");
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

// The properties of the file list that place its entries, each given at most once.
struct FileProperties {
    std::vector<bool> emptyStream, emptyFile;
    bool emptyStreamGiven = false, emptyFileGiven = false, named = false;
};

void readFileProperty(Bytes& in, uint64_t type, std::vector<Entry>& entries, FileProperties& seen) {
    const uint64_t count = entries.size();
    Bytes value = in.part(in.number());
    if (type == kEmptyStream) {
        if (seen.emptyStreamGiven) in.damaged("the empty streams given twice");
        seen.emptyStream = value.bits(count);
        seen.emptyStreamGiven = true;
    } else if (type == kEmptyFile) {
        if (seen.emptyFileGiven || !seen.emptyStreamGiven)
            in.damaged("the empty files twice or before the empty streams");
        seen.emptyFile = value.bits(uint64_t(std::count(seen.emptyStream.begin(), seen.emptyStream.end(), true)));
        seen.emptyFileGiven = true;
    } else if (type == kName) {
        if (seen.named) in.damaged("the names given twice");
        if (value.byte() != 0) value.damaged("names kept elsewhere, which no data archive has");
        for (Entry& entry : entries) entry.name = readName(value);
        seen.named = true;
    }
}

std::vector<Entry> readFiles(Bytes& in, const Streams& streams) {
    // Every entry has a name of at least its terminating 16-bit zero.
    const uint64_t count = in.count(2);
    std::vector<Entry> entries(count);
    FileProperties seen;
    seen.emptyStream.assign(count, false);
    seen.named = count == 0;
    for (uint64_t type = in.number(); type != kEnd; type = in.number()) readFileProperty(in, type, entries, seen);
    if (!seen.named) in.damaged("a file list without names");
    // Entries with data take the folders' unpacked streams in order.
    size_t folder = 0, stream = 0, empties = 0;
    uint64_t taken = 0, offset = 0;
    for (uint64_t i = 0; i < count; ++i) {
        Entry& entry = entries[i];
        if (seen.emptyStream[i]) {
            const bool file = empties < seen.emptyFile.size() && seen.emptyFile[empties];
            entry.directory = !file;
            ++empties;
            continue;
        }
        while (folder < streams.folders.size() && taken == streams.folders[folder].unpackStreams) {
            ++folder;
            taken = 0;
            offset = 0;
        }
        if (folder == streams.folders.size() || stream >= streams.sizes.size() ||
            stream >= streams.digests.defined.size())
            in.damaged("a file list of more entries with data than the folders hold");
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

void skipArchiveProperties(Bytes& in) {
    for (uint8_t type = in.byte(); type != kEnd; type = in.byte()) in.skip(in.number());
}

// The header's parts in the format's order, each at most once.
void readHeader(Bytes& in, std::vector<Folder>& folders, std::vector<Entry>& entries) {
    uint8_t id = in.byte();
    if (id == kArchiveProperties) {
        skipArchiveProperties(in);
        id = in.byte();
    }
    if (id == kAdditionalStreamsInfo) {
        readStreams(in);
        id = in.byte();
    }
    Streams main;
    if (id == kMainStreamsInfo) {
        main = readStreams(in);
        id = in.byte();
    }
    if (id == kFilesInfo) {
        entries = readFiles(in, main);
        id = in.byte();
    }
    in.expectEnd(id);
    for (const FolderRecord& record : main.folders) folders.push_back(record.folder);
}

}  // namespace

D7zipHeader::D7zipHeader(HANDLE file) {
    const uint64_t fileSize = fileSizeOf(file);
    if (fileSize < signatureHeaderSize) refuse("it is no 7z archive");
    const std::vector<uint8_t> start = readAt(file, 0, signatureHeaderSize);
    if (!std::equal(std::begin(signature), std::end(signature), start.begin())) refuse("it is no 7z archive");
    if (start[6] != 0) refuse("it is a 7z archive of a later format, version " + std::to_string(start[6]));
    if (crcOf(&start[12], 20) != littleEndian32(&start[8]))
        refuse("its header is damaged: the start header does not match its checksum");
    uint64_t offset = 0, size = 0;
    for (int i = 7; i >= 0; --i) {
        offset = offset << 8 | start[12 + size_t(i)];
        size = size << 8 | start[20 + size_t(i)];
    }
    if (size > maxHeaderSize)
        refuse("its header is damaged: the start header gives it " + sizeText(size) + ", more than the " +
               sizeText(maxHeaderSize) + " a header may have");
    const uint64_t after = fileSize - signatureHeaderSize;
    if (offset > after || size > after - offset)
        refuse("its header is damaged: the start header places it past the end of the file, which may be cut short");
    std::vector<uint8_t> header = readAt(file, signatureHeaderSize + offset, size);
    // An archive without entries has no header at all.
    if (header.empty()) return;
    if (crcOf(header.data(), header.size()) != littleEndian32(&start[28]))
        refuse("its header is damaged: it does not match its checksum");
    // A packed header unpacks to the header itself, or to another packed one.
    for (int depth = 0;; ++depth) {
        Bytes in(header.data(), header.size(), depth == 0 ? signatureHeaderSize + offset : 0, depth > 0);
        const uint8_t id = in.byte();
        if (id == kHeader) {
            readHeader(in, folders, files);
            return;
        }
        if (id != kEncodedHeader || depth == 4) in.damaged(propertyName(id) + " where the header belongs");
        const Streams streams = readStreams(in);
        header = unpackHeader(file, in, streams);
    }
}

std::vector<uint8_t> D7zipHeader::unpack(HANDLE file, const Entry& entry) const {
    if (entry.folder < 0) return {};
    const std::string subject = "the entry " + entry.name;
    if (size_t(entry.folder) >= folders.size()) damaged(subject, "its folder is not in the archive");
    const Folder& folder = folders[size_t(entry.folder)];
    checkCoder(folder, subject);
    if (entry.offset > folder.unpackSize || entry.size > folder.unpackSize - entry.offset)
        damaged(subject, "it lies past the end of its folder");
    checkStored(file, folder, subject);
    const uint64_t end = entry.offset + entry.size;
    if (end > maxEntrySize)
        refuse(subject + " is too large: it takes " + sizeText(end) + " to unpack, more than the " +
               sizeText(maxEntrySize) + " an entry may take");
    std::vector<uint8_t> bytes = unpackFolder(file, folder, end, subject);
    if (entry.offset > 0) bytes.erase(bytes.begin(), bytes.begin() + ptrdiff_t(entry.offset));
    if (entry.hasCrc && crcOf(bytes.data(), bytes.size()) != entry.crc)
        damaged(subject, "its bytes do not match their checksum");
    return bytes;
}

}  // namespace dfc::io
