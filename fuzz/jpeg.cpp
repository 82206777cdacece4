// JPEG decoding into a 16-bit surface, as the backgrounds and splash pictures are read.
// Seeds: *.jpg
// Timeout: 20 s
#include "fuzz_app.h"
#include "imagecodec.h"
#include "rendersurface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    delete ImageCodec::decode(data, data + size);
    return 0;
}
