#pragma once
#include <vector>
#include "dimage.h"

// Whether the pictures of a frame, drawn where they go, set every pixel of the screen: a fill
// of the whole screen under them would then be overwritten everywhere, and is left out.
class ScreenCover {
public:
    // The picture with its top-left corner at (x, y), seen only inside the clip rectangle it
    // is drawn with (the whole screen when none is given). A picture with key pixels, or none,
    // covers nothing.
    void add(const dfc::microedition::lcdui::DImagePtr& picture, int x, int y);
    void add(const dfc::microedition::lcdui::DImagePtr& picture, int x, int y, int clipX, int clipY, int clipWidth,
             int clipHeight);
    bool whole() const;

    // Off, whole() answers false and every frame is cleared: plain drawing, which tests compare
    // with. One flag read per frame.
    static inline bool skipsClear = true;

private:
    struct Area {
        int left, top, right, bottom;
    };
    // Whether the areas reaching across the rows [top, bottom) together span every column.
    bool spansRows(int top, int bottom) const;

    std::vector<Area> areas;
};
