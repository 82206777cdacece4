// The river shooter started inside the program with the built game data, as the shell starts
// it, so that a test can set up the river, the plane and the craft and run the rules on them.
#pragma once
#include <initializer_list>
#include <string>
#include "entity.h"
#include "floodpass.h"
#include "started_game.h"

class FloodpassTest : public StartedGameTest<Floodpass> {
public:
    // Frames until the game reaches the state, at most `limit`; false when it did not.
    static bool runUntil(int state, int limit = 400);
    // What the program's error stream printed since the body began.
    static std::string diagnostics();
    // A level of `screens` screens of open water (tile 58) between land columns, no objects,
    // built and reset to its start, with the game in play.
    static void openRiver(int screens);
    // An entity of the kind at river x and world top y, alone in the level's list (or with
    // the others given).
    static EntityPtr place(int kind, int x, int y);
    static void onlyEntities(std::initializer_list<EntityPtr> list);
    // The plane's box put over (x, y), the plane's top-left corner.
    static void putPlane(int x, int y);
};

class PocketPcFloodpassTest : public FloodpassTest {
protected:
    std::string profileName() const override { return "pocketpc"; }
};
