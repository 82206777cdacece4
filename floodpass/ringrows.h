#pragma once
#include <cstdint>
#include <vector>

// The map rows the river ring holds, slot by slot (a slot is one row of cells, top first). A
// row whose every cell has a ground tile of a whole cell, drawn without the colour key, has the
// same pixels wherever it is drawn: a slot known to hold such a row needs no drawing for it,
// and another slot can take it by a copy of one strip of pixels instead of cell by cell.
class RingRows {
public:
    // Nothing known of the ring's slots, each row of `columns` cells.
    void reset(int slots, int columns);
    // The slot (other than `slot`) that holds this row, or -1.
    int find(const int32_t* words, int slot) const;
    bool holds(int slot, const int32_t* words) const;
    // The slot holds the row now; without words (a row not made of whole cells) nothing is known
    // of it.
    void record(int slot, const int32_t* words);
    // The ring was copied onto itself one slot up: exactly when it had no key pixels, else
    // nothing is known any more. The last slot keeps what it held.
    void shiftUp(bool exact);

private:
    int columns = 0;
    std::vector<int32_t> words;
    std::vector<bool> known;
};
