#include "pixelrows.h"
#include <cstring>

namespace {

// Eight pixels at once; the compiler maps this onto the processor's vector registers.
using Block = uint16_t __attribute__((vector_size(16)));
using SignedBlock = int16_t __attribute__((vector_size(16)));
constexpr size_t blockPixels = 8;

Block load(const uint16_t* p) {
    Block b;
    std::memcpy(&b, p, sizeof b);
    return b;
}

void store(uint16_t* p, Block b) { std::memcpy(p, &b, sizeof b); }

Block splat(uint16_t v) { return Block{} + v; }

// The blend of blend565 one channel at a time, which gives the same result in 16-bit lanes:
// each channel's difference times its weight fits, and the shift rounds down alike.
Block blendBlock(Block c, Block d, int16_t weight5, int16_t weight6) {
    auto channel = [](Block cc, Block dd, int16_t weight, int shift) {
        SignedBlock diff = SignedBlock(cc) - SignedBlock(dd);
        return Block(SignedBlock(dd) + ((diff * weight) >> shift));
    };
    Block red = channel(c >> 11, d >> 11, weight5, 5);
    Block green = channel((c >> 5) & 63, (d >> 5) & 63, weight6, 6);
    Block blue = channel(c & 31, d & 31, weight5, 5);
    return (red << 11) | (green << 5) | blue;
}

inline void fillRow(uint16_t* dst, size_t count, Block colour) {
    if (count < blockPixels) {
        for (size_t i = 0; i < count; ++i) dst[i] = colour[0];
        return;
    }
    // Unaligned blocks at both ends, aligned blocks between; overlapping stores of one colour
    // do no harm.
    store(dst, colour);
    uint16_t* last = dst + count - blockPixels;
    store(last, colour);
    uint16_t* p = dst + ((0 - reinterpret_cast<uintptr_t>(dst)) & 15) / 2;
    for (; p + 4 * blockPixels <= last; p += 4 * blockPixels) {
        store(p, colour);
        store(p + blockPixels, colour);
        store(p + 2 * blockPixels, colour);
        store(p + 3 * blockPixels, colour);
    }
    for (; p < last; p += blockPixels) store(p, colour);
}

inline void copyBlockKeyed(uint16_t* dst, const uint16_t* src, Block key) {
    Block pixels = load(src);
    Block isKey = Block(pixels == key);
    store(dst, (load(dst) & isKey) | (pixels & ~isKey));
}

inline void copyRowKeyed(uint16_t* dst, const uint16_t* src, size_t count, Block key) {
    if (count < blockPixels) {
        for (size_t i = 0; i < count; ++i)
            if (src[i] != key[0]) dst[i] = src[i];
        return;
    }
    size_t i = 0;
    for (; i + blockPixels <= count; i += blockPixels) copyBlockKeyed(dst + i, src + i, key);
    // The last block again, overlapping: copying a pixel twice gives the same pixel.
    if (i < count) copyBlockKeyed(dst + count - blockPixels, src + count - blockPixels, key);
}

}  // namespace

void fillPixelRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour) {
    Block c = splat(colour);
    for (; rows > 0; --rows, dst = nextRow(dst, pitch)) fillRow(dst, count, c);
}

void copyPixelRowsKeyed(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                        size_t rows, uint16_t key) {
    Block k = splat(key);
    for (; rows > 0; --rows, dst = nextRow(dst, dstPitch), src = nextRow(src, srcPitch))
        copyRowKeyed(dst, src, count, k);
}

bool anyPixelEquals(const uint16_t* src, ptrdiff_t pitch, size_t count, size_t rows, uint16_t value) {
    Block v = splat(value);
    for (; rows > 0; --rows, src = nextRow(src, pitch)) {
        size_t i = 0;
        Block found{};
        for (; i + blockPixels <= count; i += blockPixels) found |= Block(load(src + i) == v);
        for (; i < count; ++i) found[0] |= src[i] == value;
        for (size_t lane = 0; lane < blockPixels; ++lane)
            if (found[lane]) return true;
    }
    return false;
}

void blendPixelRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                    size_t rows, uint32_t alpha) {
    auto w5 = int16_t(alpha >> 3), w6 = int16_t(alpha >> 2);
    for (; rows > 0; --rows, dst = nextRow(dst, dstPitch), src = nextRow(src, srcPitch)) {
        size_t i = 0;
        for (; i + blockPixels <= count; i += blockPixels)
            store(dst + i, blendBlock(load(src + i), load(dst + i), w5, w6));
        for (; i < count; ++i) dst[i] = blend565(src[i], dst[i], alpha);
    }
}

void blendFillRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour, uint32_t alpha) {
    auto w5 = int16_t(alpha >> 3), w6 = int16_t(alpha >> 2);
    Block c = splat(colour);
    for (; rows > 0; --rows, dst = nextRow(dst, pitch)) {
        size_t i = 0;
        for (; i + blockPixels <= count; i += blockPixels) store(dst + i, blendBlock(c, load(dst + i), w5, w6));
        for (; i < count; ++i) dst[i] = blend565(colour, dst[i], alpha);
    }
}

void convertRgbRow(uint16_t* dst, const uint8_t* rgb, size_t count) {
    for (size_t i = 0; i < count; ++i, rgb += 3)
        dst[i] = uint16_t(((rgb[0] >> 3) << 11) | ((rgb[1] >> 2) << 5) | (rgb[2] >> 3));
}
