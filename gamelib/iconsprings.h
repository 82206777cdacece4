#pragma once
#include <cstdint>

// The small shell layout's icons, each pulled towards its resting place as if on a spring:
// positions and velocities in signed 16.16 fixed point, one step per frame.
class IconSprings {
public:
    static constexpr int32_t iconCount = 9;
    static constexpr int32_t one = 0x10000;
    enum Axis { x = 0, y = 1 };

    // The pull per frame, also the distance and speed below which an icon stops.
    int32_t step = 0x7000;
    int32_t target[iconCount][2] = {};
    int32_t position[iconCount][2] = {};
    int32_t velocity[iconCount][2] = {};

    // Moves every icon one frame towards its target.
    void move();
    // Pushes an icon along one axis.
    void kick(int32_t icon, Axis axis, int32_t amount) { velocity[icon][axis] += amount; }
    // Whole pixels of an icon's position.
    int32_t pixel(int32_t icon, Axis axis) const { return position[icon][axis] >> 16; }

private:
    void moveAxis(int32_t icon, int axis);
};
