// One alien's flight: the direction it faces, its hit box, the run it sets up after its loop
// (the target beside the ship, kept on the screen, and the run that would divide by zero),
// the swoop, and the way back into the formation.
#include <gtest/gtest.h>
#include <algorithm>
#include "swarmline_fixture.h"

namespace {

TEST(AlienDirection, FacesTheShipAtEveryThreshold) {
    struct Case {
        int h, v, direction;
    };
    const Case cases[] = {
        {0, 50, 0},     {0, -50, 0},   {100, 0, 0},    {-100, 0, 0},
        // Ship below and to the right: from level (12) round to straight down (0).
        {100, 19, 12},  {100, 20, 13}, {100, 66, 13},  {100, 67, 14},  {100, 149, 14},
        {100, 150, 15}, {100, 241, 15}, {100, 242, 0},
        // Below and to the left: from straight down round to level (4).
        {-100, 242, 0}, {-100, 241, 1}, {-100, 150, 1}, {-100, 149, 2}, {-100, 67, 2},
        {-100, 66, 3},  {-100, 20, 3},  {-100, 19, 4},
        // Above: the same bearings turned half round.
        {100, -19, 12}, {100, -300, 8}, {-100, -19, 4}, {-100, -150, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AlienShip::directionTo(c.h, c.v), c.direction) << "h " << c.h << ", v " << c.v;
}

TEST_F(SwarmlineTest, HitBoxIsTheFrameInsetByTheMarginAndTouchingEdgesHit) {
    inGame([](Swarmline&) {
        playLevel(1);
        ASSERT_EQ(Swarmline::ALIEN_W, 14);
        ASSERT_EQ(Swarmline::HIT_MARGIN, 2);
        // Centre (50, 50): the frame spans 43..56, the box 45..54 plus the rectangle's own pixel.
        struct Case {
            int x, y;
            bool hit;
        };
        const Case cases[] = {{55, 50, true}, {56, 50, false}, {44, 50, true}, {43, 50, false},
                              {50, 55, true}, {50, 56, false}, {50, 44, true}, {50, 43, false}};
        for (const Case& c : cases) {
            AlienShipPtr alien = placeAlien(0, 50, 50, AlienShip::ATTACKING);
            EXPECT_EQ(alien->hitTest(c.x, c.y, 1, 1), c.hit) << c.x << ", " << c.y;
            EXPECT_EQ(alien->state, c.hit ? AlienShip::EXPLODING : AlienShip::ATTACKING);
        }
    });
}

// The loop ends on the frame its downward speed reaches the loop speed.
AlienShipPtr endLoop(int index, int x, int y, int side) {
    AlienShipPtr alien = SwarmlineTest::placeAlien(index, x, y, AlienShip::LOOPING);
    alien->side = side;
    alien->dy = Swarmline::LOOP_SPEED;
    alien->update();
    EXPECT_EQ(alien->state, AlienShip::ATTACKING);
    return alien;
}

TEST_F(SwarmlineTest, RunTargetStaysOnTheScreenWhenTheShipIsAtAnEdge) {
    inGame([](Swarmline&) {
        playLevel(1);
        for (int i = 0; i < 20; ++i) {
            Swarmline::shipX = Swarmline::SHIP_HALF_W;
            EXPECT_EQ(endLoop(0, 80, 60, 0)->targetX, Swarmline::ALIEN_W);
            Swarmline::shipX = Swarmline::shipMaxX;
            EXPECT_EQ(endLoop(1, 80, 60, 1)->targetX, Swarmline::canvasWidth - Swarmline::ALIEN_W);
        }
        Swarmline::shipX = 88;
        AlienShipPtr alien = endLoop(2, 80, 60, 1);
        EXPECT_GT(alien->targetX, 88);
        EXPECT_LE(alien->targetX, 88 + Swarmline::SHIP_W);
        EXPECT_EQ(alien->dy, Swarmline::RUN_SPEED << 16);
        EXPECT_EQ(alien->dx, ((alien->targetX - 80) * Swarmline::RUN_SPEED << 16) / (Swarmline::alienBottom - 60));
    });
}

TEST_F(SwarmlineTest, RunWithNothingToDivideByGoesStraightUpOrDown) {
    inGame([](Swarmline&) {
        playLevel(1);
        // The loop ends right on the bottom line.
        AlienShipPtr alien = endLoop(0, 80, Swarmline::alienBottom, 0);
        EXPECT_EQ(alien->dx, 0);
        EXPECT_EQ(alien->dy, -(Swarmline::RUN_SPEED << 16));
        // A screen wider than high, the alien right at its target.
        const int shipWidth = Swarmline::SHIP_W;
        Swarmline::SHIP_W = 0;
        Swarmline::shipX = 100;
        Swarmline::alienBottom = 50;
        alien = endLoop(1, 100, 20, 1);
        Swarmline::SHIP_W = shipWidth;
        EXPECT_EQ(alien->targetX, 100);
        EXPECT_EQ(alien->dx, 0);
        EXPECT_EQ(alien->dy, Swarmline::RUN_SPEED << 16);
    });
}

TEST_F(SwarmlineTest, SwoopClimbsThenFallsAgainWithFreshShotsBeforeItCanLeave) {
    inGame([](Swarmline&) {
        playLevel(1);
        Swarmline::alienShotTimer = 1 << 30;
        AlienShipPtr alien = placeAlien(0, 80, 200, AlienShip::ATTACKING);
        alien->attackMode = AlienShip::swoopDown;
        alien->dy = 3 << 16;
        alien->shotsLeft = 0;
        int lowest = 0;
        for (int frames = 0; frames < 1000; ++frames) {
            alien->update();
            if (alien->attackMode != AlienShip::swoopDown) break;
            lowest = std::max(lowest, alien->y);
            EXPECT_EQ(alien->state, AlienShip::ATTACKING) << "a swoop does not leave before its pull-up";
        }
        ASSERT_EQ(alien->attackMode, AlienShip::swoopUp);
        EXPECT_GT(lowest, Swarmline::alienBottom) << "it dipped below the bottom line";
        EXPECT_LT(alien->dy, -Swarmline::PULLUP_LIMIT);
        EXPECT_EQ(alien->shotsLeft, Swarmline::SHOTS_PER_DIVE);
        // Still below the bottom line, it comes back in from the top at once.
        EXPECT_EQ(alien->state, AlienShip::RETURNING);
        EXPECT_EQ(alien->y, -Swarmline::ALIEN_H);
    });
}

TEST_F(SwarmlineTest, ReturningAlienSinksFacingDownThenTurnsHome) {
    inGame([](Swarmline&) {
        playLevel(1);
        AlienShipPtr alien = placeAlien(0, 0, -Swarmline::ALIEN_H, AlienShip::RETURNING);
        alien->direction = 0;
        alien->update();
        EXPECT_EQ(alien->y, -Swarmline::ALIEN_H + 1);
        EXPECT_EQ(alien->x, alien->homeX + Swarmline::swayOffset);
        EXPECT_EQ(alien->direction, 0);
        alien->y = alien->homeY;
        alien->direction = 2;
        alien->side = 0;
        alien->update();
        EXPECT_EQ(alien->direction, 1);
        alien->update();
        EXPECT_EQ(alien->direction, 0);
        alien->update();
        EXPECT_EQ(alien->state, AlienShip::IN_FORMATION);
    });
}

TEST_F(SwarmlineTest, AlienFiresOnlyInTheUpperHalfWithShotsLeftAndTheTimerRunOut) {
    inGame([](Swarmline&) {
        playLevel(1);
        const auto shotsFired = [](int y, int shotsLeft, int timer) {
            int fired = 0;
            for (int i = 0; i < 400; ++i) {
                for (int s = 0; s < Swarmline::ALIEN_SHOTS; ++s) Swarmline::alienShots[s][0] = Swarmline::FREE;
                AlienShipPtr alien = placeAlien(0, Swarmline::shipX, y, AlienShip::ATTACKING);
                alien->shotsLeft = shotsLeft;
                Swarmline::alienShotTimer = timer;
                alien->update();
                if (alien->shotsLeft < shotsLeft) ++fired;
            }
            return fired;
        };
        EXPECT_GT(shotsFired(60, 2, 0), 60) << "over the ship: about 3 in 10";
        EXPECT_EQ(shotsFired(Swarmline::canvasHeight / 2, 2, 0), 0);
        EXPECT_EQ(shotsFired(60, 0, 0), 0);
        EXPECT_EQ(shotsFired(60, 2, 1), 0);
    });
}

}  // namespace
