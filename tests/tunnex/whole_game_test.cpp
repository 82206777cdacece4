// A whole game as a player goes through it, by keys: from the shell into the game, a level
// cleared, every life lost to the monsters, a name entered into the high-score table, and the
// table found again when the program is started anew. Frames of the menu, the level intro and
// play are written to tunnex-frames/ in the build folder, for both screens.
#include <gtest/gtest.h>
#include <set>
#include <string>
#include "firebolt.h"
#include "game_run.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "platform.h"
#include "screencanvas.h"
#include "text.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"
#include "tunnex_fixture.h"
#include "virtualkeyboard.h"

namespace {

constexpr int shellPosition = 3;

void capture(const std::string& name) { captureScreen("tunnex-frames", name); }

// From the shell's first frame, after its intro, to the game's menu.
void enterGame() {
    openGameFromShell(shellPosition);
    ASSERT_TRUE(Tunnex::theGame);
    ASSERT_EQ(Tunnex::state, Tunnex::mainMenu);
    StartedAppTest::frames(10);
}

// Moves the keyboard's cursor to the key and types it, each key held over three frames.
void typeKey(int index) {
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    const int row = index / keyboard.columns, column = index % keyboard.columns;
    for (int moves = 0; moves < 20 && (keyboard.row != row || keyboard.column != column); ++moves) {
        if (keyboard.row != row) {
            TunnexTest::key(keyboard.row < row ? TunnexTest::keyDown : TunnexTest::keyUp);
        } else {
            TunnexTest::key(keyboard.column < column ? TunnexTest::keyRight : TunnexTest::keyLeft);
        }
    }
    TunnexTest::key(TunnexTest::keySelect);
}

// The cells a sprite at field point (x, y) covers.
void addSprite(std::set<int>& cells, int x, int y) {
    const int size = Tunnex::cellSize;
    for (int row = y / size; row <= (y + size - 1) / size; ++row)
        for (int column = x / size; column <= (x + size - 1) / size; ++column) cells.insert(row * 16 + column);
}

// After a frame without a tick, every cell no sprite stands on shows what a fresh paint of
// the whole field shows: nothing a sprite drew there before is left behind.
void expectNoSmears() {
    std::set<int> covered;
    addSprite(covered, Tunnex::player->x, Tunnex::player->y);
    for (int i = 0; i < Tunnex::monsterCount; ++i) {
        const MonsterPtr& monster = Tunnex::monsters[i];
        if (monster->active || monster->dying) addSprite(covered, monster->x, monster->y);
    }
    for (int i = 0; i < Tunnex::bagCount; ++i)
        if (Tunnex::bags[i]->active && !Tunnex::bags[i]->resting())
            addSprite(covered, Tunnex::bags[i]->x, Tunnex::bags[i]->y);
    if (Tunnex::firebolt->flying) addSprite(covered, Tunnex::firebolt->x, Tunnex::firebolt->y);
    const platform::Picture before = platform::screen();
    Level::paintAll();
    GameLib::screenCanvas->DCanvas::repaint();
    const platform::Picture& after = platform::screen();
    const int size = Tunnex::cellSize;
    int differing = 0;
    for (int row = 0; row < Tunnex::rows; ++row)
        for (int column = 0; column < Tunnex::columns; ++column) {
            if (covered.count(row * 16 + column)) continue;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const int px = column * size + x + Tunnex::fieldX, py = row * size + y + Tunnex::fieldY;
                    if (px < 0 || px >= before.width || py < 0 || py >= before.height) continue;
                    differing += before.pixels[py * before.width + px] != after.pixels[py * after.width + px];
                }
        }
    EXPECT_EQ(differing, 0) << "pixels left behind by sprites";
}

// Plays frames, checking for smears after the frames that skip the tick.
void playChecked(int count) {
    for (int i = 0; i < count && Tunnex::state == Tunnex::play; ++i) {
        StartedAppTest::frames(1);
        if (Tunnex::frameCounter == 0 && Tunnex::state == Tunnex::play && Tunnex::startDelay == 0) expectNoSmears();
    }
}

// A field where the monsters come straight down to the player's start; a crystal out of
// their way keeps the level going.
void monsterRun() {
    TunnexTest::clearField();
    Level::setCell(0, 4, Level::crystal);
    for (int column = 7; column < Tunnex::columns; ++column) Level::setCell(column, 0, Level::horizontalFull);
    Level::setCell(7, 0, Level::crossing);
    for (int row = 1; row < Tunnex::rows; ++row) Level::setCell(7, row, Level::verticalFull);
    Level::setCell(7, 9, Level::crossing);
    for (int i = 0; i < Tunnex::monsterCount; ++i) Tunnex::monsters[i]->spawnCounter = 1;
    Level::bonusTimer = 100000;
    Tunnex::fullRepaint = true;
}

class WholeGame : public TunnexTest {};

