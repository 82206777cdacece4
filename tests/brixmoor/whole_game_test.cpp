// A whole game as a player goes through it, by keys: from the shell into the game, a round
// cleared, every life lost, a name entered into the high-score table, and the table found
// again when the program is started anew. Frames of the menu and of play are written to
// brixmoor-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "bxmplatform.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "text.h"
#include "virtualkeyboard.h"

namespace {

constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keySelect = 10002;

void capture(const std::string& name) {
    const std::string folder = std::string(MOSSYARD_BINARY_DIR) + "/brixmoor-frames";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(platform::savePng(platform::screen(), folder + "/" + name + ".png")) << name;
}

// A key the menus take: pressed, released, and the menus' pause between keys.
void key(int code) {
    StartedAppTest::press(code);
    StartedAppTest::frames(8);
}

// From the shell's first frame, after its intro, to the game's menu.
void enterGame(int moveKey) {
    StartedAppTest::frames(50);
    key(moveKey);
    key(keySelect);
    for (int i = 0; i < 200 && !(Brixmoor::theGame && Brixmoor::gameState == Brixmoor::menu); ++i)
        StartedAppTest::frames(1);
    ASSERT_TRUE(Brixmoor::theGame);
    ASSERT_EQ(Brixmoor::gameState, Brixmoor::menu);
    StartedAppTest::frames(10);
}

void launch() {
    StartedAppTest::press(keyUp);
    StartedAppTest::frames(1);
}

// Plays on with the paddle held against the left wall until the game is over.
void loseEveryLife() {
    GameLib::screenCanvas->keyPressed(keyLeft);
    for (int frame = 0; frame < 40000 && Brixmoor::mainMenu->mode != GameMenu::namePage; ++frame) {
        if (Brixmoor::gameState == Brixmoor::play && !Brixmoor::theGame->balls[0]->flying) launch();
        StartedAppTest::frames(1);
    }
    GameLib::screenCanvas->keyReleased(keyLeft);
    StartedAppTest::frames(2);
}

// Moves the keyboard's cursor to the key and types it.
void typeKey(int index) {
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    const int row = index / keyboard.columns, column = index % keyboard.columns;
    for (int moves = 0; moves < 20 && (keyboard.row != row || keyboard.column != column); ++moves) {
        if (keyboard.row != row) key(keyboard.row < row ? keyDown : keyUp);
        else key(keyboard.column < column ? keyRight : keyLeft);
    }
    key(keySelect);
}

class WholeGame : public GameTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int finalScore = 0;
    inProgram([&] {
        enterGame(keyRight);
        capture("menu-smartphone");
        key(keySelect);
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
        typeKey(1);   // b
        typeKey(23);  // x
        typeKey(28);  // ok
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::scores);
        EXPECT_EQ(narrow(Brixmoor::scoreMenu->items[0]), "bx");
        EXPECT_EQ(Brixmoor::scoreMenu->values[0], finalScore);
        capture("scores-smartphone");

        key(keySelect);
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::menu);
        key(keyUp);
        key(keyUp);
        EXPECT_EQ(Brixmoor::mainMenu->selected, Brixmoor::exitItem);
        key(keySelect);
        EXPECT_FALSE(Brixmoor::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Brixmoor::brickList);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame(keyRight);
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Brixmoor::gameState, Brixmoor::scores);
        EXPECT_EQ(narrow(Brixmoor::scoreMenu->items[0]), "bx");
        EXPECT_EQ(Brixmoor::scoreMenu->values[0], finalScore);
    });
}

class WholeGamePocketPc : public PocketPcGameTest {};

TEST_F(WholeGamePocketPc, MenuAndPlayOnTheLargeScreen) {
    inProgram([] {
        enterGame(keyDown);
        EXPECT_EQ(Brixmoor::brickList->brickWidth, 20);
        EXPECT_EQ(BrickList::fieldLeft, 10);
        capture("menu-pocketpc");
        key(keySelect);
        ASSERT_TRUE(runUntil(Brixmoor::play));
        launch();
        frames(30);
        capture("play-pocketpc");
        EXPECT_EQ(Brixmoor::gameState, Brixmoor::play);
    });
}

}  // namespace
