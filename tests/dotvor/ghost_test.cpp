// The ghosts' choice of way at each cell, on small mazes, with the shared generator seeded.
#include <gtest/gtest.h>
#include "dotvor_fixture.h"
#include <functional>
#include <set>
#include "gamelib.h"
#include "homingrule.h"

namespace {

class Ghosts : public DotvorTest {};
class GhostsOnTheLargeScreen : public PocketPcDotvorTest {};

// A ghost at cell (x, y) that decided last at the cell one step back against (dx, dy) and
// is moving that way; its update decides again at once.
SpookyBasePtr arriving(int x, int y, int dx, int dy, int kind = 0) {
    SpookyBasePtr ghost = DotvorTest::ghostAt(kind, x, y);
    ghost->lastCell->set(x - dx, y - dy);
    ghost->direction->set(dx, dy);
    return ghost;
}

void placePlayer(int x, int y) {
    DotvorGame::player = new DotvorBase();
    DotvorGame::player->setPosition(DotvorTest::px(x), DotvorTest::px(y));
}

// The directions the ghost takes over many seeds.
std::set<std::pair<int, int>> choices(int x, int y, int dx, int dy,
                                      const std::function<void(SpookyBase&)>& setUp = {}) {
    std::set<std::pair<int, int>> taken;
    for (int seed = 1; seed <= 40; ++seed) {
        SpookyBasePtr ghost = arriving(x, y, dx, dy);
        if (setUp) setUp(*ghost);
        GameLib::sharedRandom->setSeed(seed);
        ghost->update();
        taken.insert({ghost->direction->x, ghost->direction->y});
    }
    return taken;
}

const std::vector<std::string> crossing = {
    "111.111",
    "111.111",
    "p.....r",
    "111.111",
    "g11.111",
};

TEST_F(Ghosts, ADeadEndTurnsTheGhostBackAndACrossingNever) {
    inGame([](Dotvor&) {
        DotvorGame::frightenSteps = 0;
        useMaze({"p.....", "1r1g11"});
        placePlayer(1, 1);
        EXPECT_EQ(choices(6, 1, 1, 0), (std::set<std::pair<int, int>>{{-1, 0}}));

        useMaze(crossing);
        placePlayer(1, 5);
        for (auto way : choices(4, 3, 1, 0)) EXPECT_NE(way, std::make_pair(-1, 0)) << "back the way it came";
    });
}

TEST_F(Ghosts, AHuntingGhostLevelWithThePlayerGoesStraightAtHim) {
    inGame([](Dotvor&) {
        DotvorGame::frightenSteps = 0;
        useMaze(crossing);
        placePlayer(7, 3);
        EXPECT_EQ(choices(4, 3, 0, 1), (std::set<std::pair<int, int>>{{1, 0}}));
        // With the way towards him walled, any open way that is not back.
        placePlayer(1, 3);
        useMaze({"111.111", "111.111", "p111..r", "111.111", "g11.111"});
        placePlayer(1, 3);
        for (auto way : choices(4, 3, 0, 1)) EXPECT_NE(way, std::make_pair(0, -1));
    });
}

TEST_F(Ghosts, AFrightenedGhostRunsAway) {
    inGame([](Dotvor&) {
        DotvorGame::frightenSteps = 100;
        useMaze(crossing);
        placePlayer(7, 3);  // level with the ghost, to the right
        auto frightened = [](SpookyBase& ghost) { ghost.frightened = true; };
        EXPECT_FALSE(choices(4, 3, 0, 1, frightened).count({1, 0})) << "never towards him";
        placePlayer(4, 1);  // well above: down, or sideways either way
        const auto taken = choices(4, 3, 1, 0, frightened);
        EXPECT_FALSE(taken.count({0, -1}));
        EXPECT_TRUE(taken.count({0, 1}));
        DotvorGame::frightenSteps = 0;
    });
}

TEST_F(Ghosts, EyesGoHomeAndSetOffUpwards) {
    inGame([](Dotvor&) {
        useMaze({"p......", "111#111", "111r111", "g111111"});
        placePlayer(1, 1);
        auto eyes = [](SpookyBase& ghost) { ghost.eyes = true; };
        EXPECT_EQ(choices(4, 2, 1, 0, eyes), (std::set<std::pair<int, int>>{{0, 1}})) << "down through the door";
        SpookyBasePtr ghost = arriving(4, 3, 0, 1);
        ghost->eyes = true;
        ghost->update();
        EXPECT_FALSE(ghost->eyes);
        EXPECT_TRUE(ghost->direction->is(0, -1));
        EXPECT_EQ(ghost->image.get(), DotvorGame::ghostImages[1].get()) << "the red ghost looking up";
    });
}

// Eyes sent home, by either home's ghosts, from every open cell of every map the game ships;
// they come into the cell from its first open neighbour.
void eyesGetHomeOnEveryMap() {
    const auto& ways = HomingRule::ways;
    DotvorGame::gameMode = 0;
    DotvorTest::startPlaying();
    DotvorGame::frightenSteps = 0;
    const int bound = 3000;
    for (int index = 0; index < DotvorGame::mapCount; ++index) {
        const dfc::lang::DStringPtr name =
            dfc::lang::DStringPtr(index < 10 ? u"/dtv/maps/map0" : u"/dtv/maps/map") + index + u".txt";
        DotvorGame::map->load(name);
        DotvorGame::map->chooseTiles();
        int lost = 0, seed = 0;
        std::string first;
        for (int y = 1; y <= DotvorGame::mapHeight; ++y)
            for (int x = 1; x <= DotvorGame::mapWidth; ++x) {
                if (!DotvorGame::map->getCell(x, y)->isOpen()) continue;
                int way = 0;
                while (way < 4 && !DotvorGame::map->getCell(x - ways[way][0], y - ways[way][1])->isOpen()) ++way;
                if (way == 4) continue;
                for (int kind : {0, 1}) {
                    SpookyBasePtr ghost = arriving(x, y, ways[way][0], ways[way][1], kind);
                    ghost->eyes = true;
                    GameLib::sharedRandom->setSeed(++seed);
                    for (int step = 0; step < bound && ghost->eyes; ++step) ghost->update();
                    if (!ghost->eyes) continue;
                    if (lost++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
                }
            }
        EXPECT_EQ(lost, 0) << "map " << index << ": eyes still out after " << bound << " steps, first from " << first;
    }
}

TEST_F(Ghosts, EyesGetHomeFromEveryCellOfEveryMap) {
    inGame([](Dotvor&) { eyesGetHomeOnEveryMap(); });
}

TEST_F(GhostsOnTheLargeScreen, EyesGetHomeFromEveryCellOfEveryMap) {
    inGame([](Dotvor&) { eyesGetHomeOnEveryMap(); });
}

TEST_F(Ghosts, ATunnelPutsTheGhostOneCellBeyondTheFarEnd) {
    inGame([](Dotvor&) {
        useMaze({"*.p..r*", "1111g11"});
        placePlayer(3, 1);
        SpookyBasePtr ghost = arriving(1, 1, -1, 0);
        ghost->update();
        EXPECT_EQ(ghost->lastCell->x, 6);
        EXPECT_EQ(ghost->position->x, DotvorTest::px(6) - DotvorGame::ghostSpeedNormal);
    });
}

TEST_F(Ghosts, FrightenedGhostsBlinkInTheLastSteps) {
    inGame([](Dotvor&) {
        useMaze(crossing);
        SpookyBasePtr ghost = ghostAt(2, 4, 3);
        ghost->frightened = true;
        ghost->direction->set(0, 1);
        for (int steps : {200, 89, 88, 87, 86, 84, 90}) {
            DotvorGame::frightenSteps = steps;
            ghost->updateImage();
            const bool blinking = steps < 90 && steps % 6 < 3;
            EXPECT_EQ(ghost->image.get(), DotvorGame::ghostImages[blinking ? 0 : 16].get()) << steps;
        }
        DotvorGame::frightenSteps = 0;
        ghost->eyes = true;
        ghost->direction->set(1, 0);
        ghost->updateImage();
        EXPECT_EQ(ghost->image.get(), DotvorGame::ghostImages[22].get()) << "eyes looking right";
    });
}

}  // namespace
