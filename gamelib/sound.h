#pragma once
#include <cstdint>
#include "dplayer.h"
#include "dplayerarray.h"
#include "dstringarray.h"

// The games' sound: a table of players by number, made from each name's ".wav" (an effect)
// or ".mod" (music), and the effect and music volumes of the speaker as levels 0 to 3.
// Everything is static.
class Sound : public dfc::lang::DObject {
public:
    // Stops everything and replaces the table with one player per name.
    static void loadSounds(const dfc::lang::DStringArrayPtr& names);
    // The same from a game's table of names.
    template <int count>
    static void loadSounds(const char16_t* const (&names)[count]) {
        loadSounds(names, count);
    }
    static void loadSounds(const char16_t* const* names, int count);
    // The player of name + ".wav", else of name + ".mod"; null when neither can be made.
    static dfc::microedition::media::DPlayerPtr loadSound(const dfc::lang::DStringPtr& name);
    // Starts sound n with the loop count (-1 for ever); an empty entry does nothing.
    static void play(int n, int loops);
    static bool isPlaying();
    // Stops sound n and rewinds it.
    static void stop(int n);
    static void stopCurrent();
    static void stopAll();
    static void pauseAll();
    static void resumeAll();
    static void release();

    static void setSoundLevel(int level);
    static int getSoundLevel();
    static void setMusicLevel(int level);
    static int getMusicLevel();

    // Speaker volumes of the levels 0 to 3.
    static constexpr int levelVolumes[] = {0, 21, 42, 64};

    static dfc::microedition::media::DPlayerArrayPtr soundTable;
    static dfc::microedition::media::DPlayerPtr currentPlayer;
    static int32_t loopCount;
    // False while the effect level is 0: effects do not start, music does.
    static bool effectsOn;

private:
    // A player of the file, or null; when the file is there but cannot be read or played, why
    // is set to the reason.
    static dfc::microedition::media::DPlayerPtr makePlayer(const dfc::lang::DStringPtr& file,
                                                           const dfc::lang::DStringPtr& type,
                                                           dfc::lang::DStringPtr& why);
    static bool start(const dfc::microedition::media::DPlayerPtr& player);
    static void rewind(const dfc::microedition::media::DPlayerPtr& player);
    // The speaker volume of a level; false for a level above 3.
    static bool volumeOf(int level, unsigned* volume);
    static int levelOf(unsigned volume);
};
