#pragma once
#include <cstddef>
#include <cstdint>

// Row work of a pixel policy done one pixel at a time through the policy's own put.
template <class Policy>
struct PixelByPixel {
    void copyRow(uint16_t* dst, const uint16_t* src, size_t count) const {
        for (size_t i = 0; i < count; ++i) self().put(dst + i, src[i]);
    }
    void copyRowKeyed(uint16_t* dst, const uint16_t* src, size_t count, uint16_t key) const {
        for (size_t i = 0; i < count; ++i)
            if (src[i] != key) self().put(dst + i, src[i]);
    }
    void fillRow(uint16_t* dst, size_t count, uint16_t colour) const {
        for (size_t i = 0; i < count; ++i) self().put(dst + i, colour);
    }

private:
    const Policy& self() const { return static_cast<const Policy&>(*this); }
};
