// The game's states around play: the stored open level, the level choice, pausing, the end of
// a level and of the last one, the one high-score table, the fuel bar, a bridge blowing up
// with an explosion that has no pictures, and river data the game cannot fly.
#include <gtest/gtest.h>
#include "entityarray.h"
#include "game_fixture.h"
#include "game_run.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "screens.h"
#include "shellmenu.h"
#include "text.h"

using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DStringPtr;

namespace {

DStringPtr openLevelKey() { return GameTables::floodpassId + u"openlevel"; }

bool onShell() { return dynamic_cast<ShellMenu*>(GameLib::currentMode.get()) != nullptr; }

TEST_F(FloodpassTest, AStoredOpenLevelOutsideTheLevelsIsClamped) {
    for (int stored : {99, 0, -4}) {
        SCOPED_TRACE(stored);
        inGame([stored] { EXPECT_EQ(Floodpass::openLevel, stored > 0 ? Screens::levelCount() : 1); },
               [stored] { GameMenu::saveOption(openLevelKey(), stored); });
    }
}

TEST_F(FloodpassTest, StartOffersTheOpenLevelsHighestFirst) {
    inGame(
        [] {
            frames(10);
            menuKey(keys::fire);
            ASSERT_EQ(Floodpass::page, Floodpass::levelPage);
            const auto& items = Floodpass::menu->items;
            ASSERT_EQ(items->length, 4);
            EXPECT_EQ(narrow(items[0]), "Level 3");
            EXPECT_EQ(narrow(items[2]), "Level 1");
            EXPECT_EQ(narrow(items[3]), "Exit");
            menuKey(keys::down);
            menuKey(keys::fire);
            EXPECT_EQ(Floodpass::state, Floodpass::levelStartState);
            EXPECT_EQ(Floodpass::levelIndex, 1);
            EXPECT_EQ(Floodpass::lives, Floodpass::startLives);
            ASSERT_TRUE(runUntil(Floodpass::playState, 100));
            EXPECT_EQ(Screens::currentLevel.get(), Screens::levels[1].get());
        },
        [] { GameMenu::saveOption(openLevelKey(), 3); });
}

TEST_F(FloodpassTest, ExitFromTheLevelChoiceGoesBackToTheMainPage) {
    inGame(
        [] {
            frames(10);
            menuKey(keys::fire);
            ASSERT_EQ(Floodpass::page, Floodpass::levelPage);
            menuKey(keys::up);
            menuKey(keys::fire);
            EXPECT_EQ(Floodpass::page, Floodpass::mainPage);
            EXPECT_EQ(Floodpass::state, Floodpass::menuState);
            EXPECT_EQ(narrow(Floodpass::menu->items[0]), "Start");
        },
        [] { GameMenu::saveOption(openLevelKey(), 2); });
}

// The pause key (-1) also speeds the plane up in the frame it pauses.
TEST_F(FloodpassTest, PauseKeysOpenThePausePageAndContinueResumes) {
    inGame([] {
        openRiver(4);
        Floodpass::speed = Floodpass::normal;
        press(-1);
        EXPECT_EQ(Floodpass::state, Floodpass::menuState);
        EXPECT_EQ(Floodpass::page, Floodpass::pausePage);
        EXPECT_EQ(narrow(Floodpass::menu->items[0]), "Continue");
        EXPECT_EQ(Floodpass::speed, Floodpass::fast);
        frames(8);
        menuKey(keys::fire);
        EXPECT_EQ(Floodpass::state, Floodpass::playState);
        press(keys::softRight);
        EXPECT_EQ(Floodpass::page, Floodpass::pausePage);
        frames(8);
        menuKey(keys::up);
        menuKey(keys::fire);
        EXPECT_EQ(Floodpass::state, Floodpass::menuState);
        EXPECT_EQ(Floodpass::page, Floodpass::mainPage);
    });
}

TEST_F(FloodpassTest, TheLastLevelDoneCompletesTheGameWithoutRaisingTheOpenLevelPastTheCount) {
    inGame([] {
        const int count = Screens::levelCount();
        Floodpass::openLevel = count;
        Floodpass::levelIndex = count - 1;
        Floodpass::lives = 2;
        Floodpass::nextLevel();
        EXPECT_EQ(Floodpass::state, Floodpass::completeState);
        EXPECT_EQ(Floodpass::levelIndex, 0);
        EXPECT_EQ(Floodpass::openLevel, count);
        Floodpass::levelIndex = 0;
        Floodpass::openLevel = 1;
        Floodpass::nextLevel();
        EXPECT_EQ(Floodpass::state, Floodpass::levelStartState);
        EXPECT_EQ(Floodpass::openLevel, 2);
        EXPECT_EQ(GameMenu::loadOption(openLevelKey(), 0), 2);
        Floodpass::state = Floodpass::menuState;
    });
}

// Game over checks, stores and shows the same table: the one the high-score page reads.
TEST_F(FloodpassTest, AHighScoreGoesIntoTheTableThePageShows) {
    inGame([] {
        Floodpass::score = 123456;
        Floodpass::setState(Floodpass::overState);
        Floodpass::timer -= 2000;
        frames(1);
        ASSERT_EQ(Floodpass::menu->mode, GameMenu::namePage);
        typeName("ab");
        ASSERT_EQ(Floodpass::page, Floodpass::scoresPage);
        EXPECT_EQ(narrow(Floodpass::menu->items[0]), "ab");
        EXPECT_EQ(Floodpass::menu->values[0], 123456);
        GameMenuPtr other = new GameMenu();
        other->loadHighScores(Floodpass::scoreTable, GameTables::floodpassId);
        EXPECT_EQ(other->values[0], 123456);
        menuKey(keys::fire);
        EXPECT_EQ(Floodpass::page, Floodpass::mainPage);
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::scoresPage);
        EXPECT_EQ(Floodpass::menu->values[0], 123456);
    });
}

