#include "d7zipheader.h"
#include <algorithm>
#include <iterator>
#include <string>
#include "d7zipbytes.h"
#include "d7zipfile.h"
#include "d7zipfilelist.h"
#include "d7ziplzma.h"
#include "d7ziprefusal.h"
#include "d7zipstreams.h"

namespace dfc::io {

using namespace d7zip;

namespace {

constexpr uint8_t signature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};

void skipArchiveProperties(D7zipBytes& in) {
    for (uint8_t type = in.byte(); type != kEnd; type = in.byte()) in.skip(in.number());
}

}  // namespace

D7zipHeader::D7zipHeader(HANDLE handle) {
    const D7zipFile file(handle);
    uint64_t offset = 0;
    std::vector<uint8_t> header = readStart(file, offset);
    // An archive without entries has no header at all.
    if (header.empty()) return;
    // A packed header unpacks to the header itself, or to another packed one.
    for (int depth = 0;; ++depth) {
        D7zipBytes in(header.data(), header.size(), depth == 0 ? signatureHeaderSize + offset : 0, depth > 0);
        const uint8_t id = in.byte();
        if (id == kHeader) {
            readHeader(in);
            return;
        }
        if (id != kEncodedHeader || depth == 4) in.damagedHere(propertyName(id) + " where the header belongs");
        const D7zipStreams streams(in);
        header = unpackHeader(file, in, streams);
    }
}

std::vector<uint8_t> D7zipHeader::readStart(const D7zipFile& file, uint64_t& offset) {
    const uint64_t fileSize = file.size();
    if (fileSize < signatureHeaderSize) refuse("it is no 7z archive");
    const std::vector<uint8_t> start = file.read(0, signatureHeaderSize);
    if (!std::equal(std::begin(signature), std::end(signature), start.begin())) refuse("it is no 7z archive");
    if (start[6] != 0) refuse("it is a 7z archive of a later format, version " + std::to_string(start[6]));
    if (crcOf(&start[12], 20) != littleEndian32(&start[8]))
        refuse("its header is damaged: the start header does not match its checksum");
    uint64_t size = 0;
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
    std::vector<uint8_t> header = file.read(signatureHeaderSize + offset, size);
    if (!header.empty() && crcOf(header.data(), header.size()) != littleEndian32(&start[28]))
        refuse("its header is damaged: it does not match its checksum");
    return header;
}

std::vector<uint8_t> D7zipHeader::unpackHeader(const D7zipFile& file, D7zipBytes& in, const D7zipStreams& streams) {
    if (streams.folders.size() != 1 || streams.packSizes.size() != 1)
        in.damagedHere("a packed header of several folders");
    const D7zipStreams::FolderRecord& record = streams.folders[0];
    const std::string subject = "its header";
    record.folder.checkCoder(subject);
    record.folder.checkDictionary(subject);
    if (record.folder.unpackSize > maxHeaderSize)
        refuse("its header is damaged: it claims " + sizeText(record.folder.unpackSize) + ", more than the " +
               sizeText(maxHeaderSize) + " a header may have");
    record.folder.checkStored(file, subject);
    std::vector<uint8_t> header = record.folder.unpack(file, record.folder.unpackSize, subject);
    if (record.hasCrc && crcOf(header.data(), header.size()) != record.crc)
        damaged(subject, "its unpacked form does not match its checksum");
    return header;
}

void D7zipHeader::readHeader(D7zipBytes& in) {
    uint8_t id = in.byte();
    if (id == kArchiveProperties) {
        skipArchiveProperties(in);
        id = in.byte();
    }
    if (id == kAdditionalStreamsInfo) {
        D7zipStreams{in};  // read past: no entry lies in them
        id = in.byte();
    }
    D7zipStreams main;
    if (id == kMainStreamsInfo) {
        main = D7zipStreams(in);
        id = in.byte();
    }
    if (id == kFilesInfo) {
        files = D7zipFileList(in, main).entries;
        id = in.byte();
    }
    in.expectEnd(id);
    for (const D7zipStreams::FolderRecord& record : main.folders) folders.push_back(record.folder);
    checkFolderWork();
}

void D7zipHeader::checkFolderWork() const {
    std::vector<uint64_t> work(folders.size()), entries(folders.size());
    for (const D7zipEntry& entry : files) {
        if (entry.folder < 0) continue;
        uint64_t& unpacked = work[size_t(entry.folder)];
        // The streams' sizes add up to their folder's, so their ends do not overflow.
        const uint64_t end = entry.offset + entry.size;
        unpacked = end > UINT64_MAX - unpacked ? UINT64_MAX : unpacked + end;
        ++entries[size_t(entry.folder)];
    }
    for (size_t i = 0; i < folders.size(); ++i)
        if (entries[i] > 1 && work[i] > maxFolderWork)
            refuse("a folder of " + std::to_string(entries[i]) + " entries would be unpacked anew for each: " +
                   sizeText(work[i]) + " in all, more than the " + sizeText(maxFolderWork) + " a folder may take");
}

std::vector<uint8_t> D7zipHeader::unpack(HANDLE handle, const D7zipEntry& entry) const {
    if (entry.folder < 0) return {};
    const D7zipFile file(handle);
    const std::string subject = "the entry " + entry.name;
    if (size_t(entry.folder) >= folders.size()) damaged(subject, "its folder is not in the archive");
    const D7zipFolder& folder = folders[size_t(entry.folder)];
    folder.checkCoder("some of its entries");
    folder.checkDictionary(subject);
    if (entry.offset > folder.unpackSize || entry.size > folder.unpackSize - entry.offset)
        damaged(subject, "it lies past the end of its folder");
    folder.checkStored(file, subject);
    const uint64_t end = entry.offset + entry.size;
    if (end > maxEntrySize)
        refuse(subject + " is too large: it takes " + sizeText(end) + " to unpack, more than the " +
               sizeText(maxEntrySize) + " an entry may take");
    std::vector<uint8_t> bytes = folder.unpack(file, end, subject);
    if (entry.offset > 0) bytes.erase(bytes.begin(), bytes.begin() + ptrdiff_t(entry.offset));
    if (entry.hasCrc && crcOf(bytes.data(), bytes.size()) != entry.crc)
        damaged(subject, "its bytes do not match their checksum");
    return bytes;
}

}  // namespace dfc::io
