#pragma once
#include <cstdint>
#include "dgraphics.h"
#include "dhashtable.h"
#include "dimage.h"
#include "dprimitives.h"

// The one image atlas of the program: a picture holding every sprite of a game, the table
// of their rectangles, and copies of the picture turned each way so that a turned sprite is
// one clipped blit. Loading an atlas replaces the previous one.
class ImageAtlas {
public:
    // Reads the picture name + ".png", then name + ".txt", one picture a line:
    // "name;x;y;width;height", both of this screen (on a large screen the "/ppc" ones). Reading
    // ends at an empty line or the end of the text, which is then named as cut short. A line of
    // another shape, or a rectangle outside the picture, throws DDamagedDataException and leaves
    // no atlas.
    static void load(const dfc::lang::DStringPtr& name);
    // The rectangle {x, y, width, height} of a picture; null when the atlas has none.
    static dfc::lang::DintArrayPtr find(const dfc::lang::DStringPtr& name);
    // The atlas picture for a transform code: the picture itself or one of its turned copies.
    static dfc::microedition::lcdui::DImagePtr picture(int32_t transform);
    // Lets go of the pictures, the table and the drawing target.
    static void release();

    // Picture name to rectangle. The game-wide tables make it; a game may clear it.
    static dfc::util::DHashtablePtr imageAtlas;
    // Where sprites and animations draw: the screen, or a picture of a game's own.
    static dfc::microedition::lcdui::DGraphicsPtr currentGraphics;
    // The atlas picture's size; the turned rectangles are measured with it.
    static int32_t width;
    static int32_t height;
    // Whether the atlas loaded last was cut short: that has been named, and the pictures it lost
    // are not named one by one.
    static bool cutShort;
    // The entry of the atlas text loaded last, as diagnostics name it; null without an atlas.
    static dfc::lang::DStringPtr entry;

private:
    static void readRectangles(const dfc::lang::DStringPtr& name);
    static void reportCutShort(const dfc::lang::DStringPtr& entry, const dfc::lang::DStringPtr& last, bool lastEnded);
    static void loadPictures(const dfc::lang::DStringPtr& name);
    static void dropPictures();

    // Indexed by transform code; codes without a copy stay null.
    static constexpr int codeSlots = 7;
    static dfc::microedition::lcdui::DImagePtr pictures[codeSlots];
};
