#include "surface.h"
#include <cstddef>
#include <new>

Surface* Surface::Create(uint32_t width, uint32_t height) {
    // Computed in 64 bits: a large width must not wrap into a short row.
    uint64_t pitch = (2 * uint64_t(width) + 3) & ~uint64_t(3);
    uint64_t bytes = pitch * height;
    if (pitch > INT32_MAX || bytes > PTRDIFF_MAX) return nullptr;
    auto* pixels = new (std::nothrow) uint8_t[bytes ? bytes : 1];
    if (!pixels) return nullptr;
    auto* surface = new (std::nothrow) Surface(pixels, width, height, static_cast<int32_t>(pitch));
    if (!surface) {
        delete[] pixels;
        return nullptr;
    }
    surface->ownsPixels = true;
    return surface;
}

Surface::Surface(void* pixels, uint32_t width, uint32_t height, int32_t pitch)
    : width(width), height(height), pitch(pitch), pixelMemory(static_cast<uint8_t*>(pixels)) {}

Surface::~Surface() {
    if (ownsPixels) delete[] pixelMemory;
}
