// The game menu's list page under the stylus, its arrows, the name entry, the score table,
// the option labels, the sound options, the item lists the games share and the shaded
// background.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "dcanvas.h"
#include "dimage.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "imagefont.h"
#include "keystate.h"
#include "menu_input.h"
#include "menu_screen.h"
#include "menuitems.h"
#include "platform.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "app_folder_test.h"
#include "captured_diagnostics.h"
#include "started_app.h"
#include "stringmanager.h"
#include "virtualkeyboard.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

namespace {

std::string narrow(const DStringPtr& text) { return text ? platform::narrow(text->chars()) : "(null)"; }

// A list of count items in a box that holds five.
GameMenuPtr listOf(int count) {
    GameMenuPtr menu = new GameMenu();
    DStringArrayPtr items = new DStringArray(count);
    for (int i = 0; i < count; ++i) items[i] = u"Item " + DString::valueOf(i);
    menu->setItems(items);
    menu->boxHeight = 5 * menu->lineHeight + 2 * menu->boxBorder;
    menu->visibleCount = 5;
    return menu;
}

constexpr uint16_t blue565 = 0x001F;

using MenuPages = StartedAppTest;

}  // namespace

TEST_F(MenuPages, TappingAnItemChoosesItAndTappingTheLastLeaves) {
    inProgram([] {
        GameMenuPtr menu = listOf(4);
        const int rowTop = menu->boxY + menu->boxBorder + 4;
        const int middle = ScreenCanvas::screenWidth / 2;
        tapMenu(menu, middle, rowTop + 2 * menu->lineHeight + menu->lineHeight / 2);
        EXPECT_EQ(menu->selected, 2);
        EXPECT_TRUE(menu->selectionMade);
        EXPECT_FALSE(menu->closeRequested);

        tapMenu(menu, 2, rowTop + menu->lineHeight / 2);
        EXPECT_EQ(menu->selected, 2) << "a tap beside the text misses";
        EXPECT_FALSE(menu->selectionMade);

        tapMenu(menu, middle, rowTop + 3 * menu->lineHeight + menu->lineHeight / 2);
        EXPECT_EQ(menu->selected, 3);
        EXPECT_TRUE(menu->closeRequested);
    });
}

TEST_F(MenuPages, TheArrowsScrollALongListAndAMissingArrowIsSkipped) {
    inProgram([] {
        GameMenuPtr menu = listOf(10);
        const int middle = ScreenCanvas::screenWidth / 2;
        const int downY = menu->boxY + menu->boxHeight + 2 + GameMenu::arrowDown->getHeight() / 2;
        const int upY = menu->boxY - 2 - GameMenu::arrowUp->getHeight() / 2;
        tapMenu(menu, middle, downY);
        EXPECT_EQ(menu->selected, 1);
        tapMenu(menu, middle, upY);
        EXPECT_EQ(menu->selected, 0);

        GameMenu::arrowUp = nullptr;
        menu->backgroundColor = 0x0000FF;
        const platform::Picture& screen = shown(menu);
        EXPECT_EQ(marked(screen, middle - 10, 0, middle + 10, menu->boxY - 2, blue565), 0) << "no up arrow";
        EXPECT_GT(marked(screen, middle - 10, menu->boxY + menu->boxHeight + 1, middle + 10, ScreenCanvas::screenHeight,
                         blue565),
                  0)
            << "the down arrow";
        tapMenu(menu, middle, upY);
        EXPECT_EQ(menu->selected, 0) << "nothing to tap where the up arrow is missing";

        GameMenu::pauseImage = nullptr;
        GameMenuPtr next = listOf(10);
        EXPECT_TRUE(GameMenu::arrowUp) << "the next menu loads the missing pictures again";
        EXPECT_TRUE(GameMenu::pauseImage);
    });
}

