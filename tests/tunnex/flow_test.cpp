// The game's flow: the menus and their options, the level code, pausing, the end of a game
// and of the last level, and the limits the field keeps (bags, the dirty-cell queue).
#include <gtest/gtest.h>
#include <vector>
#include "animation.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "screencanvas.h"
#include "sound.h"
#include "stringmanager.h"
#include "text.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxplayer.h"
#include "tunnex_fixture.h"

using dfc::lang::DStringPtr;

namespace {

int storedOpenLevel() { return GameMenu::loadOption(GameTables::tunnexId + u"openlevel", 0); }

class Flow : public TunnexTest {};

TEST_F(Flow, OnlyLevelsThatExistCanBeEnteredByCode) {
    inGame([] {
        startPlay();
        struct Case {
            int number, level, open;
        };
        for (const Case& k :
             {Case{0, 1, 1}, Case{73, 1, 1}, Case{99, 1, 1}, Case{12, 12, 12}, Case{72, 72, 72}, Case{3, 3, 72}}) {
            KeyState::enteredNumber = k.number;
            KeyState::numberEntered = true;
            frames(3);
            EXPECT_FALSE(KeyState::numberEntered);
            EXPECT_EQ(Tunnex::level, k.level) << k.number;
            EXPECT_EQ(Tunnex::maxOpenLevel, k.open) << k.number;
            EXPECT_EQ(storedOpenLevel(), k.open == 1 ? 0 : k.open) << k.number;
            EXPECT_EQ(Tunnex::state, Tunnex::play);
        }
    });
}

TEST_F(Flow, AStoredOpenLevelOutsideTheLevelsIsClamped) {
    for (int stored : {99, 0}) {
        inGame([&] { EXPECT_EQ(Tunnex::maxOpenLevel, stored == 0 ? 1 : 72); },
               [&] { GameMenu::saveOption(DStringPtr(u"tunnexopenlevel"), stored); });
    }
}

TEST_F(Flow, TheStartItemGoesThroughTheLevelSelectOnceLevelsAreOpen) {
    inGame([] {
        frames(10);
        key(keySelect);
        EXPECT_EQ(Tunnex::state, Tunnex::levelIntro);
        EXPECT_EQ(Tunnex::level, 1);
    });
    inGame(
        [] {
            frames(10);
            key(keySelect);
            ASSERT_EQ(Tunnex::state, Tunnex::levelSelect);
            const DStringPtr label = StringManager::getProperty(u"level");
            ASSERT_EQ(Tunnex::menu->items->length, 4);
            EXPECT_EQ(narrow(Tunnex::menu->items[0]), narrow(label + u" 3"));
            EXPECT_EQ(narrow(Tunnex::menu->items[2]), narrow(label + u" 1"));
            EXPECT_EQ(narrow(Tunnex::menu->items[3]), narrow(StringManager::getProperty(u"exit")));
            key(keyDown);
            key(keySelect);
            EXPECT_EQ(Tunnex::state, Tunnex::levelIntro);
            EXPECT_EQ(Tunnex::level, 2);
        },
        [] { GameMenu::saveOption(DStringPtr(u"tunnexopenlevel"), 3); });
}

TEST_F(Flow, TheSoundItemCyclesAndIsStored) {
    inGame([] {
        frames(10);
        key(keyDown);
        key(keyDown);
        key(keyDown);
        ASSERT_EQ(Tunnex::menu->selected, Tunnex::soundItem);
        for (int expected : {3, 0, 1, 2}) {
            key(keySelect);
            EXPECT_EQ(Sound::getSoundLevel(), expected);
            EXPECT_EQ(GameMenu::loadOption(DStringPtr(u"tunnexsfx_level"), -1), expected);
            EXPECT_EQ(narrow(Tunnex::menu->items[Tunnex::soundItem]), narrow(GameMenu::soundOptionLabel(expected)));
        }
    });
}

// Leaving a paused game by "main menu" forgets it: the score table leads back to the main
// menu, and a new game is not a paused one.
TEST_F(Flow, PauseContinueAndLeave) {
    inGame([] {
        startPlay();
        frames(3);
        key(keySoftLeft);
        ASSERT_EQ(Tunnex::state, Tunnex::pauseMenu);
        EXPECT_TRUE(Tunnex::paused);
        EXPECT_EQ(narrow(Tunnex::menu->items[0]), narrow(StringManager::getProperty(u"continue")));
        key(keySelect);
        EXPECT_EQ(Tunnex::state, Tunnex::play);
        EXPECT_FALSE(Tunnex::paused);

        key(keySoftLeft);
        ASSERT_EQ(Tunnex::state, Tunnex::pauseMenu);
        key(keyUp);
        key(keySelect);
        EXPECT_EQ(Tunnex::state, Tunnex::mainMenu);
        EXPECT_FALSE(Tunnex::paused);
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::highScores);
        key(keySelect);
        EXPECT_EQ(Tunnex::state, Tunnex::mainMenu);

        // Help comes back to where it was opened; every state begins at the first item.
        EXPECT_EQ(Tunnex::menu->selected, 0);
        key(keyDown);
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::helpPage);
        key(keySoftLeft);
        EXPECT_EQ(Tunnex::state, Tunnex::mainMenu);
    });
}

