#pragma once
#include <cstdint>
#include <utility>

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

    // Pixels are written only through a surface that is not const.
    const uint16_t* pixelAddress(uint32_t x, uint32_t y) const {
        return reinterpret_cast<const uint16_t*>(pixelMemory + static_cast<intptr_t>(y) * pitch +
                                                 2 * static_cast<intptr_t>(x));
    }
    uint16_t* pixelAddress(uint32_t x, uint32_t y) {
        return const_cast<uint16_t*>(std::as_const(*this).pixelAddress(x, y));
    }
    const uint8_t* pixels() const { return pixelMemory; }
    uint8_t* pixels() { return pixelMemory; }
    // Over pixels its caller owns and frees.
    void setPixels(void* pixels) { pixelMemory = static_cast<uint8_t*>(pixels); }

    uint32_t width = 0;
    uint32_t height = 0;
    int32_t pitch = 0;
    bool ownsPixels = false;

private:
    uint8_t* pixelMemory = nullptr;
};
