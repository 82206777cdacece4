#include "strides.h"
#include <cstdlib>

namespace {

DWORD OrientationOf(LONG xStride, LONG yStride) {
    if (xStride >= 1) return yStride > 0 ? 0 : 1;
    return yStride < 0 ? 2 : 3;
}

// Divisions truncate toward zero, as the device's compiler does.
ptrdiff_t OffsetOf(DWORD orientation, ptrdiff_t width, ptrdiff_t height, ptrdiff_t xStride, ptrdiff_t yStride,
                   ptrdiff_t bits) {
    switch (orientation) {
    case 1: return (bits + 7) / 8 - (height * bits) / 8;
    // Both strides run backwards: the memory starts at the picture's bottom-right pixel.
    case 2: return (width - 1) * xStride + (height - 1) * yStride;
    case 3: return (width - 1) * xStride;
    default: return 0;
    }
}

}  // namespace

StrideLayout LayoutFromStrides(DWORD width, DWORD height, LONG xStride, LONG yStride, DWORD bitsPerPixel) {
    StrideLayout layout{};
    layout.orientation = OrientationOf(xStride, yStride);
    bool across = layout.orientation % 2 != 0;
    layout.width = across ? height : width;
    layout.height = across ? width : height;
    layout.pitch = DWORD(std::labs(across ? xStride : yStride));
    layout.offset = OffsetOf(layout.orientation, width, height, xStride, yStride, bitsPerPixel);
    return layout;
}
