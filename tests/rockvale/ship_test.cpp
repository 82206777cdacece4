// The ship: its 16 facings, the thrust build-up and speed limit, shots along the facing, hits
// and their immunity, and the screen's edges in both bounds modes.
#include <gtest/gtest.h>
#include <vector>
#include "dprimitives.h"
#include "rockvale_fixture.h"
#include "screencanvas.h"
#include "ship.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;

namespace {

struct Facing {
    int step;
    const char16_t* suffix;
    int x, y;
    int shotX, shotY;
};

// Counter-clockwise from +x in steps of 22.5 degrees, y down the screen.
const Facing facings[] = {
    {1, u"", 923, -382, 4, -2},      {2, u"", 707, -707, 3, -3},     {3, u"", 382, -923, 2, -4},
    {4, u"", 0, -1000, 0, -4},       {1, u"_up", -382, -923, -2, -4}, {2, u"_up", -707, -707, -3, -3},
    {3, u"_up", -923, -382, -4, -2}, {4, u"_up", -1000, 0, -4, 0},   {1, u"_lv", -923, 382, -4, 2},
    {2, u"_lv", -707, 707, -3, 3},   {3, u"_lv", -382, 923, -2, 4},   {4, u"_lv", 0, 1000, 0, 4},
    {1, u"_dn", 382, 923, 2, 4},     {2, u"_dn", 707, 707, 3, 3},     {3, u"_dn", 923, 382, 4, 2},
    {4, u"_dn", 1000, 0, 4, 0},
};

void face(Ship& ship, int step, const char16_t* suffix) {
    ship.step = step;
    ship.facingSuffix = suffix;
    ship.vx = ship.vy = 0;
    ship.thrustLevel = 0;
}

TEST_F(RockvaleTest, SixteenFacingsGiveDirectionAndShotVector) {
    inGame([](Rockvale&) {
        Ship& ship = *Rockvale::ship;
        for (const Facing& f : facings) {
            SCOPED_TRACE(testing::Message() << f.step << " " << (f.suffix[0] ? "suffixed" : "plain") << " "
                                            << f.x << "," << f.y);
            EXPECT_EQ(ship.xComponent(f.step, f.suffix), f.x);
            EXPECT_EQ(ship.yComponent(f.step, f.suffix), f.y);
            face(ship, f.step, f.suffix);
            DintArrayPtr vector = new DintArray(2);
            ship.shotVector(vector);
            EXPECT_EQ(vector[0], f.shotX);
            EXPECT_EQ(vector[1], f.shotY);
        }
        EXPECT_EQ(ship.xComponent(2, u"_xx"), 0);
        EXPECT_EQ(ship.yComponent(2, u"_xx"), 0);
    });
}

TEST_F(RockvaleTest, TurningWalksThroughTheFacingsBothWays) {
    inGame([](Rockvale&) {
        Ship& ship = *Rockvale::ship;
        face(ship, 4, u"");
        for (int i = 0; i < 16; ++i) ship.turnLeft();
        EXPECT_EQ(ship.step, 4);
        EXPECT_EQ(ship.facingSuffix, u"");
        ship.turnLeft();
        EXPECT_EQ(ship.step, 1);
        EXPECT_EQ(ship.facingSuffix, u"_up");
        ship.turnRight();
        ship.turnRight();
        EXPECT_EQ(ship.step, 3);
        EXPECT_EQ(ship.facingSuffix, u"");
        face(ship, 1, u"");
        ship.turnRight();
        EXPECT_EQ(ship.step, 4);
        EXPECT_EQ(ship.facingSuffix, u"_dn");
        EXPECT_EQ(ship.thrustLevel, 1) << "a turn starts the thrust over";
    });
}

TEST_F(RockvaleTest, ThrustBuildsUpUntilTheSpeedLimit) {
    inGame([](Rockvale&) {
        Ship& ship = *Rockvale::ship;
        face(ship, 4, u"");
        std::vector<int> speeds;
        for (int i = 0; i < 8; ++i) {
            ship.thrust();
            speeds.push_back(ship.vy);
        }
        EXPECT_EQ(speeds, (std::vector<int>{-1, -2, -3, -5, -7, -7, -7, -7}));
        EXPECT_EQ(ship.vx, 0);

        face(ship, 1, u"");
        for (int i = 0; i < 3; ++i) ship.thrust();
        EXPECT_EQ(ship.vx, 0) << "the first three impulses off the axes are lost to truncation";
        EXPECT_EQ(ship.vy, 0);
        ship.thrust();
        EXPECT_EQ(ship.vx, 1);

        // Braking against the limit still works.
        face(ship, 4, u"_lv");
        ship.vy = -7;
        ship.thrust();
        EXPECT_EQ(ship.vy, -6);

        face(ship, 4, u"");
        ship.thrustLevel = ship.maxThrust;
        ship.thrust();
        EXPECT_EQ(ship.thrustLevel, ship.maxThrust);
        EXPECT_EQ(ship.vy, 0) << "beyond the last level there is no impulse";
    });
}

TEST_F(RockvaleTest, ResetLeavesTheShipAtRestInTheMiddleWithItsLives) {
    inGame([](Rockvale&) {
        Ship& ship = *Rockvale::ship;
        ship.lives = 7;
        for (int i = 0; i < 20; ++i) {
            ship.reset();
            EXPECT_EQ(ship.vx, 0);
            EXPECT_EQ(ship.vy, 0);
            EXPECT_EQ(ship.thrustLevel, 3);
            EXPECT_EQ(ship.x, ScreenCanvas::screenWidth / 2);
            EXPECT_EQ(ship.y, ScreenCanvas::screenHeight / 2);
            EXPECT_GE(ship.quarter(), 0);
        }
        EXPECT_EQ(ship.lives, 7);
        EXPECT_EQ(ship.imageWidth, 18);
    });
}

TEST_F(RockvaleTest, HitCostsALifeOnceInItsSpell) {
    inGame([](Rockvale&) {
        Ship& ship = *Rockvale::ship;
        ship.lives = 2;
        ship.hit();
        EXPECT_EQ(ship.lives, 1);
        EXPECT_TRUE(ship.isHit);
        EXPECT_LT(std::abs(ship.spin), 20);
        ship.hit();
        EXPECT_EQ(ship.lives, 1) << "immune while blinking";
        frames(125);  // more than three seconds
        ship.move();
        EXPECT_FALSE(ship.isHit);
        ship.hit();
        EXPECT_EQ(ship.lives, 0);
        ship.isHit = false;
        ship.hit();
        EXPECT_EQ(ship.lives, 0) << "lives never go below 0";

        ship.lives = 3;
        ship.isHit = false;
        Rockvale::invulnerable = true;
        ship.hit();
        EXPECT_EQ(ship.lives, 3);
        Rockvale::invulnerable = false;
    });
}

struct Edge {
    bool bounds;
    int x, y, vx, vy;
    int wantX, wantY, wantVx, wantVy;
};

TEST_F(RockvaleTest, ShipWrapsAQuarterBeyondAnEdgeOrBounces) {
    inGame([](Rockvale&) {
        const int w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
        // The ship picture is 18 pixels: a quarter is 4.
        const Edge edges[] = {
            {false, w + 5, 50, 1, 0, 5, 50, 1, 0},
            {false, w + 3, 50, 1, 0, w + 4, 50, 1, 0},
            {false, -5, 50, -1, 0, -6 + w + 1, 50, -1, 0},
            {false, 50, h + 4, 0, 1, 50, h + 5 - (h + 1), 0, 1},
            {false, 50, -5, 0, -1, 50, -6 + h + 1, 0, -1},
            {true, w, 50, 3, 0, w, 50, -3, 0},
            {true, 1, 50, -3, 0, 0, 50, 3, 0},
            {true, 50, h - 1, 0, 3, 50, h, 0, -3},
            {true, 50, 1, 0, -3, 50, 0, 0, 3},
        };
        Ship& ship = *Rockvale::ship;
        for (const Edge& e : edges) {
            SCOPED_TRACE(testing::Message() << (e.bounds ? "bounce " : "wrap ") << e.x << "," << e.y);
            Rockvale::boundsOn = e.bounds;
            ship.x = e.x;
            ship.y = e.y;
            ship.vx = e.vx;
            ship.vy = e.vy;
            ship.spin = 0;
            EXPECT_TRUE(ship.move());
            EXPECT_EQ(ship.x, e.wantX);
            EXPECT_EQ(ship.y, e.wantY);
            EXPECT_EQ(ship.vx, e.wantVx);
            EXPECT_EQ(ship.vy, e.wantVy);
        }
        Rockvale::boundsOn = false;
    });
}

}  // namespace
