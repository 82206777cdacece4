// A whole game as a player goes through it, by keys from the shell: level 1 cleared on a
// test layout, every life lost in a hole that grows back, a name entered into the high-score
// table, and the table found again when the program is started anew. Frames of the menu,
// the level intro and the scrolled play view are written to goldrift-frames/ in the build
// folder, for both screens.
#include <gtest/gtest.h>
#include <string>
#include "game_fixture.h"
#include "game_run.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "screencanvas.h"
#include "text.h"

namespace {

constexpr int shellPosition = 5;
const char* const frameFolder = "goldrift-frames";

void enterGame() {
    openGameFromShell(shellPosition);
    ASSERT_TRUE(Goldrift::theGame);
    ASSERT_EQ(Goldrift::gameState, Goldrift::menuState);
    StartedAppTest::frames(10);
}

int width() { return Goldrift::gridWidth; }

// Level 1 laid out anew: gold beside the hero and the exit beyond it.
void goldThenExit() {
    const int h = Goldrift::hero->cell;
    Goldrift::setCell(h + 1, u'$');
    Goldrift::setCell(h + 2, u'X');
    Goldrift::exitCell = h + 2;
    Goldrift::goldLeft = 1;
}

// The hero digs right, steps into the hole and stays there until it grows back over him.
void dieInAHole() {
    ASSERT_TRUE(GoldriftTest::runUntil(Goldrift::playState));
    const int h = Goldrift::hero->cell, hole = h + width() + 1;
    Goldrift::setCell(h + 1, u' ');
    Goldrift::setCell(hole, u'#');
    Goldrift::setCell(hole + width(), u'B');
    Goldrift::hero->dirX = 1;
    const int lives = Goldrift::lives;
    holdKey(keys::fire, 3);
    ASSERT_EQ(Goldrift::grid[hole], u'D');
    GameLib::screenCanvas->keyPressed(keys::right);
    for (int i = 0; i < 100 && Goldrift::hero->cell != hole; ++i) StartedAppTest::frames(1);
    GameLib::screenCanvas->keyReleased(keys::right);
    ASSERT_EQ(Goldrift::hero->cell, hole);
    for (int i = 0; i < 400 && Goldrift::gameState == Goldrift::playState; ++i) StartedAppTest::frames(1);
    EXPECT_TRUE(Goldrift::lives == lives - 1 || Goldrift::gameState == Goldrift::gameOverState);
}

class WholeGame : public GoldriftTest {};

TEST_F(WholeGame, FromTheShellThroughALevelToTheHighScoreTableAndBackAfterARestart) {
    inProgram([&] {
        enterGame();
        captureScreen(frameFolder, "menu-smartphone");
        menuKey(keys::fire);
        ASSERT_EQ(Goldrift::gameState, Goldrift::introState);
        EXPECT_EQ(Goldrift::level, 1);
        frames(2);
        captureScreen(frameFolder, "intro-smartphone");
        ASSERT_TRUE(runUntil(Goldrift::playState));
        GoldriftPtr game = Goldrift::theGame;

        goldThenExit();
        GameLib::screenCanvas->keyPressed(keys::right);
        for (int i = 0; i < 100 && Goldrift::level == 1; ++i) frames(1);
        GameLib::screenCanvas->keyReleased(keys::right);
        frames(1);
        EXPECT_EQ(Goldrift::score, 10);
        ASSERT_EQ(Goldrift::level, 2);
        EXPECT_EQ(Goldrift::gameState, Goldrift::introState);
        EXPECT_EQ(Goldrift::openLevel, 2);
        EXPECT_EQ(GameMenu::loadOption(GameTables::goldriftId + u"openlevel", 1), 2);

        ASSERT_TRUE(runUntil(Goldrift::playState));
        frames(10);
        EXPECT_GT(Goldrift::cameraY, 0) << "level 2 is higher than the screen";
        captureScreen(frameFolder, "play-smartphone");

        for (int life = 0; life < 6 && Goldrift::gameState != Goldrift::gameOverState; ++life) dieInAHole();
        ASSERT_EQ(Goldrift::gameState, Goldrift::gameOverState);
        EXPECT_EQ(Goldrift::lives, 0);
        frames(2);
        captureScreen(frameFolder, "gameover-smartphone");
        for (int i = 0; i < 300 && Goldrift::menu->mode != GameMenu::namePage; ++i) frames(1);
        ASSERT_EQ(Goldrift::menu->mode, GameMenu::namePage);
        captureScreen(frameFolder, "name-smartphone");
        typeName("bx");
        ASSERT_EQ(Goldrift::menuMode, Goldrift::scoresMode);
        EXPECT_EQ(narrow(Goldrift::menu->items[0]), "bx");
        EXPECT_EQ(Goldrift::menu->values[0], 10);
        captureScreen(frameFolder, "scores-smartphone");

        menuKey(keys::fire);
        ASSERT_EQ(Goldrift::menuMode, Goldrift::mainMode);
        menuKey(keys::up);
        EXPECT_EQ(Goldrift::menu->selected, Goldrift::exitItem);
        menuKey(keys::fire);
        EXPECT_FALSE(Goldrift::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Goldrift::grid);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame();
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Goldrift::menuMode, Goldrift::scoresMode);
        EXPECT_EQ(narrow(Goldrift::menu->items[0]), "bx");
        EXPECT_EQ(Goldrift::menu->values[0], 10);
    });
}

class WholeGamePocketPc : public PocketPcGoldriftTest {};

TEST_F(WholeGamePocketPc, MenuIntroAndAScrolledLevelOnTheLargeScreen) {
    inProgram([] {
        enterGame();
        EXPECT_EQ(Goldrift::tileWidth, 20);
        captureScreen(frameFolder, "menu-pocketpc");
        menuKey(keys::fire);
        frames(2);
        captureScreen(frameFolder, "intro-pocketpc");
        ASSERT_TRUE(runUntil(Goldrift::playState));
        // The code entry takes the player to a tall level with guards.
        for (int code : {'4', '8', '2', '2', '3'}) press(code);
        ASSERT_EQ(Goldrift::level, 23);
        ASSERT_TRUE(runUntil(Goldrift::playState));
        frames(60);
        EXPECT_GT(Goldrift::cameraY, 0);
        captureScreen(frameFolder, "play-pocketpc");
        EXPECT_EQ(Goldrift::gameState, Goldrift::playState);
    });
}

}  // namespace
