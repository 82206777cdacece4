// The game's flow through its menus: level select, pause and continue, help, the sound levels,
// the texts of a second start, the pause sign when there is none, the end after the last
// level, and animations missing from the data.
#include <gtest/gtest.h>
#include <string>
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "keystate.h"
#include "screencanvas.h"
#include "sound.h"
#include "stringmanager.h"
#include "text.h"

namespace {

constexpr int keyUp = 38, keyDown = 40, keySelect = 10002, keyLeftSoft = 10000;

void key(int code) {
    StartedAppTest::press(code);
    StartedAppTest::frames(8);
}

void choose(int item) {
    for (int i = 0; i < item; ++i) key(keyDown);
    key(keySelect);
}

}  // namespace

class Flow : public GoldriftTest {};

TEST_F(Flow, TheLevelSelectOffersTheLevelsReached) {
    inGame([&] {
            choose(Goldrift::startItem);
            ASSERT_EQ(Goldrift::menuMode, Goldrift::levelMode);
            ASSERT_EQ(Goldrift::menu->items->length, 4);
            EXPECT_EQ(narrow(Goldrift::menu->items[0]), "Level 3");
            EXPECT_EQ(narrow(Goldrift::menu->items[3]), "Exit");
            choose(3);
            EXPECT_EQ(Goldrift::menuMode, Goldrift::mainMode) << "the last item goes back";
            choose(Goldrift::startItem);
            choose(1);
            EXPECT_EQ(Goldrift::gameState, Goldrift::introState);
            EXPECT_EQ(Goldrift::level, 2);
            EXPECT_EQ(Goldrift::lives, Goldrift::startLives);
        },
        [] { GameMenu::saveOption(GameTables::goldriftId + u"openlevel", 3); });
}

TEST_F(Flow, PauseContinueAndBackToTheMainMenu) {
    inGame([&] {
        choose(Goldrift::startItem);
        ASSERT_TRUE(runUntil(Goldrift::playState));
        key(keyLeftSoft);
        ASSERT_EQ(Goldrift::gameState, Goldrift::menuState);
        ASSERT_EQ(Goldrift::menuMode, Goldrift::pauseMode);
        EXPECT_EQ(narrow(Goldrift::menu->items[0]), "Continue");
        EXPECT_EQ(narrow(Goldrift::menu->items[5]), "Main menu");
        choose(0);
        EXPECT_EQ(Goldrift::gameState, Goldrift::playState);
        key(keyLeftSoft);
        key(keyUp);
        key(keySelect);
        EXPECT_EQ(Goldrift::menuMode, Goldrift::mainMode);
        EXPECT_EQ(narrow(Goldrift::menu->items[0]), "Start");
    });
}

TEST_F(Flow, HelpAndHighScoresGoBackWhereTheyCameFrom) {
    inGame([&] {
        choose(Goldrift::helpItem);
        ASSERT_EQ(Goldrift::menuMode, Goldrift::helpMode);
        EXPECT_GT(HelpLayout::lineCount, 5);
        key(keyLeftSoft);
        EXPECT_EQ(Goldrift::menuMode, Goldrift::mainMode);
        EXPECT_FALSE(HelpLayout::lines) << "the laid-out help is let go";
        choose(Goldrift::scoresItem);
        ASSERT_EQ(Goldrift::menuMode, Goldrift::scoresMode);
        key(keySelect);
        EXPECT_EQ(Goldrift::menuMode, Goldrift::mainMode);
    });
}

TEST_F(Flow, TheSoundLevelsStepRoundAndAreStored) {
    inGame([&] {
        choose(Goldrift::soundItem);
        EXPECT_EQ(Sound::getSoundLevel(), 3);
        EXPECT_EQ(narrow(Goldrift::menu->items[Goldrift::soundItem]), "Sound: high");
        key(keySelect);
        EXPECT_EQ(Sound::getSoundLevel(), 0);
        EXPECT_EQ(GameMenu::loadOption(GameTables::goldriftId + u"sfx_level", 2), 0);
        key(keyDown);
        key(keySelect);
        EXPECT_EQ(Sound::getMusicLevel(), 3);
        EXPECT_EQ(GameMenu::loadOption(GameTables::goldriftId + u"music_level", 2), 3);
    });
}

TEST_F(Flow, ASecondStartLooksItsMenuTextsUpAgain) {
    inGame([&] {
        GameLib::returnToShell();
        GoldriftPtr again = new Goldrift();
        GameLib::currentMode = again;
        again->start();
        EXPECT_EQ(narrow(Goldrift::menu->items[Goldrift::soundItem]), "Sound: normal");
        EXPECT_EQ(narrow(Goldrift::menu->items[Goldrift::musicItem]), "Music: normal");
        EXPECT_EQ(narrow(GameTables::goldriftMenuItems[Goldrift::soundItem]), "sound level") << "the keys stay";
    });
}

