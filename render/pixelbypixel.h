#pragma once
#include <cstddef>
#include <cstdint>
#include "pixelrows.h"

// Row work of a pixel policy done one pixel at a time through the policy's own put.
template <class Policy>
struct PixelByPixel {
    void copyRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                  size_t rows) const {
        for (; rows > 0; --rows, dst = nextRow(dst, dstPitch), src = nextRow(src, srcPitch))
            for (size_t i = 0; i < count; ++i) self().put(dst + i, src[i]);
    }
    void copyRowsKeyed(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                       size_t rows, uint16_t key) const {
        for (; rows > 0; --rows, dst = nextRow(dst, dstPitch), src = nextRow(src, srcPitch))
            for (size_t i = 0; i < count; ++i)
                if (src[i] != key) self().put(dst + i, src[i]);
    }
    void fillRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour) const {
        for (; rows > 0; --rows, dst = nextRow(dst, pitch))
            for (size_t i = 0; i < count; ++i) self().put(dst + i, colour);
    }

private:
    const Policy& self() const { return static_cast<const Policy&>(*this); }
};
