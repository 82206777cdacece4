#pragma once
#include <cstddef>
#include "ce_types.h"

// How a frame buffer described by the strides between neighbouring pixels of the picture lies
// in memory: the picture's quarter turns against the memory, the memory's width and height in
// pixels, its pitch, and the offset from the picture's top-left pixel to the memory's first.
struct StrideLayout {
    DWORD orientation;
    DWORD width;
    DWORD height;
    DWORD pitch;
    ptrdiff_t offset;
};

StrideLayout LayoutFromStrides(DWORD width, DWORD height, LONG xStride, LONG yStride, DWORD bitsPerPixel);
