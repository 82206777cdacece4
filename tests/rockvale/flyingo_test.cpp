// Rocks, saucers, shots and rockets: what the constructor makes of its arguments, random
// places and launches, the screen's edges, and the turning rocks' picture names.
#include <gtest/gtest.h>
#include <string>
#include "flyingo.h"
#include "rockvale_fixture.h"
#include "screencanvas.h"
#include "text.h"

using dfc::lang::DStringPtr;

namespace {

struct Made {
    int a, b;
    const char16_t* name;
    int kind, hitSize, energy;
    const char* imageName;
};

TEST_F(RockvaleTest, ConstructorTellsKindSizeAndEnergyFromItsArguments) {
    inGame([](Rockvale&) {
        const Made made[] = {
            {50, 50, u"bb4", FlyingO::shot, 200, 1, "bb4"},
            {150, 150, u"ufo1", FlyingO::plainSaucer, 200, 1, "ufo1"},
            {150, 150, u"ufo2", FlyingO::fastSaucer, 250, 1, "ufo2"},
            {150, 150, u"ufo3", FlyingO::shootingSaucer, 430, 4, "ufo3"},
            {1, 1, nullptr, FlyingO::turningRock, 350, 1, "a110"},
            {1, 2, nullptr, FlyingO::frameRock, 350, 1, "a120"},
            {2, 1, nullptr, FlyingO::frameRock, 250, 1, "a210"},
            {2, 2, nullptr, FlyingO::turningRock, 250, 1, "a220"},
            {3, 1, nullptr, FlyingO::turningRock, 200, 1, "a310"},
            {3, 3, nullptr, FlyingO::frameRock, 200, 1, "a330"},
        };
        for (const Made& m : made) {
            SCOPED_TRACE(m.imageName);
            FlyingO o(10, 20, 2, -3, 1, m.a, m.b, m.name ? DStringPtr(m.name) : DStringPtr(), 0);
            EXPECT_EQ(o.kind, m.kind);
            EXPECT_EQ(o.hitSize, m.hitSize);
            EXPECT_EQ(o.energy, m.energy);
            EXPECT_EQ(narrow(o.imageName), m.imageName);
            EXPECT_EQ(o.x, 10);
            EXPECT_EQ(o.y, 20);
        }
        FlyingO shooting(0, 0, 5, -5, 3, 150, 150, u"ufo3", 0);
        EXPECT_EQ(shooting.vx, 2) << "the shooting saucer flies at half the speed asked";
        EXPECT_EQ(shooting.vy, -3);
        EXPECT_EQ(shooting.speedFactor, 3);
    });
}

TEST_F(RockvaleTest, RandomPlacesKeepClearOfTheMiddleAndLaunchesNeverStandStill) {
    inGame([](Rockvale&) {
        const int w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
        for (int wave : {1, 20}) {
            Rockvale::currentWave = wave;
            int lowest = 100, highest = -100;
            for (int i = 0; i < 400; ++i) {
                FlyingO o(FlyingO::randomPlace, 0, FlyingO::randomLaunch, 0, 1, 1, 1, nullptr, -1);
                EXPECT_FALSE(h / 3 < o.y && o.y < 2 * h / 3 && w / 3 < o.x && o.x < 2 * w / 3)
                    << o.x << "," << o.y;
                EXPECT_TRUE(o.x >= 0 && o.x < w && o.y >= 0 && o.y < h);
                EXPECT_NE(o.vx, 0);
                EXPECT_NE(o.vy, 0);
                lowest = std::min({lowest, o.vx, o.vy});
                highest = std::max({highest, o.vx, o.vy});
                EXPECT_TRUE(o.frameDelay >= 0 && o.frameDelay < 5);
                EXPECT_TRUE(o.frame >= 0 && o.frame < 4);
            }
            EXPECT_EQ(lowest, wave == 1 ? -3 : -2);
            EXPECT_EQ(highest, wave == 1 ? 3 : 4);
        }
        Rockvale::currentWave = 1;
    });
}

struct Crossing {
    bool bounds;
    int a, b;
    const char16_t* name;
    int x, y, vx, vy;
    int wantX, wantY, wantVx, wantVy;
};

TEST_F(RockvaleTest, ObjectsWrapOrBounceAtTheEdgesShotsDoNeither) {
    inGame([](Rockvale&) {
        const int w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
        // Pictures 20 wide: a quarter is 5, a half 10.
        const Crossing crossings[] = {
            {false, 1, 1, nullptr, w + 6, 40, 1, 0, 6, 40, 1, 0},
            {false, 1, 1, nullptr, w + 5, 40, 1, 0, w + 6, 40, 1, 0},
            {false, 1, 1, nullptr, 40, -6, 0, -1, 40, -7 + h + 1, 0, -1},
            {false, 150, 150, u"ufo3", w + 11, 40, 2, 0, w + 12 - (20 + w + 1), 40, 1, 0},
            {false, 150, 150, u"ufo3", w + 6, 40, 2, 0, w + 7, 40, 1, 0},
            {false, 150, 150, u"ufo3", 40, h + 11, 0, 2, 40, h + 12 - (20 + h + 1), 0, 1},
            {false, 50, 50, u"bb4", w + 30, 40, 1, 0, w + 31, 40, 1, 0},
            {true, 1, 1, nullptr, w, 40, 2, 0, w, 40, -2, 0},
            {true, 1, 1, nullptr, 40, h - 1, 0, 2, 40, h - 1, 0, -2},
            {true, 1, 1, nullptr, 40, 1, 0, -2, 40, 1, 0, 2},
            {true, 150, 150, u"ufo3", 1, 40, -4, 0, 0, 40, 2, 0},
            {true, 50, 50, u"bb4", -1, 40, -1, 0, -2, 40, -1, 0},
        };
        for (const Crossing& c : crossings) {
            SCOPED_TRACE(testing::Message() << (c.bounds ? "bounce " : "wrap ") << c.a << " " << c.x << "," << c.y);
            Rockvale::boundsOn = c.bounds;
            FlyingO o(c.x, c.y, c.vx, c.vy, 1, c.a, c.b, c.name ? DStringPtr(c.name) : DStringPtr(), 0);
            o.width = o.height = 20;
            o.move();
            EXPECT_EQ(o.x, c.wantX);
            EXPECT_EQ(o.y, c.wantY);
            EXPECT_EQ(o.vx, c.wantVx);
            EXPECT_EQ(o.vy, c.wantVy);
        }
        Rockvale::boundsOn = false;
    });
}

// The shooting saucer leaves wholly before it comes back, and then flies on in: it never
// jumps back and forth between the two edges.
TEST_F(RockvaleTest, ShootingSaucerWrapsOnceAndStays) {
    inGame([](Rockvale&) {
        Rockvale::boundsOn = false;
        const int w = ScreenCanvas::screenWidth;
        FlyingO saucer(w - 30, 40, 2, 0, 1, 150, 150, u"ufo3", 0);
        saucer.width = saucer.height = 40;
        int jumps = 0, previous = saucer.x;
        for (int i = 0; i < 80; ++i) {
            saucer.move();
            if (saucer.x < previous) ++jumps;
            previous = saucer.x;
        }
        EXPECT_EQ(jumps, 1);
        EXPECT_GT(saucer.x, 0);
    });
}

TEST_F(RockvaleTest, TurningRocksTurnByQuarterPicturesFrameRocksBySixteen) {
    inGame([](Rockvale&) {
        FlyingO turning(50, 50, 0, 0, 1, 1, 1, nullptr, 0);
        FlyingO framed(50, 50, 0, 0, 1, 1, 2, nullptr, 0);
        turning.frame = framed.frame = 0;
        std::string turningNames, framedNames;
        for (int i = 0; i < 17; ++i) {
            turning.move();
            turning.advanceName();
            framed.move();
            framed.advanceName();
            turningNames += narrow(turning.imageName) + " ";
            framedNames += narrow(framed.imageName) + " ";
        }
        EXPECT_EQ(turningNames,
                  "a111 a112 a113 a110_up a111_up a112_up a113_up a110_lv a111_lv a112_lv a113_lv a110_dn a111_dn "
                  "a112_dn a113_dn a110 a111 ");
        EXPECT_EQ(framedNames,
                  "a121 a122 a123 a124 a125 a126 a127 a128 a129 a1210 a1211 a1212 a1213 a1214 a1215 a120 a121 ");
    });
}

}  // namespace
