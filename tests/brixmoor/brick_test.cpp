// What a hit does to a brick, by the hitting ball's look, the brick's kind and the hits it
// has left; detonators, bombs and their blasts; the brick states over time.
#include <gtest/gtest.h>
#include "ball.h"
#include "bonus.h"
#include "brick.h"
#include "bxmplatform.h"
#include "game_fixture.h"

namespace {

constexpr int noBall = -1, bullet = -2;

struct Hit {
    int look;  // or noBall (a blast) or bullet
    int kind, hits;
    int wantKind, wantHits;
    int cleared;  // by how much the count to clear goes down
    int taken;    // by how much the score goes up
};

const Hit hits[] = {
    // Small balls chip one hit off whatever they meet.
    {Ball::small, Brick::twoHit, 2, Brick::twoHit, 1, 1, 1},
    {Ball::small, Brick::twoHit, 1, Brick::destroyed, 0, 1, 1},
    {Ball::small, Brick::threeHit, 3, Brick::threeHit, 2, 1, 1},
    {Ball::small, 6, 1, Brick::destroyed, 0, 1, 1},
    {Ball::small, Brick::armoured, 5, Brick::armoured, 4, 1, 1},
    // Normal and big balls break bricks of up to three hits at once and chip armour 2 or 3.
    {Ball::normal, Brick::threeHit, 3, Brick::destroyed, 0, 3, 3},
    {Ball::normal, Brick::armoured, 5, Brick::armoured, 3, 2, 1},
    {Ball::normal, Brick::armoured, 4, Brick::armoured, 2, 2, 1},
    {Ball::normal, Brick::armoured, 3, Brick::destroyed, 0, 3, 3},
    {Ball::big, Brick::armoured, 5, Brick::armoured, 2, 3, 1},
    {Ball::big, Brick::twoHit, 2, Brick::destroyed, 0, 2, 2},
    // A small burning ball breaks up to two hits at once and chips three.
    {Ball::smallFire, Brick::threeHit, 2, Brick::destroyed, 0, 2, 2},
    {Ball::smallFire, Brick::threeHit, 3, Brick::destroyed, 0, 3, 1},
    {Ball::smallFire, Brick::armoured, 5, Brick::armoured, 2, 3, 1},
    // Solid bricks give way only to the bigger burning balls, and never count.
    {Ball::small, Brick::solid, 1, Brick::solid, 1, 0, 0},
    {Ball::normal, Brick::solid, 1, Brick::solid, 1, 0, 0},
    {Ball::big, Brick::solid, 1, Brick::solid, 1, 0, 0},
    {Ball::smallFire, Brick::solid, 1, Brick::solid, 1, 0, 0},
    {Ball::normalFire, Brick::solid, 1, Brick::destroyed, 0, 0, 0},
    {Ball::bigFire, Brick::solid, 1, Brick::destroyed, 0, 0, 0},
    {Ball::normalFire, Brick::armoured, 5, Brick::destroyed, 0, 5, 5},
    // Moss crumbles to grow back, counted in the score but never in the count to clear.
    {Ball::small, Brick::regrowing, 1, Brick::regrowWaiting, 0, 0, 1},
    {Ball::big, Brick::regrowing, 1, Brick::regrowWaiting, 0, 0, 1},
    {Ball::normalFire, Brick::regrowing, 1, Brick::destroyed, 0, 0, 1},
    // Blasts break everything at once and light bomb bricks.
    {noBall, Brick::bomb, 1, Brick::bombLit, 6, 1, 1},
    {noBall, Brick::solid, 1, Brick::destroyed, 0, 0, 0},
    {noBall, Brick::armoured, 5, Brick::destroyed, 0, 5, 5},
    {noBall, Brick::regrowing, 1, Brick::destroyed, 0, 0, 1},
    // Bullets only ever chip.
    {bullet, Brick::twoHit, 2, Brick::twoHit, 1, 1, 1},
    {bullet, Brick::armoured, 5, Brick::armoured, 3, 2, 1},
    {bullet, Brick::solid, 1, Brick::solid, 1, 0, 0},
    {bullet, Brick::bomb, 1, Brick::destroyed, 0, 1, 1},
};

TEST_F(GameTest, HitByLookKindAndHitsLeft) {
    inGame([](Brixmoor&) {
        const BrickListPtr& field = Brixmoor::brickList;
        for (const Hit& h : hits) {
            SCOPED_TRACE(::testing::Message() << "look " << h.look << ", kind " << h.kind << ", hits " << h.hits);
            GameTest::clearField();
            GameTest::place(10, 5, h.kind, h.hits);
            field->toClear = 100;
            field->hitsTaken = 0;
            BallPtr ball;
            if (h.look == bullet) ball = Brixmoor::platform->bulletBall1;
            if (h.look >= 0) ball = GameTest::flyingBall(h.look, 90, 100, 0, -16);
            GameTest::brick(10, 5)->hit(ball);
            EXPECT_EQ(GameTest::brick(10, 5)->kind, h.wantKind);
            EXPECT_EQ(GameTest::brick(10, 5)->hits, h.wantHits);
            EXPECT_EQ(100 - field->toClear, h.cleared);
            EXPECT_EQ(field->hitsTaken, h.taken);
        }
    });
}

// A broken brick lets its bonus fall from where it stood, once.
TEST_F(GameTest, BrokenBrickReleasesItsBonus) {
    inGame([](Brixmoor&) {
        GameTest::clearField();
        GameTest::place(10, 5, 6, 1);
        GameTest::brick(10, 5)->bonus = 4;
        GameTest::brick(10, 5)->hit(GameTest::flyingBall(Ball::small, 90, 100, 0, -16));
        const BonusArrayPtr& capsules = Brixmoor::platform->bonuses;
        EXPECT_EQ(capsules[0]->kind, 4);
        EXPECT_EQ(capsules[0]->y, GameTest::brick(10, 5)->y);
        EXPECT_EQ(GameTest::brick(10, 5)->bonus, 0);
        EXPECT_EQ(capsules[1]->kind, 0);
    });
}

// Breaking the detonator sets off only the first bomb brick in row order: it breaks and is
// counted, and its blast breaks the bricks around it and lights the bomb beside it, which
// goes off six ticks later.
TEST_F(GameTest, DetonatorSetsOffTheFirstBombAndTheBlastSpreads) {
    inGame([](Brixmoor&) {
        const BrickListPtr& field = Brixmoor::brickList;
        GameTest::clearField();
        GameTest::place(15, 1, Brick::detonator, 1);
        GameTest::place(6, 3, Brick::bomb, 1);
        GameTest::place(6, 4, Brick::bomb, 1);
        GameTest::place(5, 3, 6, 1);
        GameTest::place(5, 5, Brick::solid, 1);
        GameTest::place(12, 8, Brick::bomb, 1);
        field->toClear = field->standingHits();
        field->hitsTaken = 0;
        ASSERT_EQ(field->toClear, 5);
        GameTest::brick(15, 1)->hit(GameTest::flyingBall(Ball::small, 20, 130, 0, -16));
        EXPECT_EQ(GameTest::brick(15, 1)->kind, Brick::destroyed);
        EXPECT_EQ(GameTest::brick(6, 3)->kind, Brick::detonating);
        EXPECT_EQ(GameTest::brick(5, 3)->kind, Brick::destroyed);
        EXPECT_EQ(GameTest::brick(6, 4)->kind, Brick::bombLit);
        EXPECT_EQ(GameTest::brick(5, 5)->kind, Brick::solid);
        EXPECT_EQ(GameTest::brick(12, 8)->kind, Brick::bomb);
        // The detonator, the bomb it set off, the brick and the lit bomb.
        EXPECT_EQ(field->toClear, 1);
        EXPECT_EQ(field->hitsTaken, 4);
        EXPECT_EQ(field->standingHits(), 1);
        for (int tick = 0; tick < 6; ++tick) GameTest::brick(6, 4)->tick();
        EXPECT_EQ(GameTest::brick(6, 4)->kind, Brick::bombLit);
        GameTest::brick(6, 4)->tick();
        EXPECT_EQ(GameTest::brick(6, 4)->kind, Brick::detonating);
        // Its blast reaches the solid brick beside it.
        EXPECT_EQ(GameTest::brick(5, 5)->kind, Brick::destroyed);
        // Blown-up bricks leave empty cells once their blast is over.
        for (int frame = 0; frame < 40; ++frame) field->tickAll();
        for (int row = 4; row <= 7; ++row)
            for (int column = 2; column <= 6; ++column) EXPECT_EQ(GameTest::brick(row, column)->kind, Brick::empty);
        EXPECT_EQ(GameTest::brick(12, 8)->kind, Brick::bomb);
    });
}

// A blast at the field's corner touches only the cells inside the grid.
TEST_F(GameTest, BlastAtTheCornerStaysInTheField) {
    inGame([](Brixmoor&) {
        GameTest::clearField();
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column) GameTest::place(row, column, 7, 1);
        GameTest::place(20, 10, 7, 1);
        GameTest::place(19, 9, 7, 1);
        GameTest::brick(0, 0)->detonate();
        GameTest::brick(20, 10)->detonate();
        EXPECT_EQ(GameTest::brick(0, 1)->kind, Brick::destroyed);
        EXPECT_EQ(GameTest::brick(1, 0)->kind, Brick::destroyed);
        EXPECT_EQ(GameTest::brick(1, 1)->kind, Brick::destroyed);
        EXPECT_EQ(GameTest::brick(19, 9)->kind, Brick::destroyed);
    });
}

// Moss that crumbled waits, then grows back as a one-hit brick without its bonus.
TEST_F(GameTest, MossGrowsBack) {
    inGame([](Brixmoor&) {
        GameTest::clearField();
        GameTest::place(8, 8, Brick::regrowing, 1);
        BrickPtr moss = GameTest::brick(8, 8);
        moss->bonus = 3;
        moss->hit(GameTest::flyingBall(Ball::small, 130, 80, 0, -16));
        ASSERT_EQ(moss->kind, Brick::regrowWaiting);
        int frames = 0;
        while (moss->kind != Brick::regrowing && frames++ < 20000) Brixmoor::brickList->tickAll();
        EXPECT_EQ(moss->kind, Brick::regrowing);
        EXPECT_EQ(moss->hits, 1);
        EXPECT_EQ(moss->bonus, 0);
    });
}

}  // namespace
