// The play rules of a step: waves, collisions and their scores, splitting, rockets, the shot
// slots, extra lives, the level-select entry, and the mended faults (a missing pause sign,
// missing reports, a missing "Lives" text, the help page's way back, the application's pause
// between two steps).
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include "ce_system.h"
#include "dstring.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "keystate.h"
#include "rockvale_fixture.h"
#include "screencanvas.h"
#include "ship.h"
#include "stringmanager.h"
#include "text.h"

using dfc::lang::DStringPtr;

namespace {

int countKind(const FlyingOArrayPtr& array, int kind) {
    int n = 0;
    for (int i = 0; i < array->length; ++i)
        if (array[i] && array[i]->kind == kind) ++n;
    return n;
}

int alive(const FlyingOArrayPtr& array) {
    int n = 0;
    for (int i = 0; i < array->length; ++i)
        if (array[i]) ++n;
    return n;
}

TEST_F(RockvaleTest, WavesBringMoreAndFasterSaucers) {
    inGame([](Rockvale& game) {
        // Plain, fast and shooting saucers of waves 1 to 20.
        const int mix[20][3] = {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {1, 1, 0}, {2, 1, 0}, {3, 1, 0}, {1, 1, 1},
                                {2, 1, 1}, {3, 1, 1}, {1, 2, 1}, {2, 2, 1}, {3, 2, 1}, {1, 2, 1}, {2, 2, 1},
                                {3, 2, 1}, {1, 3, 2}, {2, 3, 2}, {3, 3, 2}, {1, 3, 2}, {2, 3, 2}};
        for (int wave = 1; wave <= 20; ++wave) {
            SCOPED_TRACE(wave);
            Rockvale::currentWave = wave;
            game.setupWave(wave, 1234);
            EXPECT_EQ(game.score, 1234);
            EXPECT_EQ(countKind(game.saucers, FlyingO::plainSaucer), mix[wave - 1][0]);
            EXPECT_EQ(countKind(game.saucers, FlyingO::fastSaucer), mix[wave - 1][1]);
            EXPECT_EQ(countKind(game.saucers, FlyingO::shootingSaucer), mix[wave - 1][2]);
            EXPECT_EQ(game.rockets->length, mix[wave - 1][2]);
            int units = 0;
            for (int i = 0; i < game.rocks->length; ++i) {
                const FlyingOPtr r = game.rocks[i];
                if (!r) continue;  // a big rock takes four units but one slot
                units += r->hitSize == 350 ? 4 : r->hitSize == 250 ? 2 : 1;
                if (i < 5) {
                    EXPECT_LT(r->vy, 0) << "the first rocks set off upwards";
                }
            }
            EXPECT_LE(game.rocks->length, 6);
            EXPECT_LE(units, 8);
            EXPECT_EQ(game.shotCount, 0);
        }
    });
}

struct Blow {
    int size;
    int points;
    int fragmentsLow, fragmentsHigh;
};

TEST_F(RockvaleTest, ShotsOnRocksScoreAndSplit) {
    inGame([](Rockvale& game) {
        const Blow blows[] = {{3, 200, 0, 0}, {2, 300, 2, 2}, {1, 300, 2, 3}};
        for (const Blow& b : blows) {
            for (int round = 0; round < 6; ++round) {
                SCOPED_TRACE(b.size);
                emptyWave(game, 6, 0);
                game.rocks[0] = rock(b.size, 40, 40);
                game.shots[0] = shot(40, 40);
                game.shotCount = 1;
                step(game);
                EXPECT_EQ(game.score, b.points);
                const int left = alive(game.rocks);
                EXPECT_GE(left, b.fragmentsLow);
                EXPECT_LE(left, b.fragmentsHigh);
                EXPECT_FALSE(game.shots[0]) << "the shot is spent";
            }
        }
    });
}

TEST_F(RockvaleTest, RammingARockCostsALife) {
    inGame([](Rockvale& game) {
        Ship& ship = *Rockvale::ship;
        // The rock in the last slot: its fragments land in slots this step has passed.
        emptyWave(game, 6, 0);
        game.rocks[5] = rock(1, ship.x, ship.y);
        step(game);
        EXPECT_EQ(game.score, 200);
        EXPECT_EQ(ship.lives, 2);
        EXPECT_GE(alive(game.rocks), 2) << "a big rock splits";

        emptyWave(game, 6, 0);
        game.rocks[0] = rock(2, ship.x, ship.y);
        step(game);
        EXPECT_EQ(game.score, 200);
        EXPECT_EQ(ship.lives, 2);
        EXPECT_EQ(alive(game.rocks), 0) << "a medium rock goes whole";
        EXPECT_EQ(Rockvale::gameState, Rockvale::waveCleared);
    });
}

TEST_F(RockvaleTest, RocketOnTheShipScoresAndCostsALife) {
    inGame([](Rockvale& game) {
        Ship& ship = *Rockvale::ship;
        emptyWave(game, 1, 0);
        game.rocks[0] = rock(3, 10, 10);
        game.rockets[0] = new FlyingO(ship.x + 10, ship.y, 0, 0, 1, 50, 50, u"rocket0", 0);
        step(game);
        EXPECT_EQ(game.score, 200);
        EXPECT_EQ(ship.lives, 2);
        EXPECT_FALSE(game.rockets[0]);
    });
}

TEST_F(RockvaleTest, ShootingSaucerTakesFourShotsOrARamOnceItsArmourIsGone) {
    inGame([](Rockvale& game) {
        emptyWave(game, 1, 1);
        game.rocks[0] = rock(3, 10, 10);
        game.saucers[0] = saucer(3, 40, 150);
        for (int hit = 1; hit <= 4; ++hit) {
            game.shots[0] = shot(40, 150);
            game.shotCount = 1;
            step(game);
            if (hit < 4) {
                ASSERT_TRUE(game.saucers[0]);
                EXPECT_EQ(game.saucers[0]->energy, 4 - hit);
                EXPECT_EQ(game.score, 0);
            }
        }
        EXPECT_FALSE(game.saucers[0]);
        EXPECT_EQ(game.score, 200);

        Ship& ship = *Rockvale::ship;
        emptyWave(game, 1, 1);
        game.rocks[0] = rock(3, 10, 10);
        game.saucers[0] = saucer(3, ship.x, ship.y);
        game.saucers[0]->energy = 2;
        step(game);
        ASSERT_TRUE(game.saucers[0]);
        EXPECT_EQ(game.score, 0);
        ship.isHit = false;
        step(game);
        EXPECT_FALSE(game.saucers[0]);
        EXPECT_EQ(game.score, 500);
        EXPECT_EQ(ship.lives, 1);
    });
}

// Seven slots: an eighth shot finds no room and is dropped, but still costs its 30 points.
TEST_F(RockvaleTest, ShotsBeyondTheSevenSlotsAreDroppedAndStillCost) {
    inGame([](Rockvale& game) {
        emptyWave(game, 1, 0);
        for (int i = 0; i < 8; ++i) game.fire();
        EXPECT_EQ(game.shotCount, Rockvale::shotSlots);
        EXPECT_EQ(game.score, -240);
        for (int i = 0; i < Rockvale::shotSlots; ++i) EXPECT_TRUE(game.shots[i]);
        game.shots[3] = nullptr;
        game.fire();
        EXPECT_TRUE(game.shots[3]) << "a freed slot is taken again";
        EXPECT_EQ(narrow(game.shots[3]->imageName), "bb4");
        EXPECT_EQ(game.shots[3]->vy, -4);
        EXPECT_EQ(game.shots[3]->speedFactor, 4);
    });
}

struct Aim {
    int dx, dy;
    const char* name;  // null: nothing launched
    int vx, vy;
};

TEST_F(RockvaleTest, RocketsFlyOnlyAlongTheSixteenFiringLines) {
    inGame([](Rockvale& game) {
        const Aim aims[] = {
            {0, -50, "rocket0", 0, -8},        {1, 50, "rocket0_lv", 0, 8},     {-50, 1, "rocket0_up", -8, 0},
            {1, 1, "rocket0_dn", 8, 0},        {20, 100, nullptr, 0, 0},        {40, 100, "rocket3_dn", 4, 6},
            {-40, -100, "rocket3_up", -4, -6}, {70, 100, nullptr, 0, 0},        {100, -100, "rocket2", 4, -4},
            {-100, 100, "rocket2_lv", -4, 4}, {120, 50, "rocket1_dn", 6, 4},   {120, -50, "rocket3", 6, -4},
            {-130, 50, nullptr, 0, 0},
        };
        for (const Aim& a : aims) {
            SCOPED_TRACE(testing::Message() << a.dx << "," << a.dy);
            emptyWave(game, 0, 1);
            game.saucers[0] = saucer(3, 100, 100);
            game.saucers[0]->rocketTimer = 40;
            const bool launched = game.launchRocket(0, 100, 100, a.dx, a.dy);
            EXPECT_EQ(launched, a.name != nullptr);
            if (!a.name) {
                EXPECT_FALSE(game.rockets[0]);
                continue;
            }
            const FlyingOPtr r = game.rockets[0];
            ASSERT_TRUE(r);
            EXPECT_EQ(narrow(r->imageName), a.name);
            EXPECT_EQ(r->vx, a.vx);
            EXPECT_EQ(r->vy, a.vy);
            EXPECT_EQ(r->kind, FlyingO::shot);
            EXPECT_EQ(game.saucers[0]->rocketTimer, 0);
            EXPECT_FALSE(game.launchRocket(0, 100, 100, a.dx, a.dy)) << "no free rocket slot";
        }
    });
}

TEST_F(RockvaleTest, FragmentsOfASplitRockKeepNoMomentum) {
    inGame([](Rockvale& game) {
        for (int size : {1, 2}) {
            for (int round = 0; round < 30; ++round) {
                emptyWave(game, 6, 0);
                game.rocks[0] = rock(size, 60, 60, 3, -2);
                game.splitRock(60, 60, 0);
                int sumVx = 0, sumVy = 0;
                for (int i = 0; i < 6; ++i)
                    if (game.rocks[i]) {
                        sumVx += game.rocks[i]->vx;
                        sumVy += game.rocks[i]->vy;
                        EXPECT_LT(game.rocks[i]->hitSize, size == 1 ? 350 : 250);
                    }
                EXPECT_EQ(sumVx, 0);
                EXPECT_EQ(sumVy, 0);
                EXPECT_EQ(game.score, 100);
            }
        }
        // No room for the other fragments: only the first is made.
        emptyWave(game, 1, 0);
        game.rocks[0] = rock(1, 60, 60);
        game.splitRock(60, 60, 0);
        ASSERT_TRUE(game.rocks[0]);
        EXPECT_LT(game.rocks[0]->hitSize, 350);
        // An empty slot splits nothing and scores nothing.
        game.rocks[0] = nullptr;
        game.score = 0;
        game.splitRock(60, 60, 0);
        EXPECT_EQ(game.score, 0);
    });
}

// A rock split by a shot is done for the step: the rocket that would also have reached it
// finds only the fragment's slot and scores nothing more.
TEST_F(RockvaleTest, ARockHitTwiceInOneStepScoresOnce) {
    inGame([](Rockvale& game) {
        emptyWave(game, 6, 0);
        game.rocks[0] = rock(1, 40, 40);
        game.shots[0] = shot(40, 40);
        game.shotCount = 1;
        game.rockets[0] = new FlyingO(40, 63, 0, 0, 1, 50, 50, u"rocket0", 0);
        step(game);
        EXPECT_EQ(game.score, 300);
        EXPECT_TRUE(game.rockets[0]);
        EXPECT_LE(alive(game.rocks), 3);
    });
}

TEST_F(RockvaleTest, ExtraLifeEveryFiveThousandAboveTheLastBonus) {
    inGame([](Rockvale& game) {
        Ship& ship = *Rockvale::ship;
        ship.lives = 3;
        game.score = 4900;
        game.lastBonusScore = 0;
        game.gain(200);
        EXPECT_EQ(ship.lives, 4);
        EXPECT_EQ(game.lastBonusScore, 5100);
        game.gain(4800);
        EXPECT_EQ(ship.lives, 4);
        game.score -= 300;  // shots fired meanwhile
        game.gain(400);
        EXPECT_EQ(ship.lives, 4);
        game.gain(200);
        EXPECT_EQ(ship.lives, 5);
        EXPECT_EQ(game.lastBonusScore, 10200);
    });
}

// Nothing reported for shots (none in flight) or rockets (the shooting saucer ignores them):
// the saucer still steers by the rock.
TEST_F(RockvaleTest, SaucerSteersWithMissingReports) {
    inGame([](Rockvale& game) {
        emptyWave(game, 2, 1);
        game.rocks[0] = rock(2, 140, 150, 2, 0);
        game.rocks[1] = rock(3, 5, 5);
        game.saucers[0] = saucer(3, 40, 150);
        game.saucers[0]->steerCounter = 10;
        game.shotCount = 0;
        step(game);
        ASSERT_TRUE(game.saucers[0]);
        EXPECT_EQ(game.saucers[0]->steerCounter, 0);
        EXPECT_EQ(Rockvale::gameState, Rockvale::playing);
    });
}

TEST_F(RockvaleTest, PauseSignTappedPausesAndAMissingSignIsNoPlaceToTap) {
    inGame([](Rockvale& game) {
        const int w = ScreenCanvas::screenWidth;
        emptyWave(game, 1, 0);
        game.rocks[0] = rock(3, 10, 200);
        const auto sign = GameMenu::pauseImage;
        GameMenu::pauseImage = nullptr;
        KeyState::pointerDown = true;
        KeyState::pointerX = w - 1;
        KeyState::pointerY = 0;
        step(game);
        EXPECT_EQ(Rockvale::gameState, Rockvale::playing);
        GameMenu::pauseImage = sign;
        ASSERT_TRUE(sign);
        KeyState::pointerY = 1;
        step(game);
        KeyState::pointerDown = false;
        EXPECT_EQ(Rockvale::gameState, Rockvale::menuState);
        EXPECT_EQ(Rockvale::menuMode, Rockvale::pauseMenu);
        EXPECT_EQ(narrow(game.menu->items[0]), "Continue");
    });
}

// The application's pause is a press and a release of its key on two frames in a row, while
// the game steps every 51 ms: it is seen whichever frame it comes on.
TEST_F(RockvaleTest, ThePauseOfTheApplicationIsSeenOnEveryFrame) {
    inGame([](Rockvale& game) {
        for (int frame = 0; frame < 6; ++frame) {
            emptyWave(game, 1, 0);
            game.rocks[0] = rock(3, 10, 200);
            step(game);
            frames(frame);
            ASSERT_EQ(Rockvale::gameState, Rockvale::playing);
            GameLib::gameLib->pauseApp();
            frames(4);
            EXPECT_EQ(Rockvale::gameState, Rockvale::menuState) << frame;
            EXPECT_EQ(Rockvale::menuMode, Rockvale::pauseMenu) << frame;
        }
    });
}

TEST_F(RockvaleTest, LevelSelectEntryJumpsOrMakesTheShipImmune) {
    inGame([](Rockvale& game) {
        emptyWave(game, 1, 0);
        game.rocks[0] = rock(3, 10, 200);
        Ship& ship = *Rockvale::ship;
        ship.lives = 6;
        game.score = 700;
        KeyState::enteredNumber = 0;
        KeyState::numberEntered = true;
        step(game);
        EXPECT_TRUE(Rockvale::invulnerable);
        EXPECT_EQ(Rockvale::gameState, Rockvale::playing);
        KeyState::enteredNumber = 21;
        KeyState::numberEntered = true;
        step(game);
        EXPECT_EQ(Rockvale::gameState, Rockvale::playing) << "21 is no wave";
        KeyState::enteredNumber = 7;
        KeyState::numberEntered = true;
        step(game);
        EXPECT_FALSE(KeyState::numberEntered);
        EXPECT_EQ(Rockvale::currentWave, 7);
        EXPECT_EQ(Rockvale::gameState, Rockvale::waveIntro);
        EXPECT_EQ(game.delaySteps, 10);
        EXPECT_EQ(ship.lives, 6) << "a jump keeps the lives";
        EXPECT_EQ(game.score, 700);
        EXPECT_EQ(countKind(game.saucers, FlyingO::shootingSaucer), 1);
        Rockvale::invulnerable = false;
    });
}

// Steps come at most every 51 ms; a step time ahead of the clock, left from an earlier run
// of the program, does not freeze the game.
TEST_F(RockvaleTest, StepsWaitForTheirTimeButNotForAStaleOne) {
    inGame([](Rockvale& game) {
        emptyWave(game, 1, 0);
        game.rocks[0] = rock(3, 10, 200);
        Rockvale::gameState = Rockvale::waveIntro;
        game.delaySteps = 5;
        Rockvale::lastStepTime = GetTickCount() - 50;
        game.update();
        EXPECT_EQ(game.delaySteps, 5);
        Rockvale::lastStepTime = GetTickCount() - 51;
        game.update();
        EXPECT_EQ(game.delaySteps, 4);
        Rockvale::lastStepTime = GetTickCount() + 100000;
        game.update();
        EXPECT_EQ(game.delaySteps, 3);
    });
}

TEST_F(RockvaleTest, NewGameTakesItsLivesFromTheTextsOrThree) {
    inGame([](Rockvale& game) {
        game.newGameLives();
        EXPECT_EQ(Rockvale::ship->lives, 3);
        StringManager::properties->remove(DStringPtr(u"Lives"));
        Rockvale::ship->lives = 0;
        game.newGameLives();
        EXPECT_EQ(Rockvale::ship->lives, 3);
    });
}

// Leaving the help page drops its laid-out text, never the shared name-entry keyboard.
TEST_F(RockvaleTest, HelpPageGoesBackToTheMenuItCameFrom) {
    inGame([](Rockvale& game) {
        game.createMenu(Rockvale::pauseMenu);
        game.createMenu(Rockvale::helpPage);
        EXPECT_GT(HelpLayout::lineCount, 0);
        game.menu->closeRequested = true;
        game.update();
        EXPECT_EQ(Rockvale::menuMode, Rockvale::pauseMenu);
        EXPECT_EQ(HelpLayout::lineCount, 0);
        EXPECT_TRUE(GameTables::virtualKeyboard);
    });
}

struct Steer {
    int step;
    const char16_t* suffix;
    int px, py;  // the stylus, the ship at (100, 100)
    int wantStep;
    const char16_t* wantSuffix;
    bool thrusts;
};

TEST_F(RockvaleTest, StylusTurnsTheShipTowardsItsPointAndThrustsWhenFacingIt) {
    inGame([](Rockvale& game) {
        const Steer steers[] = {
            {4, u"", 100, 50, 4, u"", true},      // straight ahead
            {4, u"", 100, 95, 4, u"", false},     // ahead, but too near to fly to
            {4, u"", 150, 90, 3, u"", false},     // same quarter, lower: right
            {1, u"", 110, 60, 2, u"", false},     // same quarter, steeper: left
            {4, u"", 50, 50, 1, u"_up", false},   // the quarter to the left
            {4, u"", 150, 150, 3, u"", false},    // the quarter behind to the right
            {4, u"", 50, 110, 1, u"_up", false},  // the opposite quarter, flat: left
            {1, u"", 90, 150, 4, u"_dn", false},  // the opposite quarter, steep: right
        };
        Ship& ship = *Rockvale::ship;
        for (const Steer& s : steers) {
            SCOPED_TRACE(testing::Message() << s.px << "," << s.py);
            emptyWave(game, 0, 0);
            ship.step = s.step;
            ship.facingSuffix = s.suffix;
            ship.thrustLevel = 0;
            ship.x = ship.y = 100;
            game.steerTo(s.px, s.py);
            EXPECT_EQ(ship.step, s.wantStep);
            EXPECT_EQ(narrow(ship.facingSuffix), narrow(s.wantSuffix));
            EXPECT_EQ(ship.vy < 0, s.thrusts);
        }
    });
}

// The angle of the ship's facing, counter-clockwise from +x.
double facingAngle(const Ship& ship) {
    return 90.0 * Ship::quarterOf(ship.facingSuffix) + 22.5 * ship.step;
}

// Turns towards the nearest rock or saucer and keeps firing.
void autopilot(Rockvale& game) {
    const Ship& ship = *Rockvale::ship;
    FlyingOPtr target;
    for (const FlyingOArrayPtr& array : {game.rocks, game.saucers})
        for (int i = 0; i < array->length; ++i) {
            const FlyingOPtr o = array[i];
            if (o && (!target || o->distanceTo(ship.x, ship.y) < target->distanceTo(ship.x, ship.y))) target = o;
        }
    KeyState::left = KeyState::right = false;
    KeyState::fire = true;
    if (!target) return;
    const double want = std::atan2(double(ship.y - target->y), double(target->x - ship.x)) * 180 / M_PI;
    double diff = std::fmod(want - facingAngle(ship) + 720.0, 360.0);
    if (diff > 180) diff -= 360;
    if (diff > 11.25) KeyState::left = true;
    if (diff < -11.25) KeyState::right = true;
}

// Every wave can be cleared in both bounds modes: nothing is out of reach and nothing
// holds a wave open.
TEST_F(RockvaleTest, AutopilotClearsEveryWaveInBothBoundsModes) {
    inGame([](Rockvale& game) {
        Rockvale::invulnerable = true;
        for (int seed : {1, 2, 3})
        for (bool bounds : {false, true}) {
            GameLib::sharedRandom->setSeed(seed);
            Rockvale::boundsOn = bounds;
            for (int wave = 1; wave <= Rockvale::lastWave; ++wave) {
                SCOPED_TRACE(testing::Message() << "seed " << seed << (bounds ? " bounce " : " wrap ") << wave);
                Rockvale::currentWave = wave;
                game.setupWave(wave, 0);
                Rockvale::ship->lives = 3;
                Rockvale::gameState = Rockvale::playing;
                int steps = 0;
                for (; steps < 6000 && Rockvale::gameState == Rockvale::playing; ++steps) {
                    autopilot(game);
                    step(game);
                }
                EXPECT_EQ(Rockvale::gameState, Rockvale::waveCleared) << "after " << steps << " steps";
            }
        }
        KeyState::fire = KeyState::left = KeyState::right = false;
        Rockvale::invulnerable = false;
        Rockvale::boundsOn = false;
    });
}

}  // namespace
