// The tank game as a player goes through it, by keys from the shell: a stage won, every
// life lost to the player's own shots at the base, a name entered into the high-score table,
// and the table and the opened stages found again after a restart. Every screen of the game
// is written to tanks-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <string>
#include "game_run.h"
#include "d7zipinputstream.h"
#include "dsystem.h"
#include "gamelib.h"
#include "gamemain.h"
#include "gamemenu.h"
#include "gameregistry.h"
#include "gametables.h"
#include "keystate.h"
#include "screencanvas.h"
#include "sound.h"
#include "started_app.h"
#include "text.h"

namespace {

using namespace keys;

std::string profile() { return ScreenCanvas::screenHeight >= 320 ? "pocketpc" : "smartphone"; }

void capture(const std::string& name) { captureScreen("tanks-frames", name + "-" + profile()); }

GameTanksPtr battle() { return GameMain::current->tanks; }

bool runUntil(int state, int limit = 400) {
    for (int i = 0; i < limit && GameMain::current && GameMain::screenState != state; ++i) StartedAppTest::frames(1);
    return GameMain::current && GameMain::screenState == state;
}

// From the shell to the game's main menu.
void enterGame() {
    openGameFromShell(GameRegistry::tanks);
    ASSERT_TRUE(GameMain::current);
    ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
    StartedAppTest::frames(10);
}

// The test's hook: every enemy of the stage destroyed, as a grenade would.
void destroyEveryEnemy() {
    for (int i = 0; i < GameTanks::enemyCount; ++i) battle()->enemies[i]->hasBeenBorn = true;
    battle()->applyBonus(GameTanks::grenadeBonus);
}

// The player turns to the base beside its start and fires at it until no life is left.
void shootTheBaseUntilGameOver() {
    bool lostShown = false;
    for (int frame = 0; frame < 40000 && GameMain::screenState != GameMain::mainMenu; ++frame) {
        if (GameMain::screenState == GameMain::results) {
            ASSERT_FALSE(battle()->levelWon);
            menuKey(fire);
            continue;
        }
        if (GameMain::screenState == GameMain::battle && battle()->levelOver && !lostShown) {
            lostShown = true;
            StartedAppTest::frames(1);
            capture("lost");
        }
        if (GameMain::screenState == GameMain::battle && !battle()->levelOver) {
            if (battle()->player->direction != GTNK::RIGHT) StartedAppTest::press(right);
            else if (frame % 6 == 0) StartedAppTest::press(fire);
        }
        StartedAppTest::frames(1);
    }
}

class TanksWholeGame : public StartedAppTest {};

TEST_F(TanksWholeGame, FromTheShellThroughAWonStageAndALostGameToTheHighScoresAndBack) {
    int finalScore = 0;
    inProgram([&] {
        enterGame();
        EXPECT_EQ(GameMain::current->openLevel, 1);
        capture("menu");
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::intro) << "with one stage open, start goes straight to it";
        EXPECT_EQ(battle()->levelCounter, 1);
        EXPECT_TRUE(battle()->levelLoaded);
        EXPECT_TRUE(battle()->images[0]) << "the field picture is there before the first paint";
        capture("intro");
        ASSERT_TRUE(runUntil(GameMain::battle, 80));
        frames(120);
        capture("battle");

        destroyEveryEnemy();
        frames(1);
        EXPECT_TRUE(battle()->levelWon);
        ASSERT_TRUE(runUntil(GameMain::results, 260));
        EXPECT_EQ(battle()->kills(0), 20);
        EXPECT_EQ(battle()->score, 200);
        capture("results");
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::intro);
        EXPECT_EQ(battle()->levelCounter, 2);
        EXPECT_EQ(GameMain::current->openLevel, 2);
        EXPECT_EQ(GameMenu::loadOption(GameTables::tanksId + u"openlevel", 1), 2) << "the opened stage is stored";

        ASSERT_TRUE(runUntil(GameMain::battle, 80));
        holdKey(softLeft, 2);
        ASSERT_EQ(GameMain::screenState, GameMain::pauseMenu);
        EXPECT_EQ(narrow(GameMain::itemMenu->items[0]), "Continue");
        capture("pause");
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::battle);

