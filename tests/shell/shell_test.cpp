// The shell menu in both layouts: moving, choosing, the icons' springs, the caption, the
// launch delay, starting a game and leaving through exit.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "dbytearrayoutputstream.h"
#include "dcanvas.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gamelib.h"
#include "gameregistry.h"
#include "keystate.h"
#include "screencanvas.h"
#include "shellmenu.h"
#include "started_app.h"
#include "test_game.h"

using dfc::io::DByteArrayOutputStream;
using dfc::io::DByteArrayOutputStreamPtr;
using dfc::io::DPrintStream;
using dfc::lang::DSystem;
using dfc::microedition::lcdui::DCanvas;

namespace {

constexpr int keyUp = 38, keyDown = 40, keyLeft = 37, keyRight = 39;

ShellMenuPtr shell() { return ShellMenuPtr::from(GameLib::currentMode); }

// The shell past its intro, taking input.
ShellMenuPtr idleShell() {
    ShellMenuPtr menu = shell();
    while (menu->state == ShellMenu::introState) StartedAppTest::frames(1);
    return menu;
}

enum Input { up, down, left, right, minusOne, minusTwo };

void give(Input input) {
    switch (input) {
        case up: KeyState::up = true; break;
        case down: KeyState::down = true; break;
        case left: KeyState::left = true; break;
        case right: KeyState::right = true; break;
        case minusOne: KeyState::minusOneKey = true; break;
        case minusTwo: KeyState::minusTwoKey = true; break;
    }
}

struct Move {
    int from;
    Input input;
    int to;
};

// Each move from an idle shell, one frame each.
void expectMoves(const std::vector<Move>& moves) {
    ShellMenuPtr menu = idleShell();
    for (const Move& move : moves) {
        menu->selection = move.from;
        menu->state = ShellMenu::idleState;
        give(move.input);
        menu->update();
        KeyState::minusOneKey = KeyState::minusTwoKey = false;
        EXPECT_EQ(menu->selection, move.to) << "from " << move.from << ", input " << move.input;
    }
}

// Frames until the program is told to end; gives up after a limit.
int framesUntilExit() {
    int count = 0;
    while (GameLib::gameLib->isAlive() && count < 200) {
        StartedAppTest::frames(1);
        ++count;
    }
    return count;
}

// A point inside a row of the large layout's panel.
int panelRowX(const ShellMenuPtr& menu) {
    return ScreenCanvas::screenWidth - menu->panel->getWidth() + menu->rowsLeft + 20;
}
int panelRowY(const ShellMenuPtr& menu, int row) {
    const int rowsTop = (ScreenCanvas::screenHeight - menu->panel->getHeight()) / 2 + menu->rowsTop;
    const int rowStep = menu->titleImages[0]->height + menu->rowGap;
    return rowsTop + row * rowStep + rowStep / 2;
}

DByteArrayOutputStreamPtr captureErrors() {
    DByteArrayOutputStreamPtr printed = new DByteArrayOutputStream();
    DSystem::err = new DPrintStream(printed);
    return printed;
}

std::string textOf(const DByteArrayOutputStreamPtr& bytes) {
    return std::string(reinterpret_cast<const char*>(bytes->toByteArray()->data), size_t(bytes->size()));
}

using SmallShell = StartedAppTest;
using LargeShell = PocketPcAppTest;

}  // namespace

TEST_F(SmallShell, DownFromNothingGoesTwoFiveEightThenTwo) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        EXPECT_FALSE(menu->largeLayout);
        std::vector<int> seen;
        for (int i = 0; i < 4; ++i) {
            press(keyDown);
            seen.push_back(menu->selection);
        }
        EXPECT_EQ(seen, (std::vector<int>{2, 5, 8, 2}));
    });
}

TEST_F(SmallShell, MovesWrapRoundTheGrid) {
    inProgram([] {
        expectMoves({{-1, up, 5},       {0, up, 6},        {8, down, 2},       {-1, left, 7},     {0, left, 8},
                     {-1, right, 0},    {8, right, 0},     {4, left, 3},       {-1, minusOne, 8}, {0, minusOne, 8},
                     {-1, minusTwo, 0}, {8, minusTwo, 0},  {5, minusTwo, 6}});
    });
}

TEST_F(LargeShell, MovesRunDownTheListAndLeftRightDoNothing) {
    inProgram([] {
        EXPECT_TRUE(shell()->largeLayout);
        expectMoves({{-1, down, 0}, {-1, up, 8}, {0, up, 8}, {8, down, 0}, {3, down, 4}, {3, up, 2},
                     {3, left, 3},  {3, right, 3}, {-1, left, -1}, {-1, minusOne, 8}, {8, minusTwo, 0}});
    });
}

