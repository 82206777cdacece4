#pragma once
#include <cstdint>
#include "ce_types.h"
#include "rendersurface.h"

// Turns PNG and JPEG files into new RGB565 surfaces (colour key -1), and writes surfaces
// as 16-bit BMP files.
class ImageCodec {
public:
    // Pictures of more pixels are refused: their declared size is no reason to allocate.
    static constexpr uint64_t maxPixels = uint64_t(1) << 24;

    // The size a picture refused for it declares; 0 x 0 for one refused for anything else.
    struct Oversize {
        uint32_t width = 0;
        uint32_t height = 0;
    };

    // PNG when the bytes start with its signature, JPEG otherwise. Null when they hold no
    // picture this can read; one refused for its size leaves that in *oversize, when given.
    static RenderSurface* decode(const uint8_t* begin, const uint8_t* end, Oversize* oversize = nullptr);
    // Whether a picture of that size may be read; false, with its size in *oversize when given,
    // for one of more than maxPixels pixels or than the PixelBudget has room for. Asked before
    // anything is allocated for the picture.
    static bool fits(uint32_t width, uint32_t height, Oversize* oversize);
    // Decodes a file straight from its read-only mapping.
    static RenderSurface* decodeFile(const WCHAR* name);
    // Writes name + ".bmp"; false when the surface or the file cannot be written.
    static bool saveBMP(RenderSurface* surface, const WCHAR* name);
};