TEST_F(MenuPages, AListThatFitsShowsNoArrows) {
    inProgram([] {
        GameMenuPtr menu = listOf(5);
        menu->backgroundColor = 0x0000FF;
        const platform::Picture& screen = shown(menu);
        const int middle = ScreenCanvas::screenWidth / 2;
        EXPECT_EQ(marked(screen, middle - 10, 0, middle + 10, menu->boxY - 2, blue565), 0);
        EXPECT_EQ(marked(screen, middle - 10, menu->boxY + menu->boxHeight + 1, middle + 10, ScreenCanvas::screenHeight,
                         blue565),
                  0);
        EXPECT_GT(marked(screen, 0, menu->boxY, ScreenCanvas::screenWidth, menu->boxY + menu->boxHeight, blue565), 0)
            << "the box and its items";
    });
}

TEST_F(MenuPages, NameEntryForgetsTheChoiceThatOpenedItAndHandsBackTheName) {
    inProgram([] {
        GameMenuPtr menu = listOf(3);
        menu->selectionMade = true;
        menu->enterName();
        EXPECT_EQ(menu->mode, GameMenu::namePage);
        EXPECT_FALSE(menu->selectionMade);
        EXPECT_FALSE(GameMenu::nameEntered);
        EXPECT_EQ(narrow(GameTables::virtualKeyboard->title), "Enter your name");

        KeyState::fire = true;  // "a"
        menu->handleKeys();
        KeyState::right = KeyState::fire = true;  // "a" again, then the cursor on "b"
        menu->handleKeys();
        KeyState::fire = true;
        menu->handleKeys();
        EXPECT_FALSE(GameMenu::nameEntered);
        KeyState::leftSoft = true;
        menu->handleKeys();
        EXPECT_TRUE(GameMenu::nameEntered);
        EXPECT_EQ(narrow(GameMenu::lastEnteredName), "aab");
        EXPECT_FALSE(menu->selectionMade);
        shown(menu);

        GameMenuPtr next = listOf(3);
        next->enterName();
        EXPECT_EQ(narrow(GameTables::virtualKeyboard->text), "aab") << "the next entry starts with the last name";
    });
}

namespace {

// Where two pictures differ: how many pixels, and the rectangle round them.
struct Difference {
    int count, left, top, right, bottom;
};

Difference difference(const platform::Picture& a, const platform::Picture& b) {
    Difference d{0, a.width, a.height, -1, -1};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            const size_t i = size_t(y * a.width + x);
            if (a.pixels[i] == b.pixels[i]) continue;
            ++d.count;
            d.left = std::min(d.left, x);
            d.right = std::max(d.right, x);
            d.top = std::min(d.top, y);
            d.bottom = std::max(d.bottom, y);
        }
    return d;
}

// The pixels a text's letters cover, drawn whole on a fill of its own.
int inkOf(const ImageFontPtr& font, const DStringPtr& text, int32_t fill) {
    const int width = font->stringWidth(text), height = font->getHeight();
    DImagePtr alone = DImage::createImage(width, height);
    const auto g = alone->getGraphics();
    g->setColor(fill);
    g->fillRect(0, 0, width, height);
    font->drawStringImpl(g, text, 0, 0, 0);
    DintArrayPtr pixels = new DintArray(width * height);
    alone->getRGB(pixels, 0, width, 0, 0, width, height);
    int ink = 0;
    for (int i = 0; i < width * height; ++i) ink += (pixels[i] & 0xFFFFFF) != (fill & 0xF8FCF8);
    return ink;
}

