#include "game_run.h"
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <gtest/gtest.h>
#include "gamelib.h"
#include "platform.h"
#include "screencanvas.h"
#include "shellmenu.h"
#include "started_app.h"
#include "gametables.h"
#include "virtualkeyboard.h"

namespace {

// The shell's menu gate lets one key act every 201 ms: eight frames.
constexpr int framesBetweenKeys = 8;
// Frames for the shell's icons or captions to come in before it takes keys.
constexpr int shellIntroFrames = 50;
// The launch delays of both layouts, with room to spare.
constexpr int launchFrameLimit = 200;

// Moves the keyboard's cursor to the key and types it.
void typeKey(int index) {
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    const int row = index / keyboard.columns, column = index % keyboard.columns;
    for (int moves = 0; moves < 40 && (keyboard.row != row || keyboard.column != column); ++moves) {
        if (keyboard.row != row) menuKey(keyboard.row < row ? keys::down : keys::up);
        else menuKey(keyboard.column < column ? keys::right : keys::left);
    }
    menuKey(keys::fire);
}

bool shellIsCurrent() { return dynamic_cast<ShellMenu*>(GameLib::currentMode.get()) != nullptr; }

}  // namespace

void openGameFromShell(int index) {
    ASSERT_TRUE(shellIsCurrent()) << "the program is not on its shell menu";
    StartedAppTest::frames(shellIntroFrames);
    // Nothing is chosen at first; each move steps to the next item, across the icon grid of the
    // small screen (in its own order), down the list of the large one (in registry order).
    const bool large = ScreenCanvas::screenHeight >= ShellMenu::largeScreenHeight;
    int item = index;
    if (!large)
        item = int(std::find(std::begin(ShellMenu::smallLayoutGames), std::end(ShellMenu::smallLayoutGames), index) -
                   std::begin(ShellMenu::smallLayoutGames));
    for (int i = 0; i <= item; ++i) menuKey(large ? keys::down : keys::right);
    menuKey(keys::fire);
    for (int frame = 0; frame < launchFrameLimit && shellIsCurrent(); ++frame) StartedAppTest::frames(1);
    ASSERT_FALSE(shellIsCurrent()) << "the shell did not hand over to game " << index;
}

void menuKey(int code) {
    StartedAppTest::press(code);
    StartedAppTest::frames(framesBetweenKeys);
}

void holdKey(int code, int frameCount) {
    GameLib::screenCanvas->keyPressed(code);
    StartedAppTest::frames(frameCount);
    GameLib::screenCanvas->keyReleased(code);
    StartedAppTest::frames(1);
}

void typeName(const std::string& name) {
    ASSERT_TRUE(GameTables::virtualKeyboard);
    const std::u16string alphabet(GameTables::virtualKeyboard->alphabet->chars(),
                                  GameTables::virtualKeyboard->alphabet->length());
    for (char letter : name) {
        const size_t index = alphabet.find(char16_t(letter));
        ASSERT_NE(index, std::u16string::npos) << letter;
        typeKey(int(index));
    }
    typeKey(int(alphabet.size()));  // "ok" follows the letters
}

void captureScreen(const std::string& folder, const std::string& name) {
    const std::string path = std::string(MOSSYARD_BINARY_DIR) + "/" + folder;
    std::filesystem::create_directories(path);
    EXPECT_TRUE(platform::savePng(platform::screen(), path + "/" + name + ".png")) << name;
}
