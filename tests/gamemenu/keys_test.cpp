// The game menu's keys and stylus on its list, score and help pages, and the pause between
// two accepted keys.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "ce_system.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "helplayout.h"
#include "keystate.h"
#include "menu_input.h"
#include "screencanvas.h"
#include "started_app.h"

using dfc::lang::DintArray;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;

namespace {

enum Key { none, up, down, fire, leftSoft, rightSoft, minusOne, minusTwo };

void hold(Key key) {
    KeyState::up = key == up;
    KeyState::down = key == down;
    KeyState::fire = key == fire;
    KeyState::leftSoft = key == leftSoft;
    KeyState::rightSoft = key == rightSoft;
    KeyState::minusOneKey = key == minusOne;
    KeyState::minusTwoKey = key == minusTwo;
}

DStringArrayPtr numberedItems(int count) {
    DStringArrayPtr items = new DStringArray(count);
    for (int i = 0; i < count; ++i) items[i] = u"item" + DString::valueOf(i);
    return items;
}

// A menu of ten items of which five fit.
GameMenuPtr tenItems(int mode) {
    GameMenuPtr menu = new GameMenu();
    menu->setContent(numberedItems(10), new DintArray(10));
    menu->boxHeight = 5 * menu->lineHeight + 2 * menu->boxBorder;
    menu->mode = mode;
    return menu;
}

// One press, long after the last accepted one.
void act(const GameMenuPtr& menu, Key key) {
    hold(key);
    handleAfterPause(menu);
    hold(none);
}

struct Step {
    int selected, firstVisible;
    Key key;
    int selectedAfter, firstVisibleAfter;
    bool chosen, closed;
};

using MenuKeys = HeadlessTest;

}  // namespace

TEST_F(MenuKeys, TheListMovesWrapsAndScrolls) {
    const Step steps[] = {
        {0, 0, up, 9, 5, false, false},       {9, 5, down, 0, 0, false, false},
        {4, 0, down, 5, 1, false, false},     {2, 0, down, 3, 0, false, false},
        {5, 5, up, 4, 4, false, false},       {6, 5, up, 5, 5, false, false},
        {3, 0, minusOne, 2, 0, false, false}, {3, 0, minusTwo, 4, 0, false, false},
        {3, 0, fire, 3, 0, true, false},      {9, 5, fire, 9, 5, true, true},
        {3, 0, leftSoft, 3, 0, false, false}, {3, 0, rightSoft, 3, 0, false, false},
    };
    for (const Step& s : steps) {
        GameMenuPtr menu = tenItems(GameMenu::listPage);
        menu->selected = s.selected;
        menu->firstVisible = s.firstVisible;
        act(menu, s.key);
        EXPECT_EQ(menu->visibleCount, 5);
        EXPECT_EQ(menu->selected, s.selectedAfter) << "from " << s.selected << " key " << s.key;
        EXPECT_EQ(menu->firstVisible, s.firstVisibleAfter) << "from " << s.selected << " key " << s.key;
        EXPECT_EQ(menu->selectionMade, s.chosen) << "from " << s.selected << " key " << s.key;
        EXPECT_EQ(menu->closeRequested, s.closed) << "from " << s.selected << " key " << s.key;
    }
}

TEST_F(MenuKeys, TheScoreTableScrollsWithinItsEntriesAndAnyChoiceClosesIt) {
    const Step steps[] = {
        {0, 0, up, 0, 0, false, false},       {0, 0, down, 0, 1, false, false}, {0, 5, down, 0, 5, false, false},
        {0, 3, up, 0, 2, false, false},       {0, 2, fire, 0, 2, false, true},  {0, 2, leftSoft, 0, 2, false, true},
        {0, 2, rightSoft, 0, 2, false, true},
    };
    for (const Step& s : steps) {
        GameMenuPtr menu = tenItems(GameMenu::scorePage);
        menu->firstVisible = s.firstVisible;
        act(menu, s.key);
        EXPECT_EQ(menu->firstVisible, s.firstVisibleAfter) << "at " << s.firstVisible << " key " << s.key;
        EXPECT_EQ(menu->closeRequested, s.closed) << "at " << s.firstVisible << " key " << s.key;
        EXPECT_FALSE(menu->selectionMade);
    }
}

TEST_F(MenuKeys, KeysActOnlyWhenTwoHundredAndOneMillisecondsHavePassed) {
    struct Case {
        DWORD apart;
        int selected;
    } cases[] = {{150, 1}, {200, 1}, {201, 2}};
    for (const Case& c : cases) {
        GameMenuPtr menu = tenItems(GameMenu::listPage);
        act(menu, down);
        device->advance(c.apart);
        hold(down);
        menu->handleKeys();
        EXPECT_EQ(menu->selected, c.selected) << c.apart << " ms apart";
    }
}

TEST_F(MenuKeys, AClockBehindTheLastKeyWaits) {
    GameMenuPtr menu = tenItems(GameMenu::listPage);
    GameMenu::lastKeyTime = GetTickCount() + 500;
    hold(down);
    menu->handleKeys();
    EXPECT_EQ(menu->selected, 0);
}

TEST_F(MenuKeys, ANewMenuCountsItsRowsBeforeItsFirstKey) {
    GameMenuPtr menu = new GameMenu();
    EXPECT_EQ(menu->visibleCount, (menu->boxHeight - 2 * menu->boxBorder) / menu->lineHeight);
    EXPECT_EQ(menu->lastDrawnLine, 0);
    EXPECT_EQ(menu->mode, GameMenu::listPage);
}
