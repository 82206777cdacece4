#pragma once
#include <cstdint>
#include "dprimitives.h"
#include "particles.ptr"

// The sparks of the play screen: 100 rows of kind, position and speed in 16.16 fixed point,
// age and colour. A row of kind 0 is free; the rest fly, fall and fade.
class Particles : public dfc::lang::DObject {
public:
    static constexpr int count = 100;
    // Kinds of row.
    static constexpr int32_t freeRow = 0, fireSpark = 1, spark = 2, chip = 3;
    // Fields of a row.
    enum Field { kindField, xField, yField, xSpeedField, ySpeedField, ageField, colourField, fieldCount };

    // Places up to `number` sparks at (x, y) in free rows; the rest are dropped.
    void spawn(int number, int kind, int atX, int atY, int colour);
    // One frame: every spark moves and falls; old ones and those off the screen go.
    void step();
    void paint();
    void clear();

    dfc::lang::DintArray2dPtr rows = new dfc::lang::DintArray2d(count, fieldCount);

private:
    // A brick chip's colour for the brick kind, as 0xRRGGBB; -1 for kinds not drawn.
    static int chipColour(int brickKind);
};
