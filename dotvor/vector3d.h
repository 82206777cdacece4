#pragma once
#include <cstdint>
#include "vector3d.ptr"

// A pixel position or a direction; two components only.
class vector_3d : public dfc::lang::DObject {
public:
    vector_3d() = default;
    vector_3d(int32_t x, int32_t y) : x(x), y(y) {}

    virtual void set(int32_t newX, int32_t newY) {
        x = newX;
        y = newY;
    }
    bool is(int32_t otherX, int32_t otherY) const { return x == otherX && y == otherY; }
    bool isZero() const { return x == 0 && y == 0; }

    int32_t x = 0;
    int32_t y = 0;
};
