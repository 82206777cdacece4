// The game's flow around play: loading, scoring and the extra ship, hits and rams, the ship
// lost and coming back, the pause, the level code, the end of the game and its high-score
// road, the menu options, and what stop lets go of.
#include <gtest/gtest.h>
#include "gamelib.h"
#include "gamemenu.h"
#include "helplayout.h"
#include "keystate.h"
#include "loadingbar.h"
#include "platform.h"
#include "screencanvas.h"
#include "sound.h"
#include "swarmline_fixture.h"
#include "text.h"

using dfc::lang::DStringPtr;

namespace {

constexpr int keySelect = 10002, keyUp = 38, keyDown = 40, keyLeftSoft = 10000;

// The shot where it will meet the alien in this frame's hit test.
void shootAt(const AlienShipPtr& alien) {
    const bool home = alien->state == AlienShip::IN_FORMATION;
    Swarmline::playerShot[0] = home ? alien->homeX + Swarmline::swayOffset : alien->x;
    Swarmline::playerShot[1] = alien->y + Swarmline::PLAYER_SHOT_SPEED - 2;
}

// An attacking alien parked on the player's ship, where it rams it this frame.
AlienShipPtr parkOnShip(int index) {
    return SwarmlineTest::placeAlien(index, Swarmline::shipX, Swarmline::shipY + 5, AlienShip::ATTACKING);
}

TEST_F(SwarmlineTest, LoadingEndsWithTheFullBarOverTheSplashAndTheMenuUp) {
    inGame([](Swarmline&) {
        EXPECT_EQ(LoadingBar::percent, 100);
        // The bar's last pixels are red on the screen: nothing painted over the splash.
        const platform::Picture& screen = platform::screen();
        const int barY = screen.height - screen.height / 8;
        EXPECT_EQ(screen.pixels[size_t((barY + 4) * screen.width + screen.width / 2 + 50)], 0xF800);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::listPage);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "Start");
        EXPECT_EQ(narrow(Swarmline::menu->items[3]), "Sound: normal");
        frames(1);
        EXPECT_EQ(diagnostics(), "");
    });
}

TEST_F(SwarmlineTest, ShotScoresTheRowsPointsAndFreesTheShot) {
    inGame([](Swarmline&) {
        playLevel(1);
        holdDives();
        const int points[] = {150, 100, 80, 60, 60};
        for (int row = 0; row < Swarmline::ROWS; ++row) {
            const AlienShipPtr alien = Swarmline::formation[row][1];
            const int before = Swarmline::score, alive = Swarmline::aliveCount;
            shootAt(alien);
            frames(1);
            EXPECT_EQ(Swarmline::score - before, points[row]) << "row " << row;
            EXPECT_EQ(alien->state, AlienShip::EXPLODING);
            EXPECT_EQ(Swarmline::playerShot[0], Swarmline::FREE);
            EXPECT_EQ(Swarmline::fireTimer, Swarmline::FIRE_DELAY);
            EXPECT_EQ(Swarmline::aliveCount, alive - 1);
            EXPECT_EQ(GameTables::swarmlineTableB[row], GameTables::swarmlineTableA[row] - 1);
        }
        frames(20);
        EXPECT_EQ(Swarmline::formation[0][1]->state, AlienShip::GONE) << "the explosion played once";
    });
}

TEST_F(SwarmlineTest, ExtraShipOnceWhenTheScoreFirstReaches5000ByAShotOrARam) {
    struct Case {
        int score;
        bool ram;
        int livesChange;
    };
    // A ram costs the ship it wins.
    const Case cases[] = {{4900, false, 1}, {4850, false, 1}, {4849, false, 0}, {5000, false, 0},
                          {4950, true, 0},  {4900, true, -1}, {6000, true, -1}};
    inGame([&](Swarmline&) {
        for (const Case& c : cases) {
            playLevel(1);
            holdDives();
            Swarmline::score = c.score;
            Swarmline::lives = 2;
            if (c.ram) {
                parkOnShip(17);
            } else {
                shootAt(Swarmline::formation[0][0]);
            }
            frames(1);
            const int points = c.ram ? 60 : 150;
            EXPECT_EQ(Swarmline::score, c.score + points) << c.score << (c.ram ? " ram" : " shot");
            EXPECT_EQ(Swarmline::lives, 2 + c.livesChange) << c.score << (c.ram ? " ram" : " shot");
        }
    });
}

