// A sound effect: one or more voices ("voice name=value ..." lines, see Voice) mixed into
// 16-bit mono PCM and stored as a WAV file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "core/sourcetext.h"

namespace assets {

class SoundEffect {
public:
    static constexpr int rate = 22050;

    explicit SoundEffect(const SourceText& source);

    const std::vector<int16_t>& samples() const { return pcm; }
    std::string wav() const;

    // Reads a WAV file back: false with `error` set when it is not 16-bit PCM or clicks.
    static bool check(const std::string& bytes, std::string& error);

private:
    std::vector<int16_t> pcm;
};

}  // namespace assets