// The keyboard whose frame pictures could not be read draws its own frame: the title, the keys
// and the typed name in its box all within the screen.
void checkNameEntryWithoutFramePictures() {
    GameMenuPtr menu = listOf(3);
    constexpr int32_t blue = 0x0000FF;
    DImagePtr background = DImage::createImage(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    const auto paint = background->getGraphics();
    paint->setColor(blue);
    paint->fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    menu->backgroundImage = background;
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    keyboard.useFrameImages = false;
    GameMenu::lastEnteredName = u"mossi";
    menu->enterName();
    auto still = [&] {
        keyboard.blink = false;
        keyboard.blinkTime = GetTickCount();
        return shown(menu);
    };
    const platform::Picture whole = still();
    const DStringPtr title = keyboard.title;
    keyboard.title = nullptr;
    keyboard.init(background);
    const platform::Picture untitled = still();
    keyboard.text = u"";
    const platform::Picture nameless = still();

    const Difference titleDrawn = difference(whole, untitled);
    EXPECT_EQ(titleDrawn.count, inkOf(ScreenCanvas::font(ScreenCanvas::smallFont), title, blue))
        << "the whole title is shown";
    EXPECT_GT(titleDrawn.top, keyboard.y + keyboard.height) << "below the keys";

    const Difference nameDrawn = difference(untitled, nameless);
    EXPECT_EQ(nameDrawn.count, inkOf(ScreenCanvas::font(ScreenCanvas::menuFont), u"mossi", 0xFFFFFF))
        << "the whole name is shown, on white";
    EXPECT_GT(nameDrawn.top, titleDrawn.bottom) << "below the title";
    const auto at = [&](int x, int y) { return nameless.pixels[size_t(y * nameless.width + x)]; };
    EXPECT_EQ(
        marked(nameless, nameDrawn.left - 1, nameDrawn.top - 1, nameDrawn.right + 2, nameDrawn.bottom + 2, 0xFFFF), 0)
        << "the name sits in a white box";
    int edge = nameDrawn.bottom + 1;
    while (edge < nameless.height && at(nameDrawn.left, edge) == 0xFFFF) ++edge;
    ASSERT_LT(edge, nameless.height) << "the box's lower edge is on the screen";
    EXPECT_EQ(at(nameDrawn.left, edge), 0x0000) << "and is black, not the background";
}

using PocketPcMenuPages = PocketPcAppTest;

}  // namespace

TEST_F(MenuPages, NameEntryWithoutFramePicturesShowsTitleAndNameBox) { inProgram(checkNameEntryWithoutFramePictures); }

TEST_F(PocketPcMenuPages, NameEntryWithoutFramePicturesShowsTitleAndNameBox) {
    inProgram(checkNameEntryWithoutFramePictures);
}

TEST_F(MenuPages, TheFirstScoreTableIsTheDefaultAndIsSaved) {
    inProgram([] {
        GameMenuPtr menu = new GameMenu();
        menu->loadHighScores(u"testgame", 1);
        ASSERT_EQ(menu->items->length, 8);
        EXPECT_EQ(narrow(menu->items[0]), "--- ");
        EXPECT_FALSE(menu->isHighScore(0));
        EXPECT_TRUE(menu->isHighScore(1));
        menu->insertHighScore(u"ann", 50);
        menu->saveHighScores(1, u"testgame");

        GameMenuPtr again = new GameMenu();
        again->loadHighScores(1, u"testgame");
        EXPECT_EQ(narrow(again->items[0]), "ann");
        EXPECT_EQ(again->values[0], 50);
        again->mode = GameMenu::scorePage;
        shown(again);
    });
}

TEST_F(MenuPages, OptionLabelsComeFromTheSharedTexts) {
    inProgram([] {
        struct Case {
            int level;
            const char* soundKey;
            const char* musicKey;
            const char* soundLabel;
        } cases[] = {{0, "soundfxoff", "musicoff", "Sound: off"},
                     {1, "soundfxlow", "musiclow", "Sound: low"},
                     {2, "soundfxnormal", "musicnormal", "Sound: normal"},
                     {3, "soundfxhigh", "musichigh", "Sound: high"},
                     {4, "", "", ""},
                     {-1, "", "", ""}};
        for (const Case& c : cases) {
            EXPECT_EQ(narrow(GameMenu::soundOptionKey(c.level)), c.soundKey);
            EXPECT_EQ(narrow(GameMenu::musicOptionKey(c.level)), c.musicKey);
            EXPECT_EQ(narrow(GameMenu::soundOptionLabel(c.level)), c.soundLabel);
        }
        EXPECT_EQ(narrow(GameMenu::musicOptionLabel(2)), "Music: normal");
        GameMenu::saveOption(u"testgamesfx_level", 3);
        EXPECT_EQ(GameMenu::loadOption(u"testgamesfx_level", 2), 3);
        EXPECT_EQ(GameMenu::loadOption(u"testgamemusic_level", 2), 2);
    });
}

