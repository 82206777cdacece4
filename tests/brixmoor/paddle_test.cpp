// The paddle: what each capsule does when caught, the size changes and their limits, the
// guns, and the walls.
#include <gtest/gtest.h>
#include "bonus.h"
#include "bxmplatform.h"
#include "game_fixture.h"

namespace {

// Drops a capsule of the kind onto the paddle (at 88, 203 after a reset) and lets it be caught.
int catchCapsule(int kind, int lives = 3) {
    const PlatformPtr& paddle = Brixmoor::platform;
    paddle->bonuses[0]->start(kind, paddle->x - 8, paddle->y - 6);
    return paddle->catchBonuses(lives, Brixmoor::theGame->ballCount);
}

// Paints the paddle until its look change is over.
void finishLookChange() {
    for (int i = 0; i < 100 && Brixmoor::platform->transforming; ++i) Brixmoor::platform->paint();
}

TEST_F(GameTest, EachCapsuleHasItsEffect) {
    inGame([](Brixmoor& game) {
        const PlatformPtr& paddle = Brixmoor::platform;
        const BallPtr& ball = game.balls[0];
        const struct {
            int kind;
            std::function<bool(int lives)> happened;
        } cases[] = {
            {1, [&](int) { return paddle->armedGuns && paddle->state == Platform::arm && paddle->transforming; }},
            {2, [&](int) { return paddle->sticky; }},
            {3, [&](int) { return paddle->state == Platform::shrink && paddle->size == Platform::smallSize; }},
            {4, [&](int) { return paddle->state == Platform::grow && paddle->size == Platform::bigSize; }},
            {5, [&](int) { return ball->speed == 4; }},
            {6, [&](int) { return ball->look == Ball::smallFire; }},
            {7, [&](int lives) { return lives == 4; }},
            {8, [&](int) { return ball->look == Ball::normal; }},
            {9, [&](int) { return ball->look == Ball::small; }},
            {10, [&](int) { return ball->speed == 2; }},
            {11, [&](int) { return paddle->ballsInPlay == 2 || paddle->ballsInPlay == 4; }},
            {12, [&](int) { return paddle->turbo && !paddle->transforming; }},
        };
        for (const auto& c : cases) {
            game.resetField();
            ASSERT_EQ(ball->speed, 3) << "served";
            const int lives = catchCapsule(c.kind);
            EXPECT_TRUE(c.happened(lives)) << "capsule " << c.kind;
            EXPECT_EQ(paddle->bonuses[0]->kind, 0) << "capsule " << c.kind;
        }
    });
}

TEST_F(GameTest, SizeChangesStopAtTheSmallestAndBiggest) {
    inGame([](Brixmoor& game) {
        const PlatformPtr& paddle = Brixmoor::platform;
        game.resetField();
        const int normal = paddle->width;
        catchCapsule(3);
        finishLookChange();
        const int small = paddle->width;
        EXPECT_LT(small, normal);
        catchCapsule(3);
        EXPECT_FALSE(paddle->transforming);
        EXPECT_EQ(paddle->size, Platform::smallSize);
        catchCapsule(4);
        finishLookChange();
        EXPECT_EQ(paddle->width, normal);
        catchCapsule(4);
        finishLookChange();
        EXPECT_GT(paddle->width, normal);
        catchCapsule(4);
        EXPECT_FALSE(paddle->transforming);
        EXPECT_EQ(paddle->size, Platform::bigSize);
    });
}

TEST_F(GameTest, CapsuleCaughtDuringALookChangeIsLost) {
    inGame([](Brixmoor& game) {
        game.resetField();
        catchCapsule(4);
        ASSERT_TRUE(Brixmoor::platform->transforming);
        catchCapsule(6);
        EXPECT_EQ(game.balls[0]->look, Ball::small);
        EXPECT_EQ(Brixmoor::platform->bonuses[0]->kind, 0);
    });
}

// Faster and slower go from the first ball while balls are live; slower leaves slow balls.
TEST_F(GameTest, SpeedCapsulesStopAtTheFirstBallOutOfPlay) {
    inGame([](Brixmoor& game) {
        const struct {
            int kind;
            bool live[3];
            int speeds[3];
            int want[3];
        } cases[] = {
            {5, {true, false, true}, {3, 3, 3}, {4, 3, 3}},
            {10, {true, true, true}, {5, 2, 5}, {4, 2, 5}},
            {10, {true, false, true}, {3, 3, 3}, {2, 3, 3}},
        };
        for (const auto& c : cases) {
            game.resetField();
            for (int i = 0; i < 3; ++i) {
                game.balls[i]->live = c.live[i];
                game.balls[i]->speed = c.speeds[i];
            }
            catchCapsule(c.kind);
            for (int i = 0; i < 3; ++i) EXPECT_EQ(game.balls[i]->speed, c.want[i]) << c.kind << " ball " << i;
        }
    });
}

TEST_F(GameTest, MoreBallsNeedFreeBalls) {
    inGame([](Brixmoor& game) {
        game.resetField();
        for (int i = 0; i < game.ballCount; ++i) game.balls[i]->setActive(true);
        Brixmoor::platform->ballsInPlay = game.ballCount;
        catchCapsule(11);
        EXPECT_EQ(Brixmoor::platform->ballsInPlay, game.ballCount);
    });
}

TEST_F(GameTest, GunsFireOneVolleyAtATime) {
    inGame([](Brixmoor& game) {
        const PlatformPtr& paddle = Brixmoor::platform;
        game.resetField();
        catchCapsule(1);
        paddle->fireBullets();
        EXPECT_FALSE(paddle->bulletA) << "not before the guns are mounted";
        finishLookChange();
        paddle->fireBullets();
        ASSERT_TRUE(paddle->bulletA);
        ASSERT_TRUE(paddle->bulletB);
        EXPECT_LT(paddle->bulletA->x, paddle->x);
        EXPECT_GT(paddle->bulletB->x, paddle->x);
        paddle->stepBullets();
        const int y = paddle->bulletA->y;
        paddle->fireBullets();
        EXPECT_EQ(paddle->bulletA->y, y) << "a bullet in flight is not fired again";
        for (int i = 0; i < 200 && (paddle->bulletA || paddle->bulletB); ++i) paddle->stepBullets();
        EXPECT_FALSE(paddle->bulletA);
        EXPECT_FALSE(paddle->bulletB);
    });
}

// The paddle stops at the field's sides; the flames' flag is set all the same.
TEST_F(GameTest, PaddleStopsAtTheFieldsSides) {
    inGame([](Brixmoor& game) {
        const PlatformPtr& paddle = Brixmoor::platform;
        game.resetField();
        paddle->paint();
        for (int i = 0; i < 100; ++i) paddle->move(false);
        EXPECT_GE(paddle->x - paddle->width / 2, BrickList::fieldLeft - paddle->speed);
        EXPECT_LE(paddle->x - paddle->width / 2, BrickList::fieldLeft);
        paddle->movedLeft = false;
        paddle->move(false);
        EXPECT_TRUE(paddle->movedLeft);
        for (int i = 0; i < 100; ++i) paddle->move(true);
        const int right = BrickList::fieldLeft + Brixmoor::brickList->fieldWidth;
        EXPECT_GE(paddle->x + paddle->width / 2, right);
        EXPECT_LE(paddle->x + paddle->width / 2, right + paddle->speed);
    });
}

}  // namespace