        shootTheBaseUntilGameOver();
        EXPECT_EQ(battle()->player->armour, 0);
        finalScore = battle()->score;
        ASSERT_EQ(GameMain::itemMenu->mode, GameMenu::namePage) << "a score of " << finalScore;
        capture("name");
        typeName("tk");
        ASSERT_EQ(GameMain::screenState, GameMain::highScores);
        EXPECT_EQ(narrow(GameMain::scoreMenu->items[0]), "tk");
        EXPECT_EQ(GameMain::scoreMenu->values[0], finalScore);
        capture("scores");

        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
        EXPECT_EQ(GameMain::itemMenu->mode, GameMenu::listPage);
        menuKey(up);
        EXPECT_EQ(GameMain::itemMenu->selected, GameMain::exitItem);
        menuKey(fire);
        EXPECT_FALSE(GameMain::current) << "the game let go of its statics";
        EXPECT_FALSE(GameMain::itemMenu);
    });

    inProgram([&] {
        enterGame();
        menuKey(down);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::highScores);
        EXPECT_EQ(narrow(GameMain::scoreMenu->items[0]), "tk");
        EXPECT_EQ(GameMain::scoreMenu->values[0], finalScore);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
        menuKey(down);
        menuKey(down);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::help);
        capture("help");
        menuKey(softLeft);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);

        menuKey(up);
        menuKey(down);
        EXPECT_EQ(GameMain::itemMenu->selected, GameMain::startItem);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::stageList);
        ASSERT_EQ(GameMain::itemMenu->items->length, 3);
        EXPECT_EQ(narrow(GameMain::itemMenu->items[0]), "Level 2");
        EXPECT_EQ(narrow(GameMain::itemMenu->items[1]), "Level 1");
        EXPECT_EQ(narrow(GameMain::itemMenu->items[2]), "Exit");
        capture("stages");

        // Its exit goes back to the main menu, and plays nothing.
        menuKey(up);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
        EXPECT_FALSE(battle()->levelLoaded);
        EXPECT_TRUE(GameMain::current);

        menuKey(fire);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::intro);
        EXPECT_EQ(battle()->levelCounter, 2) << "the top entry is the highest stage";
    });
}

TEST_F(TanksWholeGame, AStageThatCannotBeLoadedLeadsBackToTheMainMenu) {
    inProgram([] {
        enterGame();
        dfc::io::D7zipInputStream::closeArchive();
        menuKey(fire);
        EXPECT_EQ(GameMain::screenState, GameMain::mainMenu);
        EXPECT_FALSE(battle()->levelLoaded);
        frames(4);
        dfc::io::D7zipInputStream::openArchive(dfc::lang::DSystem::getProperty(u"archive.name"),
                                               dfc::lang::DSystem::getProperty(u"archive.password"));
        menuKey(fire);
        EXPECT_EQ(GameMain::screenState, GameMain::intro) << "with the file back, the stage starts";
    });
}

class TanksOnThePocketPc : public PocketPcAppTest {};

TEST_F(TanksOnThePocketPc, EveryScreenWithTheStylusAndADamagedStoredStage) {
    inProgram([] {
        // A damaged record must not make a stage list of nothing.
        GameMenu::saveOption(GameTables::tanksId + u"openlevel", -3);
        enterGame();
        EXPECT_EQ(GameMain::current->openLevel, 1);
        capture("menu");

        // The sound level goes 2, 3, then round to 0.
        for (int i = 0; i < 3; ++i) menuKey(down);
        menuKey(fire);
        menuKey(fire);
        EXPECT_EQ(Sound::getSoundLevel(), 0);
        EXPECT_EQ(narrow(GameMain::itemMenu->items[GameMain::soundItem]),
                  narrow(GameMenu::soundOptionLabel(0)));
        menuKey(up);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::help);
        frames(4);
        capture("help");
        menuKey(softLeft);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
        EXPECT_EQ(GameMain::itemMenu->selected, GameMain::startItem);
        menuKey(down);
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::highScores);
        capture("scores");
        menuKey(fire);
        menuKey(fire);

        ASSERT_EQ(GameMain::screenState, GameMain::intro);
        capture("intro");
        ASSERT_TRUE(runUntil(GameMain::battle, 80));
        frames(160);
        capture("battle");

        // The pause button at the panel's left end.
        tap(8, ScreenCanvas::screenHeight - 16);
        frames(2);
        ASSERT_EQ(GameMain::screenState, GameMain::pauseMenu);
        capture("pause");
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::battle);

        // The stylus held above the tank drives it up.
        const GTNKPtr player = battle()->player;
        const int startY = player->y;
        KeyState::stylusPressed(ScreenCanvas::screenWidth / 2, 10);
        frames(40);
        KeyState::stylusReleased(ScreenCanvas::screenWidth / 2, 10);
        EXPECT_EQ(player->direction, GTNK::UP);
        EXPECT_LT(player->y, startY);

        battle()->endLevel(false);
        frames(4);
        capture("lost");
        ASSERT_TRUE(runUntil(GameMain::results, 260));
        capture("results");
        menuKey(fire);
        EXPECT_EQ(GameMain::screenState, GameMain::intro) << "a lost stage with lives left is played again";
        EXPECT_EQ(battle()->levelCounter, 1);

        // Out of the battle through the pause menu, to a stage list of three.
        ASSERT_TRUE(runUntil(GameMain::battle, 80));
        holdKey(softRight, 2);
        ASSERT_EQ(GameMain::screenState, GameMain::pauseMenu);
        menuKey(up);
        EXPECT_EQ(narrow(GameMain::itemMenu->items[GameMain::exitItem]), "Main menu");
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::mainMenu);
        EXPECT_EQ(narrow(GameMain::itemMenu->items[0]), "Start");
        GameMain::current->openLevel = 3;
        menuKey(fire);
        ASSERT_EQ(GameMain::screenState, GameMain::stageList);
        EXPECT_EQ(GameMain::itemMenu->items->length, 4);
        capture("stages");
    });
}

}  // namespace
