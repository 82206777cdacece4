// The rules of play on small levels of the test's own: free cells and footing, the distance
// field, the runners' moves, the rules of a cell entered, holes and enemies caught in them.
#include <gtest/gtest.h>
#include "game_fixture.h"
#include "keystate.h"
#include "sound.h"

namespace {

int cellOf(int col, int row) { return row * Goldrift::gridWidth + col; }

int distanceAt(int col, int row) { return Goldrift::distance[cellOf(col, row)]; }

void steps(int count) {
    for (int i = 0; i < count; ++i) Goldrift::playStep();
}

// A complete distance field.
void completePaths() {
    Goldrift::pathsReset = true;
    for (int i = 0; i < 200; ++i) Goldrift::findPaths();
}

}  // namespace

class Rules : public GoldriftTest {};

TEST_F(Rules, FreeCellsAndFooting) {
    inGame([&] {
        loadLevel(80, {
                          "-H       $  ",
                          "  #BHdD ~-  ",
                          "P           ",
                      });
        struct Free {
            int col, row;
            bool falling, free;
        };
        const Free frees[] = {{-1, 0, false, false}, {12, 0, false, false}, {0, 14, false, false},
                              {2, 1, false, false},  {3, 1, false, false},  {4, 1, false, true},
                              {4, 1, true, false},   {5, 1, true, true},    {0, 0, true, true},
                              {8, 1, true, true},    {9, 0, true, true}};
        for (const Free& f : frees)
            EXPECT_EQ(Goldrift::isFree(f.col, f.row, f.falling), f.free) << f.col << "," << f.row << " " << f.falling;
        // Standing on column x of the top row, entered from its right or its left.
        const bool stands[] = {true, true, true, true, true, true, true, false, false, false, false};
        for (int x = 0; x < 11; ++x) {
            const bool fromRight = x == 0;
            EXPECT_EQ(Goldrift::canStand(fromRight ? 1 : x - 1, fromRight ? -1 : 1), stands[x]) << "column " << x;
        }
    });
}

TEST_F(Rules, TheDistanceFieldGrowsTwentyLayersAStep) {
    inGame([&] {
        loadLevel(80, {"P" + std::string(44, ' '), std::string(45, '#')});
        Goldrift::findPaths();
        EXPECT_EQ(distanceAt(0, 0), 0);
        for (int col = 1; col < 45; ++col) ASSERT_EQ(distanceAt(col, 0), -1) << "the restart gives only 0";
        Goldrift::findPaths();
        EXPECT_EQ(distanceAt(20, 0), 20);
        EXPECT_EQ(distanceAt(21, 0), -1);
        Goldrift::findPaths();
        EXPECT_EQ(distanceAt(40, 0), 40);
        EXPECT_EQ(distanceAt(41, 0), -1);
        Goldrift::findPaths();
        EXPECT_EQ(distanceAt(44, 0), 44);
        EXPECT_EQ(Goldrift::frontier[0], -1) << "the last layer came out empty";
        EXPECT_EQ(distanceAt(5, 1), -1) << "bricks are never entered";
    });
}

TEST_F(Rules, ADropIsValuedAtItsTopAndAHoleStopsTheScanUp) {
    inGame([&] {
        const std::vector<std::string> rows = {
            "            ",
            "   ###      ",
            "            ",
            "      P     ",
            "############",
        };
        loadLevel(80, rows);
        completePaths();
        EXPECT_EQ(distanceAt(6, 0), distanceAt(6, 3) + 1) << "the top of the drop";
        EXPECT_EQ(distanceAt(6, 1), -1) << "nothing along the drop";
        EXPECT_EQ(distanceAt(6, 2), -1);
        EXPECT_GT(distanceAt(4, 0), 0) << "the ledge, by its left-hand drop";

        std::vector<std::string> holed = rows;
        holed[2][6] = 'd';
        loadLevel(81, holed);
        completePaths();
        EXPECT_NE(distanceAt(6, 0), distanceAt(6, 3) + 1) << "the scan up stops at the hole";
        EXPECT_GT(distanceAt(6, 1), 0) << "the hole is ground to stand on";
    });
}

TEST_F(Rules, RunnersWalkAndClimbByTheirSpeedsAndStopAtWalls) {
    inGame([&] {
        loadLevel(80, {
                          "            ",
                          "#P    A     ",
                          "####H#######",
                          "    H       ",
                      });
        Runner& hero = *Goldrift::hero;
        hero.moveHorizontal(1);
        EXPECT_EQ(hero.offsetX, 3);
        Goldrift::enemies[0]->moveHorizontal(1);
        EXPECT_EQ(Goldrift::enemies[0]->offsetX, 1);
        hero.moveHorizontal(1);
        EXPECT_EQ(hero.col, 1);
        hero.moveHorizontal(1);
        EXPECT_EQ(hero.col, 2) << "past half a tile it is in the next cell";
        EXPECT_EQ(hero.offsetX, 9 - 16);
        EXPECT_TRUE(hero.cellEntered);

        place(Goldrift::hero, 1, 1, Runner::walking);
        hero.moveHorizontal(-1);
        EXPECT_EQ(hero.offsetX, 0) << "blocked by the brick";
        EXPECT_EQ(hero.col, 1);
        EXPECT_EQ(hero.state, Runner::standing);
        EXPECT_TRUE(hero.cellEntered);

        place(Goldrift::hero, 4, 1, Runner::falling);
        hero.moveVertical(1, true);
        EXPECT_EQ(hero.offsetY, 0) << "lands on the top of the ladder";
        EXPECT_EQ(hero.state, Runner::standing);
        place(Goldrift::hero, 4, 1, Runner::standing);
        hero.moveVertical(1, false);
        EXPECT_EQ(hero.offsetY, 3) << "and climbs down it";
    });
}

