// Pictures made in memory with libpng and libjpeg, for the decoder to read back.
#pragma once
#include <png.h>
#include <cstdint>
#include <vector>

struct PngPicture {
    uint32_t width;
    uint32_t height;
    int colourType;
    int depth;
    bool interlaced = false;
    // Each row as stored: samples packed high bits first, 16-bit samples big-endian.
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_color> palette;
    std::vector<uint8_t> paletteAlpha;
};

std::vector<uint8_t> encodePng(const PngPicture& picture);
// Samples of fewer than 8 bits packed into bytes, leftmost in the high bits.
std::vector<uint8_t> packSamples(const std::vector<int>& samples, int depth);
// Rewrites the size in the header chunk, with a matching checksum.
void declarePngSize(std::vector<uint8_t>& png, uint32_t width, uint32_t height);

// components 3 (RGB), 1 (grey) or 4 (CMYK), interleaved samples.
std::vector<uint8_t> encodeJpeg(uint32_t width, uint32_t height, int components, const std::vector<uint8_t>& samples);
// Rewrites the size in the frame header.
void declareJpegSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height);

// The pixel an 8-bit colour becomes.
constexpr uint16_t rgb565(int r, int g, int b) { return uint16_t(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3)); }
