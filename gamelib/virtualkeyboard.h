#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dfont.h"
#include "dgraphics.h"
#include "dimage.h"
#include "gameinterface.h"
#include "imagefont.ptr"
#include "virtualkeyboard.ptr"

// The name-entry screen: a grid of letter keys followed by "ok" and "<-", worked with the
// direction keys and fire, the soft keys or stylus taps. The menu sets the fields up, calls
// init, and reads done and text.
class VirtualKeyboard : public GameInterface {
public:
    VirtualKeyboard();

    // Lays the keys out and draws the whole keyboard over the background into the cache.
    void init(const dfc::microedition::lcdui::DImagePtr& background);
    void update() override;
    void paint() override;
    // Moves the cursor to the key under the stylus and types it.
    void tap();

    int32_t x = 0, y = 0;
    int32_t textX = 0, textY = 0;
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t keyTextColor = 0;
    int32_t cursorColor = 0;
    int32_t keyWidth = 0, keyHeight = 0;
    // The key under the cursor: column + row * columns.
    int32_t cursor = 0;
    int32_t column = 0, row = 0;
    // Keys in the last row, "ok" and "<-" included.
    int32_t lastRowKeys = 0;
    int32_t width = 0, height = 0;
    int32_t maxLength = 9;
    bool done = false;
    bool blink = false;
    DWORD blinkTime = 0;
    DWORD tapTime;
    bool useFrameImages = true;
    dfc::lang::DStringPtr alphabet;
    dfc::lang::DStringPtr text;
    dfc::microedition::lcdui::DFontPtr keyFont;
    dfc::microedition::lcdui::DImagePtr cache;
    dfc::lang::DStringPtr title;

    // A tap this soon after the last accepted one is ignored.
    static constexpr int32_t tapPauseMillis = 201;
    static constexpr int32_t blinkMillis = 501;

private:
    int32_t keyCount() const { return alphabet->length() + 2; }
    int32_t rowLength(int32_t r) const { return r == rows - 1 ? lastRowKeys : columns; }
    dfc::lang::DStringPtr label(int32_t key) const;
    // The key's label centred in its cell.
    void drawLabel(const dfc::microedition::lcdui::DGraphicsPtr& g, const ImageFontPtr& font, int32_t key) const;
    struct FrameRows {
        int32_t top;
        int32_t middleTop;
        int32_t middleBottom;
    };
    // Draws the three frame pictures centred on the screen; throws, having drawn nothing, when
    // one cannot be read.
    FrameRows drawFrame(const dfc::microedition::lcdui::DGraphicsPtr& g) const;
    // A box round the grid and one round the typed text, centred on the screen with room for
    // the title between them.
    FrameRows drawPlainFrame(const dfc::microedition::lcdui::DGraphicsPtr& g) const;
    // The frame pictures, when the keyboard has them and they can be read; else the plain frame.
    // A frame that cannot be read is named, and given up.
    FrameRows drawFrameIfAny(const dfc::microedition::lcdui::DGraphicsPtr& g);
    void move();
    void press(int32_t key);
    void typeLetter(int32_t key);
    void deleteLast();
    void confirm();
};
