// An opaque 8-bit RGB colour as the sources write it: #rrggbb.
#pragma once
#include <cstdint>
#include <string>
#include "core/place.h"

namespace assets {

struct Colour {
    uint8_t r = 0, g = 0, b = 0;

    static Colour parse(const std::string& text, const Place& place);
    static Colour mix(Colour from, Colour to, double amount);
    // The device's 16-bit form; 0xF81F is the colour key (transparent).
    uint16_t rgb565() const { return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }
    bool isKey() const { return rgb565() == 0xF81F; }
    bool operator==(const Colour&) const = default;
};

}  // namespace assets
