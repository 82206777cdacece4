#include "snd_internal.h"

sndMusic::sndMusic() = default;
sndMusic::~sndMusic() = default;

int sndMusic::decode(const uint8_t* data, size_t size, std::string* why) {
    bytes.reset();
    int result = checkModule(data, size, why);
    if (result == SND_OK) bytes = std::make_shared<SndModule>(SndModule{std::vector<uint8_t>(data, data + size)});
    return result;
}
