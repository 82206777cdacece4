#include "d7zipstreams.h"
#include <algorithm>
#include <string>
#include "d7ziprefusal.h"

namespace dfc::io {

using namespace d7zip;

namespace {

const std::vector<uint8_t> copyId = {0x00}, lzmaId = {0x03, 0x01, 0x01};
constexpr size_t lzmaPropertiesSize = 5;
// The most coders a folder of the 7z format has.
constexpr uint64_t maxCoders = 4;

using Coder = D7zipFolder::Coder;

Coder coderOf(const std::vector<uint8_t>& id, const std::vector<uint8_t>& properties) {
    if (id == copyId && properties.empty()) return Coder::copy;
    if (id == lzmaId && properties.size() == lzmaPropertiesSize) return Coder::lzma;
    return Coder::other;
}

// The well-known coders by their method ids, for messages; an archive repacked by a common
// tool may filter some entries before packing them (Delta on sounds, a branch converter on
// programs).
std::string coderName(const std::vector<uint8_t>& id, const std::vector<uint8_t>& properties) {
    // Copy or LZMA whose properties are not theirs.
    if (id == copyId || id == lzmaId)
        return std::string(id == copyId ? "the Copy" : "the LZMA") + " coder with " +
               countText(properties.size(), "byte") + " of properties";
    static const struct {
        std::vector<uint8_t> id;
        const char* name;
    } known[] = {
        {{0x03}, "Delta coder"},
        {{0x21}, "LZMA2 coder"},
        {{0x03, 0x03, 0x01, 0x03}, "x86 branch converter"},
        {{0x03, 0x03, 0x02, 0x05}, "PowerPC branch converter"},
        {{0x03, 0x03, 0x04, 0x01}, "IA-64 branch converter"},
        {{0x03, 0x03, 0x05, 0x01}, "ARM branch converter"},
        {{0x03, 0x03, 0x07, 0x01}, "ARM Thumb branch converter"},
        {{0x03, 0x03, 0x08, 0x05}, "SPARC branch converter"},
        {{0x0A}, "ARM64 branch converter"},
        {{0x0B}, "RISC-V branch converter"},
        {{0x03, 0x04, 0x01}, "PPMd coder"},
        {{0x04, 0x01, 0x08}, "Deflate coder"},
        {{0x04, 0x01, 0x09}, "Deflate64 coder"},
        {{0x04, 0x02, 0x02}, "BZip2 coder"},
        {{0x06, 0xF1, 0x07, 0x01}, "AES encryption"},
    };
    for (const auto& coder : known)
        if (coder.id == id) return std::string("the ") + coder.name;
    return "the unknown coder " + hexText(id);
}

}  // namespace

D7zipStreams::D7zipStreams(D7zipBytes& in) {
    uint8_t id = in.byte();
    if (id == kPackInfo) {
        readPackInfo(in);
        id = in.byte();
    }
    if (id == kUnpackInfo) {
        readUnpackInfo(in);
        id = in.byte();
    }
    if (id == kSubStreamsInfo) {
        readSubStreams(in);
        id = in.byte();
    } else {
        // One stream a folder, with the folder's checksum.
        for (const FolderRecord& record : folders) {
            sizes.push_back(record.folder.unpackSize);
            digests.defined.push_back(record.hasCrc);
            digests.values.push_back(record.crc);
        }
    }
    in.expectEnd(id);
    placeFolders(in);
}

D7zipStreams::FolderRecord D7zipStreams::readFolder(D7zipBytes& in) {
    FolderRecord record;
    D7zipFolder& folder = record.folder;
    const uint64_t coders = in.number();
    if (coders == 0 || coders > maxCoders) in.damagedHere("a folder of " + std::to_string(coders) + " coders");
    for (uint64_t i = 0; i < coders; ++i) {
        const uint8_t flags = in.byte();
        // Coders with several streams, and alternative methods, are no part of Copy or LZMA.
        if (flags & 0xD0) in.damagedHere("a coder with several streams, which no data archive has");
        const uint8_t* id = in.take(flags & 0x0F);
        const std::vector<uint8_t> codec(id, id + (flags & 0x0F));
        std::vector<uint8_t> properties;
        if (flags & 0x20) {
            const uint64_t n = in.number();
            const uint8_t* p = in.take(n);
            properties.assign(p, p + n);
        }
        const Coder coder = coderOf(codec, properties);
        if (coders == 1) folder.coder = coder;
        if (folder.coder == Coder::lzma) folder.lzmaProperties = properties;
        if (coder == Coder::other && folder.otherCoder.empty()) folder.otherCoder = coderName(codec, properties);
    }
    // Several coders of its own that each lacks nothing: a chain that no data archive has.
    if (coders > 1 && folder.otherCoder.empty()) folder.otherCoder = "a chain of " + std::to_string(coders) + " coders";
    // Simple coders: one bound pair between each two, one packed stream.
    std::vector<bool> bound(coders), fed(coders);
    for (uint64_t i = 1; i < coders; ++i) {
        const uint64_t to = in.number();
        const uint64_t from = in.number();
        if (to >= coders || from >= coders) in.damagedHere("a bound pair of coders its folder lacks");
        if (bound[from]) in.damagedHere("a coder that feeds two others");
        if (fed[to]) in.damagedHere("a coder fed by two others");
        bound[from] = true;
        fed[to] = true;
    }
    record.coders = coders;
    record.output = uint64_t(std::find(bound.begin(), bound.end(), false) - bound.begin());
    return record;
}

D7zipStreams::Digests D7zipStreams::readDigests(D7zipBytes& in, uint64_t count) {
    Digests read;
    const bool all = in.byte() != 0;
    if (all && count > in.remaining() / 4) in.damagedHere("more checksums than the header holds");
    read.defined = all ? std::vector<bool>(count, true) : in.bits(count);
    for (bool defined : read.defined) read.values.push_back(defined ? littleEndian32(in.take(4)) : 0);
    return read;
}

void D7zipStreams::readPackInfo(D7zipBytes& in) {
    packPosition = in.number();
    packSizes.assign(in.count(1, "packed streams"), 0);
    uint8_t id = in.byte();
    if (id == kSize) {
        for (uint64_t& size : packSizes) size = in.number();
        id = in.byte();
    }
    if (id == kCRC) {
        readDigests(in, packSizes.size());
        id = in.byte();
    }
    in.expectEnd(id);
}

void D7zipStreams::readUnpackInfo(D7zipBytes& in) {
    in.expect(kFolder);
    const uint64_t count = in.count(2, "folders");
    if (in.byte() != 0) in.damagedHere("a folder list kept elsewhere, which no data archive has");
    for (uint64_t i = 0; i < count; ++i) folders.push_back(readFolder(in));
    in.expect(kCodersUnpackSize);
    for (FolderRecord& record : folders)
        for (uint64_t i = 0; i < record.coders; ++i) {
            const uint64_t size = in.number();
            if (i == record.output) record.folder.unpackSize = size;
        }
    uint8_t id = in.byte();
    if (id == kCRC) {
        const Digests read = readDigests(in, folders.size());
        for (size_t i = 0; i < folders.size(); ++i) {
            folders[i].hasCrc = read.defined[i];
            folders[i].crc = read.values[i];
        }
        id = in.byte();
    }
    in.expectEnd(id);
}

// The sizes of a folder's streams: all but the last are given, the last takes the rest.
void D7zipStreams::addSizes(D7zipBytes* in, const FolderRecord& record) {
    uint64_t left = record.folder.unpackSize;
    for (uint64_t i = 1; i < record.unpackStreams; ++i) {
        if (!in) refuse("its header is damaged: the sizes of a folder's streams are missing");
        const uint64_t size = in->number();
        if (size > left) in->damagedHere("streams larger than their folder");
        sizes.push_back(size);
        left -= size;
    }
    if (record.unpackStreams > 0) sizes.push_back(left);
}

void D7zipStreams::readSubStreams(D7zipBytes& in) {
    uint8_t id = in.byte();
    if (id == kNumUnpackStream) {
        // Each stream but a folder's last has a size of a byte at least.
        uint64_t total = 0;
        for (FolderRecord& record : folders) {
            record.unpackStreams = in.count(1, "streams");
            total += record.unpackStreams;
            if (total > folders.size() + in.remaining()) in.damagedHere("more streams than the header holds");
            D7zipBytes::checkListed(total, "streams");
        }
        id = in.byte();
    }
    for (const FolderRecord& record : folders) addSizes(id == kSize ? &in : nullptr, record);
    if (id == kSize) id = in.byte();
    // A folder's only stream has the folder's checksum, when that is given; the others are
    // listed here.
    uint64_t unchecked = 0;
    for (const FolderRecord& record : folders)
        unchecked += record.unpackStreams == 1 && record.hasCrc ? 0 : record.unpackStreams;
    Digests listed;
    if (id == kCRC) {
        listed = readDigests(in, unchecked);
        id = in.byte();
    }
    in.expectEnd(id);
    size_t next = 0;
    for (const FolderRecord& record : folders) {
        for (uint64_t i = 0; i < record.unpackStreams; ++i) {
            const bool inherited = record.unpackStreams == 1 && record.hasCrc;
            const bool given = !inherited && next < listed.defined.size() && listed.defined[next];
            digests.defined.push_back(inherited || given);
            digests.values.push_back(inherited ? record.crc : given ? listed.values[next] : 0);
            if (!inherited) ++next;
        }
    }
}

// Where each folder's packed stream lies: each folder packs into one stream, the folders'
// streams one after another.
void D7zipStreams::placeFolders(D7zipBytes& in) {
    if (folders.size() > packSizes.size()) in.damagedHere("more folders than packed streams");
    if (packPosition > UINT64_MAX - signatureHeaderSize) in.damagedHere("packed streams past any file's end");
    uint64_t start = signatureHeaderSize + packPosition;
    for (size_t i = 0; i < folders.size(); ++i) {
        folders[i].folder.packStart = start;
        folders[i].folder.packSize = packSizes[i];
        if (packSizes[i] > UINT64_MAX - start) in.damagedHere("packed streams past any file's end");
        start += packSizes[i];
    }
}

}  // namespace dfc::io