TEST_F(SmallShell, AMoveKicksTheNewIconAndTheIconsComeToRest) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        const IconSprings& icons = menu->icons;
        auto atRest = [&] {
            for (int i = 0; i < IconSprings::iconCount; ++i)
                for (int axis = 0; axis < 2; ++axis)
                    if (icons.position[i][axis] != icons.target[i][axis] || icons.velocity[i][axis] != 0) return false;
            return true;
        };
        int settle = 0;
        while (!atRest() && settle < 400) {
            frames(1);
            ++settle;
        }
        ASSERT_TRUE(atRest()) << "the icons fly in and stop on their places";
        frames(10);
        EXPECT_TRUE(atRest()) << "and stay there";

        press(keyRight);
        EXPECT_EQ(menu->selection, 0);
        EXPECT_NE(icons.position[0][IconSprings::x], icons.target[0][IconSprings::x]) << "the kick moves icon 0";
        EXPECT_EQ(icons.position[1][IconSprings::x], icons.target[1][IconSprings::x]) << "and no other";
        settle = 0;
        while (!atRest() && settle < 400) {
            frames(1);
            ++settle;
        }
        EXPECT_TRUE(atRest());
    });
}

TEST_F(SmallShell, IconsRestOnTheThreeByThreeGrid) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        const int cell = menu->cellWidth;
        const IconSprings& icons = menu->icons;
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(icons.target[i][IconSprings::x] >> 16,
                      (ScreenCanvas::screenWidth - 3 * cell) / 2 + cell / 2 + (i % 3) * cell);
            EXPECT_EQ(icons.target[i][IconSprings::y] - icons.target[i % 3][IconSprings::y],
                      (i / 3) * menu->cellHeight << 16);
        }
    });
}

TEST_F(SmallShell, ExitEndsTheProgramOnlyAfterTheCaptionAndTheLaunchDelay) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        for (int i = 0; i < 3; ++i) press(keyUp);
        ASSERT_EQ(menu->selection, 8);
        while (menu->state != ShellMenu::idleState) frames(1);
        ASSERT_TRUE(menu->captionShown);
        KeyState::fire = true;
        // Caption out (200 ms), then the launch delay (500 ms), 25 ms a frame.
        EXPECT_EQ(framesUntilExit(), 200 / 25 + 500 / 25);
    });
}

TEST_F(LargeShell, ExitEndsTheProgramAfterTheLargeLaunchDelay) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        press(keyUp);
        ASSERT_EQ(menu->selection, 8);
        while (menu->state != ShellMenu::idleState) frames(1);
        EXPECT_FALSE(menu->captionShown) << "the large layout shows no caption for exit";
        KeyState::fire = true;
        // The caption-out state ends in its first frame, then 1700 ms.
        EXPECT_EQ(framesUntilExit(), 1 + 1700 / 25);
    });
}

TEST_F(SmallShell, ChoosingAGameBuildsItAndStartsItOnce) {
    TestGame::reset();
    GameRegistry::entries[GameRegistry::tunnex] = {GameRegistry::make<TestGame>, nullptr};
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        press(keyUp);
        press(keyUp);
        press(keyRight);
        ASSERT_EQ(menu->selection, 3) << "the fourth icon of the small layout is the tunnel game";
        press(keyDown);
        press(keyUp);
        KeyState::fire = true;
        frames(1);
        EXPECT_TRUE(menu->gameChosen);
        // Moves and choices after the choice change nothing.
        for (Input input : {up, down, left, right, minusOne, minusTwo}) {
            give(input);
            frames(1);
            KeyState::minusOneKey = KeyState::minusTwoKey = false;
        }
        KeyState::fire = true;
        EXPECT_EQ(menu->selection, 3);
        EXPECT_EQ(TestGame::built, 0) << "nothing is built before the launch delay";
        frames(40);
        EXPECT_EQ(TestGame::built, 1);
        EXPECT_EQ(TestGame::started, 1);
        EXPECT_TRUE(dynamic_cast<TestGame*>(GameLib::currentMode.get()));
        frames(5);
        EXPECT_EQ(TestGame::started, 1);
    });
}

TEST_F(LargeShell, ChoosingAGameBuildsThatGame) {
    TestGame::reset();
    GameRegistry::entries[GameRegistry::rockvale] = {GameRegistry::make<TestGame>, nullptr};
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        press(keyDown);
        press(keyDown);
        ASSERT_EQ(menu->selection, 1);
        press(DCanvas::KEY_SELECT);
        frames(80);
        EXPECT_EQ(TestGame::built, 1);
        EXPECT_EQ(TestGame::started, 1);
        EXPECT_TRUE(dynamic_cast<TestGame*>(GameLib::currentMode.get()));
    });
}

