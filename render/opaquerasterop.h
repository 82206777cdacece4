#pragma once
#include <cstring>
#include "pixelrasterop.h"
#include "pixelrows.h"

// Stores colours and source pixels unchanged.
struct OpaquePixels {
    void put(uint16_t* dst, uint16_t colour) const { *dst = colour; }
    // Block moves: a blit within one surface may overlap itself.
    void copyRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                  size_t rows) const {
        for (; rows > 0; --rows, dst = nextRow(dst, dstPitch), src = nextRow(src, srcPitch))
            std::memmove(dst, src, 2 * count);
    }
    void copyRowsKeyed(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                       size_t rows, uint16_t key) const {
        copyPixelRowsKeyed(dst, dstPitch, src, srcPitch, count, rows, key);
    }
    void fillRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour) const {
        fillPixelRows(dst, pitch, count, rows, colour);
    }
};

// The one raster operation all ordinary drawing goes through.
class OpaqueRasterOp final : public PixelRasterOp<OpaquePixels> {
public:
    static OpaqueRasterOp& instance();

    // A colour whose two bytes agree fills the whole buffer, row padding included, as bytes.
    void fill(Surface& dst, uint16_t colour) override;
};
