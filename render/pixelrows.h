#pragma once
#include <cstddef>
#include <cstdint>
#include <type_traits>

// The inner loops of drawing, over blocks of rows: count pixels a row, rows of them, each
// row pitch bytes after the one before.

void fillPixelRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour);
// Copies the source pixels that differ from the key; key pixels keep the destination's value.
void copyPixelRowsKeyed(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                        size_t rows, uint16_t key);
// Whether any of the pixels equals the value.
bool anyPixelEquals(const uint16_t* src, ptrdiff_t pitch, size_t count, size_t rows, uint16_t value);
// Blends each source pixel, or the colour, over the destination's (see blend565).
void blendPixelRows(uint16_t* dst, ptrdiff_t dstPitch, const uint16_t* src, ptrdiff_t srcPitch, size_t count,
                    size_t rows, uint32_t alpha);
void blendFillRows(uint16_t* dst, ptrdiff_t pitch, size_t count, size_t rows, uint16_t colour, uint32_t alpha);

// Packs 8-bit red, green, blue triples into pixels.
void convertRgbRow(uint16_t* dst, const uint8_t* rgb, size_t count);

// Colour over existing with alpha 0-255: red and blue move by alpha / 8 in 32ths, green by
// alpha / 4 in 64ths of the distance, rounded down. Alpha 255 is therefore not quite opaque.
inline uint16_t blend565(uint16_t colour, uint16_t existing, uint32_t alpha) {
    int32_t c = colour, d = existing;
    int32_t rb = (d & 0xF81F) + ((((c & 0xF81F) - (d & 0xF81F)) * int32_t(alpha >> 3)) >> 5);
    int32_t g = (d & 0x07E0) + ((((c & 0x07E0) - (d & 0x07E0)) * int32_t(alpha >> 2)) >> 6);
    return static_cast<uint16_t>((rb & 0xF81F) | (g & 0x07E0));
}

template <class P>
P* nextRow(P* row, ptrdiff_t pitch) {
    using Byte = std::conditional_t<std::is_const_v<P>, const uint8_t, uint8_t>;
    return reinterpret_cast<P*>(reinterpret_cast<Byte*>(row) + pitch);
}
