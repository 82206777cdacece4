// A whole game as a player goes through it, by keys: from the shell into the game, the
// settings, dots eaten, every life lost, a name entered into the high-score table, back to
// the shell, and the table found again when the program is started anew. Frames of the menu,
// the level intro, play, game over, the name entry and the table are written to
// dotvor-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "dotvor_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "platform.h"
#include "screencanvas.h"
#include "text.h"
#include "virtualkeyboard.h"

namespace {

constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keySelect = 10002;

void capture(const std::string& name) {
    const std::string folder = std::string(MOSSYARD_BINARY_DIR) + "/dotvor-frames";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(platform::savePng(platform::screen(), folder + "/" + name + ".png")) << name;
}

void key(int code) {
    StartedAppTest::press(code);
    StartedAppTest::frames(8);
}

GameMenuPtr menu() { return GameTables::dotvorMenu; }

// From the shell's first frame, after its intro, to the game's menu.
void enterGame(bool large) {
    StartedAppTest::frames(50);
    if (large) {
        for (int i = 0; i < 3; ++i) key(keyDown);
    } else {
        key(keyLeft);
        key(keyLeft);
    }
    key(keySelect);
    for (int i = 0; i < 200 && !DotvorGame::game; ++i) StartedAppTest::frames(1);
    ASSERT_TRUE(DotvorGame::game);
    ASSERT_EQ(Dotvor::menuPage, Dotvor::mainPage);
    StartedAppTest::frames(10);
}

bool runUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) StartedAppTest::frames(1);
    return done();
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

// Plays a game of the classic mode to its end: runs left along the start row eating dots,
// then stands until the ghosts have taken every life.
void playToTheEnd(const std::string& screen) {
    key(keySelect);
    ASSERT_EQ(Dotvor::menuPage, Dotvor::settingsPage);
    capture("settings-" + screen);
    key(keySelect);
    ASSERT_EQ(DotvorGame::playMode, 1);
    StartedAppTest::frames(6);
    capture("intro-" + screen);
    ASSERT_TRUE(runUntil([] { return DotvorGame::introSteps == 0; }, 100));
    GameLib::screenCanvas->keyPressed(keyLeft);
    StartedAppTest::frames(40);
    GameLib::screenCanvas->keyReleased(keyLeft);
    StartedAppTest::frames(60);
    capture("play-" + screen);
    EXPECT_GT(DotvorGame::score, 0) << "dots eaten";
    ASSERT_TRUE(runUntil([] { return DotvorGame::lives < 0; }, 60000));
    StartedAppTest::frames(10);
    capture("gameover-" + screen);
    ASSERT_TRUE(runUntil([] { return menu()->mode == GameMenu::namePage; }, 200));
    capture("name-" + screen);
}

class WholeGame : public DotvorTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int finalScore = 0;
    inProgram([&] {
        enterGame(false);
        capture("menu-smartphone");
        playToTheEnd("smartphone");
        finalScore = DotvorGame::score;
        typeKey(3);   // d
        typeKey(21);  // v
        typeKey(28);  // ok
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "dv");
        EXPECT_EQ(menu()->values[0], finalScore);
        capture("scores-smartphone");

        key(keySelect);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::mainPage);
        for (int i = 0; i < 6 && menu()->selected != Dotvor::lastItem; ++i) key(keyUp);
        key(keySelect);
        EXPECT_FALSE(DotvorGame::game) << "the game let go of its statics";
        EXPECT_FALSE(DotvorGame::map);
        EXPECT_FALSE(Dotvor::mainTexts);
    });

    inProgram([&] {
        enterGame(false);
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::tablesPage);
        key(keySelect);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "dv");
        EXPECT_EQ(menu()->values[0], finalScore);
    });
}

class WholeGamePocketPc : public PocketPcDotvorTest {};

TEST_F(WholeGamePocketPc, AWholeGameOnTheLargeScreen) {
    inProgram([] {
        enterGame(true);
        EXPECT_EQ(DotvorGame::cellWidth, 10);
        capture("menu-pocketpc");
        playToTheEnd("pocketpc");
        typeKey(0);   // a
        typeKey(28);  // ok
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "a");
        capture("scores-pocketpc");
    });
}

}  // namespace
