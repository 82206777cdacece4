// The name-entry keyboard: moving the cursor, typing, confirming and stylus taps.
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include "captured_diagnostics.h"
#include "dimage.h"
#include "headless_test.h"
#include "imagefont.h"
#include "imagefontarray.h"
#include "screencanvas.h"
#include "keystate.h"
#include "program_fixture.h"
#include "virtualkeyboard.h"

namespace {

class KeyboardTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        resetGameLibState();
        keyboard = new VirtualKeyboard();
        layOut(u"abcdefghijklmnopqrstuvwxyz-_");
        device->advance(1000);
    }
    void TearDown() override {
        keyboard = nullptr;
        resetGameLibState();
        HeadlessTest::TearDown();
    }

    // The grid as the keyboard lays it out: 6 keys a row of 21 x 19 pixels at (10, 40).
    void layOut(const char16_t* letters) {
        keyboard->alphabet = dfc::lang::DStringPtr(letters);
        keyboard->columns = 6;
        keyboard->keyWidth = 21;
        keyboard->keyHeight = 19;
        keyboard->x = 10;
        keyboard->y = 40;
        const int keys = keyboard->alphabet->length() + 2;
        keyboard->rows = (keys + 5) / 6;
        keyboard->lastRowKeys = keys - (keyboard->rows - 1) * 6;
        keyboard->width = 21 * 6;
        keyboard->height = 19 * keyboard->rows;
    }

    void at(int column, int row) {
        keyboard->column = column;
        keyboard->row = row;
        keyboard->cursor = column + row * 6;
    }

    void press(bool* flag) {
        *flag = true;
        keyboard->update();
    }

    void tap(int x, int y) {
        KeyState::pointerX = x;
        KeyState::pointerY = y;
        KeyState::pointerDown = true;
        keyboard->update();
    }

    std::string text() const { return platform::narrow(keyboard->text->chars()); }

    VirtualKeyboardPtr keyboard;
};

// The keyboard as a menu sets it up for a name, its keys in the test font "/fonts/t".
VirtualKeyboardPtr nameKeyboard() {
    ImageFontPtr font = new ImageFont();
    font->load(u"/fonts/t");
    ScreenCanvas::fonts = new ImageFontArray(7);
    for (int i : {ScreenCanvas::menuFont, ScreenCanvas::menuSelectedFont, ScreenCanvas::smallFont})
        ScreenCanvas::fonts[i] = font;
    VirtualKeyboardPtr keyboard = new VirtualKeyboard();
    keyboard->alphabet = dfc::lang::DStringPtr(u"abcdefghijklmnopqrstuvwxyz-_");
    keyboard->columns = 6;
    keyboard->keyWidth = 21;
    keyboard->keyHeight = 19;
    keyboard->cursorColor = 0x555555;
    keyboard->x = (176 - 126) >> 1;
    return keyboard;
}

}  // namespace

TEST_F(KeyboardTest, TheCursorWrapsRoundTheGrid) {
    struct Case {
        int column, row;
        bool* key;
        int toColumn, toRow;
    } cases[] = {
        {5, 4, &KeyState::right, 0, 4},  // "<-" to "y"
        {3, 0, &KeyState::down, 3, 1},   // "d" to "j"
        {1, 0, &KeyState::up, 1, 4},     // "b" to "z"
        {5, 0, &KeyState::up, 5, 4},     // "f" to "<-"
        {0, 0, &KeyState::left, 5, 0},
        {2, 4, &KeyState::down, 2, 0},
    };
    for (const Case& c : cases) {
        at(c.column, c.row);
        press(c.key);
        EXPECT_EQ(std::tuple(keyboard->column, keyboard->row), std::tuple(c.toColumn, c.toRow))
            << "from " << c.column << "," << c.row;
        EXPECT_EQ(keyboard->cursor, c.toColumn + 6 * c.toRow);
        EXPECT_FALSE(*c.key) << "the key is consumed";
    }
}

TEST_F(KeyboardTest, AShortLastRowKeepsTheCursorOnItsKeys) {
    layOut(u"abcdefg");  // rows "abcdef" and "g", "ok", "<-"
    struct Case {
        int column, row;
        bool* key;
        int toColumn, toRow;
    } cases[] = {
        {5, 0, &KeyState::down, 2, 1},
        {4, 0, &KeyState::up, 2, 1},
        {0, 1, &KeyState::left, 2, 1},
        {2, 1, &KeyState::right, 0, 1},
    };
    for (const Case& c : cases) {
        at(c.column, c.row);
        press(c.key);
        EXPECT_EQ(std::tuple(keyboard->column, keyboard->row), std::tuple(c.toColumn, c.toRow))
            << "from " << c.column << "," << c.row;
    }
}

TEST_F(KeyboardTest, FireTypesUpToNineLettersAndTheSpecialKeysEditAndConfirm) {
    at(4, 4);  // "ok" with nothing typed
    press(&KeyState::fire);
    EXPECT_FALSE(keyboard->done);
    press(&KeyState::leftSoft);
    EXPECT_FALSE(keyboard->done);

    at(2, 0);
    for (int i = 0; i < 10; ++i) press(&KeyState::fire);
    EXPECT_EQ(text(), "ccccccccc");
    at(5, 4);  // "<-"
    press(&KeyState::fire);
    press(&KeyState::rightSoft);
    EXPECT_EQ(text(), "ccccccc");
    at(4, 4);
    press(&KeyState::fire);
    EXPECT_TRUE(keyboard->done);

    keyboard->done = false;
    press(&KeyState::leftSoft);
    EXPECT_TRUE(keyboard->done);
}

