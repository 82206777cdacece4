#include <png.h>
#include <cstdio>
#include <vector>
#include "platform.h"

namespace platform {

bool savePng(const Picture& picture, const std::string& path) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(picture.width) * 3);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            uint16_t p = picture.pixels[size_t(y) * picture.width + x];
            unsigned r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
            row[x * 3] = png_byte((r << 3) | (r >> 2));
            row[x * 3 + 1] = png_byte((g << 2) | (g >> 4));
            row[x * 3 + 2] = png_byte((b << 3) | (b >> 2));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace platform
