#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "ce_types.h"
#include "d7zipentry.h"
#include "d7zipfolder.h"

namespace dfc::io {

class D7zipBytes;
class D7zipStreams;

// The header of a 7z archive, read once: its entries in the order of the archive's file list,
// and where each one's bytes lie. The data archive's folders use one coder, Copy or LZMA, and
// nothing else; entries of any other folder are listed, and refused when they are unpacked.
class D7zipHeader {
public:
    // Reads the header of the archive file. A file that is no 7z archive, or one whose header
    // is damaged (its checksums included) or claims more than the file holds, throws
    // DIOException whose message says which, and where ("its header is damaged at byte 83:
    // ...").
    explicit D7zipHeader(HANDLE file);

    const std::vector<D7zipEntry>& entries() const { return files; }
    // The entry's bytes, checked against their checksum. An entry that is damaged, larger than
    // maxEntrySize, or packed with a coder other than Copy or LZMA (an LZMA dictionary above
    // D7zipFolder::maxDictionary included) throws DIOException whose message names the entry
    // and the fault, or the coder alone, which all its entries share; nothing is allocated for
    // it before its sizes are checked.
    std::vector<uint8_t> unpack(HANDLE file, const D7zipEntry& entry) const;

    // The largest header this reader takes, packed or unpacked: far above any data archive's.
    static constexpr uint64_t maxHeaderSize = 4 << 20;
    // The most bytes it unpacks for one entry: far above the largest resource, and within the
    // 32-bit size of an entry stream.
    static constexpr uint64_t maxEntrySize = 64 << 20;
    // The most bytes the entries of one folder take to unpack, one by one: each is unpacked
    // from its folder's start, so a folder of several entries is unpacked again for each.
    static constexpr uint64_t maxFolderWork = 64 << 20;

private:
    // The header's bytes as the start header places them; empty for an archive without entries.
    static std::vector<uint8_t> readStart(const D7zipFile& file, uint64_t& offset);
    // The header that a packed header packs: one folder of Copy or LZMA.
    static std::vector<uint8_t> unpackHeader(const D7zipFile& file, D7zipBytes& in, const D7zipStreams& streams);
    // The header's parts in the format's order, each at most once.
    void readHeader(D7zipBytes& in);
    // Refuses the archive when its entries would unpack a folder of several more than
    // maxFolderWork bytes, so that reading them stays bounded by what the folders hold.
    void checkFolderWork() const;

    std::vector<D7zipFolder> folders;
    std::vector<D7zipEntry> files;
};

}  // namespace dfc::io