TEST_F(SwarmlineTest, AlienShotWhileRammingCountsOnce) {
    inGame([](Swarmline&) {
        playLevel(1);
        holdDives();
        Swarmline::lives = 2;
        const AlienShipPtr alien = parkOnShip(17);
        shootAt(alien);
        frames(1);
        EXPECT_EQ(Swarmline::score, 60);
        EXPECT_EQ(Swarmline::aliveCount, 22);
        EXPECT_EQ(GameTables::swarmlineTableB[4], 5);
        EXPECT_FALSE(Swarmline::shipDead) << "the alien the shot destroyed does not ram";
        EXPECT_EQ(Swarmline::lives, 2);
    });
}

TEST_F(SwarmlineTest, ShipLostOnceInAFrame) {
    inGame([](Swarmline&) {
        // An alien shot, then two rams, all in the same frame.
        playLevel(1);
        holdDives();
        Swarmline::lives = 2;
        Swarmline::alienShots[0][0] = Swarmline::shipX;
        Swarmline::alienShots[0][1] = Swarmline::shipY - 2;
        const AlienShipPtr first = parkOnShip(17), second = parkOnShip(18);
        frames(1);
        EXPECT_TRUE(Swarmline::shipDead);
        EXPECT_EQ(Swarmline::lives, 1);
        EXPECT_EQ(first->state, AlienShip::ATTACKING) << "no ram while the ship is lost";
        EXPECT_EQ(Swarmline::aliveCount, 23);

        playLevel(1);
        holdDives();
        Swarmline::lives = 2;
        const AlienShipPtr a = parkOnShip(17), b = parkOnShip(18);
        frames(1);
        EXPECT_EQ(Swarmline::lives, 1);
        EXPECT_EQ(a->state, AlienShip::EXPLODING);
        EXPECT_EQ(b->state, AlienShip::ATTACKING);
        EXPECT_EQ(Swarmline::aliveCount, 22);
        EXPECT_EQ(Swarmline::score, 60);
    });
}

TEST_F(SwarmlineTest, ShipComesBackAfterItsExplosionAndTheAliensGoHome) {
    inGame([](Swarmline&) {
        playLevel(1);
        holdDives();
        Swarmline::lives = 2;
        const AlienShipPtr rammer = parkOnShip(17);
        const AlienShipPtr diver = placeAlien(20, 60, 120, AlienShip::ATTACKING);
        const AlienShipPtr hit = placeAlien(21, 140, 60, AlienShip::EXPLODING);
        frames(1);
        ASSERT_TRUE(Swarmline::shipDead);
        // A shot fired while the ship explodes waits there.
        Swarmline::fireTimer = 0;
        KeyState::fire = true;
        frames(1);
        KeyState::fire = false;
        const int shotY = Swarmline::playerShot[1];
        EXPECT_NE(Swarmline::playerShot[0], Swarmline::FREE);
        int count = 0;
        while (Swarmline::shipDead && count++ < 200) frames(1);
        EXPECT_FALSE(Swarmline::shipDead);
        EXPECT_EQ(Swarmline::playerShot[0], Swarmline::FREE);
        EXPECT_GE(Swarmline::playerShot[1], shotY - 1) << "the shot stood still";
        EXPECT_EQ(rammer->state, AlienShip::GONE);
        EXPECT_EQ(hit->state, AlienShip::GONE);
        EXPECT_EQ(diver->state, AlienShip::IN_FORMATION);
        EXPECT_EQ(diver->y, diver->homeY);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_PLAY);
    });
}

TEST_F(SwarmlineTest, RammingTheLastAlienWithTheLastShipClearsTheLevel) {
    inGame([](Swarmline&) {
        playLevel(3);
        keepOnly({17});
        Swarmline::lives = 0;
        parkOnShip(17);
        frames(1);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_CLEARED);
        ASSERT_TRUE(runUntil(Swarmline::STATE_LEVEL_INTRO, 40));
        EXPECT_EQ(Swarmline::level, 4);
        EXPECT_EQ(Swarmline::lives, 0);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
    });
}

