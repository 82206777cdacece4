// A level built from its screens: the map's rows bottom up with the columns as drawn, the
// craft in order up the river, their presence drawn from the shared generator, and the ring
// picture the river scrolls through showing every map row where it belongs.
#include <gtest/gtest.h>
#include <vector>
#include "dgraphics.h"
#include "dimage.h"
#include "drandom.h"
#include "entityarray.h"
#include "game_fixture.h"
#include "gamelib.h"
#include "imageatlas.h"
#include "screencanvas.h"
#include "screens.h"

using dfc::lang::DbyteArray;
using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DintArrayPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;
using dfc::util::DRandom;
using dfc::util::DRandomPtr;

namespace {

// `count` screens whose cells hold the word tile(screen, cell); one level of the given screens.
void screensOf(int count, int (*tile)(int screen, int cell), const std::vector<int>& level) {
    Screens::cells = new DintArray(count * Screens::cellsPerScreen);
    for (int s = 0; s < count; ++s)
        for (int i = 0; i < Screens::cellsPerScreen; ++i) Screens::cells[s * Screens::cellsPerScreen + i] = tile(s, i);
    Screens::templates = new EntityArray(count * Screens::maxObjects);
    Screens::templateCounts = new DbyteArray(count);
    DintArrayPtr screens = new DintArray(int(level.size()));
    for (size_t i = 0; i < level.size(); ++i) screens[int(i)] = level[i];
    Screens::levels = new DintArray2d(1);
    Screens::levels[0] = screens;
    Floodpass::levelIndex = 0;
}

void addTemplate(int screen, int kind, int x, int y) {
    const int n = Screens::templateCounts[screen];
    Screens::templates[screen * Screens::maxObjects + n] = new Entity(kind, x, y, screen);
    Screens::templateCounts[screen] = int8_t(n + 1);
}

TEST_F(FloodpassTest, TheMapStacksScreensBottomUpAndKeepsEachRowsColumns) {
    inGame([] {
        screensOf(2, [](int s, int i) { return s * 1000 + i; }, {1, 0});
        ASSERT_TRUE(Floodpass::buildLevel());
        ASSERT_EQ(Floodpass::totalRows, 52);
        for (int row : {0, 1, 25, 26, 40, 51})
            for (int column : {0, 1, 20, 21}) {
                const int screen = row < 26 ? 1 : 0, fileRow = 25 - row % 26;
                EXPECT_EQ(Floodpass::levelMap[row * 22 + column], screen * 1000 + fileRow * 22 + column)
                    << "row " << row << ", column " << column;
            }
    });
}

TEST_F(FloodpassTest, CraftAreListedUpTheRiverAndPresentByTheDraw) {
    inGame([] {
        screensOf(2, [](int, int) { return 58; }, {1, 0});
        // In reading order, as the file gives them.
        addTemplate(1, 12, 8, 0);
        addTemplate(1, 0, 56, 96);
        addTemplate(1, 5, 16, 200);
        addTemplate(0, 9, 40, 50);
        addTemplate(0, 24, 0, 100);
        Floodpass::presencePercent = 50;
        GameLib::sharedRandom->setSeed(77);
        DRandomPtr replay = new DRandom();
        replay->setSeed(77);
        ASSERT_TRUE(Floodpass::buildLevel());
        const EntityArrayPtr& list = Floodpass::entities;
        ASSERT_EQ(list->length, 5);
        const int kinds[] = {5, 0, 12, 24, 9}, expectedYs[] = {8, 112, 208, 316, 366};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(list[i]->kind, kinds[i]) << i;
            EXPECT_EQ(list[i]->y, expectedYs[i]) << i;
            if (i > 0) {
                EXPECT_LE(list[i - 1]->y, list[i]->y);
            }
        }
        // One draw per craft that may be absent, in list order; bridges and depots always stay.
        for (int i : {0, 2, 4}) {
            const bool present = replay->nextAbsMod(100) < 50;
            EXPECT_EQ(list[i]->state, present ? Entity::active : Entity::gone) << i;
        }
        EXPECT_EQ(list[1]->state, Entity::active);
        EXPECT_EQ(list[3]->state, Entity::active);
        EXPECT_EQ(Floodpass::restartRow, Floodpass::visibleRows + 1);
        EXPECT_EQ(Floodpass::bridgesPassed, 0);
        EXPECT_EQ(Floodpass::top, 8 * Floodpass::visibleRows);
        EXPECT_EQ(Floodpass::planeY, 2 * Floodpass::planeHeight);
    });
}

