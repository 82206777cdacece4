#include "d7zippackedstream.h"
#include <algorithm>

namespace dfc::io {

const std::vector<uint8_t>& D7zipPackedStream::next() {
    const uint64_t count = std::min<uint64_t>(left, pieceSize);
    piece = file.read(at, count);
    at += count;
    left -= count;
    return piece;
}

}  // namespace dfc::io
