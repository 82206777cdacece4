#pragma once
#include <cstdint>
#include "dimage.h"
#include "dimagearray.h"
#include "dprimitives.h"

// The play screen's backdrop: three layers of 50 one-pixel stars and a tiled background
// picture, all in 16.16 fixed point. The ship's flight drifts them the other way, the far
// layers slower. Everything is static.
class StarField {
public:
    static constexpr int32_t layers = 3, starsPerLayer = 50;

    static constexpr int32_t backdropCount = 3;

    // Scatters the stars over the screen.
    static void create();
    // Decodes the waves' pictures, "/rkv/" + 1..3 + ".jpg", once, while the game loads: a
    // decode takes longer than a frame. They are kept (three screens of 16-bit pixels).
    static void loadBackdrops();
    // The next wave's picture, from the top-left corner; a picture that could not be read
    // leaves the background black, with a diagnostic.
    static void setBackground(int wave);
    // The stars of layer L move by -v / 8 x 4^L, the background by v / 4 (pixels a step).
    static void drift(int vx, int vy);
    static void paint();
    static void release();

    // Row i: x and y of star i, layer i / starsPerLayer.
    static dfc::lang::DintArray2dPtr stars;
    static dfc::microedition::lcdui::DImagePtr background;
    // The decoded pictures in wave order; a slot is null when its picture cannot be read.
    static dfc::microedition::lcdui::DImageArrayPtr backdrops;
    static int32_t backgroundScrollX;
    static int32_t backgroundScrollY;

private:
    static dfc::lang::DStringPtr backdropName(int number);
    static void paintBackground();
    // value kept within 0 <= value < limit (both 16.16).
    static int32_t wrapped(int32_t value, int32_t limit);
};
