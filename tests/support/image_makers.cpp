#include "image_makers.h"
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <zlib.h>
// After the others: libjpeg's headers need stdio's declarations first.
#include <jpeglib.h>

namespace {

void appendBytes(png_structp png, png_bytep data, size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void flushNothing(png_structp) {}

void putBigEndian(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24), p[1] = uint8_t(v >> 16), p[2] = uint8_t(v >> 8), p[3] = uint8_t(v);
}

}  // namespace

std::vector<uint8_t> encodePng(const PngPicture& picture) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) throw std::runtime_error("libpng could not write the test picture");
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, picture.width, picture.height, picture.depth, picture.colourType,
                 picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!picture.palette.empty()) png_set_PLTE(png, info, picture.palette.data(), int(picture.palette.size()));
    if (!picture.paletteAlpha.empty())
        png_set_tRNS(png, info, picture.paletteAlpha.data(), int(picture.paletteAlpha.size()), nullptr);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const auto& row : picture.rows) rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> packSamples(const std::vector<int>& samples, int depth) {
    std::vector<uint8_t> bytes((samples.size() * depth + 7) / 8);
    for (size_t i = 0; i < samples.size(); ++i) {
        size_t bit = i * depth;
        bytes[bit / 8] |= uint8_t(samples[i] << (8 - depth - bit % 8));
    }
    return bytes;
}

void declarePngSize(std::vector<uint8_t>& png, uint32_t width, uint32_t height) {
    // Signature (8), chunk length (4), "IHDR" (4), then width and height.
    putBigEndian(&png[16], width);
    putBigEndian(&png[20], height);
    putBigEndian(&png[29], uint32_t(crc32(0, &png[12], 17)));
}

std::vector<uint8_t> encodeJpeg(uint32_t width, uint32_t height, int components, const std::vector<uint8_t>& samples) {
    jpeg_compress_struct encoder;
    jpeg_error_mgr errors;
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = width;
    encoder.image_height = height;
    encoder.input_components = components;
    encoder.in_color_space = components == 3 ? JCS_RGB : components == 1 ? JCS_GRAYSCALE : JCS_CMYK;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, 95, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < height) {
        auto row = const_cast<JSAMPROW>(&samples[size_t(encoder.next_scanline) * width * components]);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&encoder);
    std::free(buffer);
    return out;
}

void declareJpegSize(std::vector<uint8_t>& jpeg, uint16_t width, uint16_t height) {
    // The baseline frame header: FF C0, length (2), precision (1), height (2), width (2).
    for (size_t i = 2; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = uint8_t(height >> 8), jpeg[i + 6] = uint8_t(height);
            jpeg[i + 7] = uint8_t(width >> 8), jpeg[i + 8] = uint8_t(width);
            return;
        }
    throw std::runtime_error("no baseline frame header");
}