TEST_F(FloodpassTest, PresenceRisesWithTheLevel) {
    inGame([] {
        const int count = Screens::levelCount();
        ASSERT_GE(count, 2);
        for (int level : {0, 1, count - 1}) {
            Floodpass::levelIndex = level;
            Floodpass::setState(Floodpass::levelStartState);
            EXPECT_EQ(Floodpass::presencePercent, 10 + 60 * level / count) << level;
        }
        Floodpass::state = Floodpass::menuState;
    });
}

// Tiles that differ from row to row and column to column, roads among them.
int patterned(int screen, int cell) {
    const int row = cell / 22, column = cell % 22, mix = (screen * 31 + row * 7 + column * 3) % 23;
    const int first = mix < 18 ? mix : 58 + mix % 2;
    return first + 256 * (mix == 5 ? 109 : 255);
}

// Whether the river on screen shows map row (T - y) / 8 at every screen row y.
bool ringMatches(const DImagePtr& whole, const DImagePtr& shown, int& badRow) {
    const int height = Floodpass::visibleHeight;
    shown->getGraphics()->drawImage(Floodpass::ring, 0, Floodpass::ringOffset, DGraphics::LEFT | DGraphics::TOP);
    if (Floodpass::ringOffset > 0)
        shown->getGraphics()->drawImage(Floodpass::ring, 0, Floodpass::ringOffset - 8 - height,
                                        DGraphics::LEFT | DGraphics::TOP);
    dfc::lang::DintArrayPtr expected = new DintArray(176), actual = new DintArray(176);
    for (int y = 0; y < height; ++y) {
        whole->getRGB(expected, 0, 176, 0, 8 * Floodpass::totalRows - Floodpass::top + y, 176, 1);
        shown->getRGB(actual, 0, 176, 0, y, 176, 1);
        for (int x = 0; x < 176; ++x)
            if (expected[x] != actual[x]) {
                badRow = y;
                return false;
            }
    }
    return true;
}

TEST_F(FloodpassTest, TheRingShowsEveryMapRowWhereItBelongsAtAnySpeed) {
    inGame([] {
        screensOf(3, patterned, {0, 1, 2, 1, 0, 2, 2, 1, 0, 1, 2, 0, 1, 0, 2, 1, 2, 0, 0, 1,
                                 2, 2, 1, 0, 1, 2, 0, 1, 0, 2, 1, 2, 0, 0, 1, 2, 2, 1, 0, 1});
        ASSERT_TRUE(Floodpass::buildLevel());
        DImagePtr whole = DImage::createImage(176, 8 * Floodpass::totalRows);
        ImageAtlas::currentGraphics = whole->getGraphics();
        Floodpass::drawRows(0, 0, Floodpass::totalRows, Floodpass::totalRows);
        ImageAtlas::currentGraphics = ScreenCanvas::screenGraphics;
        DImagePtr shown = DImage::createImage(176, Floodpass::visibleHeight);
        DRandomPtr speeds = new DRandom();
        speeds->setSeed(5);
        int badRow = -1;
        ASSERT_TRUE(ringMatches(whole, shown, badRow)) << "at the start, screen row " << badRow;
        for (int frame = 1; frame <= 3000 && Floodpass::rowCounter < Floodpass::totalRows - 4; ++frame) {
            Floodpass::speed = 1 + speeds->nextAbsMod(3);
            ASSERT_TRUE(Floodpass::scroll());
            if (frame % 5 == 0 || Floodpass::ringOffset < 3) {
                ASSERT_TRUE(ringMatches(whole, shown, badRow)) << "frame " << frame << ", screen row " << badRow;
            }
        }
        EXPECT_GT(Floodpass::rowCounter, 600);
    });
}

}  // namespace
