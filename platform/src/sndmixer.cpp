#include <algorithm>
#include <cstring>
#include "snd_internal.h"

void mixChannels(const std::vector<std::unique_ptr<SndSlot>>& slots, SndLevels levels, int16_t* out, size_t frames) {
    std::vector<int32_t> mix(frames * 2, 0);
    for (const auto& slot : slots) {
        if (!slot->audible()) continue;
        if (!slot->voice->render(mix.data(), frames, slot->music ? levels.music : levels.sound)) slot->release();
    }
    for (size_t i = 0; i < mix.size(); ++i) out[i] = int16_t(std::clamp(mix[i], -32768, 32767));
}

void SndMixer::render(int16_t* out, size_t frames) {
    std::lock_guard<std::mutex> hold(lock);
    if (!open || suspended) {
        std::memset(out, 0, frames * 4);
        return;
    }
    auto gain = [](unsigned volume) { return int(std::min(volume, 64u)); };
    mixChannels(slots, SndLevels{gain(musicVolume), gain(soundVolume)}, out, frames);
}
