// The sound library's inner parts, private to platform/: decoded data, the voices that
// render it, the channel slots and the mixer state the audio thread shares.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>
#include <xmp.h>
#include "ce_snd.h"
#include "platform.h"

// Samples of a sound effect at their own rate, interleaved when stereo.
struct SndPcm {
    unsigned rate = 0;
    unsigned channels = 0;
    std::vector<int16_t> samples;
    size_t frames() const { return samples.size() / channels; }
};

// A music module's file, checked whole.
struct SndModule {
    std::vector<uint8_t> bytes;
};

// Reads a RIFF WAV file; SND_BAD_DATA or SND_UNSUPPORTED with the reason in *error.
int readWav(const uint8_t* data, size_t size, SndPcm* pcm, std::string* error);
// Checks that a module's header is sound and that every pattern and sample it announces is there.
int checkModule(const uint8_t* data, size_t size, std::string* error);

// One play of a sound or a music, as the mixer sees it.
class SndVoice {
public:
    virtual ~SndVoice() = default;
    // Adds frames of stereo at gain / 64 to mix; false once the voice has played to its end.
    virtual bool render(int32_t* mix, size_t frames, int gain) = 0;
    virtual void seek(int milliseconds) = 0;
};

class PcmVoice : public SndVoice {
public:
    PcmVoice(std::shared_ptr<const SndPcm> pcm, unsigned outputRate, bool loop);
    bool render(int32_t* mix, size_t frames, int gain) override;
    void seek(int milliseconds) override;

private:
    int16_t sample(size_t frame, unsigned side) const;

    std::shared_ptr<const SndPcm> pcm;
    uint64_t step;          // source frames per output frame, 32.32 fixed point
    uint64_t position = 0;  // 32.32 fixed point
    bool loop;
};

// A module player of its own, so that every play keeps its own place.
class ModuleVoice : public SndVoice {
public:
    // Null when the module cannot be started.
    static std::unique_ptr<ModuleVoice> create(const SndModule& module, unsigned outputRate, bool loop);
    ~ModuleVoice() override;
    bool render(int32_t* mix, size_t frames, int gain) override;
    void seek(int milliseconds) override;

private:
    ModuleVoice(xmp_context context, unsigned outputRate, bool loop);

    xmp_context context;
    unsigned rate;
    bool loop;
    std::vector<int16_t> scratch;
};

// A channel of the speaker. Its operations come from the program's thread; the mixer,
// holding the same lock, reads it from the audio thread.
class SndSlot : public sndChannel {
public:
    SndSlot(std::mutex& lock, bool music) : music(music), lock(lock) {}

    void stop() override;
    void pause() override;
    void resume() override;
    bool playing() override;
    void setPosition(int milliseconds) override;

    // The rest is called with the lock held.
    void start(int playNumber, std::unique_ptr<SndVoice> newVoice);
    void release();
    bool busy() const { return voice != nullptr; }
    bool audible() const { return voice && !paused && !held; }

    const bool music;
    int number = -1;
    bool paused = false;  // by the channel's own pause
    bool held = false;    // by the pause of its whole group
    std::unique_ptr<SndVoice> voice;

private:
    std::mutex& lock;
};

struct SndLevels {
    int music;  // 0 to 64
    int sound;
};

// Mixes the audible channels into frames of 16-bit stereo, advancing each; a channel whose
// voice ends is released.
void mixChannels(const std::vector<std::unique_ptr<SndSlot>>& slots, SndLevels levels, int16_t* out, size_t frames);

struct SndMixer {
    void render(int16_t* out, size_t frames);

    std::mutex lock;
    std::vector<std::unique_ptr<SndSlot>> slots;  // the music channels first
    unsigned rate = 0;
    unsigned musicVolume = 64;
    unsigned soundVolume = 64;
    bool open = false;
    bool suspended = false;
    platform::Backend* output = nullptr;
};