TEST_F(WholeGame, FromTheShellToTheHighScoreTableAndBackAfterARestart) {
    int finalScore = 0;
    inProgram([&] {
        enterGame();
        capture("menu-smartphone");
        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::levelIntro);
        EXPECT_EQ(Tunnex::level, 1);
        frames(2);
        capture("intro-smartphone");
        ASSERT_TRUE(runUntil(Tunnex::play, 200));
        frames(4);

        // A test field of one crystal right beside the player.
        clearField();
        Level::setCell(8, 9, Level::crystal);
        Level::crystalsLeft = 1;
        Tunnex::fullRepaint = true;
        key(keyRight);
        ASSERT_TRUE(runUntil(Tunnex::levelIntro, 50));
        EXPECT_EQ(Tunnex::level, 2);
        EXPECT_EQ(Tunnex::maxOpenLevel, 2);
        EXPECT_EQ(GameMenu::loadOption(GameTables::tunnexId + u"openlevel", 0), 2);
        ASSERT_TRUE(runUntil(Tunnex::play, 200));

        // Play level 2 a while: dig about, fire, and look for smears on the frames without a tick.
        GameLib::screenCanvas->keyPressed(keyUp);
        playChecked(60);
        GameLib::screenCanvas->keyReleased(keyUp);
        key(keySelect);
        GameLib::screenCanvas->keyPressed(keyLeft);
        playChecked(40);
        GameLib::screenCanvas->keyReleased(keyLeft);
        playChecked(60);
        capture("play-smartphone");
        ASSERT_EQ(Tunnex::state, Tunnex::play);

        // Every life lost to the monsters.
        monsterRun();
        for (int i = 0; i < 8000 && Tunnex::menu->mode != GameMenu::namePage; ++i) {
            frames(1);
            if (Tunnex::state == Tunnex::play && Tunnex::player->lives == 1 && Tunnex::frameCounter == 0)
                capture("caught-smartphone");
        }
        ASSERT_EQ(Tunnex::menu->mode, GameMenu::namePage);
        EXPECT_EQ(Tunnex::level, 2);
        EXPECT_EQ(Tunnex::player->lives, -1);
        finalScore = Tunnex::player->score;
        EXPECT_GT(finalScore, 0);
        capture("name-smartphone");
        typeKey(19);  // t
        typeKey(13);  // n
        typeKey(28);  // ok
        ASSERT_EQ(Tunnex::state, Tunnex::highScores);
        EXPECT_EQ(narrow(Tunnex::menu->items[0]), "tn");
        EXPECT_EQ(Tunnex::menu->values[0], finalScore);
        frames(2);
        capture("scores-smartphone");

        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::mainMenu);
        key(keyUp);
        EXPECT_EQ(Tunnex::menu->selected, Tunnex::exitItem);
        TunnexPtr game = Tunnex::theGame;
        key(keySelect);
        EXPECT_FALSE(Tunnex::theGame) << "the game let go of its statics";
        EXPECT_FALSE(Tunnex::player);
        EXPECT_FALSE(Tunnex::monsters);
        EXPECT_FALSE(Level::cells);
        EXPECT_NE(GameLib::currentMode.get(), game.get());
    });

    inProgram([&] {
        enterGame();
        key(keyDown);
        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::highScores);
        EXPECT_EQ(narrow(Tunnex::menu->items[0]), "tn");
        EXPECT_EQ(Tunnex::menu->values[0], finalScore);
        // Level 2 is open now: the start item offers the level select.
        key(keySelect);
        key(keySelect);
        EXPECT_EQ(Tunnex::state, Tunnex::levelSelect);
    });
}

class WholeGamePocketPc : public PocketPcTunnexTest {};

TEST_F(WholeGamePocketPc, MenuIntroAndPlayOnTheLargeScreen) {
    inProgram([] {
        enterGame();
        EXPECT_EQ(Tunnex::cellSize, 20);
        EXPECT_EQ(Tunnex::homeY, 60);
        capture("menu-pocketpc");
        key(keySelect);
        ASSERT_EQ(Tunnex::state, Tunnex::levelIntro);
        frames(2);
        capture("intro-pocketpc");
        ASSERT_TRUE(runUntil(Tunnex::play, 200));
        GameLib::screenCanvas->keyPressed(keyUp);
        playChecked(70);
        GameLib::screenCanvas->keyReleased(keyUp);
        GameLib::screenCanvas->keyPressed(keyRight);
        playChecked(60);
        GameLib::screenCanvas->keyReleased(keyRight);
        key(keySelect);
        playChecked(30);
        capture("play-pocketpc");
        EXPECT_EQ(Tunnex::state, Tunnex::play);
        // The stylus on the pause sign pauses.
        const int y = ScreenCanvas::screenHeight - Tunnex::panelBottomLeft->getHeight() / 2;
        GameLib::screenCanvas->pointerPressed(8, y);
        frames(3);
        GameLib::screenCanvas->pointerReleased(8, y);
        EXPECT_EQ(Tunnex::state, Tunnex::pauseMenu);
        frames(2);
        capture("pause-pocketpc");
    });
}

}  // namespace
