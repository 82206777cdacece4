#include "jpegreader.h"
#include <csetjmp>
#include <cstdio>
// Before libjpeg's headers, whose TRUE and FALSE macros would clash with the platform's constants.
#include "imagecodec.h"
#include "pixelrows.h"
#include <jpeglib.h>

namespace {

// Where the bytes run out, the source reads on as if the picture ended there.
const JOCTET endOfImage[] = {0xFF, 0xD9};

struct ErrorManager {
    jpeg_error_mgr standard;
    jmp_buf exit;
};

// libjpeg must not go on after an error: leave through the jump set by readJpeg.
[[noreturn]] void failDecode(j_common_ptr decoder) { longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->exit, 1); }

void stayQuiet(j_common_ptr) {}

void startSource(j_decompress_ptr) {}

boolean fillWithEnd(j_decompress_ptr decoder) {
    decoder->src->next_input_byte = endOfImage;
    decoder->src->bytes_in_buffer = sizeof endOfImage;
    return TRUE;
}

void skipBytes(j_decompress_ptr decoder, long count) {
    if (count <= 0) return;
    jpeg_source_mgr* source = decoder->src;
    if (size_t(count) >= source->bytes_in_buffer) {
        fillWithEnd(decoder);
        return;
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= size_t(count);
}

void endSource(j_decompress_ptr) {}

// Colour and grey pictures come out as RGB; others (CMYK and the like) are refused.
bool readable(const jpeg_decompress_struct& decoder) {
    switch (decoder.jpeg_color_space) {
        case JCS_GRAYSCALE: return decoder.num_components == 1;
        case JCS_RGB:
        case JCS_YCbCr: return decoder.num_components == 3;
        default: return false;
    }
}

}  // namespace

RenderSurface* readJpeg(const uint8_t* data, size_t size, ImageCodec::Oversize* oversize) {
    jpeg_decompress_struct decoder{};
    ErrorManager errors;
    decoder.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = failDecode;
    errors.standard.output_message = stayQuiet;
    jpeg_source_mgr source{data, size, startSource, fillWithEnd, skipBytes, jpeg_resync_to_restart, endSource};
    // Set after setjmp and read after a jump, so volatile.
    RenderSurface* volatile surface = nullptr;
    if (setjmp(errors.exit)) {
        jpeg_destroy_decompress(&decoder);
        delete surface;
        return nullptr;
    }
    jpeg_create_decompress(&decoder);
    decoder.src = &source;
    jpeg_read_header(&decoder, TRUE);
    if (!readable(decoder) || !ImageCodec::fits(decoder.image_width, decoder.image_height, oversize))
        longjmp(errors.exit, 1);
    decoder.out_color_space = JCS_RGB;
    decoder.scale_num = decoder.scale_denom = 1;
    decoder.output_gamma = 1.0;
    jpeg_start_decompress(&decoder);

    surface = RenderSurface::create(decoder.output_width, decoder.output_height);
    if (!surface) longjmp(errors.exit, 1);
    // From the decoder's own pool, which goes with it.
    JSAMPARRAY line = (*decoder.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&decoder), JPOOL_IMAGE,
                                                   decoder.output_width * decoder.output_components, 1);
    Surface& pixels = *surface->getSurface();
    while (decoder.output_scanline < decoder.output_height) {
        JDIMENSION row = decoder.output_scanline;
        jpeg_read_scanlines(&decoder, line, 1);
        convertRgbRow(pixels.pixelAddress(0, row), line[0], decoder.output_width);
    }
    jpeg_destroy_decompress(&decoder);
    return surface;
}
