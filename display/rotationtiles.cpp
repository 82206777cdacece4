#include "rotationtiles.h"
#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

constexpr LONG tileSize = 16;
// Tiles are turned in blocks of 8 x 8 pixels, a block row a vector register.
constexpr LONG blockSize = 8;

using Row = uint16_t __attribute__((vector_size(16)));

Row LoadRow(const uint16_t* p) {
    Row r;
    std::memcpy(&r, p, sizeof r);
    return r;
}

void StoreRow(uint16_t* p, Row r) { std::memcpy(p, &r, sizeof r); }

Row Low16(Row a, Row b) { return __builtin_shufflevector(a, b, 0, 8, 1, 9, 2, 10, 3, 11); }
Row High16(Row a, Row b) { return __builtin_shufflevector(a, b, 4, 12, 5, 13, 6, 14, 7, 15); }
Row Low32(Row a, Row b) { return __builtin_shufflevector(a, b, 0, 1, 8, 9, 2, 3, 10, 11); }
Row High32(Row a, Row b) { return __builtin_shufflevector(a, b, 4, 5, 12, 13, 6, 7, 14, 15); }
Row Low64(Row a, Row b) { return __builtin_shufflevector(a, b, 0, 1, 2, 3, 8, 9, 10, 11); }
Row High64(Row a, Row b) { return __builtin_shufflevector(a, b, 4, 5, 6, 7, 12, 13, 14, 15); }

// In two steps that the processor's shuffles do at once: halves turned, then swapped.
Row Reversed(Row r) {
    Row halves = __builtin_shufflevector(r, r, 3, 2, 1, 0, 7, 6, 5, 4);
    return __builtin_shufflevector(halves, halves, 4, 5, 6, 7, 0, 1, 2, 3);
}

// r[i][j] becomes r[j][i]: pixels, then pairs, then fours interleaved.
[[gnu::always_inline]] inline void Transpose(Row (&r)[blockSize]) {
    Row t0 = Low16(r[0], r[1]), t1 = High16(r[0], r[1]), t2 = Low16(r[2], r[3]), t3 = High16(r[2], r[3]);
    Row t4 = Low16(r[4], r[5]), t5 = High16(r[4], r[5]), t6 = Low16(r[6], r[7]), t7 = High16(r[6], r[7]);
    Row u0 = Low32(t0, t2), u1 = High32(t0, t2), u2 = Low32(t1, t3), u3 = High32(t1, t3);
    Row u4 = Low32(t4, t6), u5 = High32(t4, t6), u6 = Low32(t5, t7), u7 = High32(t5, t7);
    r[0] = Low64(u0, u4), r[1] = High64(u0, u4), r[2] = Low64(u1, u5), r[3] = High64(u1, u5);
    r[4] = Low64(u2, u6), r[5] = High64(u2, u6), r[6] = Low64(u3, u7), r[7] = High64(u3, u7);
}

// Writable for a destination, read-only for a source.
template <class AnySurface>
auto* At(AnySurface& s, LONG x, LONG y) {
    return s.pixelAddress(uint32_t(x), uint32_t(y));
}

// The pixel `rows` rows of pitch bytes further on.
template <class Pixel>
Pixel* RowsOn(Pixel* p, ptrdiff_t pitch, LONG rows) {
    using Byte = std::conditional_t<std::is_const_v<Pixel>, const uint8_t, uint8_t>;
    return reinterpret_cast<Pixel*>(reinterpret_cast<Byte*>(p) + pitch * rows);
}

// Where destination pixel (x, y) comes from.
template <int Turns>
const uint16_t* SourceOf(const Surface& s, LONG x, LONG y) {
    if (Turns == 1) return At(s, y, LONG(s.height) - 1 - x);
    if (Turns == 2) return At(s, LONG(s.width) - 1 - x, LONG(s.height) - 1 - y);
    return At(s, LONG(s.width) - 1 - y, x);
}

// Any part of a tile, a pixel at a time.
template <int Turns>
void CopyPixels(const Surface& from, Surface& to, LONG left, LONG top, LONG right, LONG bottom) {
    for (LONG y = top; y < bottom; ++y) {
        uint16_t* d = At(to, left, y);
        for (LONG x = left; x < right; ++x) *d++ = *SourceOf<Turns>(from, x, y);
    }
}

