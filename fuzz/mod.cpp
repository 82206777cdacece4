// A MOD music module: checked, loaded, then played for a moment.
// Seeds: *.mod
// Timeout: 20 s
#include "ce_snd.h"
#include "dmanager.h"
#include "fuzz_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    sndMusic music;
    if (music.load(data, size) != SND_OK) return 0;
    sndSpeaker& speaker = *dfc::microedition::media::DManager::speaker();
    speaker.playMusic(&music, 0x10000000);
    fuzz::device().takeAudio(2048);
    speaker.stopMusics();
    return 0;
}
