#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dfont.h"
#include "dimage.h"
#include "dprimitives.h"
#include "dstringarray.h"
#include "gameimage.h"
#include "gamemenu.ptr"
#include "imagefont.ptr"

// The menu every game builds for its pause menu and side pages: a scrolling item list, a
// two-column score table, a scrolling help text with pictures, and the name entry on the
// shared on-screen keyboard. The game sets the page (mode), calls handleKeys and paint each
// frame, and reads selectionMade (with selected) and closeRequested. It also keeps what all
// menus share: the arrow and pause pictures, the time of the last accepted key, the loading
// bar and the last entered name.
class GameMenu : public dfc::lang::DObject {
public:
    // Pages.
    static constexpr int32_t refreshPage = 0, listPage = 1, scorePage = 2, helpPage = 3, namePage = 4;
    // A menu acts on a key at most once in this many milliseconds.
    static constexpr int32_t keyPauseMillis = 201;

    GameMenu();

    virtual void setContent(dfc::lang::DStringArrayPtr newItems, dfc::lang::DintArrayPtr newValues);
    // Puts the entry into the score table in memory; the last entry drops out.
    virtual void insertHighScore(dfc::lang::DStringPtr name, int score);
    virtual void paint();
    virtual void handleKeys();
    virtual void detach();
    // The table of the store prefix + "hs" + number, or the default table, saved at once.
    virtual void loadHighScores(dfc::lang::DStringPtr prefix, int number);
    virtual void saveHighScores(dfc::lang::DStringPtr prefix, int number);
    // Reads the help text (modified-UTF-8 strings, a paragraph each) and lays it out for the
    // help page. pictures: an object array of Animations, one Animation, or null.
    virtual void layoutText(dfc::lang::DStringPtr name, dfc::lang::DObjectPtr pictures);
    virtual void paintHelp();

    // The same two with the table number first, the order some games pass them in.
    void loadHighScores(int number, const dfc::lang::DStringPtr& prefix) { loadHighScores(prefix, number); }
    void saveHighScores(int number, const dfc::lang::DStringPtr& prefix) { saveHighScores(prefix, number); }
    void setItems(dfc::lang::DStringArrayPtr newItems) { items = newItems; }
    // Whether the score beats the lowest entry of the table.
    bool isHighScore(int score);
    // Opens the name entry on the shared keyboard (page 4).
    void enterName();
    // The menu's background becomes the picture, darkened (amount below 0) or lightened in
    // the band of the menu box; the box itself is no longer drawn.
    void blendImage(dfc::microedition::lcdui::DImagePtr image, int amount);

    static void saveOption(const dfc::lang::DStringPtr& key, int value);
    static int loadOption(const dfc::lang::DStringPtr& key, int defaultValue);
    // Loads each of the arrow and pause pictures that is not loaded; a missing one stays null.
    static void loadArrowImages();
    static void drawProgress(int y, int percent, int step, int frameColor, int barColor);
    static void drawProgressBar();
    // The text of a level 0..3 of the effect or music option; empty for other levels.
    static dfc::lang::DStringPtr soundOptionLabel(int level);
    static dfc::lang::DStringPtr musicOptionLabel(int level);
    static dfc::lang::DStringPtr soundOptionKey(int level);
    static dfc::lang::DStringPtr musicOptionKey(int level);
    // Whether the stylus point lies strictly inside the rectangle.
    static bool isPointerInRect(int x0, int y0, int x1, int y1);
    // Where the help page's scroll thumb lies in a track of that many pixels: its frame, one
    // pixel longer than the thumb, never leaves the track.
    struct Thumb {
        int32_t offset;
        int32_t length;
    };
    static Thumb scrollThumb(int32_t track, int32_t lines, int32_t visible, int32_t first);
    // A copy of the picture with the columns xFrom..xTo darkened (amount <= 0) or lightened.
    static dfc::microedition::lcdui::DImagePtr shadeImage(dfc::microedition::lcdui::DImagePtr image, int amount,
                                                          int xFrom, int xTo);

    dfc::lang::DStringArrayPtr items;
    dfc::lang::DintArrayPtr values;
    int32_t backgroundColor = 0xF6B708;
    int32_t mode = listPage;
    GameImagePtr titleImage;
    dfc::microedition::lcdui::DImagePtr backgroundImage;
    int32_t boxX;
    int32_t boxY = 25;
    int32_t boxHeight;
    int32_t boxBorder = 2;
    bool drawBox = true;
    int32_t textColor = 0xFFFFFF;
    int32_t boxFrameColor = 0x000000;
    int32_t boxFillColor = 0xFFFFFF;
    int32_t scoreColor = 0x000000;
    int32_t selected = 0;
    int32_t lineHeight = 18;
    int32_t firstVisible = 0;
    int32_t visibleCount;
    dfc::microedition::lcdui::DFontPtr font;
    bool selectionMade = false;
    bool closeRequested = false;
    int32_t lastDrawnLine = 0;

    static dfc::microedition::lcdui::DImagePtr arrowUp;
    static dfc::microedition::lcdui::DImagePtr arrowDown;
    static dfc::microedition::lcdui::DImagePtr pauseImage;
    static DWORD lastKeyTime;
    // The help page's geometry, set by layoutText.
    static int32_t charsPerLine;
    static int32_t helpTop;
    static int32_t helpBottom;
    static int32_t helpLineHeight;
    // The name entry's result.
    static bool nameEntered;
    static dfc::lang::DStringPtr lastEnteredName;

private:
    int32_t itemCount() const { return items ? items->length : 0; }
    int32_t listRows() const;
    int32_t helpRows() const;
    // Where the first row of the list starts.
    int32_t rowsTop() const { return boxY + boxBorder + 4; }

    void paintBackground(int32_t fillColor);
    void paintList();
    void paintBox();
    void paintRow(int32_t i, int32_t y);
    void paintArrows();
    void paintNameEntry();
    void paintHelpLines();
    void paintScrollBar();
    void paintHelpLabels();
    void refresh();

    // The case of this frame's input that applies; false when none does.
    bool act();
    void up();
    void down();
    void fire();
    void rightSoftKey();
    void pageDown();
    void tap();
    void tapList();
    void tapHelp();
    void handleNameEntry();
};
