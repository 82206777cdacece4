// Whole games as a player goes through them, by keys from the shell: the menu, a wave begun
// and played with held keys, the jump to wave 20 by the level-select code, the last wave
// cleared, a name entered into the high-score table and the table found again after a
// restart; and a game lost by every life. Frames of the menu, the wave intro, play, the
// pause menu and the table are written to rockvale-frames/ in the build folder, for both
// screens.
#include <gtest/gtest.h>
#include <string>
#include "gamelib.h"
#include "game_run.h"
#include "gamemenu.h"
#include "keystate.h"
#include "rockvale_fixture.h"
#include "screencanvas.h"
#include "ship.h"
#include "starfield.h"
#include "text.h"

namespace {

const char* const frameFolder = "rockvale-frames";

bool runUntil(int state, int limit = 600) {
    for (int i = 0; i < limit && Rockvale::gameState != state; ++i) StartedAppTest::frames(1);
    return Rockvale::gameState == state;
}

// From the shell's first frame to the game's menu.
void enterGame() {
    openGameFromShell(1);
    ASSERT_TRUE(Rockvale::theGame);
    ASSERT_EQ(GameLib::currentMode.get(), Rockvale::theGame.get());
    ASSERT_EQ(Rockvale::gameState, Rockvale::menuState);
    StartedAppTest::frames(10);
}

// The code the game library listens for, then two digits.
void enterWave(char tens, char units) {
    for (int code : {int('4'), int('8'), int('2'), int(tens), int(units)}) holdKey(code, 3);
}

// Main menu to the stored table, through a wave played by keys and wave 20 cleared. The
// score that went into the table.
int playToTheTable(const std::string& screen) {
    RockvalePtr game = Rockvale::theGame;
    captureScreen(frameFolder, "menu-" + screen);
    menuKey(keys::fire);
    EXPECT_EQ(Rockvale::gameState, Rockvale::waveIntro);
    EXPECT_EQ(Rockvale::currentWave, 1);
    StartedAppTest::frames(6);
    captureScreen(frameFolder, "intro-" + screen);
    EXPECT_TRUE(runUntil(Rockvale::playing));

    // Turn, thrust and fire with held keys.
    const int facing = Rockvale::ship->step + 4 * Ship::quarterOf(Rockvale::ship->facingSuffix);
    holdKey(keys::left, 6);
    EXPECT_NE(Rockvale::ship->step + 4 * Ship::quarterOf(Rockvale::ship->facingSuffix), facing);
    holdKey(keys::up, 9);
    EXPECT_TRUE(Rockvale::ship->vx != 0 || Rockvale::ship->vy != 0);
    GameLib::screenCanvas->keyPressed(keys::fire);
    StartedAppTest::frames(12);
    captureScreen(frameFolder, "play-" + screen);
    GameLib::screenCanvas->keyReleased(keys::fire);
    StartedAppTest::frames(1);
    EXPECT_NE(game->score, 0) << "shots cost points, hits earn them";

    // The pause menu and back into play.
    holdKey(keys::softLeft, 4);
    EXPECT_EQ(Rockvale::gameState, Rockvale::menuState);
    EXPECT_EQ(Rockvale::menuMode, Rockvale::pauseMenu);
    StartedAppTest::frames(8);
    captureScreen(frameFolder, "pause-" + screen);
    menuKey(keys::fire);
    EXPECT_EQ(Rockvale::gameState, Rockvale::playing);

    enterWave('2', '0');
    EXPECT_TRUE(runUntil(Rockvale::waveIntro, 30));
    EXPECT_EQ(Rockvale::currentWave, 20);
    EXPECT_TRUE(runUntil(Rockvale::playing, 60));
    // The test's hook: the last wave's rocks and saucers are gone, the score stands at 4321.
    game->rocks = new FlyingOArray(0);
    game->saucers = new FlyingOArray(0);
    game->score = 4321;
    EXPECT_TRUE(runUntil(Rockvale::waveCleared, 10));
    EXPECT_TRUE(runUntil(Rockvale::menuState, 200));
    EXPECT_EQ(game->menu->mode, GameMenu::namePage);
    typeName("rv");
    EXPECT_EQ(Rockvale::menuMode, Rockvale::scorePage);
    EXPECT_EQ(narrow(game->menu->items[0]), "rv");
    EXPECT_EQ(game->menu->values[0], 4321);
    captureScreen(frameFolder, "table-" + screen);
    return 4321;
}

// From the table back to the main menu and out through its last item.
void leaveForTheShell() {
    RockvalePtr game = Rockvale::theGame;
    menuKey(keys::fire);
    EXPECT_EQ(Rockvale::menuMode, Rockvale::mainMenu);
    EXPECT_EQ(game->menu->mode, GameMenu::listPage);
    menuKey(keys::up);
    EXPECT_EQ(game->menu->selected, Rockvale::exitItem);
    menuKey(keys::fire);
    EXPECT_FALSE(Rockvale::theGame) << "the game let go of its statics";
    EXPECT_FALSE(Rockvale::ship);
    EXPECT_FALSE(StarField::background);
    EXPECT_NE(GameLib::currentMode.get(), game.get());
}

// After a restart: the help page, and the table with the entry kept.
void findTheEntry(bool large, int score) {
    enterGame();
    menuKey(keys::down);
    menuKey(keys::down);
    menuKey(keys::fire);
    ASSERT_EQ(Rockvale::menuMode, Rockvale::helpPage);
    captureScreen(frameFolder, large ? "help-pocketpc" : "help-smartphone");
    menuKey(keys::softLeft);
    ASSERT_EQ(Rockvale::menuMode, Rockvale::mainMenu);
    menuKey(keys::down);
    menuKey(keys::fire);
    RockvalePtr game = Rockvale::theGame;
    ASSERT_EQ(Rockvale::menuMode, Rockvale::scorePage);
    EXPECT_EQ(narrow(game->menu->items[0]), "rv");
    EXPECT_EQ(game->menu->values[0], score);
}

class WholeGame : public RockvaleTest {};

TEST_F(WholeGame, FromTheShellThroughWaveTwentyToTheTableAndBackAfterARestart) {
    int score = 0;
    inProgram([&] {
        enterGame();
        score = playToTheTable("smartphone");
        leaveForTheShell();
    });
    inProgram([&] { findTheEntry(false, score); });
}

TEST_F(WholeGame, GameLostByEveryLife) {
    inProgram([] {
        enterGame();
        RockvalePtr game = Rockvale::theGame;
        menuKey(keys::fire);
        ASSERT_TRUE(runUntil(Rockvale::playing));
        // Something comes at the ship whenever it can be hit again; one rock stays far off.
        for (int frame = 0; frame < 3000 && Rockvale::gameState == Rockvale::playing; ++frame) {
            const Ship& ship = *Rockvale::ship;
            game->rocks = new FlyingOArray(2);
            game->rocks[0] = new FlyingO(5, 5, 0, 0, 1, 3, 1, nullptr, 0);
            if (!ship.isHit) game->rocks[1] = new FlyingO(ship.x, ship.y, 0, 0, 1, 3, 1, nullptr, 0);
            StartedAppTest::frames(1);
        }
        ASSERT_EQ(Rockvale::gameState, Rockvale::gameOver);
        EXPECT_EQ(Rockvale::ship->lives, 0);
        captureScreen(frameFolder, "gameover-smartphone");
        EXPECT_TRUE(runUntil(Rockvale::menuState, 200));
        EXPECT_EQ(game->menu->mode, GameMenu::namePage) << "three rams are worth a place in the table";
        EXPECT_FALSE(StarField::background) << "the game over lets go of the background";
        typeName("x");
        EXPECT_EQ(narrow(game->menu->items[0]), "x");
        EXPECT_GE(game->menu->values[0], 600);
        leaveForTheShell();
    });
}

class WholeGamePocketPc : public PocketPcRockvaleTest {};

TEST_F(WholeGamePocketPc, FromTheShellThroughWaveTwentyOnTheLargeScreen) {
    int score = 0;
    inProgram([&] {
        enterGame();
        score = playToTheTable("pocketpc");
        leaveForTheShell();
    });
    inProgram([&] { findTheEntry(true, score); });
}

}  // namespace
