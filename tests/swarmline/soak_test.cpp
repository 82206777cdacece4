// Twenty levels played by an autopilot that stays under the lowest alien and fires, with the
// spare ships topped up: every level must be cleared within a frame budget, and after the
// twentieth the game takes the high-score road.
#include <gtest/gtest.h>
#include "gamemenu.h"
#include "keystate.h"
#include "swarmline_fixture.h"

namespace {

constexpr int keySelect = 10002;
constexpr int framesPerLevel = 6000;

// The x of the lowest alien in sight, or the ship's own x when there is none.
int lowestAlienX() {
    int x = Swarmline::shipX, lowest = -1;
    for (int i = 0; i < Swarmline::aliens->length; ++i) {
        const AlienShipPtr alien = Swarmline::aliens[i];
        if (alien->state >= AlienShip::EXPLODING || alien->y < 0 || alien->y <= lowest) continue;
        lowest = alien->y;
        x = alien->x;
    }
    return x;
}

void steer() {
    const int offset = lowestAlienX() - Swarmline::shipX;
    KeyState::right = offset > 1;
    KeyState::left = offset < -1;
    KeyState::fire = true;
}

TEST_F(SwarmlineTest, AutopilotClearsAllTwentyLevelsAndReachesTheHighScoreRoad) {
    inGame([](Swarmline&) {
        frames(10);
        press(keySelect);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        int level = Swarmline::level, framesInLevel = 0;
        while (Swarmline::gameState != Swarmline::STATE_MENU) {
            Swarmline::lives = 4;
            if (Swarmline::gameState == Swarmline::STATE_PLAY) steer();
            frames(1);
            if (Swarmline::level != level) {
                level = Swarmline::level;
                framesInLevel = 0;
            }
            ASSERT_LT(++framesInLevel, framesPerLevel) << "level " << level << " not cleared";
        }
        KeyState::right = KeyState::left = KeyState::fire = false;
        EXPECT_EQ(Swarmline::level, Swarmline::LAST_LEVEL + 1);
        EXPECT_GT(Swarmline::score, 23 * 60 * 20);
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::namePage);
    });
}

}  // namespace
