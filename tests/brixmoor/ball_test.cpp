// A ball's frame: the paddle bounce, the walls, falling out, the climb table, its looks.
#include <gtest/gtest.h>
#include "ball.h"
#include "bonus.h"
#include "game_fixture.h"
#include "gamelib.h"

namespace {

// The paddle of these cases: centre 88, top 203, 30 wide.
constexpr int paddleX = 88, paddleTop = 203, paddleLeft = 73, paddleRight = 103;

TEST_F(GameTest, BallLeavesThePaddleBySpotItHits) {
    inGame([](Brixmoor&) {
        const struct {
            const char* what;
            int x, y, vx, vy;  // before the frame, speed 1
            int left, right;
            bool caught;
            int wantVx, wantVy;
        } cases[] = {
            {"the exact middle", 88, 200, 0, 16, paddleLeft, paddleRight, true, -1, -16},
            {"one pixel left of the middle", 87, 200, 0, 16, paddleLeft, paddleRight, true, -1, -16},
            {"two pixels right of the middle", 90, 200, 0, 16, paddleLeft, paddleRight, true, 1, -16},
            {"the right end", 106, 200, 0, 16, paddleLeft, paddleRight, true, (15 + 3) >> 1, -13},
            {"the left end", 70, 200, 0, 16, paddleLeft, paddleRight, true, -9, -13},
            {"the right end of a wide paddle, clamped", 103, 200, 0, 16, 0, 100, true, 15, -5},
            {"the left end of a wide paddle, clamped", -3, 200, 0, 16, 0, 100, true, -15, -5},
            {"one pixel past the right end", 107, 200, 0, 16, paddleLeft, paddleRight, false, 0, 16},
            {"crossing the top from below", 88, 205, 0, -16, paddleLeft, paddleRight, false, 0, -16},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            BallPtr ball = GameTest::flyingBall(Ball::small, c.x, c.y, c.vx, c.vy);
            ASSERT_EQ(ball->radius, 3);
            EXPECT_FALSE(ball->step(paddleX, paddleTop, c.left, c.right, false));
            EXPECT_EQ(ball->vx, c.wantVx);
            EXPECT_EQ(ball->vy, c.wantVy);
            if (c.caught) {
                EXPECT_EQ(ball->y, paddleTop - ball->radius);
            }
            EXPECT_TRUE(ball->flying);
        }
    });
}

TEST_F(GameTest, StickyPaddleHoldsTheBallWhereItLanded) {
    inGame([](Brixmoor&) {
        BallPtr ball = GameTest::flyingBall(Ball::small, 95, 200, 0, 16);
        ball->step(paddleX, paddleTop, paddleLeft, paddleRight, true);
        EXPECT_FALSE(ball->flying);
        EXPECT_EQ(ball->holdOffset, 95 - paddleX);
        // Held, it rides along with the paddle.
        ball->step(paddleX + 10, paddleTop, paddleLeft + 10, paddleRight + 10, true);
        EXPECT_EQ(ball->x, 95 + 10);
        EXPECT_EQ(ball->y, paddleTop - ball->radius);
    });
}

TEST_F(GameTest, BallTurnsAtTheFrameOnlyWhenHeadingIntoIt) {
    inGame([](Brixmoor&) {
        const int side = BrickList::fieldLeft, top = Brixmoor::brickList->top;
        const struct {
            const char* what;
            int x, y, vx, vy, wantVx, wantVy;
        } cases[] = {
            {"into the left wall", side + 3, 100, -16, 0, 16, 0},
            {"away from the left wall it overlaps", side + 2, 100, 16, 0, 16, 0},
            {"into the right wall", 176 - side - 3, 100, 16, 0, -16, 0},
            {"into the top wall", 100, top + 3, 0, -16, 0, 16},
            {"away from the top wall", 100, top + 2, 0, 16, 0, 16},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            BallPtr ball = GameTest::flyingBall(Ball::small, c.x, c.y, c.vx, c.vy);
            ball->step(paddleX, paddleTop, paddleLeft, paddleRight, false);
            EXPECT_EQ(ball->vx, c.wantVx);
            EXPECT_EQ(ball->vy, c.wantVy);
        }
    });
}

TEST_F(GameTest, BallFallingOutIsSwitchedOff) {
    inGame([](Brixmoor&) {
        BallPtr ball = GameTest::flyingBall(Ball::small, 20, 219, 0, 16);
        EXPECT_TRUE(ball->step(paddleX, paddleTop, paddleLeft, paddleRight, false));
        EXPECT_FALSE(ball->visible);
        EXPECT_FALSE(ball->live);
        EXPECT_TRUE(ball->gone);
    });
}

// More than speed * 256 steps at each speed: one unit faster after 257, then 513 more.
TEST_F(GameTest, BallSpeedsUpWithTime) {
    inGame([](Brixmoor&) {
        BallPtr ball = GameTest::flyingBall(Ball::small, 88, 100, 0, 0);
        ball->speed = 1;
        for (int i = 0; i < 256; ++i) ball->step(paddleX, paddleTop, paddleLeft, paddleRight, false);
        EXPECT_EQ(ball->speed, 1);
        ball->step(paddleX, paddleTop, paddleLeft, paddleRight, false);
        EXPECT_EQ(ball->speed, 2);
        for (int i = 0; i < 513; ++i) ball->step(paddleX, paddleTop, paddleLeft, paddleRight, false);
        EXPECT_EQ(ball->speed, 3);
    });
}

TEST_F(GameTest, ClimbFallsAsTheBallLeavesFlatter) {
    inGame([](Brixmoor& game) {
        const int expected[] = {16, 16, 16, 16, 15, 15, 15, 14, 14, 13, 13, 12, 11, 10, 8, 5, 2, 1, 1};
        for (int vx = 0; vx <= 18; ++vx) {
            EXPECT_EQ(game.balls[0]->vyForVx(vx), expected[vx]) << vx;
            EXPECT_EQ(game.balls[0]->vyForVx(-vx), expected[vx]) << -vx;
        }
    });
}

TEST_F(GameTest, LooksGrowShrinkAndBurnWithinTheirRange) {
    inGame([](Brixmoor&) {
        const struct {
            int look;
            void (Ball::*change)();
            int want;
        } cases[] = {
            {Ball::small, &Ball::grow, Ball::normal},         {Ball::big, &Ball::grow, Ball::big},
            {Ball::bigFire, &Ball::grow, Ball::bigFire},      {Ball::smallFire, &Ball::grow, Ball::normalFire},
            {Ball::smallFire, &Ball::shrink, Ball::smallFire}, {Ball::small, &Ball::shrink, Ball::small},
            {Ball::big, &Ball::shrink, Ball::normal},         {Ball::normal, &Ball::fireOn, Ball::normalFire},
            {Ball::bigFire, &Ball::fireOn, Ball::bigFire},    {Ball::bigFire, &Ball::fireOff, Ball::big},
            {Ball::small, &Ball::fireOff, Ball::small},
        };
        for (const auto& c : cases) {
            BallPtr ball = Brixmoor::theGame->balls[1];
            ball->setLook(c.look);
            ((*ball).*c.change)();
            EXPECT_EQ(ball->look, c.want) << c.look;
        }
        // The radius follows what is shown: the small picture is 4 wide, the big one 8.
        BallPtr ball = Brixmoor::theGame->balls[1];
        ball->setLook(Ball::small);
        EXPECT_EQ(ball->radius, 3);
        ball->setLook(Ball::big);
        EXPECT_EQ(ball->radius, 5);
    });
}

// r1 even: no drift. A capsule missing the paddle is gone at the bottom, unreported.
TEST_F(GameTest, CapsuleFallsStraightForAnEvenFirstDraw) {
    inGame([](Brixmoor&) {
        BonusPtr capsule = new Bonus();
        for (int tries = 0; tries < 20; ++tries) {
            capsule->start(4, 60, 40);
            if (capsule->drift == 0) break;
        }
        ASSERT_EQ(capsule->drift, 0);
        int caught = 0, frames = 0;
        while (capsule->kind != 0 && frames++ < 400) caught += capsule->update(0, 300, 10, 10);
        EXPECT_EQ(caught, 0);
        EXPECT_EQ(capsule->x, 62);
        EXPECT_EQ(capsule->y + 7, 221);
        do {
            capsule->start(6, 80, 190);
        } while (capsule->drift != 0);
        int kind = 0;
        for (int i = 0; i < 20 && !kind; ++i) kind = capsule->update(70, 200, 30, 6);
        EXPECT_EQ(kind, 6);
        EXPECT_EQ(capsule->kind, 0);
    });
}

}  // namespace