// The application's pause is a press and a release of its key on two frames in a row; the game
// ticks on two frames of three and still sees it on whichever of the three it comes.
TEST_F(Flow, ThePauseOfTheApplicationIsSeenOnEveryFrame) {
    inGame([] {
        for (int counter = 0; counter < 3; ++counter) {
            startPlay();
            while (Tunnex::frameCounter != counter) frames(1);
            ASSERT_EQ(Tunnex::state, Tunnex::play);
            GameLib::gameLib->pauseApp();
            frames(3);
            EXPECT_EQ(Tunnex::state, Tunnex::pauseMenu) << counter;
            EXPECT_TRUE(Tunnex::paused) << counter;
        }
    });
}

// Only a score that beats an entry of the table asks for a name.
TEST_F(Flow, GameOverAsksForANameOnlyForAHighScore) {
    for (int score : {0, 120}) {
        inGame([&] {
            startPlay();
            Tunnex::player->score = score;
            Tunnex::player->lives = -1;
            Tunnex::player->dead = true;
            Tunnex::player->death->playing = false;
            Tunnex::setState(Tunnex::play);
            ASSERT_TRUE(runUntil(Tunnex::gameOver, 10));
            ASSERT_TRUE(runUntil(Tunnex::mainMenu, 200));
            EXPECT_EQ(Tunnex::menu->mode, score > 0 ? GameMenu::namePage : GameMenu::listPage) << score;
        });
    }
}

TEST_F(Flow, TheLastLevelDoneEndsTheGame) {
    for (int score : {0, 500}) {
        inGame([&] {
            Tunnex::level = 72;
            ASSERT_TRUE(Tunnex::openLevel());
            Tunnex::setState(Tunnex::play);
            Tunnex::player->score = score;
            Level::crystalsLeft = 0;
            Level::checkPlayer();
            EXPECT_EQ(Tunnex::state, score > 0 ? Tunnex::mainMenu : Tunnex::highScores);
            EXPECT_EQ(Tunnex::menu->mode, score > 0 ? GameMenu::namePage : GameMenu::scorePage);
            EXPECT_EQ(Tunnex::level, 72);
        });
    }
}

TEST_F(Flow, ExtraBagPlacesAndDirtyCellsStayWithinTheirArrays) {
    inGame([] {
        startPlay();
        for (int i = 0; i < 150; ++i) Level::grid[i] = '.';
        for (int column = 0; column < 15; ++column) Level::grid[3 * 15 + column] = 'B';
        Level::grid[5 * 15 + 1] = 'B';
        Level::grid[9 * 15 + 7] = 'S';
        Level::grid[0] = 'C';
        Level::buildMasks();
        Level::start(1);
        int active = 0;
        for (int i = 0; i < Tunnex::bagCount; ++i) active += Tunnex::bags[i]->active;
        EXPECT_EQ(active, 15);
        EXPECT_EQ(Level::cellAt(1, 5), 0);
        // Named once, for all the bags left out and whatever level has more again.
        Level::start(1);
        const std::string named =
            "Tunnex: level 1 has 16 bags, more than the 15 it can hold: the rest are left out, "
            "here and in any other level";
        EXPECT_NE(diagnostics().find(named), std::string::npos) << diagnostics();
        EXPECT_EQ(diagnostics().find(named), diagnostics().rfind(named)) << diagnostics();

        Tunnex::fullRepaint = false;
        for (int pass = 0; pass < 3; ++pass)
            for (int row = -1; row <= 10; ++row)
                for (int column = -1; column <= 15; ++column) Level::markDirty(column, row);
        EXPECT_EQ(Level::dirtyCount, 150);
        Level::paintDirty();
        EXPECT_EQ(Level::dirtyCount, 0);
    });
}

TEST_F(Flow, ADeathInBonusModeEndsItAtTheNextTick) {
    inGame([] {
        startPlay();
        clearField();
        Level::bonusMode = true;
        Level::bonusTimer = 150;
        Tunnex::player->die();
        EXPECT_TRUE(Tunnex::player->dead);
        EXPECT_EQ(Tunnex::player->lives, 2);
        Level::tick();
        EXPECT_FALSE(Level::bonusMode);
    });
}

}  // namespace

namespace {

class MissingPictures : public TunnexTest {};

// Without its panels and pause sign the game still plays: nothing is drawn for them, and the
// pause sign's corner takes no tap.
TEST_F(MissingPictures, PanelsAndPauseSignMayBeAbsent) {
    damageEntry("tnx/pause.png", -1);
    damageEntry("tnx/panel-top.png", -1);
    damageEntry("tnx/panel-bottom-l.png", 10);
    inGame([] {
        EXPECT_FALSE(Tunnex::pauseIcon);
        EXPECT_FALSE(Tunnex::panelTop);
        EXPECT_FALSE(Tunnex::panelBottomLeft);
        EXPECT_TRUE(Tunnex::panelBottomRight);
        EXPECT_NE(diagnostics().find("no picture /tnx/pause.png"), std::string::npos) << diagnostics();
        startPlay();
        frames(6);
        tap(2, ScreenCanvas::screenHeight - 1);
        frames(3);
        EXPECT_EQ(Tunnex::state, Tunnex::play);
    });
}

}  // namespace
