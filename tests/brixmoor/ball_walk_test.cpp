// The ball walk: which brick sides a moving ball is tested against, where its probes start,
// which crossing wins, and what meeting a brick does to the ball.
#include <gtest/gtest.h>
#include "ballwalk.h"
#include "game_fixture.h"

namespace {

TEST(BallWalk, TestsTheTwoSidesFacingTheMotion) {
    const struct {
        int vx, vy;
        bool moving;
        int sideX, sideY, signX, signY;
    } cases[] = {
        {-3, -16, true, BallWalk::right, BallWalk::bottom, -1, -1},
        {0, -16, true, BallWalk::right, BallWalk::bottom, -1, -1},
        {3, -16, true, BallWalk::left, BallWalk::bottom, 1, -1},
        {-16, 0, true, BallWalk::right, BallWalk::bottom, -1, -1},
        {0, 0, false, 0, 0, 0, 0},
        {16, 0, true, BallWalk::left, BallWalk::top, 1, 1},
        {-3, 16, true, BallWalk::right, BallWalk::top, -1, 1},
        {0, 16, true, BallWalk::left, BallWalk::top, 1, 1},
        {3, 16, true, BallWalk::left, BallWalk::top, 1, 1},
    };
    for (const auto& c : cases) {
        int sideX = 0, sideY = 0, signX = 0, signY = 0;
        EXPECT_EQ(BallWalk::sidesFacing(c.vx, c.vy, &sideX, &sideY, &signX, &signY), c.moving) << c.vx << "," << c.vy;
        if (!c.moving) continue;
        EXPECT_EQ(sideX, c.sideX) << c.vx << "," << c.vy;
        EXPECT_EQ(sideY, c.sideY) << c.vx << "," << c.vy;
        EXPECT_EQ(signX, c.signX) << c.vx << "," << c.vy;
        EXPECT_EQ(signY, c.signY) << c.vx << "," << c.vy;
    }
}

// The nearest crossing of at most 1,000,000 wins; of two as near, the lower probe.
TEST(BallWalk, NearestProbeWins) {
    const struct {
        const char* what;
        int distances[BallWalk::probes];  // -1: no crossing
        int winner;
    } cases[] = {
        {"none crossed", {-1, -1, -1, -1, -1}, -1},
        {"one", {-1, -1, 40, -1, -1}, 2},
        {"the nearer", {90, -1, 40, -1, 60}, 2},
        {"a tie goes to the lower probe", {-1, 70, -1, 70, -1}, 1},
        {"the axis probe nearer", {90, 90, 90, 90, 10}, 4},
        {"too far", {-1, -1, 1000001, -1, -1}, -1},
        {"just near enough", {-1, -1, 1000000, -1, -1}, 2},
    };
    BallWalkPtr walk = new BallWalk();
    for (const auto& c : cases) {
        for (int i = 0; i < BallWalk::probes; ++i) {
            walk->noHit[i] = c.distances[i] < 0;
            walk->hitDistance[i] = c.distances[i];
        }
        EXPECT_EQ(walk->nearestProbe(), c.winner) << c.what;
    }
}

// Cell (10, 5) on the small screen: x 80 to 95, y 85 to 93.
constexpr int row = 10, column = 5, cellBottom = 93;

TEST_F(GameTest, BallGoingStraightUpProbesItsLeftAndUpperRim) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        GameTest::place(row, column, Brick::armoured, 5);
        BallPtr ball = GameTest::flyingBall(Ball::small, 87, cellBottom + 4, 0, -16);
        ball->speed = 3;
        const int x16 = ball->xFixed, y16 = ball->yFixed, r = ball->radius;
        ASSERT_TRUE(game.walk->walk(ball));
        EXPECT_EQ(game.walk->probeX0[3], x16 - 16 * r);
        EXPECT_EQ(game.walk->probeY0[3], y16);
        EXPECT_EQ(game.walk->probeX0[4], x16);
        EXPECT_EQ(game.walk->probeY0[4], y16 - 16 * r);
        // Only the bottom edge was met.
        EXPECT_FALSE(game.walk->noHit[4]);
        EXPECT_EQ(game.walk->hitY[4], cellBottom * 16);
        EXPECT_FALSE(game.walk->hitVertical[4]);
        // The armour took a hit and still stands: the ball was put where its rim met the edge,
        // pushed one pixel back on both axes, and turned down.
        EXPECT_EQ(GameTest::brick(row, column)->hits, 4);
        EXPECT_EQ(ball->y, cellBottom + r + 1);
        EXPECT_EQ(ball->x, 87 + 1);
        EXPECT_EQ(ball->yFixed, ball->y * 16);
        EXPECT_EQ(ball->xFixed, ball->x * 16);
        EXPECT_EQ(ball->vx, 0);
        EXPECT_EQ(ball->vy, 16);
    });
}