TEST_F(SwarmlineTest, PauseEndsTheFrameSoNothingOverridesIt) {
    inGame([](Swarmline&) {
        playLevel(2);
        keepOnly({5});
        shootAt(Swarmline::aliens[5]);
        KeyState::leftSoft = true;
        frames(1);
        KeyState::leftSoft = false;
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::pauseMenu);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "Continue");
        EXPECT_EQ(narrow(Swarmline::menu->items[5]), "Main menu");
        EXPECT_EQ(Swarmline::aliveCount, 1);
        Swarmline::playerShot[0] = Swarmline::FREE;
        frames(10);
        press(keySelect);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_PLAY);
        shootAt(Swarmline::aliens[5]);
        frames(1);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_CLEARED);
    });
}

TEST_F(SwarmlineTest, PauseMenusMainMenuItemEndsTheGame) {
    inGame([](Swarmline&) {
        playLevel(4);
        press(keyLeftSoft);
        ASSERT_EQ(Swarmline::menuMode, Swarmline::pauseMenu);
        frames(8);
        press(keyUp);
        frames(8);
        press(keySelect);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::mainMenu);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "Start");
        EXPECT_EQ(narrow(Swarmline::menu->items[5]), "Exit");
        EXPECT_TRUE(Swarmline::theGame) << "still in the game";
    });
}

TEST_F(SwarmlineTest, StylusSteersTheShipFiresOnADoubleTapAndPausesOnTheIcon) {
    inGame([](Swarmline&) {
        playLevel(1);
        holdDives();
        frames(20);  // no double tap with the game's start
        const int startX = Swarmline::shipX;
        GameLib::screenCanvas->pointerPressed(startX + 40, 150);
        frames(5);
        EXPECT_EQ(Swarmline::shipX, startX + 5 * Swarmline::PLAYER_SPEED) << "held to the right";
        GameLib::screenCanvas->pointerDragged(Swarmline::shipX - 20, 150);
        frames(1);
        EXPECT_EQ(Swarmline::shipX, startX + 4 * Swarmline::PLAYER_SPEED) << "dragged to the left";
        GameLib::screenCanvas->pointerReleased(Swarmline::shipX, 150);
        const int x = Swarmline::shipX;
        frames(2);
        EXPECT_EQ(Swarmline::shipX, x);

        Swarmline::fireTimer = 0;
        tap(x, 150);
        frames(1);
        tap(x, 150);
        frames(1);
        EXPECT_NE(Swarmline::playerShot[0], Swarmline::FREE) << "a double tap fires";
        EXPECT_EQ(Swarmline::shipX, x) << "the tap at the ship does not move it";

        frames(20);
        ASSERT_TRUE(GameMenu::pauseImage);
        tap(2, 2);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::pauseMenu);
    });
}

TEST_F(SwarmlineTest, LevelCodeStartsTheLevelAndCode00PlaysWithoutABackground) {
    inGame([](Swarmline&) {
        playLevel(1);
        KeyState::enteredNumber = 7;
        KeyState::numberEntered = true;
        frames(1);
        EXPECT_FALSE(KeyState::numberEntered);
        EXPECT_EQ(Swarmline::level, 7);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);

        Swarmline::gameState = Swarmline::STATE_PLAY;
        KeyState::enteredNumber = 0;
        KeyState::numberEntered = true;
        frames(1);
        EXPECT_EQ(Swarmline::level, 0);
        EXPECT_FALSE(Swarmline::background);
        EXPECT_NE(diagnostics().find("no background 0"), std::string::npos) << diagnostics();
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY));
        frames(100);
        EXPECT_EQ(Swarmline::backgroundScroll, 0);
    });
}

TEST_F(SwarmlineTest, LastShipLostLeadsThroughGameOverToTheNameEntryAndTheStoredTable) {
    inGame([](Swarmline&) {
        playLevel(19);
        holdDives();
        Swarmline::score = 1230;
        Swarmline::lives = 0;
        parkOnShip(17);
        frames(1);
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_SHIP_LOST);
        ASSERT_TRUE(runUntil(Swarmline::STATE_GAME_OVER, 40));
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 100));
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::namePage);
        GameMenu::lastEnteredName = DStringPtr(u"ace");
        GameMenu::nameEntered = true;
        frames(1);
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::scorePage);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::scoresMenu);
        EXPECT_EQ(Swarmline::previousMenuMode, Swarmline::mainMenu);
        Swarmline::menu->loadHighScores(GameTables::swarmlineId, 1);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "ace");
        EXPECT_EQ(Swarmline::menu->values[0], 1230 + 60) << "the rammer scored";
    });
}

