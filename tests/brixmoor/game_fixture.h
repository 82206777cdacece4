// The brick game started inside the program with the built game data, as the shell starts
// it, so that a test can set up the field, the balls and the paddle and run the rules on them.
#pragma once
#include <string>
#include "ball.h"
#include "brick.h"
#include "bricklist.h"
#include "brixmoor.h"
#include "started_game.h"

class GameTest : public StartedGameTest<Brixmoor> {
public:
    // Frames until the game reaches the state, at most `limit`; false when it did not.
    static bool runUntil(int state, int limit = 400);
    // Every cell of the field empty.
    static void clearField();
    static BrickPtr brick(int row, int column) { return Brixmoor::brickList->brickAt(row, column); }
    static void place(int row, int column, int kind, int hits);
    // A playing ball of the given look, flying from (x, y) with the velocity, speed 1.
    static BallPtr flyingBall(int look, int x, int y, int vx, int vy);
    // What the program's error stream printed since the body began.
    static std::string diagnostics();
};

class PocketPcGameTest : public GameTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
