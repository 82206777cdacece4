// A whole game as a player goes through it, by keys: from the shell into the game, the
// settings, dots eaten, every life lost, a name entered into the high-score table, back to
// the shell, and the table found again when the program is started anew. Frames of the menu,
// the level intro, play, game over, the name entry and the table are written to
// dotvor-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "dotvor_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "game_run.h"
#include "gameregistry.h"
#include "screencanvas.h"
#include "shellmenu.h"
#include "text.h"

namespace {

GameMenuPtr menu() { return GameTables::dotvorMenu; }

void capture(const std::string& name) { captureScreen("dotvor-frames", name); }

// From the shell to the game's main page.
void enterGame() {
    openGameFromShell(GameRegistry::dotvor);
    ASSERT_TRUE(DotvorGame::game);
    ASSERT_EQ(Dotvor::menuPage, Dotvor::mainPage);
    StartedAppTest::frames(10);
}

bool runUntil(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) StartedAppTest::frames(1);
    return done();
}

// Plays a game of the classic mode to its end: runs left along the start row eating dots,
// then stands until the ghosts have taken every life.
void playToTheEnd(const std::string& screen) {
    menuKey(keys::fire);
    ASSERT_EQ(Dotvor::menuPage, Dotvor::settingsPage);
    capture("settings-" + screen);
    menuKey(keys::fire);
    ASSERT_EQ(DotvorGame::playMode, 1);
    StartedAppTest::frames(6);
    capture("intro-" + screen);
    ASSERT_TRUE(runUntil([] { return DotvorGame::introSteps == 0; }, 100));
    holdKey(keys::left, 40);
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
        enterGame();
        capture("menu-smartphone");
        playToTheEnd("smartphone");
        finalScore = DotvorGame::score;
        typeName("dv");
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "dv");
        EXPECT_EQ(menu()->values[0], finalScore);
        capture("scores-smartphone");

        menuKey(keys::fire);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::mainPage);
        for (int i = 0; i < 6 && menu()->selected != Dotvor::lastItem; ++i) menuKey(keys::up);
        menuKey(keys::fire);
        EXPECT_FALSE(DotvorGame::game) << "the game let go of its statics";
        EXPECT_FALSE(DotvorGame::map);
        EXPECT_FALSE(Dotvor::mainTexts);
    });

    inProgram([&] {
        enterGame();
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::tablesPage);
        menuKey(keys::fire);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "dv");
        EXPECT_EQ(menu()->values[0], finalScore);
    });
}

class WholeGamePocketPc : public PocketPcDotvorTest {};

TEST_F(WholeGamePocketPc, AWholeGameOnTheLargeScreen) {
    inProgram([] {
        enterGame();
        EXPECT_EQ(DotvorGame::cellWidth, 10);
        capture("menu-pocketpc");
        playToTheEnd("pocketpc");
        typeName("a");
        ASSERT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(narrow(menu()->items[0]), "a");
        capture("scores-pocketpc");
    });
}

}  // namespace
