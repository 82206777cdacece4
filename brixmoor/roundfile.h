#pragma once
#include <cstdint>
#include "ddatainputstream.h"
#include "dprimitives.h"
#include "dstring.h"
#include "roundfile.ptr"

// A round of the brick game as its file gives it: 21 lines of 11 cells, one byte a cell,
// each line ended by CR and one more byte. A cell's letter in the legend "abcdefghij" gives
// the brick's kind and the hits it takes; any other byte is an empty cell. A file that does
// not hold 21 such lines is refused whole, so a broken round never half fills the field.
class RoundFile : public dfc::lang::DObject {
public:
    static constexpr int rows = 21;
    static constexpr int columns = 11;

    // "/bxm/data/round" + the number in two digits + ".txt".
    static dfc::lang::DStringPtr fileName(int round);
    // The five backgrounds in turn: "/bxm/img/back1.jpg" to "back5.jpg".
    static dfc::lang::DStringPtr backgroundName(int round);
    // The round's file, opened through the game library. Throws DIOException when it is
    // missing or malformed, its message saying what is wrong.
    static RoundFilePtr load(int round);
    static RoundFilePtr read(const dfc::io::DDataInputStreamPtr& in);

    // The legend's value of a cell byte: its index + 1, or 0 when the legend lacks it.
    static int legendValue(int cell);
    static int kindOf(int value);
    static int hitsOf(int value);

    int kindAt(int row, int column) { return kindOf(cells[row][column]); }
    int hitsAt(int row, int column) { return hitsOf(cells[row][column]); }
    // The hits still needed to clear the round: all but those of regrowing and solid bricks.
    int hitsToClear();

private:
    // Legend values by row.
    dfc::lang::DintArray2dPtr cells = new dfc::lang::DintArray2d(rows, columns);

    static void readRow(const dfc::io::DDataInputStreamPtr& in, const dfc::lang::DintArrayPtr& row, int line);
};
