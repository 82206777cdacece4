#pragma once
#include <cstdint>
#include "dprimitives.h"

namespace dfc::io {

// Whether off and len pick bytes inside an array of the given length (no overflow).
inline bool rangeFits(int length, int off, int len) { return off >= 0 && len >= 0 && off <= length - len; }

// How far a skip of n moves a position within 0 .. end: never before the start nor past the end.
inline int64_t skipDistance(int64_t n, int64_t pos, int64_t end) {
    if (n > end - pos) n = end - pos;
    if (n < -pos) n = -pos;
    return n;
}

// How many of len bytes an in-memory read takes at pos before end; -1 at the end when len > 0.
inline int readCount(int64_t pos, int64_t end, int len) {
    if (len > 0 && pos >= end) return -1;
    return len < end - pos ? len : int(end - pos);
}

// An empty array throws DNullPointerException, a range outside it DIndexOutOfBoundsException.
void checkRange(const lang::DbyteArrayPtr& b, int off, int len);

}  // namespace dfc::io
