#pragma once
#include <cstdint>
#include "dprimitives.h"
#include "gamegrid.ptr"

// The battle's occupancy grid: one 32-bit cell per unit, its low bits saying what lies there
// (ground, cover, base, bonus, tank, item) and its high 16 bits the owner number of the tank
// or item. Every collision of the battle is a look-up here. Block operations cover the 4 x 4
// cells from (x, y); cells outside the field are left out.
class GameGrid : public dfc::lang::DObject {
public:
    static constexpr int32_t water = 0x02, cover = 0x20, base = 0x40, bonus = 0x100, tank = 0x2000,
                             item = 0x8000, groundBits = 0x1F;
    // What stops a tank (item, tank, base or water) and what stops a bullet.
    static constexpr int32_t blocksTank = 0xA042, blocksBullet = 0xA040;

    virtual void init(int32_t w, int32_t h);
    virtual void release();
    virtual void clear();
    virtual void setBits(int32_t mask, int32_t x, int32_t y);
    // Clears mask; the owner number stays.
    virtual void clearBits(int32_t mask, int32_t x, int32_t y);
    // Clears mask and the owner number.
    virtual void releaseBlock(int32_t mask, int32_t x, int32_t y);
    virtual void setBlockOwner(int32_t flag, int32_t owner, int32_t x, int32_t y);
    virtual void setOwnerAt(int32_t flag, int32_t owner, int32_t x, int32_t y);
    // Over the cells holding any bit of mask: their bits of mask and each one's own bit of the
    // 4 x 4 table; 0 when none does.
    virtual int32_t testBlock(int32_t mask, int32_t x, int32_t y);
    // -1 unless the cell holds every bit of mask; else its owner as a signed 16-bit number.
    virtual int32_t ownerAt(int32_t mask, int32_t x, int32_t y);

    bool inside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    // Whether a whole block at (x, y) lies in the field.
    bool blockInside(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x <= width - 4 && y <= height - 4; }
    // The cell, 0 outside the field.
    int32_t at(int32_t x, int32_t y) const;
    // The unsigned owner field of the cell.
    int32_t ownerField(int32_t x, int32_t y) const { return int32_t(uint32_t(at(x, y)) >> 16); }

    int32_t width = 0;
    int32_t height = 0;
    dfc::lang::DintArray2dPtr cells;
    bool created = false;

private:
    template <class Change>
    void forBlock(int32_t x, int32_t y, Change change);
};
