#pragma once
#include "dstring.h"

// A game's effect and music levels 0..3 as two of its options: read at its start (2 when
// never saved) and given to the speaker, and stepped round by its menu's sound and music
// items, each change saved at once.
class SoundOptions {
public:
    enum Kind { effects, music };

    // The keys of most games: the game's id followed by "sfx_level" and "music_level".
    explicit SoundOptions(const dfc::lang::DStringPtr& gameId);
    SoundOptions(dfc::lang::DStringPtr effectsKey, dfc::lang::DStringPtr musicKey);

    void load() const;
    // The level after the one in force (3 goes round to 0), given to the speaker and saved;
    // returns the label the menu item shows for it.
    dfc::lang::DStringPtr step(Kind kind) const;
    // The label of the level in force.
    static dfc::lang::DStringPtr label(Kind kind);

    static constexpr int defaultLevel = 2;

private:
    dfc::lang::DStringPtr effectsKey;
    dfc::lang::DStringPtr musicKey;
};
