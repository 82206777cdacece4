#include <png.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>
#include "platform.h"

namespace platform {

namespace {

// libpng's errors end here; the jump goes back to writeImage, across libpng's frames only.
[[noreturn]] void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void onWarning(png_structp, png_const_charp) {}

void fillRow(const Picture& picture, int y, png_byte* row) {
    for (int x = 0; x < picture.width; ++x) {
        uint16_t p = picture.pixels[size_t(y) * picture.width + x];
        unsigned r = (p >> 11) & 31, g = (p >> 5) & 63, b = p & 31;
        row[x * 3] = png_byte((r << 3) | (r >> 2));
        row[x * 3 + 1] = png_byte((g << 2) | (g >> 4));
        row[x * 3 + 2] = png_byte((b << 3) | (b >> 2));
    }
}

// No C++ object lives in this frame, so a jump back to its setjmp skips no destructor.
bool writeImage(png_structp png, png_infop info, FILE* file, const Picture& picture, png_byte* row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
        fillRow(picture, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool savePng(const Picture& picture, const std::string& path, std::string* reason) {
    if (picture.width <= 0 || picture.height <= 0) {
        if (reason) *reason = "the picture is empty";
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        if (reason) *reason = std::strerror(errno);
        return false;
    }
    std::vector<png_byte> row(size_t(picture.width) * 3);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    errno = 0;
    bool written = info && writeImage(png, info, file, picture, row.data());
    int error = errno;
    png_destroy_write_struct(&png, &info);
    // The last buffered bytes reach the disk here, and so may its being full.
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (!written && reason) *reason = error ? std::strerror(error) : "the PNG library could not encode it";
    return written;
}

}  // namespace platform
