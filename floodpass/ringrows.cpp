#include "ringrows.h"
#include <algorithm>
#include <cstddef>

void RingRows::reset(int slots, int rowColumns) {
    columns = rowColumns;
    words.assign(size_t(slots) * size_t(columns), 0);
    known.assign(size_t(slots), false);
}

int RingRows::find(const int32_t* row, int slot) const {
    for (int s = 0; s < int(known.size()); ++s)
        if (s != slot && holds(s, row)) return s;
    return -1;
}

bool RingRows::holds(int slot, const int32_t* row) const {
    if (slot < 0 || slot >= int(known.size()) || !known[size_t(slot)]) return false;
    return std::equal(row, row + columns, words.begin() + std::ptrdiff_t(slot) * columns);
}

void RingRows::record(int slot, const int32_t* row) {
    if (slot < 0 || slot >= int(known.size())) return;
    known[size_t(slot)] = row != nullptr;
    if (row) std::copy(row, row + columns, words.begin() + std::ptrdiff_t(slot) * columns);
}

void RingRows::shiftUp(bool exact) {
    if (known.empty()) return;
    if (!exact) {
        std::fill(known.begin(), known.end(), false);
        return;
    }
    std::copy(words.begin() + columns, words.end(), words.begin());
    for (size_t s = 0; s + 1 < known.size(); ++s) known[s] = known[s + 1];
}
