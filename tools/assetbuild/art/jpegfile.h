// JPEG files for the opaque pictures (splashes and backgrounds): colour, no chroma
// subsampling, so thin coloured lines and lettering stay clean.
#pragma once
#include <string>
#include <vector>
#include "image.h"

namespace assets {

class JpegFile {
public:
    struct Contents {
        int width = 0, height = 0, components = 0;
        std::vector<Colour> pixels;
    };

    static std::string encode(const Image& image, int quality);
    // Decodes to RGB as the device does; empty `error` when it worked.
    static Contents decode(const std::string& bytes, std::string& error);
};

}  // namespace assets
