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

}  // namespace

void fillPixels(uint16_t* dst, size_t count, uint16_t colour) {
    // Single pixels up to a 16-byte boundary, then aligned blocks, then the tail.
    while (count && (reinterpret_cast<uintptr_t>(dst) & 15)) {
        *dst++ = colour;
        --count;
    }
    Block v = splat(colour);
    for (; count >= 4 * blockPixels; count -= 4 * blockPixels, dst += 4 * blockPixels) {
        store(dst, v);
        store(dst + blockPixels, v);
        store(dst + 2 * blockPixels, v);
        store(dst + 3 * blockPixels, v);
    }
    for (; count >= blockPixels; count -= blockPixels, dst += blockPixels) store(dst, v);
    while (count--) *dst++ = colour;
}

void copyPixelsKeyed(uint16_t* dst, const uint16_t* src, size_t count, uint16_t key) {
    Block k = splat(key);
    for (; count >= blockPixels; count -= blockPixels, dst += blockPixels, src += blockPixels) {
        Block s = load(src);
        Block isKey = Block(s == k);
        store(dst, (load(dst) & isKey) | (s & ~isKey));
    }
    for (size_t i = 0; i < count; ++i)
        if (src[i] != key) dst[i] = src[i];
}

void blendPixels(uint16_t* dst, const uint16_t* src, size_t count, uint32_t alpha) {
    int16_t w5 = int16_t(alpha >> 3), w6 = int16_t(alpha >> 2);
    for (; count >= blockPixels; count -= blockPixels, dst += blockPixels, src += blockPixels)
        store(dst, blendBlock(load(src), load(dst), w5, w6));
    for (size_t i = 0; i < count; ++i) dst[i] = blend565(src[i], dst[i], alpha);
}

void blendFill(uint16_t* dst, size_t count, uint16_t colour, uint32_t alpha) {
    int16_t w5 = int16_t(alpha >> 3), w6 = int16_t(alpha >> 2);
    Block c = splat(colour);
    for (; count >= blockPixels; count -= blockPixels, dst += blockPixels) store(dst, blendBlock(c, load(dst), w5, w6));
    for (size_t i = 0; i < count; ++i) dst[i] = blend565(colour, dst[i], alpha);
}

void convertRgbRow(uint16_t* dst, const uint8_t* rgb, size_t count) {
    for (size_t i = 0; i < count; ++i, rgb += 3)
        dst[i] = uint16_t(((rgb[0] >> 3) << 11) | ((rgb[1] >> 2) << 5) | (rgb[2] >> 3));
}