// The 8 x 8 destination block at (x, y). Turned by two, each row is a source row backwards;
// turned by a quarter, destination rows are source columns: eight source rows are read and
// transposed.
template <int Turns>
[[gnu::always_inline]] inline void CopyBlock(const Surface& from, Surface& to, LONG x, LONG y) {
    // Pitches held apart from the surfaces: the pixel stores could otherwise be taken to change them.
    const ptrdiff_t fromPitch = from.pitch, toPitch = to.pitch;
    uint16_t* d = At(to, x, y);
    if (Turns == 2) {
        // Destination row j is source row h - 1 - y - j, ending at column w - 1 - x.
        const uint16_t* s = SourceOf<2>(from, x + blockSize - 1, y);
#pragma GCC unroll 8
        for (LONG j = 0; j < blockSize; ++j)
            StoreRow(RowsOn(d, toPitch, j), Reversed(LoadRow(RowsOn(s, -fromPitch, j))));
        return;
    }
    // Turns 1: source row h - 1 - x - k holds destination column x + k, from row y on.
    // Turns 3: source row x + k holds destination column x + k, backwards, ending at row y.
    const uint16_t* s = Turns == 1 ? SourceOf<1>(from, x, y) : SourceOf<3>(from, x, y + blockSize - 1);
    const ptrdiff_t step = Turns == 1 ? -fromPitch : fromPitch;
    Row rows[blockSize];
#pragma GCC unroll 8
    for (LONG k = 0; k < blockSize; ++k) rows[k] = LoadRow(RowsOn(s, step, k));
    Transpose(rows);
#pragma GCC unroll 8
    for (LONG j = 0; j < blockSize; ++j) StoreRow(RowsOn(d, toPitch, j), rows[Turns == 1 ? j : blockSize - 1 - j]);
}

template <int Turns, bool Prefetch>
void CopyTile(const Surface& from, Surface& to, LONG left, LONG top, LONG right, LONG bottom) {
    // Turned by two, a destination row is a source row; turned by one or three, a column.
    if (Prefetch) {
        for (LONG k = 0; Turns == 2 && k < bottom - top; ++k) __builtin_prefetch(SourceOf<Turns>(from, left, top + k));
        for (LONG k = 0; Turns != 2 && k < right - left; ++k) __builtin_prefetch(SourceOf<Turns>(from, left + k, top));
    }
    if (right - left == tileSize && bottom - top == tileSize) {
        CopyBlock<Turns>(from, to, left, top);
        CopyBlock<Turns>(from, to, left + blockSize, top);
        CopyBlock<Turns>(from, to, left, top + blockSize);
        CopyBlock<Turns>(from, to, left + blockSize, top + blockSize);
        return;
    }
    for (LONG y = top; y < bottom; y += blockSize)
        for (LONG x = left; x < right; x += blockSize) {
            if (x + blockSize <= right && y + blockSize <= bottom)
                CopyBlock<Turns>(from, to, x, y);
            else
                CopyPixels<Turns>(from, to, x, y, std::min(x + blockSize, right), std::min(y + blockSize, bottom));
        }
}

// Tiles start at the area's corner, which lies on the tile grid; the last ones stop at its edges.
template <int Turns, bool ByColumns, bool Prefetch>
void CopyTurned(const Surface& from, Surface& to, const RECT& area) {
    auto tile = [&](LONG tx, LONG ty) {
        CopyTile<Turns, Prefetch>(from, to, tx, ty, std::min(tx + tileSize, area.right),
                                  std::min(ty + tileSize, area.bottom));
    };
    if (ByColumns) {
        for (LONG tx = area.left; tx < area.right; tx += tileSize)
            for (LONG ty = area.top; ty < area.bottom; ty += tileSize) tile(tx, ty);
    } else {
        for (LONG ty = area.top; ty < area.bottom; ty += tileSize)
            for (LONG tx = area.left; tx < area.right; tx += tileSize) tile(tx, ty);
    }
}

// XScale gains from preloading a tile's source rows into its cache.
template <bool Prefetch>
RotationCopy Select(DWORD turns, TileOrder order) {
    bool columns = order == TileOrder::byColumns;
    switch (turns) {
    case 1: return columns ? CopyTurned<1, true, Prefetch> : CopyTurned<1, false, Prefetch>;
    case 2: return CopyTurned<2, false, Prefetch>;
    default: return columns ? CopyTurned<3, true, Prefetch> : CopyTurned<3, false, Prefetch>;
    }
}

}  // namespace

RotationCopy SelectRotationCopy(DWORD turns, TileOrder order, CPUType cpu) {
    return cpu == CPU_XSCALE ? Select<true>(turns, order) : Select<false>(turns, order);
}
