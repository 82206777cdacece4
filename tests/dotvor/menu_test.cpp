// The menu pages: options saved at once, the settings items, the way back from the table
// pages and the pause menu, and the high-score table of each mode.
#include <gtest/gtest.h>
#include "dotvor_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "screencanvas.h"
#include "gametables.h"
#include "sound.h"
#include "stringmanager.h"
#include "text.h"

namespace {

constexpr int keySelect = 10002;

class Menu : public DotvorTest {};

GameMenuPtr menu() { return GameTables::dotvorMenu; }

// The menus take a key at most every 201 ms.
void choose(int item) {
    StartedAppTest::frames(9);
    menu()->selected = item;
    StartedAppTest::press(keySelect);
    StartedAppTest::frames(8);
}

// A soft key held for a few frames: the game steps on every second frame only.
void holdSoftKey(int code) {
    GameLib::screenCanvas->keyPressed(code);
    StartedAppTest::frames(4);
    GameLib::screenCanvas->keyReleased(code);
    StartedAppTest::frames(2);
}

std::string itemText(int item) { return narrow(menu()->items[item]); }

std::string textOf(const char16_t* key) { return narrow(StringManager::getProperty(key)); }

TEST_F(Menu, TheSoundLevelGoesRoundAndIsSavedAtOnce) {
    inGame([](Dotvor&) {
        Sound::setSoundLevel(3);
        choose(Dotvor::soundItem);
        EXPECT_EQ(Sound::getSoundLevel(), 0);
        EXPECT_EQ(GameMenu::loadOption(GameTables::dotvorId + u"sfx_level", 2), 0);
        EXPECT_EQ(itemText(Dotvor::soundItem), textOf(u"soundfxoff"));
        choose(Dotvor::musicItem);
        EXPECT_EQ(GameMenu::loadOption(GameTables::dotvorId + u"music_level", -1), Sound::getMusicLevel());
    });
}

TEST_F(Menu, TheSettingsItemsCycleAndShowTheirFlags) {
    inGame([](Dotvor&) {
        choose(Dotvor::firstItem);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::settingsPage);
        for (const char16_t* key : {u"modefruit", u"modetime", u"modekill", u"modeoriginal"}) {
            choose(Dotvor::modeItem);
            EXPECT_EQ(itemText(Dotvor::modeItem), textOf(key));
        }
        EXPECT_EQ(DotvorGame::gameMode, 0);
        choose(Dotvor::orderItem);
        EXPECT_EQ(itemText(Dotvor::orderItem), textOf(u"levelsrandom"));
        EXPECT_TRUE(DotvorGame::levelsRandom);
        choose(Dotvor::backItem);
        EXPECT_EQ(Dotvor::menuPage, Dotvor::mainPage);
    });
    // A new start clears the flag: the item says so.
    inGame([](Dotvor&) {
        choose(Dotvor::firstItem);
        EXPECT_FALSE(DotvorGame::levelsRandom);
        EXPECT_EQ(itemText(Dotvor::orderItem), textOf(u"levelsoriginal"));
    });
}

TEST_F(Menu, LeavingAPausedGameByTheTablePageEndsIt) {
    inGame([](Dotvor& game) {
        choose(Dotvor::firstItem);
        choose(Dotvor::startItem);
        ASSERT_EQ(DotvorGame::playMode, 1);
        holdSoftKey(10000);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::pausePage);
        EXPECT_EQ(itemText(0), textOf(u"continue"));
        EXPECT_EQ(itemText(Dotvor::lastItem), textOf(u"mainmenu"));
        EXPECT_TRUE(Dotvor::gamePaused);
        choose(Dotvor::tablesItem);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::tablesPage);
        choose(4);
        EXPECT_EQ(Dotvor::menuPage, Dotvor::mainPage);
        EXPECT_FALSE(Dotvor::gamePaused) << "the sound is stopped and unpaused";
        EXPECT_EQ(itemText(0), textOf(u"start"));
        (void)game;
    });
}

TEST_F(Menu, MainMenuFromThePauseMenuSkipsTheHighScores) {
    inGame([](Dotvor&) {
        choose(Dotvor::firstItem);
        choose(Dotvor::startItem);
        DotvorGame::score = 99999;
        holdSoftKey(10001);
        ASSERT_EQ(Dotvor::menuPage, Dotvor::pausePage);
        choose(Dotvor::lastItem);
        EXPECT_EQ(Dotvor::menuPage, Dotvor::mainPage);
        EXPECT_NE(menu()->mode, GameMenu::namePage);
        EXPECT_FALSE(Dotvor::gamePaused);
    });
}

TEST_F(Menu, AHighScoreGoesIntoTheTableOfItsMode) {
    inGame([](Dotvor&) {
        DotvorGame::gameMode = DotvorGame::timeRun;
        DotvorGame::score = 7000;
        menu()->enterName();
        GameMenu::lastEnteredName = u"ann";
        GameMenu::nameEntered = true;
        StartedAppTest::frames(1);
        EXPECT_EQ(Dotvor::menuPage, Dotvor::scoresPage);
        EXPECT_EQ(Dotvor::highScoreTable, 2);
        EXPECT_EQ(itemText(0), "ann");
        EXPECT_EQ(menu()->values[0], 7000);
        menu()->loadHighScores(0, GameTables::dotvorId);
        EXPECT_NE(itemText(0), "ann") << "table 0 is another mode's";
        DotvorGame::gameMode = 0;
    });
}

// A game that ends may drop the shared menu pictures (Floodpass does); the maze game's menu is
// the game-wide one, made at start-up, so the game itself must bring them back.
TEST_F(Menu, TheSharedPicturesAreBackAfterAGameDroppedThem) {
    inGame([](Dotvor&) {
        EXPECT_TRUE(GameMenu::pauseImage);
        EXPECT_TRUE(GameMenu::arrowUp);
        EXPECT_TRUE(GameMenu::arrowDown);
    }, [] { GameMenu::arrowUp = GameMenu::arrowDown = GameMenu::pauseImage = nullptr; });
}

}  // namespace
