#include "rotationtiles.h"
#include <algorithm>
#include <cstring>

namespace {

constexpr LONG tileSize = 16;

// Where destination pixel (x, y) comes from, and how far the source moves per destination pixel.
template <int Turns>
struct Source {
    static const uint8_t* At(const Surface& s, LONG x, LONG y) {
        if (Turns == 1) return reinterpret_cast<const uint8_t*>(s.pixelAddress(y, s.height - 1 - x));
        if (Turns == 2) return reinterpret_cast<const uint8_t*>(s.pixelAddress(s.width - 1 - x, s.height - 1 - y));
        return reinterpret_cast<const uint8_t*>(s.pixelAddress(s.width - 1 - y, x));
    }
    static ptrdiff_t Step(const Surface& s) { return Turns == 1 ? -ptrdiff_t(s.pitch) : Turns == 2 ? -2 : s.pitch; }
};

uint16_t PixelAt(const uint8_t* p) {
    uint16_t v;
    std::memcpy(&v, p, 2);
    return v;
}

template <int Turns, bool Prefetch>
void CopyTile(const Surface& from, Surface& to, LONG left, LONG top, LONG right, LONG bottom) {
    const ptrdiff_t step = Source<Turns>::Step(from);
    for (LONG y = top; y < bottom; ++y) {
        const uint8_t* s = Source<Turns>::At(from, left, y);
        if (Prefetch) __builtin_prefetch(Source<Turns>::At(from, left, std::min(y + 1, bottom - 1)));
        auto* d = reinterpret_cast<uint8_t*>(to.pixelAddress(left, y));
        LONG x = left;
        for (; x + 1 < right; x += 2, s += 2 * step, d += 4) {
            uint32_t pair = PixelAt(s) | uint32_t(PixelAt(s + step)) << 16;
            std::memcpy(d, &pair, 4);
        }
        if (x < right) std::memcpy(d, s, 2);
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

// XScale gains from preloading the next source row into its cache.
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
