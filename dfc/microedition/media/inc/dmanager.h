#pragma once
#include "ce_snd.h"
#include "dinputstream.h"
#include "dplayer.h"

namespace dfc::microedition::media {

// Owns the one sound device and makes the players.
class DManager {
public:
    // Opens the device unless it is open. A device that fails to open stays in place, unopened
    // (it plays nothing), until the next attempt replaces it.
    static void openSound();
    // Closes and deletes the device; a later access opens a new one.
    static void closeSound();
    static bool isSoundOpen();

    // A player of the stream's data for "audio/x-wav" or "audio/mod" (the case counts); null
    // for any other type.
    static DPlayerPtr createPlayer(io::DInputStreamPtr stream, lang::DStringPtr type);
    // A player of a file beside the executable, by its suffix ".wav" or ".mod" (the case
    // counts); null for any other. A missing file throws DFileNotFoundException.
    static DPlayerPtr createPlayer(lang::DStringPtr locator);

    // The device, opened first when it is not open.
    static sndSpeaker* speaker();
    // The channel of that number on the open device; null when the device is not open, since
    // no channel outlives its device.
    static sndChannel* channel(int number);

    // Makes the device; tests put a speaker of their own here.
    using SpeakerFactory = sndSpeaker* (*)();
    static SpeakerFactory speakerFactory;
};

}  // namespace dfc::microedition::media