TEST_F(Flow, WithoutAPauseSignTheCornerIsPlayfield) {
    inGame([&] {
        choose(Goldrift::startItem);
        ASSERT_TRUE(runUntil(Goldrift::playState));
        GameMenu::pauseImage = nullptr;
        GameLib::screenCanvas->pointerPressed(0, ScreenCanvas::screenHeight - 1);
        frames(4);
        GameLib::screenCanvas->pointerReleased(0, ScreenCanvas::screenHeight - 1);
        frames(1);
        EXPECT_EQ(Goldrift::gameState, Goldrift::playState);
    });
}

TEST_F(Flow, TheLastLevelEndsTheGameWithTheHighScoreCheck) {
    inGame([&] {
        loadLevel(80, {"P E         ", "############"});
        Goldrift::level = Goldrift::lastLevel;
        Goldrift::score = 500;
        place(Goldrift::hero, 2, 0, Runner::walking);
        Goldrift::setCell(2, u'E');
        Goldrift::enterCell(Goldrift::hero);
        EXPECT_EQ(Goldrift::gameState, Goldrift::menuState);
        EXPECT_EQ(Goldrift::menu->mode, GameMenu::namePage);
    });
}

TEST_F(Flow, AMissingOrEmptyAnimationIsNone) {
    inGame([&] {
        EXPECT_FALSE(Goldrift::poseAnimation(u"anim_nobody"));
        using dfc::lang::DStringPtr;
        StringManager::properties->put(DStringPtr(u"anim_empty"), DStringPtr(u""));
        EXPECT_FALSE(Goldrift::poseAnimation(u"anim_empty"));
        EXPECT_NE(diagnostics().find("lacks 1 of the 1 pictures of a list, the first \"\""), std::string::npos)
            << diagnostics();
    });
}

namespace {

// The animation text served in place of the game's.
std::string animationText;

dfc::io::DInputStreamPtr withAnimationText(const dfc::lang::DStringPtr& name) {
    if (!name->equals(dfc::lang::DStringPtr(u"/gdr/anim.txt"))) return GameLib::openResource(name);
    return new dfc::io::DByteArrayInputStream(bytesOf(animationText));
}

}  // namespace

// A damaged animation text is named once; the poses its damage lost are not named again one by
// one, while a whole line whose pictures are missing still names the atlas that lacks them.
TEST_F(Flow, ThePosesADamagedAnimationTextLostAreNotNamedOneByOne) {
    const std::string cut = "anim_hero_go_r=nosuch.png\r\nanim_hero_go_l=hero_go1.png;hero_go2.pn";
    struct Case {
        const char* what;
        std::string text;
        std::string printed;
    } const cases[] = {
        {"empty", "", "StringManager: gdr/anim.txt is empty: every text it holds is missing\r\n"},
        {"cut short", cut,
         "StringManager: gdr/anim.txt is cut short: its last line, \"anim_hero_go_l=hero_go1.png;hero_go2.pn\", lacks "
         "its line end; what followed is missing\r\nAnimation: the image atlas gdr/all.txt lacks 1 of the 1 pictures "
         "of a list, the first \"nosuch.png\"; the others it lacks go unnamed\r\n"},
    };
    for (const Case& c : cases) {
        animationText = c.text;
        inGame([&] { EXPECT_EQ(diagnostics(), c.printed) << c.what; },
               [] { StringManager::openResource = withAnimationText; });
        StringManager::openResource = GameLib::openResource;
    }
}

class Stylus : public PocketPcGoldriftTest {};

TEST_F(Stylus, AHeldStylusWalksTheHeroAndADoubleTapDigs) {
    inGame([&] {
        loadLevel(80, {std::string(13, ' '), "      P      ", std::string(13, '#')});
        RunnerPtr hero = Goldrift::hero;
        hero->dirX = 1;
        const int x = hero->col * Goldrift::tileWidth - Goldrift::cameraX;
        const int y = hero->row * Goldrift::tileHeight - Goldrift::cameraY + 4;
        GameLib::screenCanvas->pointerPressed(x + 60, y);
        frames(6);
        EXPECT_EQ(hero->offsetX, 0) << "a hold counts only after 200 ms";
        frames(10);
        EXPECT_GT(hero->col * Goldrift::tileWidth + hero->offsetX, 6 * Goldrift::tileWidth) << "walks toward it";
        GameLib::screenCanvas->pointerReleased(x + 60, y);
        frames(4);

        const int col = hero->col;
        const int left = hero->col * Goldrift::tileWidth - Goldrift::cameraX - 20;
        tap(left, y);
        frames(1);
        tap(left, y);
        frames(3);
        EXPECT_EQ(hero->dirX, -1) << "a tap left of him turns him left";
        EXPECT_EQ(cellAt(col - 1, 2), 'D') << "and the double tap digs there";
    });
}
