#pragma once
#include <cstdint>
#include "dobjectarray.h"
#include "dstring.h"
#include "helpbox.h"
#include "imagefont.ptr"

// The laid-out help text that every menu's help page shows: one slot per screen line, holding
// the line's text, a picture (an Animation) or nothing (an empty line). There is one for the
// whole program; a game may drop it when it leaves its help page.
class HelpLayout {
public:
    // Slots made at first; a longer text gets more.
    static constexpr int32_t initialSlots = HelpBox::lineSlots;

    // Breaks text (paragraphs ended by line feeds) into lines of at most maxWidth pixels in
    // font, cutting a line without blanks after charsPerLine characters (at least 1). A line
    // "%N" becomes picture N of pictures: an object array, a single Animation (picture 0), or
    // null; a line whose number names no picture stays text.
    static void layout(const dfc::lang::DStringPtr& text, const dfc::lang::DObjectPtr& pictures, int32_t charsPerLine,
                       int32_t maxWidth, const ImageFontPtr& font);
    // Drops the laid-out text, as a game does when it leaves its help page.
    static void clear();
    // The slot of line i; null for an empty line or when there is no layout.
    static dfc::lang::DObjectPtr line(int32_t i);

    static dfc::lang::DObjectArrayPtr lines;
    static int32_t lineCount;

private:
    static void add(const dfc::lang::DObjectPtr& slot);
    static dfc::lang::DObjectPtr lineOrPicture(const dfc::lang::DStringPtr& text,
                                               const dfc::lang::DObjectPtr& pictures);
    // The picture a "%N" names; null when there is none.
    static dfc::lang::DObjectPtr picture(int32_t index, const dfc::lang::DObjectPtr& pictures);
    // The number after the '%'; -1 when the rest is not a plain decimal number.
    static int32_t pictureNumber(const dfc::lang::DStringPtr& text);
};