TEST_F(SwarmlineTest, PastTheLastLevelTheBestScoreIsNamedAndSaved) {
    inGame([](Swarmline& game) {
        playLevel(20);
        Swarmline::score = 98760;
        Swarmline::level = 21;
        game.startLevel();
        EXPECT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::namePage);
        GameMenu::lastEnteredName = DStringPtr(u"top");
        GameMenu::nameEntered = true;
        frames(1);
        Swarmline::menu->loadHighScores(GameTables::swarmlineId, 1);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "top");
        EXPECT_EQ(Swarmline::menu->values[0], 98760);

        // A score the table does not take goes back to the main menu.
        Swarmline::score = 0;
        Swarmline::level = 21;
        game.startLevel();
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::listPage);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::mainMenu);
    });
}

TEST_F(SwarmlineTest, SoundAndMusicItemsStepTheLevelAndSaveIt) {
    inGame([](Swarmline&) {
        frames(10);
        for (int i = 0; i < 3; ++i) press(keyDown), frames(8);
        ASSERT_EQ(Swarmline::menu->selected, Swarmline::soundItem);
        press(keySelect);
        EXPECT_EQ(Sound::getSoundLevel(), 3);
        EXPECT_EQ(narrow(Swarmline::menu->items[3]), "Sound: high");
        frames(8);
        press(keySelect);
        EXPECT_EQ(Sound::getSoundLevel(), 0);
        EXPECT_EQ(GameMenu::loadOption(GameTables::swarmlineId + u"S", 2), 0);
        frames(8);
        press(keyDown);
        frames(8);
        press(keySelect);
        EXPECT_EQ(Sound::getMusicLevel(), 3);
        EXPECT_EQ(GameMenu::loadOption(GameTables::swarmlineId + u"M", 2), 3);
        EXPECT_EQ(narrow(Swarmline::menu->items[4]), "Music: high");
    });
}

TEST_F(SwarmlineTest, HelpPageReturnsToTheMenuItCameFromAndDropsItsText) {
    inGame([](Swarmline&) {
        playLevel(1);
        press(keyLeftSoft);
        ASSERT_EQ(Swarmline::menuMode, Swarmline::pauseMenu);
        frames(8);
        press(keyDown);
        frames(8);
        press(keyDown);
        frames(8);
        press(keySelect);
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::helpPage);
        EXPECT_GT(HelpLayout::lineCount, 3);
        frames(8);
        press(keyLeftSoft);
        EXPECT_EQ(Swarmline::menuMode, Swarmline::pauseMenu);
        EXPECT_EQ(Swarmline::menu->mode, GameMenu::listPage);
        EXPECT_EQ(HelpLayout::lineCount, 0);
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "Continue");
    });
}

TEST_F(SwarmlineTest, PlanetThatHasPassedWaitsAboveTheScreenThenDriftsIn) {
    inGame([](Swarmline&) {
        playLevel(1);
        holdDives();
        Swarmline::planetTimer = 0;
        Swarmline::planetY = (Swarmline::canvasHeight + 1) << 16;
        frames(1);
        EXPECT_EQ(Swarmline::planetTimer, Swarmline::PLANET_DELAY);
        const int waiting = Swarmline::planetY;
        EXPECT_LT(waiting >> 16, 0);
        for (int i = 0; i < 40 && Swarmline::planetTimer >= 1; ++i) {
            frames(1);
            EXPECT_EQ(Swarmline::planetY, waiting);
        }
        frames(1);
        EXPECT_EQ(Swarmline::planetY, waiting + Swarmline::PLANET_SPEED);
    });
}

TEST_F(SwarmlineTest, StopLetsGoOfEverything) {
    inGame([](Swarmline&) {
        playLevel(1);
        GameLib::returnToShell();
        EXPECT_FALSE(Swarmline::theGame);
        EXPECT_FALSE(Swarmline::menu);
        EXPECT_FALSE(Swarmline::aliens);
        EXPECT_FALSE(Swarmline::formation);
        EXPECT_FALSE(Swarmline::alienImages);
        EXPECT_FALSE(Swarmline::flyAnimations);
        EXPECT_FALSE(Swarmline::background);
        EXPECT_FALSE(Swarmline::stars);
        EXPECT_FALSE(Swarmline::menuTexts);
        EXPECT_FALSE(Swarmline::splashImage);
    });
}

}  // namespace
