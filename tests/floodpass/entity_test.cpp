// Each behaviour of the river's craft for one frame: crossing planes, drifting balloons,
// patrols turning at the banks, shooters and their bullets, the plane's shot, ramming,
// refuelling and a bridge taking the road's vehicles with it.
#include <gtest/gtest.h>
#include "entityarray.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "screencanvas.h"
#include "sound.h"

namespace {

bool lastSoundWas(int n) { return Sound::currentPlayer && Sound::currentPlayer.get() == Sound::soundTable[n].get(); }

// The plane far from the entity, flying and not invulnerable.
void planeAway() {
    Floodpass::planeX = 80;
    Floodpass::planeY = 0;
    Floodpass::planeState = Floodpass::planeFlying;
    Floodpass::invulnerable = false;
    Floodpass::shotState = Floodpass::shotNone;
    Sound::currentPlayer = nullptr;
}

TEST_F(FloodpassTest, EnemyPlanesComeRoundAndOnlyTheLeftEdgeIsHeard) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr left = place(1, -11, 500);
        left->update();
        EXPECT_EQ(left->x, -15);
        left->update();
        EXPECT_EQ(left->x, Floodpass::riverWidth);
        EXPECT_TRUE(lastSoundWas(Floodpass::enemyFlySound));
        Sound::currentPlayer = nullptr;
        EntityPtr right = place(3, 174, 500);
        right->update();
        EXPECT_EQ(right->x, -right->width);
        EXPECT_FALSE(Sound::currentPlayer);
    });
}

TEST_F(FloodpassTest, BalloonsAndPatrolsTurnAtTheEdgesAndBanks) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr balloon = place(5, 1, 500);
        balloon->moveTick = 2;
        balloon->update();
        EXPECT_EQ(balloon->x, 0);
        EXPECT_FALSE(balloon->facingLeft);
        balloon->x = Floodpass::riverWidth - balloon->width - 1;
        balloon->moveTick = 2;
        balloon->update();
        EXPECT_EQ(balloon->x, Floodpass::riverWidth - balloon->width);
        EXPECT_TRUE(balloon->facingLeft);
        // A helicopter heading right with its nose over the land of columns 19 to 21.
        EntityPtr heli = place(9, 152 - 16 + 1, 500);
        ASSERT_FALSE(heli->facingLeft);
        heli->moveTick = 2;
        heli->update();
        EXPECT_TRUE(heli->facingLeft) << "the bank ahead turns it";
        EXPECT_EQ(heli->x, 152 - 16 + 1 - 4);
        // A patrol looks at its own top row, not the row above it: here the row above is land.
        const int row = 40;
        for (int column = 0; column < 22; ++column) Floodpass::levelMap[(row + 1) * 22 + column] = 0;
        EntityPtr boat = place(12, 60, (row + 1) * 8);
        boat->moveTick = 2;
        boat->update();
        EXPECT_FALSE(boat->facingLeft) << "its own row is water";
        EXPECT_EQ(boat->x, 62);
        // In the level's top row it looks inside the map.
        EntityPtr top = place(12, 40, Floodpass::totalRows * 8);
        top->moveTick = 2;
        top->update();
        EXPECT_EQ(top->state, Entity::active);
    });
}

TEST_F(FloodpassTest, ShootersFireEveryTenthFrameAndBulletsFlyHalfAScreen) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr gun = place(7, 20, 600);
        for (int i = 0; i < 9; ++i) gun->update();
        EXPECT_EQ(gun->bulletState, Entity::none);
        gun->update();
        ASSERT_EQ(gun->bulletState, Entity::flying);
        EXPECT_EQ(gun->bulletX, 20 - 4) << "it leaves from the front and moves the same frame";
        EXPECT_TRUE(lastSoundWas(Floodpass::shootSound));
        int flights = 1;
        while (gun->bulletState == Entity::flying && flights < 100) {
            gun->update();
            ++flights;
        }
        EXPECT_EQ(flights, 6) << "it stops once past x = 0";
        EntityPtr far = place(8, 160, 600);
        far->decisionTick = 9;
        far->update();
        int distance = 0;
        while (far->bulletState == Entity::flying && distance < 400) {
            distance = far->bulletStartX - far->bulletX;
            far->update();
        }
        EXPECT_LE(distance, ScreenCanvas::screenWidth / 2);
        EXPECT_GT(distance, ScreenCanvas::screenWidth / 2 - 4);
    });
}

TEST_F(FloodpassTest, TheShotHitsOnlyStrictlyInsideAndScores) {
    inGame([] {
        openRiver(3);
        planeAway();
        struct Case {
            int dx, dy;
            bool hit;
        } cases[] = {{0, -5, false}, {1, -5, true}, {15, -5, true}, {16, -5, false},
                     {5, 0, false},  {5, -1, true}, {5, -9, true},  {5, -10, false}};
        for (const Case& c : cases) {
            EntityPtr jet = place(1, 40, 800);
            jet->speed = 0;
            ASSERT_EQ(jet->width, 16);
            ASSERT_EQ(jet->height, 10);
            Floodpass::score = 0;
            Floodpass::shotState = Floodpass::shotFlying;
            Floodpass::shotX = 40 + c.dx;
            Floodpass::shotY = 800 + c.dy;
            jet->update();
            EXPECT_EQ(jet->state == Entity::exploding, c.hit) << c.dx << ", " << c.dy;
            EXPECT_EQ(Floodpass::score, c.hit ? 800 : 0);
            EXPECT_EQ(Floodpass::shotState, c.hit ? Floodpass::shotNone : Floodpass::shotFlying);
        }
    });
}