TEST_F(FloodpassTest, TheFuelBarIsCutFromItsOwnHeightEveryFrame) {
    inGame([] {
        openRiver(4);
        const int height = Floodpass::fuelBarHeight;
        ASSERT_GT(height, 0);
        for (int fuel : {1500, 700, 30, 2010}) {
            Floodpass::fuel = fuel;
            frames(1);
            EXPECT_EQ(Floodpass::fuelBarImage->height, height) << fuel;
        }
    });
}

TEST_F(FloodpassTest, ABridgeBlowsUpEvenWithAnExplosionWithoutPictures) {
    inGame([] {
        openRiver(4);
        EntityPtr bridge = new Entity(0, 56, Floodpass::top - 40, 0);
        onlyEntities({bridge});
        for (int frameCount : {0, 3}) {
            bridge->explosion = Animation::AnimationFromCount(frameCount);
            for (int i = 0; i < frameCount; ++i) bridge->explosion->addFrame(new GameImage());
            bridge->state = Entity::exploding;
            frames(3);
            EXPECT_NE(bridge->state, Entity::exploding) << frameCount << " empty frames";
        }
    });
}

TEST_F(FloodpassTest, ALevelTooShortForTheScreenSendsTheGameBackToTheShell) {
    inGame([] {
        Screens::levels = new DintArray2d(1);
        Screens::levels[0] = new DintArray(1);
        Floodpass::levelIndex = 0;
        Floodpass::setState(Floodpass::levelStartState);
        Floodpass::timer -= 2000;
        frames(1);
        EXPECT_TRUE(onShell());
        EXPECT_NE(diagnostics().find("level 1 is shorter than the screen"), std::string::npos) << diagnostics();
    });
}

TEST_F(FloodpassTest, ARiverThatCannotBeReadSendsTheGameBackToTheShell) {
    inGame([] {
        Floodpass::brokenData = true;
        frames(1);
        EXPECT_TRUE(onShell());
        EXPECT_FALSE(Floodpass::menu) << "the game let go of its statics";
    });
}

}  // namespace
