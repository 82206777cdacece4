// The alien-wave shooter started inside the program with the built game data, as the shell
// starts it, so that a test can place the aliens, the ship and the shots and run whole frames.
#pragma once
#include <initializer_list>
#include <string>
#include "alienship.h"
#include "gametables.h"
#include "started_game.h"
#include "swarmline.h"

class SwarmlineTest : public StartedGameTest<Swarmline> {
public:
    // Frames until the game reaches the state, at most `limit`; false when it did not.
    static bool runUntil(int state, int limit = 400);
    // Level `level` set up and in play, the intro skipped.
    static void playLevel(int level);
    // Every alien gone but those listed (indices into the flat list), which stay in formation.
    static void keepOnly(std::initializer_list<int> indices);
    // An alien moved so that its centre is at (x, y), in the given flight state.
    static AlienShipPtr placeAlien(int index, int x, int y, int state);
    // No alien starts a dive for a long while.
    static void holdDives();
    // What the program's error stream printed since the body began.
    static std::string diagnostics();
};

class PocketPcSwarmlineTest : public SwarmlineTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
