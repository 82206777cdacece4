// Rockvale started inside the program with the built game data, as the shell starts it, so
// that a test can lay out a wave by hand and run the game's steps on it.
#pragma once
#include <string>
#include "flyingo.h"
#include "rockvale.h"
#include "started_game.h"

class RockvaleTest : public StartedGameTest<Rockvale> {
public:
    // One game step now, however little time has passed.
    static void step(Rockvale& game);
    // Steps until the game reaches the state, at most `limit`; false when it did not.
    static bool stepUntil(Rockvale& game, int state, int limit);
    // A wave of nothing but what the test puts in: `rocks` and `saucers` empty slots, no
    // shots, rockets for `rocketSlots`, the ship at rest in the middle facing up, playing.
    static void emptyWave(Rockvale& game, int rocks, int saucers, int rocketSlots = 1);
    // A rock of size 1 (big) to 3 (small) at rest.
    static FlyingOPtr rock(int size, int x, int y, int vx = 0, int vy = 0);
    // A saucer of type 1 to 3 at rest.
    static FlyingOPtr saucer(int type, int x, int y);
    // A shot at (x, y) at rest.
    static FlyingOPtr shot(int x, int y);
};

class PocketPcRockvaleTest : public RockvaleTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
