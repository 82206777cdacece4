#pragma once
#include "pixelbypixel.h"
#include "pixelrasterop.h"
#include "pixelrows.h"

// Blends colours and source pixels into the existing ones (see blend565).
struct AlphaPixels : PixelByPixel<AlphaPixels> {
    uint32_t alpha = 0;

    void put(uint16_t* dst, uint16_t colour) const { *dst = blend565(colour, *dst, alpha); }
    void copyRow(uint16_t* dst, const uint16_t* src, size_t count) const { blendPixels(dst, src, count, alpha); }
    void fillRow(uint16_t* dst, size_t count, uint16_t colour) const { blendFill(dst, count, colour, alpha); }
};

class AlphaRasterOp final : public PixelRasterOp<AlphaPixels> {
public:
    uint32_t getAlpha() const { return pixels.alpha; }
    // 0 to 255.
    void setAlpha(uint32_t alpha) { pixels.alpha = alpha & 0xFF; }
};
