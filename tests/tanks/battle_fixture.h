// The battle without the program round it: the game-wide tables it reads, the tunables at
// their defaults, a seeded random generator, a silent sound table and a captured error
// stream, and fields built from small maps of tile bytes.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "gametanks.h"
#include "tanklevelrecord.h"

// Tile bytes: the ground in bits 0-2, the object code above.
namespace tile {
constexpr int road = 0, water = 2, steel = 2 << 3, house = 3 << 3, stoneHouse = 4 << 3, player = 5 << 3,
              enemy = 6 << 3, base = 7 << 3, crate = 8 << 3;
}

class BattleTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A record of the tile bytes, row by row, and the enemies' types.
    static TankLevelRecordPtr record(const std::vector<std::vector<int>>& rows, const std::vector<int>& types = {});
    // The test field, 5 x 5 tiles:
    //   E . . . E
    //   . . . . .
    //   . . . . .
    //   . . . . .
    //   P . B . .
    // with `extra` tiles set on top of it ({column, row, byte}).
    void buildField(const std::vector<std::vector<int>>& extra = {});
    // A flying bullet at the unit, facing the direction.
    GBULPtr bullet(bool byPlayer, int x, int y, int direction, int power = 1);
    // An enemy placed NORMAL at the unit.
    GTNKPtr enemyAt(int index, int type, int x, int y, int direction);
    std::string diagnostics() const;

    GameTanksPtr battle;
};