// The levels go 2, 3, 0, 1, 2 from a start with nothing saved, each saved at once under the
// game's key; a game may keep them under keys of its own.
TEST_F(MenuPages, SoundOptionsStepRoundAndAreSavedAtOnce) {
    inProgram([] {
        const SoundOptions usual(DStringPtr(u"testgame"));
        usual.load();
        EXPECT_EQ(Sound::getSoundLevel(), 2);
        EXPECT_EQ(Sound::getMusicLevel(), 2);
        const struct {
            int level;
            const char* label;
        } steps[] = {{3, "Sound: high"}, {0, "Sound: off"}, {1, "Sound: low"}, {2, "Sound: normal"}};
        for (const auto& step : steps) {
            EXPECT_EQ(narrow(usual.step(SoundOptions::effects)), step.label);
            EXPECT_EQ(Sound::getSoundLevel(), step.level);
            EXPECT_EQ(GameMenu::loadOption(u"testgamesfx_level", -1), step.level);
        }
        EXPECT_EQ(GameMenu::loadOption(u"testgamemusic_level", -1), -1);

        GameMenu::saveOption(u"ownM", 3);
        const SoundOptions own(u"ownS", u"ownM");
        own.load();
        EXPECT_EQ(Sound::getMusicLevel(), 3);
        EXPECT_EQ(narrow(SoundOptions::label(SoundOptions::music)), "Music: high");
        EXPECT_EQ(narrow(own.step(SoundOptions::music)), "Music: off");
        EXPECT_EQ(GameMenu::loadOption(u"ownM", -1), 0);
        EXPECT_EQ(Sound::getSoundLevel(), 2);
    });
}

// The main and pause menus differ in their first and last items; a game's own items before
// the last are left alone.
TEST_F(MenuPages, SharedItemListsTakeTheirTextsFromTheProperties) {
    inProgram([] {
        Sound::setSoundLevel(1);
        Sound::setMusicLevel(3);
        DStringArrayPtr items = new DStringArray(7);
        items[5] = u"own";
        MenuItems::setStandard(items, false);
        const std::vector<std::string> mainItems = {"Start", "High scores", "Help", "Sound: low", "Music: high",
                                                    "own", "Exit"};
        for (int i = 0; i < 7; ++i) EXPECT_EQ(narrow(items[i]), mainItems[size_t(i)]) << i;
        MenuItems::setEnds(items, true);
        EXPECT_EQ(narrow(items[0]), "Continue");
        EXPECT_EQ(narrow(items[3]), "Sound: low");
        EXPECT_EQ(narrow(items[6]), "Main menu");

        const DStringArrayPtr levels = MenuItems::levelChoice(3);
        ASSERT_EQ(levels->length, 4);
        EXPECT_EQ(narrow(levels[0]), "Level 3");
        EXPECT_EQ(narrow(levels[2]), "Level 1");
        EXPECT_EQ(narrow(levels[3]), "Exit");
    });
}

// Texts the shared texts lack are left out of what is made from them: "null" would be shown,
// and saved with the default score table.
TEST_F(MenuPages, TextsMadeWithAMissingKeyLeaveItOut) {
    inProgram([] {
        StringManager::properties->remove(DStringPtr(u"empty"));
        StringManager::properties->remove(DStringPtr(u"level"));
        EXPECT_EQ(narrow(MenuItems::levelChoice(2)[0]), " 2");
        GameMenuPtr menu = new GameMenu();
        menu->loadHighScores(u"textless", 1);
        EXPECT_EQ(narrow(menu->items[0]), " ");
        GameMenuPtr again = new GameMenu();
        again->loadHighScores(u"textless", 1);
        EXPECT_EQ(narrow(again->items[7]), " ") << "as saved";
    });
}

