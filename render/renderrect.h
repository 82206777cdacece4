#pragma once
#include <algorithm>
#include <cstdint>
#include "renderpoint.h"

// A rectangle whose right and bottom edges lie just outside it.
struct RenderRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    bool isEmpty() const { return right <= left || bottom <= top; }
    // As 64-bit values: edges far apart must not overflow.
    int64_t width() const { return int64_t(right) - left; }
    int64_t height() const { return int64_t(bottom) - top; }
    bool contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }

    RenderRect intersect(const RenderRect& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    }
    RenderRect unite(const RenderRect& o) const {
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    // Grows the rectangle just enough to hold the point.
    void extend(RenderPoint p) {
        if (p.x < left) left = p.x;
        else if (p.x >= right) right = p.x + 1;
        if (p.y < top) top = p.y;
        else if (p.y >= bottom) bottom = p.y + 1;
    }
};
