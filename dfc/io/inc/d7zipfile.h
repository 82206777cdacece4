#pragma once
#include <cstdint>
#include <vector>
#include "ce_types.h"

namespace dfc::io {

// The archive's file as its reader sees it; failures refuse the archive.
class D7zipFile {
public:
    explicit D7zipFile(HANDLE handle) : handle(handle) {}

    uint64_t size() const;
    // Bytes the caller has found within the file.
    std::vector<uint8_t> read(uint64_t position, uint64_t count) const;

private:
    HANDLE handle;
};

}  // namespace dfc::io
