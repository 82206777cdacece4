// The game flow: the four modes' goals and clocks, the order of the maps, the level jump,
// and the cases where the flow must hold against damaged data or awkward timing.
#include <gtest/gtest.h>
#include <set>
#include "dotvor_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "screencanvas.h"

namespace {

class Flow : public DotvorTest {};

// A small playable maze: a ring round two ghost houses, tunnels on the middle row.
const std::vector<std::string> ring = {
    "...........",
    ".111#1#111.",
    ".111r1g111.",
    "*.1111111.*",
    ".....p.....",
};

void playOn(const std::vector<std::string>& rows, int mode) {
    DotvorGame::gameMode = mode;
    DotvorTest::useMaze(rows);
    DotvorGame::playMode = 1;
    DotvorGame::lives = 3;
    DotvorGame::levelEnded = false;
    DotvorGame::game->prepareLevel();
    DotvorGame::introSteps = 0;
}

TEST_F(Flow, MapsComeInOrderAndRoundAgainButTheLastNeverAtRandom) {
    inGame([](Dotvor&) {
        DotvorGamePtr game = DotvorGame::game;
        EXPECT_EQ(game->mapIndex(1), 0);
        EXPECT_EQ(game->mapIndex(12), 11);
        EXPECT_EQ(game->mapIndex(13), 12);
        EXPECT_EQ(game->mapIndex(14), 0);
        DotvorGame::levelsRandom = true;
        std::set<int> drawn;
        for (int i = 0; i < 500; ++i) drawn.insert(game->mapIndex(13));
        DotvorGame::levelsRandom = false;
        EXPECT_EQ(*drawn.rbegin(), 11);
        EXPECT_EQ(*drawn.begin(), 0);
    });
}

TEST_F(Flow, ANewGameLoadsTheFirstMapOfTheBuiltData) {
    inGame([](Dotvor&) {
        DotvorGame::gameMode = 0;
        startPlaying();
        EXPECT_EQ(DotvorGame::level(), 1);
        EXPECT_EQ(DotvorGame::lives, 5);
        EXPECT_EQ(DotvorGame::wallSet, 3);
        EXPECT_EQ(DotvorGame::mapWidth, 20);
        EXPECT_EQ(DotvorGame::mapHeight, 25);
        EXPECT_EQ(DotvorGame::viewX, 0);
        EXPECT_EQ(DotvorGame::map->dotsLeft, 253);
    });
}

TEST_F(Flow, TheLevelJump) {
    inGame([](Dotvor&) {
        startPlaying();
        KeyState::numberEntered = true;
        KeyState::enteredNumber = 0;
        steps(1);
        EXPECT_TRUE(DotvorGame::ghostTouchEats);
        KeyState::numberEntered = true;
        steps(1);
        EXPECT_FALSE(DotvorGame::ghostTouchEats);

        KeyState::numberEntered = true;
        KeyState::enteredNumber = 5;
        steps(1);
        EXPECT_TRUE(DotvorGame::levelEnded);
        steps(DotvorGame::levelEndSteps);
        EXPECT_EQ(DotvorGame::level(), 5);
        EXPECT_FALSE(DotvorGame::levelEnded);
        EXPECT_EQ(DotvorGame::wallSet, 0) << "map 04";
    });
}

TEST_F(Flow, FruitModeEndsALevelAtThreeFruitsAPerLevel) {
    inGame([](Dotvor&) {
        playOn(ring, DotvorGame::fruitHunt);
        DotvorGame::level() = 3;
        DotvorGame::fruitsEaten = 8;
        steps(1);
        EXPECT_FALSE(DotvorGame::levelEnded);
        DotvorGame::fruitsEaten = 9;
        steps(1);
        EXPECT_TRUE(DotvorGame::levelEnded);
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, TheTimeRunEndsTheLevelWithoutCostingALife) {
    inGame([](Dotvor&) {
        playOn(ring, DotvorGame::timeRun);
        ASSERT_TRUE(DotvorGame::game->energiserCell) << "the one energiser";
        DotvorGame::timeElapsed = DotvorGame::timeLimit - DotvorGame::stepMillis;
        steps(1);
        EXPECT_TRUE(DotvorGame::levelEnded);
        EXPECT_EQ(DotvorGame::lives, 3);
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, TheGhostHuntCostsALifeWhenTheClockRunsOutAndKeepsTheGhostsEaten) {
    inGame([](Dotvor&) {
        DotvorGame::level() = 2;
        DotvorGame::ghostsEaten = 2;
        playOn(ring, DotvorGame::ghostHunt);
        EXPECT_EQ(DotvorGame::timeLimit, 59000);
        EXPECT_TRUE(DotvorGame::ghosts[0]->frightened);
        EXPECT_TRUE(!DotvorGame::ghosts[1]->frightened && !DotvorGame::ghosts[2]->frightened) << "two already eaten";
        EXPECT_TRUE(DotvorGame::ghosts[3]->frightened);
        DotvorGame::timeElapsed = DotvorGame::timeLimit;
        steps(1);
        EXPECT_EQ(DotvorGame::lives, 2);
        EXPECT_EQ(DotvorGame::ghostsEaten, 2);
        EXPECT_FALSE(DotvorGame::levelEnded);
        EXPECT_GT(DotvorGame::introSteps, 0) << "the level starts again";

        // From level 61 on the clock stays at ten seconds.
        DotvorGame::level() = 75;
        DotvorGame::game->startLevel();
        EXPECT_EQ(DotvorGame::timeLimit, DotvorGame::shortestKillTime);
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, TwoGhostsEatenInOneStepEndTheGhostHunt) {
    inGame([](Dotvor&) {
        playOn(ring, DotvorGame::ghostHunt);
        DotvorGame::ghostsEaten = 3;
        // Two ghosts on the player in the same step.
        for (int i : {2, 3}) {
            DotvorGame::ghosts[i]->setPosition(DotvorGame::player->position->x, DotvorGame::player->position->y);
            DotvorGame::ghosts[i]->frightened = true;
        }
        steps(1);
        EXPECT_GE(DotvorGame::ghostsEaten, 4);
        steps(1);
        EXPECT_TRUE(DotvorGame::levelEnded);
        EXPECT_EQ(DotvorGame::ghostsEaten, 0);
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, ATimeOutWhileAFinishedLevelWaitsChangesNothing) {
    inGame([](Dotvor&) {
        playOn(ring, DotvorGame::ghostHunt);
        DotvorGame::levelEnded = true;
        DotvorGame::timeElapsed = DotvorGame::timeLimit + 1000;
        DotvorGame::levelEndSteps = 10;
        steps(3);
        EXPECT_EQ(DotvorGame::lives, 3);
        EXPECT_TRUE(DotvorGame::levelEnded);
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, RandomPlacesAreOnlyWhereThePlayerCanGo) {
    inGame([](Dotvor&) {
        // A closed pocket in the corner and the houses must never get a ghost or the energiser.
        const std::vector<std::string> pocket = {
            "0111.......", ".111#1#111.", "1111r1g111.", "*.1111111.*", ".....p.....",
        };
        for (int mode : {DotvorGame::timeRun, DotvorGame::ghostHunt}) {
            for (int round = 0; round < 30; ++round) {
                DotvorGame::gameMode = mode;
                useMaze(pocket);
                const MapBase::Cells reachable = DotvorGame::map->reachableEmptyCells();
                auto inReach = [&](int x, int y) {
                    for (auto cell : reachable)
                        if (cell.first == x && cell.second == y) return true;
                    return false;
                };
                ASSERT_FALSE(inReach(1, 1));
                ASSERT_FALSE(inReach(5, 3));
                playOn(pocket, mode);
                if (mode == DotvorGame::timeRun) {
                    const rectanglePtr& area = DotvorGame::game->energiserCell->area;
                    EXPECT_TRUE(inReach(area->left / px(1), area->top / px(1)));
                    continue;
                }
                for (const SpookyBasePtr& ghost : DotvorGame::ghosts)
                    EXPECT_TRUE(inReach(ghost->cellX(), ghost->cellY()));
            }
        }
        DotvorGame::gameMode = 0;
    });
}

// The hunted ghosts restart where the player does not meet them at once, on every life.
TEST_F(Flow, TheHuntedGhostsRestartAwayFromThePlayer) {
    inGame([](Dotvor&) {
        // In the ring, within five moves of the start lie its whole row and the two cells at
        // the ends of the row above; the top row is close by eye but nine moves or more away.
        for (int round = 0; round < 30; ++round) {
            playOn(ring, DotvorGame::ghostHunt);
            for (int life = 0; life < 2; ++life) {
                for (const SpookyBasePtr& ghost : DotvorGame::ghosts) {
                    const int x = ghost->cellX(), y = ghost->cellY();
                    EXPECT_TRUE(y != 5 && !(y == 4 && (x == 2 || x == 10))) << "a ghost at (" << x << ", " << y << ")";
                }
                DotvorGame::timeElapsed = DotvorGame::timeLimit;
                steps(1);
            }
        }
        // A maze with no cell six moves away: all four go to the farthest one.
        const std::vector<std::string> nook = {".p...", "1#1#1", "1r1g1"};
        playOn(nook, DotvorGame::ghostHunt);
        for (const SpookyBasePtr& ghost : DotvorGame::ghosts) {
            EXPECT_EQ(ghost->cellX(), 5);
            EXPECT_EQ(ghost->cellY(), 1);
        }
        DotvorGame::gameMode = 0;
    });
}

TEST_F(Flow, AFruitFindsAPlaceWithoutATunnel) {
    inGame([](Dotvor&) {
        playOn({".......", ".1#1#1.", ".1r1g1.", "...p..."}, 0);
        DotvorGame::fruitDelay = 0;
        steps(1);
        ASSERT_TRUE(DotvorGame::fruit);
        EXPECT_GE(DotvorGame::fruit->kind, 1);
        EXPECT_LE(DotvorGame::fruit->kind, 7);
        steps(30);
    });
}

TEST_F(Flow, AFruitTakesATunnelToItsFarEnd) {
    inGame([](Dotvor&) {
        playOn(ring, 0);
        FruitBasePtr fruit = new FruitBase();
        fruit->kind = 1;
        fruit->setPosition(px(1), px(4));
        fruit->lastCell->set(2, 4);
        fruit->direction->set(-1, 0);
        fruit->update();
        EXPECT_EQ(fruit->lastCell->x, 11);
        EXPECT_EQ(fruit->lastCell->y, 4);
        fruit->update();
        EXPECT_EQ(fruit->lastCell->x, 11) << "no jump back";
    });
}

TEST_F(Flow, PlayCannotStartWithoutACellSize) {
    inGame([](Dotvor&) {
        const int size = DotvorGame::cellWidth;
        DotvorGame::cellWidth = 0;
        EXPECT_FALSE(DotvorGame::game->newGame());
        EXPECT_NE(diagnostics().find("cannot be played"), std::string::npos) << diagnostics();
        DotvorGame::cellWidth = size;
    });
}

TEST_F(Flow, AMapWithoutItsStartsIsRefusedAndTheMenuStays) {
    inGame([](Dotvor&) {
        // A maze measured one row high reads only the top row of the first map: no starts.
        DotvorGame::mapHeight = 1;
        EXPECT_FALSE(DotvorGame::game->newGame());
        EXPECT_NE(diagnostics().find("map00.txt: no player start"), std::string::npos) << diagnostics();
        EXPECT_EQ(DotvorGame::playMode, 0);
        EXPECT_EQ(Dotvor::menuPage, Dotvor::mainPage);
        DotvorGame::mapHeight = 25;
    });
}

TEST_F(Flow, TheStylusSteersTowardsWhereItIsHeld) {
    inGame([](Dotvor&) {
        playOn(ring, 0);
        const vector_3dPtr at = DotvorGame::player->position;
        const int s = DotvorGame::cellWidth, x = at->x + DotvorGame::viewX, y = at->y + DotvorGame::viewY;
        struct Case {
            int dx, dy, direction;
        };
        const Case cases[] = {
            {3 * s, 1, 1},        // in its row, to the right
            {-3 * s, 1, 0},       // in its row, to the left
            {1, -3 * s, 2},       // in its column, above
            {1, 3 * s, 3},        // in its column, below
            {4 * s, -2 * s, 1},   // off both: the longer way
            {-s, -4 * s, 2},
            {1, 1, -1},           // on the player
        };
        KeyState::pointerDown = true;
        for (const Case& c : cases) {
            KeyState::pointerX = x + c.dx;
            KeyState::pointerY = y + c.dy;
            DotvorGame::newFrame = true;
            EXPECT_EQ(DotvorGame::readDirection(), c.direction) << c.dx << ", " << c.dy;
            KeyState::pointerDown = true;
        }
        DotvorGame::newFrame = true;
        EXPECT_EQ(DotvorGame::readDirection(), -1) << "the same point again in a new frame";
        KeyState::pointerDown = false;
    });
}

TEST_F(Flow, WithoutAPauseSignTheCornerDoesNotPause) {
    inGame([](Dotvor&) {
        playOn(ring, 0);
        const auto sign = GameMenu::pauseImage;
        GameMenu::pauseImage = nullptr;
        KeyState::pointerDown = true;
        KeyState::pointerX = ScreenCanvas::screenWidth - 1;
        KeyState::pointerY = 0;
        steps(1);
        EXPECT_EQ(DotvorGame::playMode, 1);
        DotvorGame::game->paint();
        GameMenu::pauseImage = sign;
        KeyState::pointerDown = false;
        if (sign) {
            KeyState::pointerDown = true;
            steps(1);
            EXPECT_EQ(DotvorGame::playMode, 0);
            EXPECT_EQ(Dotvor::menuPage, Dotvor::pausePage);
            KeyState::pointerDown = false;
        }
    });
}

// The application's pause is a press and a release of its key on two frames in a row; the game
// steps on every second frame and still sees it on either.
TEST_F(Flow, ThePauseOfTheApplicationIsSeenOnEveryFrame) {
    inGame([](Dotvor&) {
        for (int toggle = 0; toggle < 2; ++toggle) {
            playOn(ring, 0);
            while (Dotvor::stepToggle != toggle) frames(1);
            ASSERT_EQ(DotvorGame::playMode, 1);
            GameLib::gameLib->pauseApp();
            frames(3);
            EXPECT_EQ(DotvorGame::playMode, 0) << toggle;
            EXPECT_EQ(Dotvor::menuPage, Dotvor::pausePage) << toggle;
        }
    });
}

TEST_F(Flow, TheGameIsOverAfterTheLastLife) {
    inGame([](Dotvor&) {
        playOn(ring, 0);
        DotvorGame::score = 5000;
        DotvorGame::lives = -1;
        steps(DotvorGame::gameOverSteps);
        EXPECT_EQ(DotvorGame::playMode, 0);
        EXPECT_FALSE(DotvorGame::player);
        EXPECT_EQ(GameTables::dotvorMenu->mode, GameMenu::namePage);
    });
}

}  // namespace
