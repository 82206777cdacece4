#include "imagecodec.h"
#include <cstring>
#include "jpegreader.h"
#include "pngreader.h"

RenderSurface* ImageCodec::decode(const uint8_t* begin, const uint8_t* end) {
    static const uint8_t pngSignature[] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
    size_t size = begin && end > begin ? size_t(end - begin) : 0;
    if (size >= sizeof pngSignature && std::memcmp(begin, pngSignature, sizeof pngSignature) == 0)
        return readPng(begin, size);
    return readJpeg(begin, size);
}
