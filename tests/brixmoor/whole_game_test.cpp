// A whole game as a player goes through it, by keys: from the shell into the game, a round
// cleared, every life lost, a name entered into the high-score table, and the table found
// again when the program is started anew. Frames of the menu and of play are written to
// brixmoor-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <string>
#include "bxmplatform.h"
#include "game_fixture.h"
#include "game_run.h"
#include "gameregistry.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "text.h"
#include "virtualkeyboard.h"

namespace {

using namespace keys;

void capture(const std::string& name) { captureScreen("brixmoor-frames", name); }

// From the shell to the game's menu.
void enterGame() {
    openGameFromShell(GameRegistry::brixmoor);
    for (int i = 0; i < 200 && !(Brixmoor::theGame && Brixmoor::gameState == Brixmoor::menu); ++i)
        StartedAppTest::frames(1);
    ASSERT_TRUE(Brixmoor::theGame);
    ASSERT_EQ(Brixmoor::gameState, Brixmoor::menu);
    StartedAppTest::frames(10);
}

void launch() {
    StartedAppTest::press(up);
    StartedAppTest::frames(1);
}

// Plays on with the paddle held against the left wall until the game is over.
void loseEveryLife() {
    GameLib::screenCanvas->keyPressed(left);
    for (int frame = 0; frame < 40000 && Brixmoor::mainMenu->mode != GameMenu::namePage; ++frame) {
        if (Brixmoor::gameState == Brixmoor::play && !Brixmoor::theGame->balls[0]->flying) launch();
        StartedAppTest::frames(1);
    }
    GameLib::screenCanvas->keyReleased(left);
    StartedAppTest::frames(2);
}

class WholeGame : public GameTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int finalScore = 0;
    inProgram([&] {
        enterGame();
        capture("menu-smartphone");
        menuKey(fire);
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::roundStart);
        capture("round-smartphone");
        ASSERT_TRUE(runUntil(Brixmoor::play));
        BrixmoorPtr game = Brixmoor::theGame;
        EXPECT_EQ(game->level, 1);

        // A test round of one brick, right above the ball on the paddle.
        clearField();
        place(19, 5, 6, 1);
        Brixmoor::brickList->toClear = 1;
        launch();
        ASSERT_TRUE(runUntil(Brixmoor::roundStart, 200));
        EXPECT_EQ(game->level, 2);
        EXPECT_EQ(Brixmoor::openLevel, 2);

        ASSERT_TRUE(runUntil(Brixmoor::play));
        launch();
        frames(24);
        capture("play-smartphone");

        loseEveryLife();
        ASSERT_EQ(Brixmoor::mainMenu->mode, GameMenu::namePage);
        EXPECT_EQ(game->lives, 0);
        finalScore = Brixmoor::brickList->hitsTaken;
        EXPECT_GT(finalScore, 0);
        capture("name-smartphone");
        typeName("bx");
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::scores);
        EXPECT_EQ(narrow(Brixmoor::scoreMenu->items[0]), "bx");
        EXPECT_EQ(Brixmoor::scoreMenu->values[0], finalScore);
        capture("scores-smartphone");

        menuKey(fire);
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::menu);
        menuKey(up);
        menuKey(up);
        EXPECT_EQ(Brixmoor::mainMenu->selected, Brixmoor::exitItem);
        menuKey(fire);
        EXPECT_FALSE(Brixmoor::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Brixmoor::brickList);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame();
        menuKey(down);
        menuKey(fire);
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::scores);
        EXPECT_EQ(narrow(Brixmoor::scoreMenu->items[0]), "bx");
        EXPECT_EQ(Brixmoor::scoreMenu->values[0], finalScore);
    });
}

class WholeGamePocketPc : public PocketPcGameTest {};

TEST_F(WholeGamePocketPc, MenuAndPlayOnTheLargeScreen) {
    inProgram([] {
        enterGame();
        EXPECT_EQ(Brixmoor::brickList->brickWidth, 20);
        EXPECT_EQ(BrickList::fieldLeft, 10);
        capture("menu-pocketpc");
        menuKey(fire);
        ASSERT_TRUE(runUntil(Brixmoor::play));
        launch();
        frames(30);
        capture("play-pocketpc");
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::play);
    });
}

}  // namespace
