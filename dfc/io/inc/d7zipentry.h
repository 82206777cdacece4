#pragma once
#include <cstdint>
#include <string>

namespace dfc::io {

// An entry of the archive's file list and where its bytes lie.
struct D7zipEntry {
    std::string name;  // UTF-8
    bool directory = false;
    // The folder holding the entry's bytes, none (-1) for an entry without data.
    int folder = -1;
    uint64_t offset = 0;  // within the folder's unpacked bytes
    uint64_t size = 0;
    bool hasCrc = false;
    uint32_t crc = 0;
};

}  // namespace dfc::io