TEST_F(FloodpassTest, RammingWhileInvulnerableDestroysWithoutALifeLost) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr boat = place(12, 80, Floodpass::boxTop());
        boat->speed = 0;
        Floodpass::invulnerable = true;
        boat->update();
        EXPECT_EQ(boat->state, Entity::exploding);
        EXPECT_EQ(Floodpass::score, 200);
        EXPECT_EQ(Floodpass::lives, Floodpass::startLives);
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeFlying);
        EntityPtr bridge = place(0, 56, Floodpass::boxTop());
        Floodpass::invulnerable = false;
        bridge->update();
        EXPECT_EQ(bridge->state, Entity::exploding);
        EXPECT_EQ(Floodpass::score, 200) << "a bridge scores nothing";
        EXPECT_EQ(Floodpass::lives, Floodpass::startLives - 1);
        EXPECT_TRUE(lastSoundWas(Floodpass::bridgeSound));
    });
}

TEST_F(FloodpassTest, DepotsRefuelToTheFirstValueAtOrAboveFullAndCanBeShot) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr depot = place(24, 80, Floodpass::boxTop());
        Floodpass::fuel = 1985;
        depot->update();
        EXPECT_EQ(Floodpass::fuel, 1995);
        depot->update();
        EXPECT_EQ(Floodpass::fuel, 2005);
        depot->update();
        EXPECT_EQ(Floodpass::fuel, 2005);
        EXPECT_EQ(depot->state, Entity::active);
        planeAway();
        Floodpass::shotState = Floodpass::shotFlying;
        Floodpass::shotX = depot->x + 4;
        Floodpass::shotY = depot->y - 4;
        Floodpass::score = 0;
        depot->update();
        EXPECT_EQ(depot->state, Entity::exploding);
        EXPECT_EQ(Floodpass::score, 0);
    });
}

TEST_F(FloodpassTest, EnemyBulletsOutliveTheirShooterAndHitThePlane) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr gun = place(7, 120, Floodpass::boxTop() - 2);
        gun->decisionTick = 9;
        gun->update();
        ASSERT_EQ(gun->bulletState, Entity::flying);
        gun->state = Entity::gone;
        for (int i = 0; i < 30 && gun->bulletState == Entity::flying; ++i) gun->update();
        EXPECT_EQ(gun->bulletState, Entity::none);
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeExploding);
        EXPECT_EQ(Floodpass::lives, Floodpass::startLives - 1);
    });
}

TEST_F(FloodpassTest, ABlownBridgeTakesTheVehiclesOnItAndStopsTheOthers) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr bridge = new Entity(0, 56, 700, 0);
        EntityPtr onBridge = new Entity(14, 60, 700, 0);
        EntityPtr onBank = new Entity(18, 0, 700, 0);
        EntityPtr otherRow = new Entity(14, 70, 692, 0);
        for (const EntityPtr& e : {onBridge, onBank, otherRow}) e->onRoad = true;
        onlyEntities({bridge, onBridge, onBank, otherRow});
        Floodpass::shotState = Floodpass::shotFlying;
        Floodpass::shotX = 80;
        Floodpass::shotY = 695;
        bridge->update();
        EXPECT_EQ(bridge->state, Entity::exploding);
        EXPECT_EQ(onBridge->state, Entity::exploding);
        EXPECT_EQ(Floodpass::score, 600);
        EXPECT_EQ(onBank->state, Entity::active);
        EXPECT_EQ(onBank->speed, 0);
        EXPECT_EQ(otherRow->speed, 2) << "another row's vehicles drive on";
        onBank->update();
        EXPECT_EQ(onBank->x, 0);
        EXPECT_FALSE(onBank->facingLeft) << "a stopped vehicle faces the plane";
    });
}

TEST_F(FloodpassTest, APassedBlownBridgeBecomesTheRestartRow) {
    inGame([] {
        openRiver(3);
        planeAway();
        EntityPtr bridge = place(0, 56, 100);
        bridge->state = Entity::gone;
        Floodpass::planeY = 90;
        bridge->update();
        EXPECT_EQ(bridge->state, Entity::gone);
        Floodpass::planeY = 101;
        Floodpass::rowCounter = 55;
        bridge->update();
        EXPECT_EQ(bridge->state, Entity::passed);
        EXPECT_EQ(Floodpass::restartRow, 55);
        EXPECT_EQ(Floodpass::bridgesPassed, 1);
    });
}

struct OverlapCase {
    int x1, y1, x2, y2, w1, h1, w2, h2;
    bool expected;
};

TEST(FloodpassOverlaps, TouchingBoxesOverlap) {
    const OverlapCase cases[] = {
        {0, 100, 10, 100, 10, 10, 10, 10, true},    // right edge touches left edge
        {0, 100, 11, 100, 10, 10, 10, 10, false},
        {21, 100, 10, 100, 10, 10, 10, 10, false},  // right of the other
        {20, 100, 10, 100, 10, 10, 10, 10, true},
        {0, 110, 0, 100, 10, 10, 10, 10, true},     // bottom touches top
        {0, 111, 0, 100, 10, 10, 10, 10, false},
        {0, 90, 0, 100, 10, 10, 10, 10, true},
        {0, 89, 0, 100, 10, 10, 10, 10, false},
    };
    for (const OverlapCase& c : cases)
        EXPECT_EQ(Floodpass::overlaps(c.x1, c.y1, c.x2, c.y2, c.w1, c.h1, c.w2, c.h2), c.expected)
            << c.x1 << "," << c.y1 << " / " << c.x2 << "," << c.y2;
}

}  // namespace
