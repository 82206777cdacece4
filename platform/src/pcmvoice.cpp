#include "snd_internal.h"

PcmVoice::PcmVoice(std::shared_ptr<const SndPcm> samples, unsigned outputRate, bool loop)
    : pcm(std::move(samples)), step((uint64_t(pcm->rate) << 32) / outputRate), loop(loop) {}

int16_t PcmVoice::sample(size_t frame, unsigned side) const {
    return pcm->samples[frame * pcm->channels + (pcm->channels == 2 ? side : 0)];
}

// Resamples to the output rate by straight-line interpolation between neighbouring frames.
bool PcmVoice::render(int32_t* mix, size_t frames, int gain) {
    const size_t count = pcm->frames();
    const uint64_t length = uint64_t(count) << 32;
    for (size_t f = 0; f < frames; ++f, position += step) {
        if (position >= length) {
            if (!loop) return false;
            position %= length;
        }
        size_t at = size_t(position >> 32);
        size_t next = at + 1 < count ? at + 1 : loop ? 0 : at;
        int32_t fraction = int32_t((position >> 16) & 0xFFFF);
        for (unsigned side = 0; side < 2; ++side) {
            int32_t a = sample(at, side), b = sample(next, side);
            // A full-scale step times the fraction needs more than 32 bits.
            int32_t value = a + int32_t((int64_t(b - a) * fraction) >> 16);
            mix[2 * f + side] += (value * gain) >> 6;
        }
    }
    return position < length || loop;
}

void PcmVoice::seek(int milliseconds) {
    uint64_t frame = milliseconds > 0 ? uint64_t(milliseconds) * pcm->rate / 1000 : 0;
    position = std::min(frame, uint64_t(pcm->frames())) << 32;
}
