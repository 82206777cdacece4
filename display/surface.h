#pragma once
#include <cstdint>

// A 16-bit RGB565 pixel surface: pixel (x, y) is the word at pixels + y * pitch + 2 * x.
class Surface {
public:
    // A surface that allocates its own pixels; rows are 2 * width rounded up to 4 bytes.
    // Null when the size cannot be held or memory runs out.
    static Surface* Create(uint32_t width, uint32_t height);

    Surface() = default;
    // A surface over pixels its caller owns and frees.
    Surface(void* pixels, uint32_t width, uint32_t height, int32_t pitch);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    virtual ~Surface();

    uint16_t* pixelAddress(uint32_t x, uint32_t y) const {
        return reinterpret_cast<uint16_t*>(pixels + static_cast<intptr_t>(y) * pitch + 2 * static_cast<intptr_t>(x));
    }

    uint32_t width = 0;
    uint32_t height = 0;
    int32_t pitch = 0;
    uint8_t* pixels = nullptr;
    bool ownsPixels = false;
};
