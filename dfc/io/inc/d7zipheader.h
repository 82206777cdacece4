#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "ce_types.h"

namespace dfc::io {

// The header of a 7z archive, read once: its entries in the order of the archive's file list,
// and where each one's bytes lie. The data archive's folders use one coder, Copy or LZMA, and
// nothing else; entries of any other folder are marked so, and are never unpacked.
class D7zipHeader {
public:
    struct Folder {
        uint64_t packStart = 0;  // from the start of the file
        uint64_t packSize = 0;
        bool plain = false;  // one coder, Copy or LZMA
        bool lzma = false;
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

    // Reads the header of the archive file. A file that is no 7z archive, a damaged header
    // (its checksums included), one packed with a coder other than Copy or LZMA, or one that
    // claims more than such an archive can hold throws DIOException.
    explicit D7zipHeader(HANDLE file);

    const std::vector<Entry>& entries() const { return files; }
    const Folder& folderOf(const Entry& entry) const { return folders[size_t(entry.folder)]; }
    // Whether the entry's data unpacks with Copy or LZMA; an entry without data does.
    bool isPlain(const Entry& entry) const { return entry.folder < 0 || folderOf(entry).plain; }
    // The entry's bytes, checked against their checksum; damage throws DIOException.
    std::vector<uint8_t> unpack(HANDLE file, const Entry& entry) const;

    // The largest header this reader takes, packed or unpacked: far above any data archive's.
    static constexpr uint64_t maxHeaderSize = 4 << 20;
    // The largest LZMA dictionary it lets the decoder allocate.
    static constexpr uint32_t maxDictionary = 64 << 20;

private:
    std::vector<Folder> folders;
    std::vector<Entry> files;
};

}  // namespace dfc::io
