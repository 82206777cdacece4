#pragma once
#include <cstdint>
#include <vector>
#include "ce_types.h"

struct archive;
struct archive_entry;

namespace dfc::io {

// A 7z reader over an open archive file, from its first byte, stepping from entry to entry.
// Entries stepped over are not unpacked.
class D7zipReader {
public:
    // The archive file as the reader's callbacks see it.
    struct Source {
        HANDLE file;
        uint8_t buffer[4096];
    };

    // A file that is not a readable 7z archive throws DIOException.
    explicit D7zipReader(HANDLE file);
    ~D7zipReader();
    D7zipReader(const D7zipReader&) = delete;
    D7zipReader& operator=(const D7zipReader&) = delete;

    // Steps to the next entry; false after the last. A damaged archive throws DIOException.
    bool next();
    // The current entry's name in UTF-8; empty when it has none.
    const char* name() const;
    bool isDirectory() const;
    // Unpacks the current entry whole; a damaged entry throws DIOException.
    std::vector<uint8_t> readEntry();

private:
    Source source;
    struct archive* reader;
    struct archive_entry* entry = nullptr;
};

}  // namespace dfc::io
