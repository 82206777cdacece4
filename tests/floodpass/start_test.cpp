// Every shipped level, started and started again at each of its restart points under many
// draws, keeps its plane through the first frames and meets no craft in them: the craft move
// and their bullets fly before the player can steer. At the level's start no craft meets the
// plane in its first 10 frames, however the player steers, and the builder proves just those.
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include "drandom.h"
#include "entityarray.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "keystate.h"
#include "riverrules.h"
#include "screens.h"

namespace {

constexpr int seeds = 12, restartFrames = 3, steeredStarts = 64;
// The frames after a level's start in which no craft may meet the plane: too few for a player
// to see a craft coming and steer clear of it. The builder's proof must cover them.
constexpr int startFrames = 10;

// The level built as its start builds it, under the seed's draw of the craft; on every other
// seed every craft is present, the worst a draw can do.
void buildUnder(int level, int seed) {
    Floodpass::levelIndex = level;
    Floodpass::setState(Floodpass::levelStartState);
    if (seed % 2 == 0) Floodpass::presencePercent = 100;
    GameLib::sharedRandom->setSeed(seed);
    ASSERT_TRUE(Floodpass::buildLevel());
    Floodpass::state = Floodpass::playState;
}

int exploding() {
    int count = 0;
    for (int i = 0; i < Floodpass::entities->length; ++i) count += Floodpass::entities[i]->state == Entity::exploding;
    return count;
}

// The plane is kept, and no craft meets it (one that did would blow up on the protected plane).
void expectFirstFramesKeepThePlane(const std::string& what, int frames) {
    const int lives = Floodpass::lives, blownUp = exploding();
    for (int frame = 1; frame <= frames; ++frame) {
        Floodpass::playStep();
        ASSERT_EQ(Floodpass::planeState, Floodpass::planeFlying) << what << ", frame " << frame;
    }
    EXPECT_EQ(Floodpass::lives, lives) << what;
    EXPECT_EQ(exploding(), blownUp) << what << ": a craft met the plane";
}

// The plane lost at (row, speed) flies on exploding, out of the craft's reach while they
// move as in play, for `frames` frames; then its explosion ends and it starts again.
void loseAndRestart(int row, int speed, int frames, const std::function<void()>& eachFrame) {
    Floodpass::resetLevel(row);
    Floodpass::speed = speed;
    Floodpass::planeState = Floodpass::planeExploding;
    Floodpass::planeExplosion->reset();
    for (int frame = 0; frame < frames; ++frame) {
        eachFrame();
        Floodpass::playStep();
    }
    Floodpass::planeExplosion->current = Floodpass::planeExplosion->frames->length - 1;
    Floodpass::playStep();
    ASSERT_EQ(Floodpass::planeState, Floodpass::planeFlying);
}

// The plane's shot put into the bridge once it comes into view, as a shot from below would
// meet it; its explosion, which the paints advance, ends at once.
void shootOnSight(const EntityPtr& bridge) {
    if (bridge->state == Entity::exploding) bridge->explosion->current = bridge->explosion->frames->length - 1;
    if (bridge->state != Entity::active || bridge->y - bridge->height >= Floodpass::top) return;
    Floodpass::shotState = Floodpass::shotFlying;
    Floodpass::shotX = bridge->x + bridge->width / 2;
    Floodpass::shotY = bridge->y - bridge->height / 2;
}

void startEveryLevelAndRestartPoint() {
    const int levels = Screens::levelCount();
    ASSERT_GE(levels, 10);
    const int start = Floodpass::visibleRows, screenHeight = Screens::rows * Floodpass::cellSize;
    for (int level = 0; level < levels; ++level)
        for (int seed = 1; seed <= seeds; ++seed) {
            const std::string at = "level " + std::to_string(level + 1) + ", seed " + std::to_string(seed);
            const int speed = Floodpass::slow + seed % 3;
            buildUnder(level, seed);
            expectFirstFramesKeepThePlane(at + ": the start", startFrames);
            buildUnder(level, seed);
            loseAndRestart(start, speed, 40 + 5 * seed, [] {});
            expectFirstFramesKeepThePlane(at + ": a restart before the first bridge", restartFrames);
            int bridges = 0;
            for (int i = 0; i < Floodpass::entities->length; ++i) {
                if (Floodpass::entities[i]->kind != Entity::bridge) continue;
                const std::string past = at + ": a restart past bridge " + std::to_string(++bridges);
                buildUnder(level, seed);
                const EntityPtr bridge = Floodpass::entities[i];
                // From well below the bridge, so that the craft about it have been moving a while,
                // to the frame the bridge is noted passed.
                const int below = std::max(start, (bridge->y - screenHeight) / Floodpass::cellSize);
                const int planeY = RiverRules::startY(below, start, Floodpass::planeHeight);
                loseAndRestart(below, speed, (bridge->y - planeY) / speed + 1, [&] { shootOnSight(bridge); });
                ASSERT_EQ(Floodpass::bridgesPassed, 1) << past;
                expectFirstFramesKeepThePlane(past, restartFrames);
            }
            EXPECT_GT(bridges, 0) << at;
        }
}

// Keys held a while and changed now and then: left, right or neither; faster, slower or neither.
class Steering {
public:
    explicit Steering(unsigned seed) : draw(seed) {}
    void press(bool change) {
        if (change || draw() % 4 == 0) {
            across = int(draw() % 3) - 1;
            along = int(draw() % 3) - 1;
        }
        KeyState::left = across < 0;
        KeyState::right = across > 0;
        KeyState::up = along > 0;
        KeyState::down = along < 0;
    }

private:
    std::mt19937 draw;
    int across = 0, along = 0;
};

int activeCraft() {
    int count = 0;
    for (int i = 0; i < Floodpass::entities->length; ++i) {
        const EntityPtr& entity = Floodpass::entities[i];
        count += entity->state == Entity::active && entity->kind != Entity::bridge && entity->kind != Entity::fuelDepot;
    }
    return count;
}

// Each level started many times with every craft present and the player steering at random
// without firing: no craft blows up on the plane, and nothing scores.
void steerEveryLevelsStart() {
    Steering steering(35);
    for (int level = 0; level < Screens::levelCount(); ++level)
        for (int start = 0; start < steeredStarts; ++start) {
            buildUnder(level, 2 * start);
            const int craft = activeCraft(), score = Floodpass::score;
            for (int frame = 1; frame <= startFrames; ++frame) {
                steering.press(frame == 1);
                Floodpass::playStep();
            }
            const std::string at = "level " + std::to_string(level + 1) + ", start " + std::to_string(start);
            EXPECT_EQ(activeCraft(), craft) << at << ": a craft met the plane";
            EXPECT_EQ(Floodpass::score, score) << at;
        }
    KeyState::left = KeyState::right = KeyState::up = KeyState::down = false;
}

// The craft move and their bullets fly before the frame's count of the protection: a craft or
// a bullet on the plane in the first frame of a restart finds it protected already.
TEST_F(FloodpassTest, TheProtectionHoldsFromTheFirstFrameOfARestart) {
    inGame([] {
        for (const bool bullet : {false, true}) {
            SCOPED_TRACE(bullet ? "a bullet" : "a boat");
            openRiver(4);
            Floodpass::resetLevel(Floodpass::visibleRows + 20);
            const int y = Floodpass::planeY + Floodpass::normal;
            EntityPtr craft = place(bullet ? 7 : 12, bullet ? 0 : Floodpass::boxLeft() - 4, y);
            if (bullet) {
                craft->bulletState = Entity::flying;
                craft->bulletX = craft->bulletStartX = Floodpass::boxLeft() - 1;
                craft->bulletY = Floodpass::boxTop() + Floodpass::normal - 2;
                craft->bulletDx = Entity::bulletSpeed;
            }
            Floodpass::playStep();
            EXPECT_EQ(Floodpass::planeState, Floodpass::planeFlying);
            EXPECT_EQ(Floodpass::lives, Floodpass::startLives);
            EXPECT_EQ(bullet ? craft->bulletState : craft->state, bullet ? Entity::none : Entity::exploding)
                << "it met the plane";
        }
    });
}

TEST_F(FloodpassTest, EveryLevelKeepsItsPlaneThroughTheFirstFramesOfEveryStart) {
    inGame([] { startEveryLevelAndRestartPoint(); });
}

TEST_F(PocketPcFloodpassTest, EveryLevelKeepsItsPlaneThroughTheFirstFramesOfEveryStart) {
    inGame([] { startEveryLevelAndRestartPoint(); });
}

// Held hard over, faster or slower, through the start's frames, the plane's box comes to the
// edges of the reach that the builder proves the level's start for, and no further.
TEST_F(FloodpassTest, ThePlaneReachesTheEdgesOfItsProvedReach) {
    inGame([] {
        for (const bool left : {true, false})
            for (const bool faster : {true, false}) {
                SCOPED_TRACE(std::string(left ? "left" : "right") + (faster ? ", faster" : ", slower"));
                openRiver(4);
                const RiverRules::Box reach =
                    RiverRules::planeReach(Floodpass::planeX, Floodpass::planeY, Floodpass::planeWidth,
                                           Floodpass::planeHeight, RiverRules::clearFrames);
                for (int frame = 1; frame <= startFrames; ++frame) {
                    KeyState::left = left;
                    KeyState::right = !left;
                    KeyState::up = faster;
                    KeyState::down = !faster;
                    Floodpass::playStep();
                }
                const int box = Floodpass::boxLeft(), top = Floodpass::boxTop();
                EXPECT_EQ(left ? box : box + Floodpass::boxWidth, left ? reach.x : reach.x + reach.width);
                EXPECT_EQ(faster ? top : top - Floodpass::boxHeight, faster ? reach.y : reach.y - reach.height);
            }
        KeyState::left = KeyState::right = KeyState::up = KeyState::down = false;
    });
}

TEST_F(FloodpassTest, NoCraftMeetsThePlaneAtALevelsStartHoweverThePlayerSteers) {
    inGame([] { steerEveryLevelsStart(); });
}

TEST_F(PocketPcFloodpassTest, NoCraftMeetsThePlaneAtALevelsStartHoweverThePlayerSteers) {
    inGame([] { steerEveryLevelsStart(); });
}

}  // namespace
