// Whole games as a player goes through them, by keys from the shell: the first level played
// until an alien falls, the level code, every ship lost, a name entered into the high-score
// table; a second game cleared past the last level; and the table found again when the
// program is started anew. Frames of the menu, the intro, play, the game over and the table
// are written to swarmline-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <filesystem>
#include <string>
#include "gamelib.h"
#include "gamemenu.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "swarmline_fixture.h"
#include "text.h"
#include "virtualkeyboard.h"

namespace {

constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keySelect = 10002;

void capture(const std::string& name) {
    const std::string folder = std::string(MOSSYARD_BINARY_DIR) + "/swarmline-frames";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(platform::savePng(platform::screen(), folder + "/" + name + ".png")) << name;
}

// A key the menus take: pressed, released, and the menus' pause between keys.
void key(int code) {
    StartedAppTest::press(code);
    StartedAppTest::frames(8);
}

// From the shell's first frame, after its intro, to the game's menu: the small shell lists
// the game third, the large one seventh.
void enterGame(int moveKey, int moves) {
    StartedAppTest::frames(50);
    for (int i = 0; i < moves; ++i) key(moveKey);
    key(keySelect);
    for (int i = 0; i < 200 && !Swarmline::theGame; ++i) StartedAppTest::frames(1);
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

// Moves the keyboard's cursor to the key and types it.
void typeKey(int index) {
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    const int row = index / keyboard.columns, column = index % keyboard.columns;
    for (int moves = 0; moves < 20 && (keyboard.row != row || keyboard.column != column); ++moves) {
        if (keyboard.row != row)
            key(keyboard.row < row ? keyDown : keyUp);
        else
            key(keyboard.column < column ? keyRight : keyLeft);
    }
    key(keySelect);
}

void enterName(std::initializer_list<int> letters) {
    ASSERT_EQ(Swarmline::menu->mode, GameMenu::namePage);
    for (int letter : letters) typeKey(letter);
    typeKey(28);  // ok
    ASSERT_EQ(Swarmline::menu->mode, GameMenu::scorePage);
}

// Holds fire, weaving under the formation, until an alien falls; returns its points.
int shootAnAlien() {
    GameLib::screenCanvas->keyPressed(keySelect);
    int points = 0;
    for (int frame = 0; frame < 4000 && Swarmline::score == 0; ++frame) {
        if (frame % 120 == 0) GameLib::screenCanvas->keyPressed(frame % 240 ? keyLeft : keyRight);
        if (frame % 120 == 30) GameLib::screenCanvas->keyReleased(frame % 240 > 120 ? keyLeft : keyRight);
        StartedAppTest::frames(1);
        Swarmline::lives = 4;
    }
    for (int code : {keySelect, keyLeft, keyRight}) GameLib::screenCanvas->keyReleased(code);
    StartedAppTest::frames(3);
    for (int i = 0; i < Swarmline::aliens->length; ++i)
        if (Swarmline::aliens[i]->state >= AlienShip::EXPLODING) points = Swarmline::aliens[i]->points;
    return points;
}

class WholeGame : public SwarmlineTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int firstScore = 0, secondScore = 0;
    inProgram([&] {
        enterGame(keyRight, 3);
        capture("menu-smartphone");
        key(keySelect);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        EXPECT_EQ(Swarmline::level, 1);
        EXPECT_EQ(Swarmline::lives, 4);
        capture("intro-smartphone");
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));

        const int startX = Swarmline::shipX;
        GameLib::screenCanvas->keyPressed(keyRight);
        frames(10);
        GameLib::screenCanvas->keyReleased(keyRight);
        frames(1);
        EXPECT_EQ(Swarmline::shipX, startX + 10 * Swarmline::PLAYER_SPEED);
        const int points = shootAnAlien();
        EXPECT_GT(points, 0);
        EXPECT_EQ(Swarmline::score, points) << "the fallen alien's row points";
        frames(4);
        capture("play-smartphone");

        typeLevelCode(19);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        EXPECT_EQ(Swarmline::level, 19);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        loseEveryShip();
        capture("gameover-smartphone");
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 100));
        firstScore = Swarmline::score;
        enterName({0, 2});  // "ac"
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "ac");
        EXPECT_EQ(Swarmline::menu->values[0], firstScore);
        capture("scores-smartphone");

        // A second game, cleared past the last level by the level code and a hook.
        key(keySelect);
        ASSERT_EQ(Swarmline::menuMode, Swarmline::mainMenu);
        key(keySelect);
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
        enterName({1});  // "acb": the entry starts from the last name
        EXPECT_EQ(Swarmline::menu->values[0], std::max(firstScore, secondScore));

        key(keySelect);
        key(keyUp);
        EXPECT_EQ(Swarmline::menu->selected, Swarmline::exitItem);
        SwarmlinePtr game = Swarmline::theGame;
        key(keySelect);
        EXPECT_FALSE(Swarmline::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Swarmline::aliens);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame(keyRight, 3);
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Swarmline::menu->mode, GameMenu::scorePage);
        const bool firstHigher = firstScore >= secondScore;
        EXPECT_EQ(narrow(Swarmline::menu->items[firstHigher ? 0 : 1]), "ac");
        EXPECT_EQ(narrow(Swarmline::menu->items[firstHigher ? 1 : 0]), "acb");
        EXPECT_EQ(Swarmline::menu->values[firstHigher ? 0 : 1], firstScore);
    });
}

class WholeGamePocketPc : public PocketPcSwarmlineTest {};

TEST_F(WholeGamePocketPc, MenuIntroPlayGameOverAndTableOnTheLargeScreen) {
    inProgram([] {
        enterGame(keyDown, 7);
        capture("menu-pocketpc");
        key(keySelect);
        ASSERT_EQ(Swarmline::gameState, Swarmline::STATE_LEVEL_INTRO);
        capture("intro-pocketpc");
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        EXPECT_GT(shootAnAlien(), 0);
        frames(4);
        capture("play-pocketpc");
        typeLevelCode(19);
        ASSERT_TRUE(runUntil(Swarmline::STATE_PLAY, 100));
        loseEveryShip();
        capture("gameover-pocketpc");
        ASSERT_TRUE(runUntil(Swarmline::STATE_MENU, 100));
        enterName({25});  // "z"
        capture("scores-pocketpc");
        EXPECT_EQ(narrow(Swarmline::menu->items[0]), "z");
    });
}

}  // namespace