TEST_F(MenuPages, BlendingShadesTheBandOfTheBoxOnly) {
    inProgram([] {
        const int width = ScreenCanvas::screenWidth;
        DintArrayPtr pixels = new DintArray(width);
        for (int x = 0; x < width; ++x) pixels[x] = int32_t(0xFFF8FCF8u);
        pixels[width / 2 + 1] = 0;  // a transparent pixel
        DImagePtr picture = DImage::createRGBImage(pixels, width, 1, true);

        GameMenuPtr menu = new GameMenu();
        menu->blendImage(picture, -160);
        EXPECT_FALSE(menu->drawBox);
        DintArrayPtr shaded = new DintArray(width);
        menu->backgroundImage->getRGB(shaded, 0, width, 0, 0, width, 1);
        const uint32_t outside = uint32_t(shaded[menu->boxX - 1]), inside = uint32_t(shaded[width / 2]);
        EXPECT_EQ(outside, 0xFFF8FCF8u);
        EXPECT_EQ(inside,
                  0xFF000000u | (0xF8 * 95 >> 8 & 0xF8) << 16 | (0xFC * 95 >> 8 & 0xFC) << 8 | (0xF8 * 95 >> 8 & 0xF8));
        EXPECT_EQ(shaded[width / 2 + 1], 0) << "transparent stays transparent";

        DImagePtr lighter = GameMenu::shadeImage(picture, 128, 0, width);
        lighter->getRGB(shaded, 0, width, 0, 0, width, 1);
        EXPECT_EQ(uint32_t(shaded[0]), 0xFFF8FCF8u | 0) << "near white stays near white";
        DintArrayPtr black = new DintArray(1, int32_t(0xFF000000u));
        DImagePtr grey = GameMenu::shadeImage(DImage::createRGBImage(black, 1, 1, true), 128, 0, 0);
        grey->getRGB(black, 0, 1, 0, 0, 1, 1);
        EXPECT_EQ(uint32_t(black[0]), 0xFF000000u | (127 & 0xF8) << 16 | (127 & 0xFC) << 8 | (127 & 0xF8));
    });
}

using MenuPictures = AppFolderTest;

TEST_F(MenuPictures, EachMenuPictureLoadsOnItsOwn) {
    ASSERT_TRUE(
        platform::savePng(platform::Picture{3, 2, std::vector<uint16_t>(6, 0x07E0)}, folder.file("arrowUp.png")));
    GameMenu::arrowUp = GameMenu::arrowDown = GameMenu::pauseImage = nullptr;
    beginDiagnostics();
    GameMenu::loadArrowImages();
    ASSERT_TRUE(GameMenu::arrowUp) << "no game data: only the loose up arrow is there";
    EXPECT_EQ(GameMenu::arrowUp->getWidth(), 3);
    EXPECT_FALSE(GameMenu::arrowDown);
    EXPECT_FALSE(GameMenu::pauseImage);
    const std::string named = printedDiagnostics();
    for (const char* missing : {"arrowDown.png", "pause.png"})
        EXPECT_NE(named.find(std::string("GameMenu: cannot open the picture /") + missing +
                             ": no data archive is open to hold " + missing +
                             " and there is no such file beside the program; the menus go without it\r\n"),
                  std::string::npos)
            << named;
    EXPECT_EQ(std::count(named.begin(), named.end(), '\n'), 2) << named;
    // Every menu tries the missing pictures again; each is named once.
    GameMenu::loadArrowImages();
    EXPECT_EQ(printedDiagnostics(), named);
    endDiagnostics();
    GameMenu::arrowUp = nullptr;
}