// The push-back is kept through the next move on both axes.
TEST_F(GameTest, PushBackLastsThroughTheNextMove) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        GameTest::place(row, column, Brick::armoured, 5);
        BallPtr ball = GameTest::flyingBall(Ball::small, 87, cellBottom + 4, -2, -16);
        ball->speed = 3;
        ASSERT_TRUE(game.walk->walk(ball));
        const int pushedX = ball->x;
        ball->move();
        EXPECT_EQ(ball->xFixed, pushedX * 16 + 3 * ball->vx);
    });
}

TEST_F(GameTest, BallMeetingABrickBouncesByItsLook) {
    inGame([](Brixmoor& game) {
        const struct {
            const char* what;
            int look, kind, hits;
            bool bounces;
            int wantKind;
        } cases[] = {
            {"a small ball breaking a brick", Ball::small, 6, 1, true, Brick::destroyed},
            {"a small burning ball breaking a brick", Ball::smallFire, 6, 1, true, Brick::destroyed},
            {"a normal ball breaking a brick", Ball::normal, 6, 1, false, Brick::destroyed},
            {"a normal ball chipping armour", Ball::normal, Brick::armoured, 5, true, Brick::armoured},
            {"a big ball breaking three hits", Ball::big, Brick::threeHit, 3, false, Brick::destroyed},
            {"a normal ball on steel", Ball::normal, Brick::solid, 1, true, Brick::solid},
            {"a burning ball breaking armour", Ball::normalFire, Brick::armoured, 5, false, Brick::destroyed},
            {"a burning ball breaking steel", Ball::normalFire, Brick::solid, 1, true, Brick::destroyed},
            {"a big burning ball through steel", Ball::bigFire, Brick::solid, 1, false, Brick::destroyed},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            GameTest::clearField();
            GameTest::place(row, column, c.kind, c.hits);
            BallPtr ball = GameTest::flyingBall(c.look, 87, cellBottom + 8, 0, -16);
            ball->speed = 8;
            ASSERT_TRUE(game.walk->walk(ball));
            EXPECT_EQ(GameTest::brick(row, column)->kind, c.wantKind);
            EXPECT_EQ(ball->vy, c.bounces ? 16 : -16);
        }
    });
}

// A big burning ball goes up through a column of bricks, breaking each as it meets it.
TEST_F(GameTest, BigBurningBallPassesThroughEveryBrick) {
    inGame([](Brixmoor& game) {
        GameTest::clearField();
        for (int r = 4; r <= 12; r += 2) GameTest::place(r, column, Brick::armoured, 5);
        BallPtr ball = GameTest::flyingBall(Ball::bigFire, 87, 150, 0, -16);
        ball->speed = 3;
        for (int frame = 0; frame < 60 && ball->y > 30; ++frame)
            if (!game.walk->walk(ball)) ball->move();
        EXPECT_EQ(ball->vy, -16);
        for (int r = 4; r <= 12; r += 2) EXPECT_LE(GameTest::brick(r, column)->kind, Brick::empty) << r;
    });
}

}  // namespace
