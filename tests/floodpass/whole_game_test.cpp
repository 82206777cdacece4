// A whole game as a player goes through it, by keys from the shell: level 1 flown, steered,
// fired and sped up to its end, every plane crashed into a bank, a name entered into the
// high-score table, and the table and the open level found again when the program is started
// anew. Frames of each screen are written to floodpass-frames/ in the build folder, for both
// screens.
#include <gtest/gtest.h>
#include <algorithm>
#include <vector>
#include "entityarray.h"
#include "game_fixture.h"
#include "game_run.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "keystate.h"
#include "screencanvas.h"
#include "screens.h"
#include "shellmenu.h"
#include "text.h"

namespace {

const char* const folder = "floodpass-frames";

bool onShell() { return dynamic_cast<ShellMenu*>(GameLib::currentMode.get()) != nullptr; }

bool largeScreen() { return ScreenCanvas::screenHeight >= ShellMenu::largeScreenHeight; }

std::string profile() { return largeScreen() ? "pocketpc" : "smartphone"; }

void capture(const std::string& name) { captureScreen(folder, name + "-" + profile()); }

void openFloodpass() {
    openGameFromShell(7);
    ASSERT_TRUE(Floodpass::menu) << "the shell opened another game";
    StartedAppTest::frames(10);
}

// A balloon put in the plane's way a little above it, among the level's craft in their order.
EntityPtr balloonAhead() {
    std::vector<EntityPtr> list;
    for (int i = 0; i < Floodpass::entities->length; ++i) list.push_back(Floodpass::entities[i]);
    EntityPtr balloon = new Entity(5, Floodpass::planeX + 2, Floodpass::planeY + 60, 0);
    balloon->speed = 0;
    list.push_back(balloon);
    std::stable_sort(list.begin(), list.end(), [](const EntityPtr& a, const EntityPtr& b) { return a->y < b->y; });
    Floodpass::entities = new EntityArray(int(list.size()));
    for (size_t i = 0; i < list.size(); ++i) Floodpass::entities[int(i)] = list[i];
    Floodpass::firstEntity = 0;
    return balloon;
}

// The river is busy: the plane, still invulnerable, may ram other craft on the way too.
void shootBalloon() {
    const int before = Floodpass::score;
    const EntityPtr balloon = balloonAhead();
    holdKey(keys::fire, 30);
    EXPECT_NE(balloon->state, Entity::active) << "the shot brought down the balloon";
    EXPECT_GE(Floodpass::score, before + 300);
}

// Plays on with the plane held against the left bank until the name entry opens.
void crashEveryPlane() {
    GameLib::screenCanvas->keyPressed(keys::left);
    for (int frame = 0; frame < 3000 && Floodpass::menu->mode != GameMenu::namePage; ++frame) {
        StartedAppTest::frames(1);
        if (Floodpass::state == Floodpass::overState && frame % 20 == 0) capture("gameover");
    }
    GameLib::screenCanvas->keyReleased(keys::left);
    StartedAppTest::frames(2);
}

class WholeGame : public FloodpassTest {};

TEST_F(WholeGame, FromTheShellThroughALevelToTheHighScoreTableAndBackAfterARestart) {
    inProgram([] {
        openFloodpass();
        capture("menu");
        menuKey(keys::down);
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::helpPage);
        capture("help");
        press(keys::softLeft);
        frames(8);
        ASSERT_EQ(Floodpass::page, Floodpass::mainPage);
        EXPECT_EQ(Floodpass::menu->selected, Floodpass::startItem);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::state, Floodpass::levelStartState) << "with level 1 open, start flies it at once";
        EXPECT_EQ(Floodpass::levelIndex, 0);
        capture("levelstart");
        ASSERT_TRUE(runUntil(Floodpass::playState, 100));

        // Steer, fire and change speed.
        const int x = Floodpass::planeX;
        holdKey(keys::left, 6);
        EXPECT_LT(Floodpass::planeX, x);
        capture("banking");
        holdKey(keys::right, 6);
        EXPECT_EQ(Floodpass::planeX, x);
        press(keys::fire);
        EXPECT_EQ(Floodpass::shotState, Floodpass::shotFlying);
        press(keys::up);
        EXPECT_EQ(Floodpass::speed, Floodpass::fast);
        press(keys::down);
        press(keys::down);
        EXPECT_EQ(Floodpass::speed, Floodpass::slow);
        press(keys::up);
        shootBalloon();
        frames(60);
        capture("play");
        ASSERT_EQ(Floodpass::state, Floodpass::playState);
        EXPECT_EQ(Floodpass::planeState, Floodpass::planeFlying);

        // To the end of the level.
        Floodpass::rowCounter = Floodpass::totalRows - 3;
        ASSERT_TRUE(runUntil(Floodpass::levelStartState, 100));
        EXPECT_EQ(Floodpass::levelIndex, 1);
        EXPECT_EQ(Floodpass::openLevel, 2);
        EXPECT_EQ(GameMenu::loadOption(GameTables::floodpassId + u"openlevel", 0), 2);
        ASSERT_TRUE(runUntil(Floodpass::playState, 100));
        shootBalloon();

        press(keys::softLeft);
        ASSERT_EQ(Floodpass::page, Floodpass::pausePage);
        capture("pause");
        frames(8);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::state, Floodpass::playState);

