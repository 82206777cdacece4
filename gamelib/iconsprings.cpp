#include "iconsprings.h"
#include <cstdlib>

void IconSprings::move() {
    for (int32_t icon = 0; icon < iconCount; ++icon) {
        moveAxis(icon, x);
        moveAxis(icon, y);
    }
}

void IconSprings::moveAxis(int32_t icon, int axis) {
    int32_t& p = position[icon][axis];
    int32_t& v = velocity[icon][axis];
    const int32_t t = target[icon][axis];
    // Moving away from the target brakes hard; moving towards it speeds up gently.
    if (p > t) v -= v > 0 ? step : step >> 2;
    if (p < t) v += v < 0 ? step : step >> 2;
    if (std::abs(p - t) < step && std::abs(v) < step) {
        p = t;
        v = 0;
    }
    p += v;
}
