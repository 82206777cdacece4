#pragma once
#include "pixelbypixel.h"
#include "pixelrasterop.h"
#include "pixelrows.h"

// Blends colours and source pixels into the existing ones (see blend565).
struct AlphaPixels : PixelByPixel<AlphaPixels> {
    uint32_t alpha = 0;

    void put(uint16_t* dst, uint16_t colour) const { *dst = blend565(colour, *dst, alpha); }
    void copyRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                  size_t rows) const {
        blendPixelRows(dst, dstPitch, src, srcPitch, count, rows, alpha);
    }
    void fillRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour) const {
        blendFillRows(dst, pitch, count, rows, colour, alpha);
    }
};

class AlphaRasterOp final : public PixelRasterOp<AlphaPixels> {
public:
    uint32_t getAlpha() const { return pixels.alpha; }
    // 0 to 255.
    void setAlpha(uint32_t alpha) { pixels.alpha = alpha & 0xFF; }
};
