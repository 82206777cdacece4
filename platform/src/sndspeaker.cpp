#include <xmp.h>
#include <atomic>
#include "snd_internal.h"

namespace {

constexpr unsigned slotBits = 5;
constexpr unsigned maxChannels = 1u << slotBits;

// Numbers carry a count of plays above the slot index, so a number kept after its play
// ended never reaches a later play on the same slot. Shared by every speaker.
int numberFor(size_t slot) {
    static std::atomic<unsigned> plays{0};
    unsigned play = plays.fetch_add(1) & ((1u << (31 - slotBits)) - 1);
    return int(play << slotBits | unsigned(slot));
}

}  // namespace

sndSpeaker::sndSpeaker() : mixer(std::make_unique<SndMixer>()) {}

sndSpeaker::~sndSpeaker() { close(); }

int sndSpeaker::open(unsigned rate, unsigned bits, bool stereo, unsigned musicChannels, unsigned soundChannels) {
    auto refuse = [this](int result, const std::string& why) {
        failure = "sound output: " + why;
        return result;
    };
    if (mixer->open) return refuse(SND_ALREADY_OPEN, "open already");
    if (bits != 16 || !stereo) return refuse(SND_BAD_SETTINGS, "16-bit stereo only");
    if (rate < XMP_MIN_SRATE || rate > XMP_MAX_SRATE)
        return refuse(SND_BAD_SETTINGS, "a rate of " + std::to_string(rate));
    if (musicChannels > maxChannels || soundChannels > maxChannels - musicChannels)
        return refuse(SND_BAD_SETTINGS, "more than " + std::to_string(maxChannels) + " channels");
    {
        std::lock_guard<std::mutex> hold(mixer->lock);
        for (unsigned i = 0; i < musicChannels + soundChannels; ++i)
            mixer->slots.push_back(std::make_unique<SndSlot>(mixer->lock, i < musicChannels));
        mixer->rate = rate;
        mixer->open = true;
        mixer->suspended = false;
    }
    // A host without sound output plays on in silence.
    mixer->output = &platform::backend();
    SndMixer* source = mixer.get();
    mixer->output->openAudio(rate, [source](int16_t* out, size_t frames) { source->render(out, frames); });
    failure.clear();
    return SND_OK;
}

int sndSpeaker::close() {
    if (!mixer->open) return SND_OK;
    // The backend of a finished test may be gone; only the current one can still call the mixer.
    if (mixer->output == &platform::backend()) mixer->output->closeAudio();
    mixer->output = nullptr;
    std::lock_guard<std::mutex> hold(mixer->lock);
    mixer->slots.clear();
    mixer->open = false;
    return SND_OK;
}

void sndSpeaker::volumeMusics(unsigned volume) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    mixer->musicVolume = volume;
}

void sndSpeaker::volumeSounds(unsigned volume) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    mixer->soundVolume = volume;
}

unsigned sndSpeaker::volumeMusics() {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return mixer->musicVolume;
}

unsigned sndSpeaker::volumeSounds() {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return mixer->soundVolume;
}

namespace {

int startOnFreeSlot(SndMixer& mixer, bool music, std::unique_ptr<SndVoice> voice) {
    if (!voice) return SND_NOT_PLAYED;
    std::lock_guard<std::mutex> hold(mixer.lock);
    for (size_t i = 0; i < mixer.slots.size(); ++i) {
        SndSlot& slot = *mixer.slots[i];
        if (slot.music != music || slot.busy()) continue;
        slot.start(numberFor(i), std::move(voice));
        return slot.number;
    }
    return SND_NOT_PLAYED;
}

}  // namespace

int sndSpeaker::playSound(sndSound* sound, unsigned) {
    if (!isOpen() || !sound || !sound->samples()) return SND_NOT_PLAYED;
    return startOnFreeSlot(*mixer, false, std::make_unique<PcmVoice>(sound->samples(), mixer->rate, sound->looping()));
}

// The module player is made before the lock is taken: loading takes a while.
int sndSpeaker::playMusic(sndMusic* music, unsigned) {
    if (!isOpen() || !music || !music->module()) return SND_NOT_PLAYED;
    return startOnFreeSlot(*mixer, true, ModuleVoice::create(*music->module(), mixer->rate, music->looping()));
}

sndChannel* sndSpeaker::channel(int number) {
    std::lock_guard<std::mutex> hold(mixer->lock);
    if (number < 0) return nullptr;
    size_t slot = size_t(number) & (maxChannels - 1);
    if (slot >= mixer->slots.size() || mixer->slots[slot]->number != number) return nullptr;
    return mixer->slots[slot].get();
}

namespace {

template <class Action>
void forGroup(SndMixer& mixer, bool music, Action action) {
    std::lock_guard<std::mutex> hold(mixer.lock);
    for (auto& slot : mixer.slots)
        if (slot->music == music && slot->busy()) action(*slot);
}

}  // namespace

void sndSpeaker::stopSounds() { forGroup(*mixer, false, [](SndSlot& s) { s.release(); }); }
void sndSpeaker::stopMusics() { forGroup(*mixer, true, [](SndSlot& s) { s.release(); }); }
void sndSpeaker::pauseSounds() { forGroup(*mixer, false, [](SndSlot& s) { s.held = true; }); }
void sndSpeaker::pauseMusics() { forGroup(*mixer, true, [](SndSlot& s) { s.held = true; }); }
void sndSpeaker::unpauseSounds() { forGroup(*mixer, false, [](SndSlot& s) { s.held = false; }); }
void sndSpeaker::unpauseMusics() { forGroup(*mixer, true, [](SndSlot& s) { s.held = false; }); }

void sndSpeaker::suspend() {
    std::lock_guard<std::mutex> hold(mixer->lock);
    if (mixer->open) mixer->suspended = true;
}

void sndSpeaker::resume() {
    std::lock_guard<std::mutex> hold(mixer->lock);
    mixer->suspended = false;
}

bool sndSpeaker::isOpen() const {
    std::lock_guard<std::mutex> hold(mixer->lock);
    return mixer->open;
}