        crashEveryPlane();
        ASSERT_EQ(Floodpass::menu->mode, GameMenu::namePage);
        const int finalScore = Floodpass::score;
        EXPECT_GE(finalScore, 600);
        EXPECT_EQ(Floodpass::lives, -1);
        capture("name");
        typeName("fp");
        ASSERT_EQ(Floodpass::page, Floodpass::scoresPage);
        EXPECT_EQ(narrow(Floodpass::menu->items[0]), "fp");
        EXPECT_EQ(Floodpass::menu->values[0], finalScore);
        capture("scores");

        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::mainPage);
        menuKey(keys::up);
        EXPECT_EQ(Floodpass::menu->selected, Floodpass::exitItem);
        menuKey(keys::fire);
        EXPECT_TRUE(onShell());
        EXPECT_FALSE(Floodpass::menu) << "the game let go of its statics";
        EXPECT_FALSE(Screens::cells);
        EXPECT_FALSE(Entity::leftAnimations);
    });

    inProgram([] {
        openFloodpass();
        menuKey(keys::down);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::scoresPage);
        EXPECT_EQ(narrow(Floodpass::menu->items[0]), "fp");
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::mainPage);
        menuKey(keys::fire);
        ASSERT_EQ(Floodpass::page, Floodpass::levelPage);
        const auto& items = Floodpass::menu->items;
        ASSERT_EQ(items->length, 3);
        EXPECT_EQ(narrow(items[0]), "Level 2");
        EXPECT_EQ(narrow(items[1]), "Level 1");
        EXPECT_EQ(narrow(items[2]), "Exit");
        capture("levels");
    });
}

class WholeGamePocketPc : public PocketPcFloodpassTest {};

// On the large screen the river keeps its width between the side panels, and the stylus
// steers, changes speed, fires and pauses.
TEST_F(WholeGamePocketPc, TheRiverBetweenThePanelsPlayedWithTheStylus) {
    inProgram([] {
        openFloodpass();
        capture("menu");
        menuKey(keys::down);
        menuKey(keys::down);
        menuKey(keys::fire);
        capture("help");
        press(keys::softLeft);
        frames(8);
        menuKey(keys::fire);
        capture("levelstart");
        ASSERT_TRUE(runUntil(Floodpass::playState, 100));
        EXPECT_EQ(Floodpass::riverX0, 32);
        EXPECT_EQ(Floodpass::visibleRows, 40);

        const int x = Floodpass::planeX, middle = Floodpass::riverX0 + x + Floodpass::planeWidth / 2;
        GameLib::screenCanvas->pointerPressed(middle + 40, 200);
        frames(5);
        GameLib::screenCanvas->pointerReleased(middle + 40, 200);
        frames(1);
        EXPECT_EQ(Floodpass::planeX, x + 10) << "the stylus right of the plane steers right";
        GameLib::screenCanvas->pointerPressed(middle + 10, 250);
        GameLib::screenCanvas->pointerDragged(middle + 10, 230);
        frames(2);
        GameLib::screenCanvas->pointerReleased(middle + 10, 230);
        frames(1);
        EXPECT_EQ(Floodpass::speed, Floodpass::fast) << "an upward drag speeds up";
        tap(middle, 250);
        frames(3);
        tap(middle, 250);
        EXPECT_EQ(Floodpass::shotState, Floodpass::shotFlying) << "a double tap fires";
        frames(80);
        capture("play");
        tap(5, 5);
        EXPECT_EQ(Floodpass::state, Floodpass::menuState);
        EXPECT_EQ(Floodpass::page, Floodpass::pausePage);
        frames(2);
        capture("pause");
    });
}

}  // namespace
