// The explosion slots and their particles, the exhaust puffs, and the star field's drift.
#include <gtest/gtest.h>
#include "explosions.h"
#include "rockvale_fixture.h"
#include "screencanvas.h"
#include "ship.h"
#include "starfield.h"

namespace {

int liveRows(Explosions& e, int slot) {
    int n = 0;
    for (int row = 0; row < Explosions::rowsPerSlot; ++row)
        if (e.particles[slot * Explosions::rowsPerSlot + row][Explosions::rowState] != -1) ++n;
    return n;
}

TEST_F(RockvaleTest, ExplosionRunsItsCourseAndFreesItsSlot) {
    inGame([](Rockvale& game) {
        Explosions& e = *game.effects;
        e.clear();
        ASSERT_TRUE(e.open(50, 60));
        EXPECT_EQ(e.usedExplosions, 1);
        EXPECT_EQ(liveRows(e, 0), 4) << "debris at once";
        bool sparks = false, flashOrDebris = false;
        int steps = 0;
        for (; steps < 100 && e.explosions[0][Explosions::ageField] != -1; ++steps) {
            e.updateParticles();
            e.updateExplosions();
            const int age = e.explosions[0][Explosions::ageField];
            if (age == 3) sparks = liveRows(e, 0) > 4;
            if (age == 5) flashOrDebris = liveRows(e, 0) > 0;
        }
        EXPECT_TRUE(sparks);
        EXPECT_TRUE(flashOrDebris);
        EXPECT_LT(steps, 100) << "the slot comes free";
        EXPECT_EQ(e.usedExplosions, 0);
        EXPECT_EQ(liveRows(e, 0), 0);
    });
}

TEST_F(RockvaleTest, BusySlotsSkipNewExplosionsAndPuffs) {
    inGame([](Rockvale& game) {
        Explosions& e = *game.effects;
        e.clear();
        for (int i = 0; i < Explosions::slots; ++i) EXPECT_TRUE(e.open(10 * i, 20));
        EXPECT_EQ(e.usedExplosions, Explosions::slots);
        EXPECT_FALSE(e.open(5, 5));
        e.addExhaust(true);
        for (int i = 0; i < Explosions::slots; ++i) EXPECT_EQ(e.explosions[i][Explosions::xField], 10 * i);
    });
}

// Facing up, a puff goes 13 pixels below the ship, 5 to either side, and drifts further back.
TEST_F(RockvaleTest, ExhaustPuffsComeOutBehindTheShip) {
    inGame([](Rockvale& game) {
        Explosions& e = *game.effects;
        e.clear();
        Ship& ship = *Rockvale::ship;
        ship.step = 4;
        ship.facingSuffix = u"";
        ship.x = 80;
        ship.y = 100;
        ship.vx = ship.vy = 0;
        e.addExhaust(true);
        e.addExhaust(false);
        const auto right = e.particles[0 * Explosions::rowsPerSlot + 10];
        const auto left = e.particles[1 * Explosions::rowsPerSlot + 10];
        EXPECT_EQ(right[Explosions::rowX], 80 + (5000 >> 10));
        EXPECT_EQ(left[Explosions::rowX], 80 + ((-5000) >> 10));
        EXPECT_EQ(right[Explosions::rowY], 100 + (13000 >> 10));
        EXPECT_EQ(right[Explosions::rowVx], 0);
        EXPECT_EQ(right[Explosions::rowVy], 5000 >> 10);
        EXPECT_EQ(e.explosions[0][Explosions::ageField], 5);
        int steps = 0;
        for (; steps < 40 && e.usedExplosions > 0; ++steps) {
            e.updateParticles();
            e.updateExplosions();
        }
        EXPECT_EQ(e.usedExplosions, 0) << "puff slots come free";
    });
}

TEST_F(RockvaleTest, StarsAndBackgroundDriftAgainstTheShipAndWrap) {
    inGame([](Rockvale&) {
        StarField::setBackground(2);
        ASSERT_TRUE(StarField::background);
        const int w = ScreenCanvas::screenWidth << 16, h = ScreenCanvas::screenHeight << 16;
        StarField::stars[0][0] = 0;
        StarField::stars[0][1] = h - 1;
        StarField::stars[50][0] = 0;
        StarField::stars[100][0] = 0;
        StarField::drift(8, -8);
        EXPECT_EQ(StarField::stars[0][0], w - 65536) << "the far layer moves an eighth, across the edge";
        EXPECT_EQ(StarField::stars[0][1], (65536 - 1));
        EXPECT_EQ(StarField::stars[50][0], w - 4 * 65536);
        EXPECT_EQ(StarField::stars[100][0], w - 16 * 65536);
        EXPECT_EQ(StarField::backgroundScrollX, 2 * 65536);
        EXPECT_EQ(StarField::backgroundScrollY, (StarField::background->getHeight() - 2) * 65536);
        for (int i = 0; i < StarField::stars->length; ++i) {
            EXPECT_GE(StarField::stars[i][0], 0);
            EXPECT_LT(StarField::stars[i][0], w);
        }
    });
}

}  // namespace