TEST_F(Rules, EnteringACell) {
    inGame([&] {
        loadLevel(80, {
                          "P$ G - E     ",
                          "#####d## ####",
                          "#############",
                      });
        Runner& hero = *Goldrift::hero;
        ASSERT_EQ(Goldrift::goldLeft, 1);
        place(Goldrift::hero, 1, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(Goldrift::score, 10);
        EXPECT_EQ(Goldrift::goldLeft, 0);
        EXPECT_EQ(cellAt(1, 0), ' ');
        EXPECT_EQ(cellAt(7, 0), 'E') << "the last gold opens the exit";

        place(Goldrift::hero, 3, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(Goldrift::score, 20) << "dropped gold scores";
        EXPECT_EQ(cellAt(3, 0), ' ');

        place(Goldrift::hero, 5, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(hero.state, Runner::hanging);

        place(Goldrift::hero, 8, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(hero.state, Runner::falling);

        RunnerPtr guard = new Runner();
        Goldrift::enemies[0] = guard;
        Goldrift::enemyCount = 1;
        place(guard, 8, 1, Runner::trapped);
        place(Goldrift::hero, 8, 0, Runner::walking);
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(hero.state, Runner::walking) << "a trapped enemy below holds him up";
    });
}

TEST_F(Rules, EnemiesAreTrappedTakeGoldAndCatchTheHeroOnce) {
    inGame([&] {
        loadLevel(80, {
                          "  G- P      ",
                          "##d#########",
                          "#############",
                      });
        RunnerPtr guard = new Runner();
        Goldrift::enemies[0] = guard;
        Goldrift::enemyCount = 1;
        place(guard, 2, 0, Runner::walking);
        Goldrift::enterCell(guard);
        EXPECT_EQ(cellAt(2, 0), ' ') << "an enemy walking onto dropped gold takes it";
        EXPECT_EQ(Goldrift::score, 0);
        place(guard, 3, 0, Runner::standing);
        Goldrift::enterCell(guard);
        EXPECT_EQ(guard->state, Runner::standing) << "a standing enemy keeps its state on a handrail";
        place(guard, 2, 1, Runner::walking);
        Goldrift::enterCell(guard);
        EXPECT_EQ(guard->state, Runner::trapped);
        EXPECT_EQ(guard->timer, Goldrift::trapTime);

        RunnerPtr second = new Runner();
        Goldrift::enemies[1] = second;
        Goldrift::enemyCount = 2;
        place(guard, 5, 0, Runner::walking);
        place(second, 5, 0, Runner::walking);
        const int lives = Goldrift::lives;
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(Goldrift::lives, lives - 1) << "two enemies, one life";
        EXPECT_EQ(Goldrift::gameState, Goldrift::introState);
    });
}

TEST_F(Rules, TrappedGoldFallsOnlyIntoEmptyCells) {
    inGame([&] {
        loadLevel(80, {"P           ", "  d  d      ", "############"});
        RunnerPtr guard = new Runner();
        Goldrift::enemies[0] = guard;
        Goldrift::enemyCount = 1;
        Goldrift::setCell(cellOf(2, 0), u'-');
        int dropped = 0;
        for (int i = 0; i < 300; ++i) {
            place(guard, 2, 1, Runner::walking);
            Goldrift::enterCell(guard);
            ASSERT_EQ(cellAt(2, 0), '-') << "the handrail stays";
            place(guard, 5, 1, Runner::walking);
            Goldrift::enterCell(guard);
            if (cellAt(5, 0) == 'G') {
                ++dropped;
                Goldrift::setCell(cellOf(5, 0), u' ');
            }
        }
        EXPECT_GT(dropped, 10) << "about one in eight";
    });
}

TEST_F(Rules, AHoleOpensStaysAndGrowsBack) {
    inGame([&] {
        loadLevel(80, {"            ", " P          ", "############", "            "});
        Goldrift::hero->dirX = 0;
        ASSERT_TRUE(Goldrift::cutHole()) << "with no facing he cuts to the right";
        EXPECT_EQ(cellAt(2, 2), 'D');
        EXPECT_EQ(Goldrift::hero->state, Runner::digging);
        steps(4);
        EXPECT_EQ(cellAt(2, 2), 'd');
        EXPECT_EQ(Goldrift::hero->state, Runner::standing);
        steps(126);  // 8000 - 130 x 60 = 200 left
        EXPECT_EQ(cellAt(2, 2), 'd');
        steps(1);
        EXPECT_EQ(cellAt(2, 2), 'D');
        steps(2);
        EXPECT_EQ(cellAt(2, 2), 'D');
        steps(1);
        EXPECT_EQ(cellAt(2, 2), '#');
        EXPECT_EQ(Goldrift::holes[0][0], -1) << "the slot is free again";
    });
}

TEST_F(Rules, HolesThatCannotBeCut) {
    inGame([&] {
        loadLevel(80, {
                          "  $ H      P",
                          "#B##########",
                          "############",
                      });
        struct Cut {
            const char* what;
            int col, row, dirX;
        };
        const Cut cuts[] = {{"armour", 0, 0, 1}, {"under gold", 3, 0, -1}, {"under a ladder", 5, 0, -1},
                            {"outside the grid", 11, 0, 1}};
        for (const Cut& cut : cuts) {
            SCOPED_TRACE(cut.what);
            place(Goldrift::hero, cut.col, cut.row, Runner::standing);
            Goldrift::hero->dirX = cut.dirX;
            EXPECT_FALSE(Goldrift::cutHole());
            EXPECT_EQ(Goldrift::hero->state, Runner::standing);
        }
        for (int i = 0; i < Goldrift::holeSlots; ++i) Goldrift::holes[i][0] = 1000 + i;
        place(Goldrift::hero, 6, 0, Runner::standing);
        Goldrift::hero->dirX = 1;
        Sound::currentPlayer = nullptr;
        EXPECT_FALSE(Goldrift::cutHole()) << "every slot in use";
        EXPECT_FALSE(Sound::currentPlayer) << "no sound";
        EXPECT_EQ(cellAt(7, 1), '#');
    });
}

TEST_F(Rules, AnInvulnerableHeroKeepsTheHoleOpenUntilHeLeavesIt) {
    inGame([&] {
        loadLevel(80, {"            ", " P          ", "############", "############"});
        Goldrift::hero->dirX = 1;
        ASSERT_TRUE(Goldrift::cutHole());
        Goldrift::invulnerable = true;
        place(Goldrift::hero, 2, 2, Runner::standing);
        const int lives = Goldrift::lives;
        steps(200);
        EXPECT_NE(cellAt(2, 2), '#');
        EXPECT_EQ(Goldrift::holes[0][0], cellOf(2, 2));
        EXPECT_EQ(Goldrift::lives, lives);
        place(Goldrift::hero, 5, 1, Runner::standing);
        steps(1);
        EXPECT_EQ(cellAt(2, 2), '#');
        EXPECT_EQ(Goldrift::holes[0][0], -1);
    });
}

TEST_F(Rules, ABrickGrowingBackOnTheHeroCostsALife) {
    inGame([&] {
        loadLevel(80, {"            ", " P          ", "############", "############"});
        Goldrift::hero->dirX = 1;
        ASSERT_TRUE(Goldrift::cutHole());
        place(Goldrift::hero, 2, 2, Runner::standing);
        steps(140);
        EXPECT_EQ(Goldrift::lives, Goldrift::startLives - 1);
        EXPECT_EQ(Goldrift::gameState, Goldrift::introState);
        EXPECT_EQ(Goldrift::hero->cell, cellOf(1, 1)) << "the level starts again";
    });
}

TEST_F(Rules, ATrappedEnemyClimbsOutOrIsBuriedAndComesBack) {
    inGame([&] {
        loadLevel(80, {"P          ", "           ", "##d###d####", "###########"});
        Goldrift::setCell(cellOf(6, 1), u'#');
        RunnerPtr free = new Runner(), walled = new Runner();
        Goldrift::enemies[0] = free;
        Goldrift::enemies[1] = walled;
        Goldrift::enemyCount = 2;
        place(free, 2, 2, Runner::trapped);
        place(walled, 6, 2, Runner::trapped);
        free->timer = walled->timer = Goldrift::trapTime;
        steps(66);
        EXPECT_EQ(free->state, Runner::trapped);
        steps(1);
        EXPECT_EQ(free->row, 1) << "out after 4000";
        EXPECT_EQ(walled->state, Runner::buried);
        EXPECT_EQ(Goldrift::score, 15);

        Goldrift::enemies[0] = walled;
        Goldrift::enemyCount = 1;
        Goldrift::setCell(cellOf(6, 2), u'#');
        place(Goldrift::hero, 6, 0, Runner::standing);
        steps(251);
        EXPECT_EQ(walled->state, Runner::buried) << "the hero stands where it would come out";
        EXPECT_EQ(walled->timer, Goldrift::buryTime);
        place(Goldrift::hero, 0, 1, Runner::standing);
        steps(249);
        EXPECT_EQ(walled->state, Runner::buried);
        steps(2);
        EXPECT_EQ(walled->state, Runner::appearing);
        EXPECT_EQ(walled->row, 0) << "at the first cell above that is not a brick";
    });
}
