#include "opaquerasterop.h"

namespace {
OpaqueRasterOp opaque;
}

OpaqueRasterOp& OpaqueRasterOp::instance() { return opaque; }

void OpaqueRasterOp::fill(Surface& dst, uint16_t colour) {
    if ((colour & 0xFF) == (colour >> 8)) {
        std::memset(dst.pixels(), colour & 0xFF, size_t(dst.pitch) * dst.height);
        return;
    }
    PixelRasterOp::fill(dst, colour);
}
