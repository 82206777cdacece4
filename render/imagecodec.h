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

    // PNG when the bytes start with its signature, JPEG otherwise. Null when they hold no
    // picture this can read.
    static RenderSurface* decode(const uint8_t* begin, const uint8_t* end);
    // Decodes a file straight from its read-only mapping.
    static RenderSurface* decodeFile(const WCHAR* name);
    // Writes name + ".bmp"; false when the surface or the file cannot be written.
    static bool saveBMP(RenderSurface* surface, const WCHAR* name);
};
