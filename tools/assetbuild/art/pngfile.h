// PNG files as the device reads them: palette or RGB, never an alpha channel; transparent
// pixels are magenta, or a palette entry marked fully transparent.
#pragma once
#include <filesystem>
#include <string>
#include <vector>
#include "image.h"

namespace assets {

class PngFile {
public:
    // What a file holds, decoded the way the device decodes it.
    struct Contents {
        int width = 0, height = 0;
        int colourType = 0, bitDepth = 0;
        std::vector<uint8_t> transparency;  // tRNS values of palette entries
        std::vector<Colour> palette;
        std::vector<Colour> pixels;         // palette entries marked transparent read as magenta
    };

    // Palette form when the picture has at most 256 colours, RGB otherwise.
    static std::string encode(const Image& image);
    // Empty `error` when the bytes decoded; otherwise what went wrong.
    static Contents decode(const std::string& bytes, std::string& error);
    // The decoded contents as a picture whose magenta pixels are transparent.
    static Image toImage(const Contents& contents);
};

}  // namespace assets
