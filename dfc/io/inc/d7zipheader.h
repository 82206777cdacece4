#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "ce_types.h"

namespace dfc::io {

// The header of a 7z archive, read once: its entries in the order of the archive's file list,
// and where each one's bytes lie. The data archive's folders use one coder, Copy or LZMA, and
// nothing else; entries of any other folder are listed, and refused when they are unpacked.
class D7zipHeader {
public:
    enum class Coder { copy, lzma, other };

    struct Folder {
        uint64_t packStart = 0;  // from the start of the file
        uint64_t packSize = 0;
        Coder coder = Coder::other;  // other: more than one coder, or one this reader lacks
        std::vector<uint8_t> lzmaProperties;
        uint64_t unpackSize = 0;
    };

    struct Entry {
        std::string name;  // UTF-8
        bool directory = false;
        // The folder holding the entry's bytes, none (-1) for an entry without data.
        int folder = -1;
        uint64_t offset = 0;  // within the folder's unpacked bytes
        uint64_t size = 0;
        bool hasCrc = false;
        uint32_t crc = 0;
    };

    // Reads the header of the archive file. A file that is no 7z archive, or one whose header
    // is damaged (its checksums included) or claims more than the file holds, throws
    // DIOException whose message says which, and where ("its header is damaged at byte 83:
    // ...").
    explicit D7zipHeader(HANDLE file);

    const std::vector<Entry>& entries() const { return files; }
    // The entry's bytes, checked against their checksum. An entry that is damaged, larger than
    // maxEntrySize, or packed with a coder other than Copy or LZMA (an LZMA dictionary above
    // maxDictionary included) throws DIOException whose message names the entry and the fault;
    // nothing is allocated for it before its sizes are checked.
    std::vector<uint8_t> unpack(HANDLE file, const Entry& entry) const;

    // The largest header this reader takes, packed or unpacked: far above any data archive's.
    static constexpr uint64_t maxHeaderSize = 4 << 20;
    // The largest LZMA dictionary it lets the decoder allocate.
    static constexpr uint32_t maxDictionary = 64 << 20;
    // The most bytes it unpacks for one entry: far above the largest resource, and within the
    // 32-bit size of an entry stream.
    static constexpr uint64_t maxEntrySize = 64 << 20;

private:
    std::vector<Folder> folders;
    std::vector<Entry> files;
};

}  // namespace dfc::io
