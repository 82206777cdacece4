// The help page's text box, from the screen's width. The game draws its help by it and the
// asset builder proves by it that every help text fits the page.
#pragma once
#include <algorithm>
#include <cstdint>

struct HelpBox {
    // The line slots the page was made for; the builder holds every help text to them.
    static constexpr int32_t lineSlots = 250;

    // The left edge of the menu's box.
    static constexpr int32_t boxX(int32_t screenWidth) { return screenWidth >> 3; }
    // The pixels a help line may take inside a box that starts at boxX.
    static constexpr int32_t textWidth(int32_t screenWidth, int32_t boxX) { return screenWidth - 2 * boxX - 4; }
    // The characters a line without blanks keeps, from the width of "W", the widest letter;
    // at least 1, also for a font without a "W".
    static constexpr int32_t charsPerLine(int32_t textWidth, int32_t widestLetter) {
        return widestLetter > 0 ? std::max(1, textWidth / widestLetter) : 1;
    }
};
