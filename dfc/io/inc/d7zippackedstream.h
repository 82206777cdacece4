#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>
#include "d7zipfile.h"

namespace dfc::io {

// A folder's packed bytes, read from the file a piece at a time: the reader holds one piece,
// however many bytes the header claims they span.
class D7zipPackedStream {
public:
    // The bytes at `start`, `size` of them, which the caller has found within the file.
    D7zipPackedStream(const D7zipFile& file, uint64_t start, uint64_t size) : file(file), at(start), left(size) {}

    // The next piece, of at most pieceSize bytes; empty once all are read.
    const std::vector<uint8_t>& next();

    static constexpr size_t pieceSize = 64 << 10;

private:
    const D7zipFile& file;
    uint64_t at;
    uint64_t left;
    std::vector<uint8_t> piece;
};

}  // namespace dfc::io
