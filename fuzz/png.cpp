// PNG decoding into a 16-bit surface, as every picture of the game data is read.
// Seeds: *.png
// Timeout: 20 s
#include "fuzz_app.h"
#include "imagecodec.h"
#include "rendersurface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    delete ImageCodec::decode(data, data + size);
    return 0;
}
