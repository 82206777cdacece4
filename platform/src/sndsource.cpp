#include "snd_internal.h"

sndSource::~sndSource() = default;

// No data reads as no bytes, which every decoder refuses.
int sndSource::load(const void* data, size_t size) {
    static const uint8_t nothing = 0;
    int result = decode(data ? static_cast<const uint8_t*>(data) : &nothing, data ? size : 0, &failure);
    if (result == SND_OK) failure.clear();
    return result;
}

void sndSource::loop(bool repeat) { forever = repeat; }
