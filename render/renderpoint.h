#pragma once
#include <cstdint>

struct RenderPoint {
    int32_t x;
    int32_t y;
};
