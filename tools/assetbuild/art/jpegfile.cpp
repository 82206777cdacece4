#include "jpegfile.h"
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

namespace assets {

namespace {

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void leave(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }
void silent(j_common_ptr) {}

}  // namespace

std::string JpegFile::encode(const Image& image, int quality) {
    jpeg_compress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leave;
    trap.manager.output_message = silent;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row(size_t(image.width()) * 3);
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(image.width());
    info.image_height = JDIMENSION(image.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.optimize_coding = TRUE;
    for (int c = 0; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        int y = int(info.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const Colour& c = image.at(x, y).colour;
            row[3 * x] = c.r;
            row[3 * x + 1] = c.g;
            row[3 * x + 2] = c.b;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string out(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return out;
}

JpegFile::Contents JpegFile::decode(const std::string& bytes, std::string& error) {
    Contents contents;
    error.clear();
    jpeg_decompress_struct info{};
    ErrorTrap trap{};
    info.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = leave;
    trap.manager.output_message = silent;
    std::vector<JSAMPLE> row;
    if (setjmp(trap.jump)) {
        jpeg_destroy_decompress(&info);
        error = "the JPEG data is damaged";
        contents.pixels.clear();
        return contents;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    contents.components = info.num_components;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    contents.width = int(info.output_width);
    contents.height = int(info.output_height);
    row.resize(size_t(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < contents.width; ++x)
            contents.pixels.push_back(Colour{row[3 * x], row[3 * x + 1], row[3 * x + 2]});
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return contents;
}

}  // namespace assets
