// The creatures: coming in through the gate, drifting and turning, steering round bricks,
// and letting a swallowed ball go when they die.
#include <gtest/gtest.h>
#include "bonus.h"
#include "bxmplatform.h"
#include "ce_system.h"
#include "enemy.h"
#include "game_fixture.h"

namespace {

EnemyPtr spawned(Brixmoor& game) {
    EnemyPtr enemy = game.enemies[0];
    for (int i = 0; i < 100000 && !enemy->alive; ++i) enemy->spawn();
    return enemy;
}

TEST_F(GameTest, CreatureComesInStraightDownThenTurns) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        EnemyPtr enemy = spawned(game);
        ASSERT_TRUE(enemy->alive);
        EXPECT_GE(enemy->kind, 0);
        EXPECT_LE(enemy->kind, 2);
        EXPECT_EQ(enemy->x, 88);
        EXPECT_EQ(enemy->y, -enemy->height);
        EXPECT_FALSE(Brixmoor::platform->exitSign->finished) << "the gate opens";
        for (int frame = 0; frame < 40; ++frame) {
            enemy->update();
            Sleep(25);
        }
        EXPECT_EQ(enemy->x, 88);
        EXPECT_EQ(enemy->y, -enemy->height + 40);
        Sleep(4000);
        enemy->update();
        EXPECT_TRUE(enemy->dx == 1 || enemy->dx == -1 || enemy->dx == -3) << enemy->dx;
    });
}

TEST_F(GameTest, CreatureTurnsAtTheFieldsEdges) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        EnemyPtr enemy = spawned(game);
        enemy->lastTurn = GetTickCount();
        enemy->x = BrickList::fieldLeft + 5;
        enemy->y = 100;
        enemy->dx = -3;
        enemy->dy = 0;
        enemy->update();
        EXPECT_EQ(enemy->dx, 1) << "pushed right at the left end";
        enemy->x = 100;
        enemy->y = 220 - 30;
        enemy->dy = 1;
        enemy->update();
        EXPECT_EQ(enemy->dy, -1) << "turned up near the bottom";
    });
}

TEST_F(GameTest, CreaturesSteerRoundStandingBricksOnly) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        EnemyPtr enemy = game.enemies[0];
        GameTest::place(10, 0, 6, 1);
        GameTest::place(10, 3, Brick::destroyed, 0);
        const int y = Brixmoor::brickList->top + 10 * Brixmoor::brickList->brickHeight + 2;
        EXPECT_TRUE(enemy->blocked(BrickList::fieldLeft + 2, y));
        EXPECT_TRUE(enemy->blocked(BrickList::fieldLeft - 3, y)) << "just left of the field is column 0";
        EXPECT_FALSE(enemy->blocked(BrickList::fieldLeft - 20, y));
        EXPECT_FALSE(enemy->blocked(BrickList::fieldLeft + 3 * 15 + 2, y)) << "a breaking brick is no wall";
        EXPECT_FALSE(enemy->blocked(100, -5));
    });
}

TEST_F(GameTest, KilledCarrierLetsItsBallGoWithALife) {
    inGame([](Brixmoor& game) {
        EnemyPtr enemy = spawned(game);
        BallPtr ball = game.balls[1];
        ball->setActive(true);
        ball->live = false;
        enemy->kind = Enemy::carrier;
        enemy->carried = ball;
        enemy->x = 60;
        enemy->y = 120;
        const int inPlay = Brixmoor::platform->ballsInPlay;
        enemy->kill();
        EXPECT_FALSE(enemy->alive);
        EXPECT_FALSE(enemy->carried);
        EXPECT_TRUE(ball->live);
        EXPECT_EQ(ball->x, 60);
        EXPECT_EQ(ball->y, 120);
        EXPECT_EQ(Brixmoor::platform->ballsInPlay, inPlay + 1);
        EXPECT_EQ(Brixmoor::platform->bonuses[0]->kind, 7);
    });
}

}  // namespace
