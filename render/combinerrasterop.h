#pragma once
#include "pixelbypixel.h"
#include "pixelcombiner.h"
#include "pixelrasterop.h"

// Stores what a combiner makes of the new and the existing pixel. Keyed copies leave key
// pixels out without asking the combiner.
struct CombinedPixels : PixelByPixel<CombinedPixels> {
    PixelCombiner* combiner = nullptr;

    void put(uint16_t* dst, uint16_t colour) const { *dst = combiner->combine(colour, *dst); }
};

class CombinerRasterOp final : public PixelRasterOp<CombinedPixels> {
public:
    PixelCombiner* getCombiner() const { return pixels.combiner; }
    // Not owned.
    void setCombiner(PixelCombiner* combiner) { pixels.combiner = combiner; }
};