TEST_F(KeyboardTest, FireActsOnTheKeyBeforeTheMovesOfTheSameFrame) {
    at(0, 0);
    KeyState::right = true;
    press(&KeyState::fire);
    EXPECT_EQ(text(), "a");
    EXPECT_EQ(keyboard->cursor, 1);
}

TEST_F(KeyboardTest, ATapTypesTheTappedKey) {
    at(0, 0);
    tap(10 + 21 * 4 + 3, 40 + 19 + 5);  // "k"
    EXPECT_EQ(text(), "k");
    EXPECT_EQ(std::tuple(keyboard->column, keyboard->row, keyboard->cursor), std::tuple(4, 1, 10));
    EXPECT_FALSE(KeyState::pointerDown);
    EXPECT_FALSE(KeyState::fire);
}

TEST_F(KeyboardTest, TapsCloserThan201MillisecondsCountOnce) {
    for (auto [gap, typed] : {std::tuple{150, "aa"}, std::tuple{200, "aa"}, std::tuple{201, "aaa"}}) {
        keyboard->text = dfc::lang::DStringPtr(u"");
        device->advance(1000);
        tap(12, 42);
        device->advance(DWORD(gap));
        tap(12, 42);
        device->advance(DWORD(gap));
        tap(12, 42);
        EXPECT_EQ(text(), typed) << gap;
    }
}

TEST_F(KeyboardTest, TapsOutsideTheKeysAreIgnored) {
    layOut(u"abcdefg");
    struct Case {
        int x, y;
        bool types;
    } cases[] = {
        {10 + 126 - 1, 40, true},        // the last pixel of the first row
        {10 + 126, 40, false},           // just right of the grid
        {10, 40 + 38, false},            // just below it
        {9, 45, false},
        {10 + 21 * 3, 40 + 19, false},   // the empty fourth cell of the last row
        {10 + 21 * 2, 40 + 19 + 18, true},  // "<-"
    };
    for (const Case& c : cases) {
        keyboard->text = dfc::lang::DStringPtr(u"ab");
        device->advance(1000);
        tap(c.x, c.y);
        EXPECT_EQ(text() != "ab", c.types) << c.x << "," << c.y;
    }
}

TEST_F(ProgramTest, TheKeyboardLaysItsKeysOutInItsFrameAndPaintsTheCursor) {
    static constexpr uint16_t green = 0x07E0;
    writeTestFont("fonts/t");
    writePicture("input_top.png", 130, 10, std::vector<uint16_t>(130 * 10, green));
    writePicture("input_midd.png", 130, 120, std::vector<uint16_t>(130 * 120, green));
    writePicture("input_bot.png", 130, 6, std::vector<uint16_t>(130 * 6, green));
    inProgram([] {
        VirtualKeyboardPtr keyboard = nameKeyboard();
        keyboard->init(nullptr);

        // The frame is 136 high on a 220-high screen: its top at 42, the middle part from 52 to 172.
        EXPECT_EQ(std::tuple(keyboard->rows, keyboard->lastRowKeys, keyboard->width, keyboard->height),
                  std::tuple(5, 6, 126, 95));
        EXPECT_EQ(keyboard->y, 52);
        EXPECT_EQ(keyboard->textY, 172 - 2 - 3);

        dfc::microedition::lcdui::DImagePtr screen = dfc::microedition::lcdui::DImage::createImage(176, 220);
        ScreenCanvas::screenGraphics = screen->getGraphics();
        keyboard->column = 2;
        keyboard->row = 1;
        keyboard->paint();
        const std::vector<uint16_t> pixels = pixelsOf(screen);
        auto at = [&](int x, int y) { return pixels[size_t(y * 176 + x)]; };
        EXPECT_EQ(at(25 + 42, 52 + 19), 0x52AA) << "the cursor's frame";
        EXPECT_EQ(at(25 + 63, 52 + 38), 0x52AA);
        EXPECT_EQ(at(34, 60), stripPixel(0, 0, 0)) << "\"a\" centred in the first key";
        EXPECT_EQ(at(55, 60), stripPixel(0, 2, 0)) << "\"b\" in the second";
        EXPECT_EQ(at(30, 160), green) << "the frame around the keys";
    });
}

TEST_F(ProgramTest, AFrameThatCannotBeReadIsNamedOnceAndTheKeyboardGoesWithoutIt) {
    writeTestFont("fonts/t");
    writePicture("input_top.png", 130, 10, std::vector<uint16_t>(130 * 10, 0x07E0));
    writePicture("input_bot.png", 130, 6, std::vector<uint16_t>(130 * 6, 0x07E0));
    inProgram([] {
        beginDiagnostics();
        VirtualKeyboardPtr keyboard = nameKeyboard();
        keyboard->init(nullptr);
        const std::string named = printedDiagnostics();
        EXPECT_EQ(named,
                  "VirtualKeyboard: cannot open the picture /input_midd.png: no data archive is open to hold "
                  "input_midd.png and there is no such file beside the program; the keyboard is drawn without its "
                  "frame\r\n");
        EXPECT_FALSE(keyboard->useFrameImages);
        EXPECT_EQ(keyboard->rows, 5);
        EXPECT_GT(keyboard->textY, keyboard->y + keyboard->height) << "the name below the keys";
        EXPECT_LE(keyboard->textY + ScreenCanvas::font(ScreenCanvas::menuFont)->getHeight(), 220) << "on the screen";
        keyboard->init(nullptr);
        EXPECT_EQ(printedDiagnostics(), named) << "the next name's keyboard is not named again";
        endDiagnostics();
    });
}
