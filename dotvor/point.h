#pragma once
#include <cstdint>
#include "point.ptr"

// A cell of the maze: column and row.
class point : public dfc::lang::DObject {
public:
    point(int32_t x, int32_t y) : x(x), y(y) {}

    virtual void set(int32_t newX, int32_t newY) {
        x = newX;
        y = newY;
    }
    bool is(int32_t otherX, int32_t otherY) const { return x == otherX && y == otherY; }

    int32_t x;
    int32_t y;
};
