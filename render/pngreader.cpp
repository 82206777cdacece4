#include "pngreader.h"
#include <png.h>
#include <algorithm>
#include <cstring>
#include "imagecodec.h"
#include "pixelrows.h"

namespace {

struct MemorySource {
    const uint8_t* data;
    size_t size;
    size_t position;
};

// A read past the end of the bytes is an error: the picture was cut short.
void readFromMemory(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<MemorySource*>(png_get_io_ptr(png));
    size_t available = std::min(count, source->size - source->position);
    std::memcpy(out, source->data + source->position, available);
    source->position += available;
    if (available < count) png_error(png, "picture cut short");
}

// libpng must not go on after an error: leave through the jump set by readPng.
[[noreturn]] void failDecode(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void ignoreWarning(png_structp, png_const_charp) {}

// Fully transparent palette entries become magenta, the program's colour key.
void markTransparentEntries(png_structp png, png_infop info) {
    png_bytep alphas = nullptr;
    int alphaCount = 0;
    png_colorp palette = nullptr;
    int entries = 0;
    if (!png_get_tRNS(png, info, &alphas, &alphaCount, nullptr) || !png_get_PLTE(png, info, &palette, &entries)) return;
    png_color marked[PNG_MAX_PALETTE_LENGTH];
    std::copy_n(palette, entries, marked);
    for (int i = 0; i < std::min(alphaCount, entries); ++i)
        if (alphas[i] == 0) marked[i] = {255, 0, 255};
    png_set_PLTE(png, info, marked, entries);
}

// Asks libpng for 8-bit RGB whatever the stored format.
void requestRgb(png_structp png, png_infop info) {
    int colourType = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_strip_alpha(png);
    png_set_packing(png);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        markTransparentEntries(png, info);
        png_set_palette_to_rgb(png);
    }
    if (!(colourType & PNG_COLOR_MASK_COLOR)) {
        png_set_expand_gray_1_2_4_to_8(png);
        png_set_gray_to_rgb(png);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_channels(png, info) != 3 || png_get_bit_depth(png, info) != 8) png_error(png, "not RGB after all");
}

}  // namespace

RenderSurface* readPng(const uint8_t* data, size_t size, ImageCodec::Oversize* oversize) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, failDecode, ignoreWarning);
    if (!png) return nullptr;
    png_infop info = png_create_info_struct(png);
    // Set after setjmp and read after a jump, so volatile.
    RenderSurface* volatile surface = nullptr;
    png_bytep volatile rgb = nullptr;
    png_bytepp volatile rows = nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_free(png, rows);
        png_free(png, rgb);
        png_destroy_read_struct(&png, &info, nullptr);
        delete surface;
        return nullptr;
    }
    MemorySource source{data, size, 0};
    png_set_read_fn(png, &source, readFromMemory);
    png_read_info(png, info);
    png_uint_32 width = png_get_image_width(png, info), height = png_get_image_height(png, info);
    if (!ImageCodec::fits(width, height, oversize)) png_error(png, "picture too large");
    requestRgb(png, info);

    surface = RenderSurface::create(width, height);
    if (!surface) png_error(png, "out of memory");
    size_t rowBytes = 3 * size_t(width);
    rgb = static_cast<png_bytep>(png_malloc(png, rowBytes * height));
    rows = static_cast<png_bytepp>(png_malloc(png, sizeof(png_bytep) * height));
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = rgb + y * rowBytes;
    png_read_image(png, rows);

    Surface& pixels = *surface->getSurface();
    for (png_uint_32 y = 0; y < height; ++y) convertRgbRow(pixels.pixelAddress(0, y), rows[y], width);
    png_free(png, rows);
    png_free(png, rgb);
    png_destroy_read_struct(&png, &info, nullptr);
    return surface;
}
