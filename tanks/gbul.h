#pragma once
#include <cstdint>
#include "gbul.ptr"

// A shell in flight or bursting. It moves a unit at a time in sub-units (4 a unit); a burst
// shows four explosion frames and then the bullet is free again.
class GBUL : public dfc::lang::DObject {
public:
    static constexpr int32_t FLYING = 1, BURSTING = 0;
    static constexpr int32_t subUnits = 4;

    virtual bool step();
    virtual int32_t pixelX();
    virtual int32_t pixelY();
    // Starts the bullet two units from (x, y) in the direction; a start outside the field of
    // width x height units leaves it inactive. kind sets power and speed; tile is the
    // display's tile size, which scales the speeds on large tiles.
    void launch(int32_t x, int32_t y, int32_t direction, int32_t kind, bool byPlayer, int32_t width, int32_t height,
                int32_t tile);
    void burst();

    bool active = false;
    bool byPlayer = false;
    bool justLaunched = false;
    int32_t state = FLYING;
    int32_t frame = 0;
    int32_t power = 1;
    int32_t speed = 2;
    int32_t direction = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t subX = 0;
    int32_t subY = 0;
    int32_t timer = 0;
};
