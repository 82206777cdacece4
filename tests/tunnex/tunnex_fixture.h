// The tunnel game started inside the program with the built game data, as the shell starts
// it, so that a test can set up the field, the actors and the bags and run the rules on them.
#pragma once
#include <string>
#include "started_game.h"
#include "tunnex.h"

class TunnexTest : public StartedGameTest<Tunnex> {
public:
    static constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keySelect = 10002, keySoftLeft = 10000;

    // Frames until the game reaches the state, at most `limit`; false when it did not.
    static bool runUntil(int state, int limit = 400);
    // A key the game takes: held, released, and the menus' pause between keys.
    static void key(int code);
    // Level 1 opened and the play state entered, past its start delay.
    static void startPlay();
    // Every cell solid earth, every bag and monster gone, the player at its start.
    static void clearField();
    // The player put at the corner of a cell, facing the direction.
    static void putPlayer(int column, int row, int direction = Tunnex::right);
    // What the program's error stream printed since the body began.
    static std::string diagnostics();

protected:
    // The game data with an entry damaged: removed (size < 0) or cut to `size` bytes.
    void damageEntry(const std::string& entry, int size);
};

class PocketPcTunnexTest : public TunnexTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
