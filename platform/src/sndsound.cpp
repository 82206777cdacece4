#include "snd_internal.h"

sndSound::sndSound() = default;
sndSound::~sndSound() = default;

int sndSound::decode(const uint8_t* data, size_t size, std::string* why) {
    pcm.reset();
    auto decoded = std::make_shared<SndPcm>();
    int result = readWav(data, size, decoded.get(), why);
    if (result == SND_OK) pcm = std::move(decoded);
    return result;
}
