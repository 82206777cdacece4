// A WAV sound effect: loaded, then played and resampled to the output rate.
// Seeds: *.wav
// Timeout: 20 s
#include "ce_snd.h"
#include "dmanager.h"
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    sndSound sound;
    if (sound.load(data, size) != SND_OK) return 0;
    sndSpeaker& speaker = *dfc::microedition::media::DManager::speaker();
    speaker.playSound(&sound, 0x10000000);
    fuzz::device().takeAudio(2048);
    speaker.stopSounds();
    return 0;
}
