// Whole games as a player goes through them, by keys from the shell: the first level played
// until an alien falls, the level code, every ship lost, a name entered into the high-score
// table; a second game cleared past the last level; and the table found again when the
// program is started anew. Frames of the menu, the intro, play, the game over and the table
// are written to swarmline-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <string>
#include "game_run.h"
#include "gamelib.h"
#include "gameregistry.h"
#include "gamemenu.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "shellmenu.h"
#include "swarmline_fixture.h"
#include "text.h"

namespace {

const std::string frameFolder = "swarmline-frames";

// From the shell to the game's menu.
void enterGame() {
    openGameFromShell(GameRegistry::swarmline);
    ASSERT_TRUE(Swarmline::theGame);
    ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_MENU);
    StartedAppTest::frames(10);
}

bool runUntil(int state, int limit) { return SwarmlineTest::runUntil(state, limit); }

// The level code: 4, 8, 2 and the two digits.
void typeLevelCode(int level) {
    for (int code : {int('4'), int('8'), int('2'), '0' + level / 10, '0' + level % 10}) StartedAppTest::press(code);
}

// Stands still until the last ship is lost and the game is over.
void loseEveryShip() {
    for (int frame = 0; frame < 40000 && Swarmline::gameState == Swarmline::STATE_PLAY; ++frame)
        StartedAppTest::frames(1);
    ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_SHIP_LOST);
    EXPECT_EQ(Swarmline::lives, 0);
    ASSERT_TRUE(runUntil(Swarmline::STATE_GAME_OVER, 40));
}

void enterName(const std::string& name) {
    ASSERT_EQ(Swarmline::menu->mode, GameMenu::namePage);
    typeName(name);
    ASSERT_EQ(Swarmline::menu->mode, GameMenu::scorePage);
}

// Holds fire, weaving under the formation, until an alien falls; returns its points.
int shootAnAlien() {
    GameLib::screenCanvas->keyPressed(keys::fire);
    int points = 0;
    for (int frame = 0; frame < 4000 && Swarmline::score == 0; ++frame) {
        if (frame % 120 == 0) GameLib::screenCanvas->keyPressed(frame % 240 ? keys::left : keys::right);
        if (frame % 120 == 30) GameLib::screenCanvas->keyReleased(frame % 240 > 120 ? keys::left : keys::right);
        StartedAppTest::frames(1);
        Swarmline::lives = 4;
    }
    for (int code : {keys::fire, keys::left, keys::right}) GameLib::screenCanvas->keyReleased(code);
    StartedAppTest::frames(3);
    for (int i = 0; i < Swarmline::aliens->length; ++i)
        if (Swarmline::aliens[i]->state >= AlienShip::EXPLODING) points = Swarmline::aliens[i]->points;
    return points;
}

class WholeGame : public SwarmlineTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int firstScore = 0, secondScore = 0;
    inProgram([&] {
        enterGame();
        captureScreen(frameFolder, "menu-smartphone");
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        EXPECT_EQ(Swarmline::level, 1);
        EXPECT_EQ(Swarmline::lives, 4);
        captureScreen(frameFolder, "intro-smartphone");
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));

        const int startX = Swarmline::shipX;
        holdKey(keys::right, 10);
        EXPECT_EQ(Swarmline::shipX, startX + 10 * Swarmline::PLAYER_SPEED);
        const int points = shootAnAlien();
        EXPECT_GT(points, 0);
        EXPECT_EQ(Swarmline::score, points) << "the fallen alien's row points";
        frames(4);
        captureScreen(frameFolder, "play-smartphone");

        typeLevelCode(19);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        EXPECT_EQ(Swarmline::level, 19);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        loseEveryShip();
        captureScreen(frameFolder, "gameover-smartphone");
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 100));
        firstScore = Swarmline::score;
        enterName("ac");
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "ac");
        EXPECT_EQ(Swarmline::menu->values[0], firstScore);
        captureScreen(frameFolder, "scores-smartphone");

        // A second game, cleared past the last level by the level code and a hook.
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::menuMode, Swarmline::mainMenu);
        menuKey(keys::fire);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        typeLevelCode(20);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        EXPECT_EQ(Swarmline::level, 20);
        Swarmline::score = 2500;
        keepOnly({});
        frames(1);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_CLEARED);
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 40));
        secondScore = Swarmline::score;
        enterName("b");  // "acb": the entry starts from the last name
        EXPECT_EQ(Swarmline::menu->values[0], std::max(firstScore, secondScore));

        menuKey(keys::fire);
        menuKey(keys::up);
        EXPECT_EQ(Swarmline::menu->selected, Swarmline::exitItem);
        SwarmlinePtr game = Swarmline::theGame;
        menuKey(keys::fire);
        EXPECT_FALSE(Swarmline::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Swarmline::aliens);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame();
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::scorePage);
        const bool firstHigher = firstScore >= secondScore;
        EXPECT_EQ(narrow(Swarmline::menu->items[firstHigher ? 0 : 1]), "ac");
        EXPECT_EQ(narrow(Swarmline::menu->items[firstHigher ? 1 : 0]), "acb");
        EXPECT_EQ(Swarmline::menu->values[firstHigher ? 0 : 1], firstScore);
        menuKey(keys::fire);
        menuKey(keys::down);
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::helpPage);
        captureScreen(frameFolder, "help-smartphone");
    });
}

class WholeGamePocketPc : public PocketPcSwarmlineTest {};

TEST_F(WholeGamePocketPc, MenuIntroPlayGameOverAndTableOnTheLargeScreen) {
    inProgram([] {
        enterGame();
        captureScreen(frameFolder, "menu-pocketpc");
        menuKey(keys::down);
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::helpPage);
        captureScreen(frameFolder, "help-pocketpc");
        menuKey(keys::softLeft);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::listPage);
        EXPECT_EQ(Swarmline::menu->selected, Swarmline::startItem);
        menuKey(keys::fire);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        captureScreen(frameFolder, "intro-pocketpc");
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        EXPECT_GT(shootAnAlien(), 0);
        frames(4);
        captureScreen(frameFolder, "play-pocketpc");
        typeLevelCode(19);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        loseEveryShip();
        captureScreen(frameFolder, "gameover-pocketpc");
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 100));
        enterName("z");
        captureScreen(frameFolder, "scores-pocketpc");
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "z");
    });
}

}  // namespace
