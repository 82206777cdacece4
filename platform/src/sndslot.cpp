#include "snd_internal.h"

void SndSlot::stop() {
    std::lock_guard<std::mutex> hold(lock);
    release();
}

void SndSlot::pause() {
    std::lock_guard<std::mutex> hold(lock);
    paused = true;
}

void SndSlot::resume() {
    std::lock_guard<std::mutex> hold(lock);
    paused = false;
}

bool SndSlot::playing() {
    std::lock_guard<std::mutex> hold(lock);
    return busy();
}

void SndSlot::setPosition(int milliseconds) {
    std::lock_guard<std::mutex> hold(lock);
    if (voice) voice->seek(milliseconds);
}

void SndSlot::start(int playNumber, std::unique_ptr<SndVoice> newVoice) {
    number = playNumber;
    voice = std::move(newVoice);
    paused = false;
    held = false;
}

void SndSlot::release() {
    number = -1;
    voice.reset();
    paused = false;
    held = false;
}
