#pragma once
#include <cstring>
#include "pixelrasterop.h"
#include "pixelrows.h"

// Stores colours and source pixels unchanged.
struct OpaquePixels {
    void put(uint16_t* dst, uint16_t colour) const { *dst = colour; }
    // A block move: a blit within one surface may overlap itself.
    void copyRow(uint16_t* dst, const uint16_t* src, size_t count) const { std::memmove(dst, src, 2 * count); }
    void copyRowKeyed(uint16_t* dst, const uint16_t* src, size_t count, uint16_t key) const {
        copyPixelsKeyed(dst, src, count, key);
    }
    void fillRow(uint16_t* dst, size_t count, uint16_t colour) const { fillPixels(dst, count, colour); }
};

// The one raster operation all ordinary drawing goes through.
class OpaqueRasterOp final : public PixelRasterOp<OpaquePixels> {
public:
    static OpaqueRasterOp& instance();

    // A colour whose two bytes agree fills the whole buffer, row padding included, as bytes.
    void fill(Surface& dst, uint16_t colour) override;
};