TEST_F(SmallShell, AGameThatIsNotInstalledLeavesTheShellRunning) {
    for (GameRegistry::Entry& entry : GameRegistry::entries) entry = {nullptr, nullptr};
    inProgram([] {
        DByteArrayOutputStreamPtr printed = captureErrors();
        ShellMenuPtr menu = idleShell();
        press(keyRight);
        KeyState::leftSoft = true;
        frames(40);
        EXPECT_EQ(GameLib::currentMode.get(), menu.get());
        EXPECT_TRUE(GameLib::gameLib->isAlive());
        EXPECT_NE(textOf(printed).find("not installed: Brixmoor"), std::string::npos) << textOf(printed);
        EXPECT_FALSE(menu->gameChosen);
        press(keyDown);
        EXPECT_EQ(menu->selection, 3) << "the shell still takes moves";
    });
}

TEST_F(SmallShell, TappingAnIconChoosesItAndAMissChangesNothing) {
    TestGame::reset();
    GameRegistry::entries[GameRegistry::brixmoor] = {GameRegistry::make<TestGame>, nullptr};
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        frames(100);  // the icons at rest
        press(keyDown);
        while (menu->state != ShellMenu::idleState) frames(1);
        tap(1, 1);
        frames(1);
        EXPECT_EQ(menu->selection, 2);
        EXPECT_EQ(menu->state, ShellMenu::idleState);
        EXPECT_FALSE(menu->gameChosen || menu->exitChosen);

        tap(menu->icons.pixel(0, IconSprings::x), menu->icons.pixel(0, IconSprings::y));
        EXPECT_EQ(menu->selection, 0);
        EXPECT_TRUE(menu->gameChosen);
        frames(40);
        EXPECT_EQ(TestGame::started, 1);
    });
}

TEST_F(LargeShell, PanelRowsSelectOnAPressAndStartOnADoubleTapOrTheStartButton) {
    TestGame::reset();
    GameRegistry::entries[GameRegistry::dotvor] = {GameRegistry::make<TestGame>, nullptr};
    inProgram([this] {
        ShellMenuPtr menu = idleShell();
        const int rowX = panelRowX(menu);
        auto rowPoint = [&](int row) { return panelRowY(menu, row); };

        tap(2, 2);
        frames(1);
        EXPECT_EQ(menu->selection, -1) << "a press off the panel and the button changes nothing";
        device->advance(400);

        tap(rowX, rowPoint(2));
        EXPECT_EQ(menu->selection, 2);
        EXPECT_FALSE(menu->gameChosen) << "one press selects a game";
        device->advance(400);
        tap(rowX, rowPoint(2));
        EXPECT_FALSE(menu->gameChosen) << "a second, slow press on it changes nothing";

        device->advance(100);
        tap(rowX, rowPoint(2));
        EXPECT_TRUE(KeyState::doubleTap);
        EXPECT_TRUE(menu->gameChosen) << "a double tap starts it";
        frames(80);
        EXPECT_EQ(TestGame::started, 1);
    });
}

TEST_F(LargeShell, TheStartButtonStartsTheSelectedGameAndTheExitRowEndsAtOnce) {
    TestGame::reset();
    GameRegistry::entries[GameRegistry::brixmoor] = {GameRegistry::make<TestGame>, nullptr};
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        const int buttonTop = ScreenCanvas::screenHeight - menu->startButton->getHeight() + menu->pressedOffsetY;
        tap(10, buttonTop + 5);
        EXPECT_FALSE(menu->gameChosen) << "the button starts nothing without a selection";
        press(keyDown);
        tap(10, buttonTop + 5);
        EXPECT_TRUE(menu->gameChosen);
        EXPECT_FALSE(KeyState::doubleTap);
    });
    EXPECT_EQ(TestGame::started, 0) << "the program ended before the launch delay";
}

TEST_F(LargeShell, APressOnTheExitRowChoosesExit) {
    inProgram([] {
        ShellMenuPtr menu = idleShell();
        tap(panelRowX(menu), panelRowY(menu, 8));
        EXPECT_EQ(menu->selection, 8);
        EXPECT_TRUE(menu->exitChosen);
        EXPECT_LT(framesUntilExit(), 200);
    });
}

TEST(ShellCaption, ATooWideCaptionBreaksAtItsFirstBlankOnly) {
    // Measured as 10 pixels a character.
    struct Case {
        const char16_t* caption;
        int maxWidth;
        std::vector<std::u16string> lines;
    } cases[] = {
        {u"Tank battle", 200, {u"Tank battle"}},
        {u"Riverboatshooter", 50, {u"Riverboatshooter"}},
        {u"Race down the river", 50, {u"Race", u"down the river"}},
    };
    for (const Case& c : cases) {
        dfc::lang::DStringArrayPtr lines = ShellMenu::captionLines(
            c.caption, c.maxWidth, [](const dfc::lang::DStringPtr& text) { return 10 * text->length(); });
        std::vector<std::u16string> got;
        for (int i = 0; i < lines->length; ++i) got.emplace_back(lines[i]->chars());
        EXPECT_EQ(got, c.lines);
    }
}
