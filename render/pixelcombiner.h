#pragma once
#include <cstdint>

// Decides the pixel stored when a colour is drawn over an existing pixel.
class PixelCombiner {
public:
    virtual uint16_t combine(uint16_t colour, uint16_t existing) = 0;
    virtual ~PixelCombiner() = default;
};
