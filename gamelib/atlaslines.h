#pragma once
#include <cstdint>
#include "dprimitives.h"
#include "dstring.h"

// The lines of an image atlas text, checked as they are read: each is "name;x;y;width;height"
// (further fields ignored), a name without control bytes and four decimal numbers whose
// rectangle lies inside the atlas picture.
// A line of another shape stops the reading at once; rectangles outside are counted to the end,
// so that the one line naming the damage tells how much of the text is wrong.
class AtlasLines {
public:
    AtlasLines(const dfc::lang::DStringPtr& textEntry, const dfc::lang::DStringPtr& pictureEntry, int32_t pictureWidth,
               int32_t pictureHeight);

    // The picture's name and rectangle {x, y, width, height}; throws DDamagedDataException for a
    // line that is no picture line, or gives null for the start of one that lacks its line end
    // (the text was cut short there). A rectangle outside the picture is given too, and counted.
    dfc::lang::DStringPtr read(const dfc::lang::DStringPtr& line, bool ended, dfc::lang::DintArrayPtr* rectangle);
    // Throws DDamagedDataException when a rectangle read lay outside the picture.
    void throwIfOutside() const;

private:
    [[noreturn]] void damaged(const dfc::lang::DStringPtr& why) const;

    dfc::lang::DStringPtr textEntry;
    dfc::lang::DStringPtr pictureEntry;
    int32_t pictureWidth;
    int32_t pictureHeight;
    int32_t lines = 0;
    int32_t outside = 0;
    dfc::lang::DStringPtr firstOutside;
};
