#include "gamegrid.h"
#include "gametables.h"

void GameGrid::init(int32_t w, int32_t h) {
    width = w;
    height = h;
    cells = new dfc::lang::DintArray2d(h, w);
    created = true;
}

void GameGrid::release() {
    cells = nullptr;
    created = false;
}

void GameGrid::clear() {
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) cells[y][x] = 0;
}

template <class Change>
void GameGrid::forBlock(int32_t x, int32_t y, Change change) {
    for (int32_t dy = 0; dy < 4; ++dy)
        for (int32_t dx = 0; dx < 4; ++dx)
            if (inside(x + dx, y + dy)) change(cells[y + dy][x + dx], dx, dy);
}

void GameGrid::setBits(int32_t mask, int32_t x, int32_t y) {
    forBlock(x, y, [mask](int32_t& cell, int32_t, int32_t) { cell |= mask; });
}

void GameGrid::clearBits(int32_t mask, int32_t x, int32_t y) {
    forBlock(x, y, [mask](int32_t& cell, int32_t, int32_t) { cell &= ~mask; });
}

void GameGrid::releaseBlock(int32_t mask, int32_t x, int32_t y) {
    forBlock(x, y, [mask](int32_t& cell, int32_t, int32_t) { cell &= ~mask & 0xFFFF; });
}

void GameGrid::setBlockOwner(int32_t flag, int32_t owner, int32_t x, int32_t y) {
    const int32_t high = int32_t(uint32_t(owner) << 16);
    forBlock(x, y, [flag, high](int32_t& cell, int32_t, int32_t) { cell = (cell & 0xFFFF) | flag | high; });
}

void GameGrid::setOwnerAt(int32_t flag, int32_t owner, int32_t x, int32_t y) {
    if (inside(x, y)) cells[y][x] = (cells[y][x] & 0xFFFF) | flag | int32_t(uint32_t(owner) << 16);
}

int32_t GameGrid::testBlock(int32_t mask, int32_t x, int32_t y) {
    int32_t found = 0;
    forBlock(x, y, [mask, &found](int32_t& cell, int32_t dx, int32_t dy) {
        if (cell & mask) found |= (cell & mask) | GameTables::tanksBitMasks[dy][dx];
    });
    return found;
}

int32_t GameGrid::ownerAt(int32_t mask, int32_t x, int32_t y) {
    const int32_t cell = at(x, y);
    if ((cell & mask) != mask) return -1;
    return int16_t(uint32_t(cell) >> 16);
}

int32_t GameGrid::at(int32_t x, int32_t y) const { return inside(x, y) ? cells[y][x] : 0; }
