// The player's score: pop-ups, extra lives, fruit, ghosts and energisers; and his death.
#include <gtest/gtest.h>
#include "dotvor_fixture.h"
#include "sound.h"

namespace {

class Player : public DotvorTest {};

const std::vector<std::string> corridor = {"p.o..r", "111g11"};

DotvorBasePtr playerAt(int x, int y) {
    DotvorGame::player = new DotvorBase();
    DotvorGame::player->setPosition(DotvorTest::px(x), DotvorTest::px(y));
    return DotvorGame::player;
}

TEST_F(Player, BigScoresPopUpInTheirSlot) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorBasePtr player = playerAt(2, 1);
        const int points[] = {200, 400, 800, 1000, 1600, 2000, 3000, 4000, 5000};
        for (int slot = 0; slot < 9; ++slot) EXPECT_EQ(DotvorBase::popUpSlot(points[slot]), slot);
        for (SpriteBasePtr& s : DotvorGame::sprites) s = nullptr;
        for (int none : {15, 100, 3200}) player->addScore(none);
        for (const SpriteBasePtr& s : DotvorGame::sprites) EXPECT_FALSE(s);
        player->addScore(1600);
        ASSERT_TRUE(DotvorGame::sprites[4]);
        EXPECT_EQ(DotvorGame::sprites[4]->image.get(), DotvorGame::scoreImages[4].get());
        for (int i = 0; i <= SpriteBase::lifetime; ++i) DotvorGame::sprites[4]->update();
        EXPECT_EQ(DotvorGame::sprites[4]->index, -1) << "gone after five seconds";
    });
}

TEST_F(Player, OneLifeForEachTenThousandCrossed) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorBasePtr player = playerAt(2, 1);
        DotvorGame::lives = 2;
        DotvorGame::score = 9990;
        player->addScore(5);
        EXPECT_EQ(DotvorGame::lives, 2);
        player->addScore(15);
        EXPECT_EQ(DotvorGame::lives, 3);
        player->addScore(25000);
        EXPECT_EQ(DotvorGame::lives, 4) << "one life however many points";
        EXPECT_EQ(DotvorGame::score, 35010);
    });
}

TEST_F(Player, FruitPointsByKindAndMode) {
    const int fruitMode[] = {0, 200, 400, 800, 200, 400, 800, 200, 0};
    const int otherModes[] = {0, 400, 800, 1000, 2000, 3000, 4000, 5000, 0};
    for (int kind = 0; kind <= 8; ++kind) {
        EXPECT_EQ(DotvorBase::fruitPoints(kind, DotvorGame::fruitHunt), fruitMode[kind]) << kind;
        for (int mode : {0, 2, 3}) EXPECT_EQ(DotvorBase::fruitPoints(kind, mode), otherModes[kind]) << kind;
    }
}

TEST_F(Player, GhostsDoubleTheirPointsUntilTheNextEnergiser) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorGame::level() = 1;
        DotvorGame::score = 0;
        DotvorBasePtr player = playerAt(3, 1);
        player->direction->set(1, 0);
        player->lastCell->set(2, 1);
        // Entering the energiser's cell.
        player->update();
        EXPECT_EQ(DotvorGame::frightenSteps, 190);
        EXPECT_EQ(DotvorGame::score, 100);
        int expected = 100;
        for (int points : {200, 400, 800, 1600}) {
            player->setPosition(px(3), px(1));
            player->direction->set(0, 0);
            for (SpookyBasePtr& g : DotvorGame::ghosts) g = nullptr;
            DotvorGame::ghosts[0] = ghostAt(0, 0, 0);
            DotvorGame::ghosts[0]->setPosition(player->position->x, player->position->y);
            DotvorGame::ghosts[0]->frightened = true;
            player->update();
            expected += points;
            EXPECT_EQ(DotvorGame::score, expected);
            EXPECT_TRUE(DotvorGame::ghosts[0]->eyes);
        }
        EXPECT_EQ(player->ghostScore, 3200);
        DotvorGame::map->getCell(4, 1)->content = CellBase::energiser;
        player->setPosition(px(4), px(1));
        player->lastCell->set(3, 1);
        for (SpookyBasePtr& g : DotvorGame::ghosts) g = nullptr;
        player->update();
        EXPECT_EQ(player->ghostScore, 200) << "a second energiser starts the row again";
    });
}

TEST_F(Player, TheFrightenedTimeShrinksWithTheLevel) {
    inGame([](Dotvor&) {
        for (auto [level, steps] : {std::pair{1, 190}, {19, 10}, {20, 1}, {40, 1}}) {
            useMaze(corridor);
            DotvorGame::level() = level;
            DotvorBasePtr player = playerAt(3, 1);
            player->direction->set(1, 0);
            player->lastCell->set(2, 1);
            DotvorGame::frightenSteps = 0;
            player->update();
            EXPECT_EQ(DotvorGame::frightenSteps, steps) << level;
        }
    });
}

TEST_F(Player, GhostScoresStopAtABoundWhenTouchingEats) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorGame::ghostTouchEats = true;
        DotvorBasePtr player = playerAt(2, 1);
        for (int i = 0; i < 40; ++i) {
            DotvorGame::ghosts[0] = ghostAt(0, 0, 0);
            DotvorGame::ghosts[0]->setPosition(player->position->x, player->position->y);
            player->update();
            ASSERT_GT(player->ghostScore, 0);
        }
        EXPECT_EQ(player->ghostScore, DotvorGame::highestGhostScore);
        DotvorGame::ghostTouchEats = false;
    });
}

TEST_F(Player, ADeathWithoutFramesStillCostsALife) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorGame::deathFrames = nullptr;
        DotvorGame::lives = 0;
        DotvorBasePtr player = playerAt(2, 1);
        DotvorGame::ghosts[0] = ghostAt(0, 2, 1);
        player->update();
        EXPECT_EQ(player->dyingCountdown, 1);
        player->update();
        EXPECT_EQ(DotvorGame::lives, -1);
    });
}

TEST_F(Player, ADyingPlayerIgnoresEverything) {
    inGame([](Dotvor&) {
        useMaze(corridor);
        DotvorGame::lives = 3;
        DotvorGame::score = 0;
        DotvorBasePtr player = playerAt(2, 1);
        player->dyingCountdown = 5;
        player->lastCell->set(1, 1);
        DotvorGame::ghosts[0] = ghostAt(0, 2, 1);
        DotvorGame::ghosts[0]->frightened = true;
        player->update();
        EXPECT_EQ(DotvorGame::score, 0);
        EXPECT_FALSE(DotvorGame::ghosts[0]->eyes);
        EXPECT_EQ(player->dyingCountdown, 4);
    });
}

}  // namespace
