#pragma once
#include <cstdint>
#include "rectangle.ptr"

// A box in pixels; right and bottom lie one past the box.
class rectangle : public dfc::lang::DObject {
public:
    rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) { set(left, top, right, bottom); }

    virtual void set(int32_t newLeft, int32_t newTop, int32_t newRight, int32_t newBottom) {
        left = newLeft;
        top = newTop;
        right = newRight;
        bottom = newBottom;
    }

    int32_t left = 0;
    int32_t right = 0;
    int32_t top = 0;
    int32_t bottom = 0;
};
