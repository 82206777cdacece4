#pragma once
#include <cstdint>
#include "animation.ptr"
#include "firebolt.ptr"

// The player's one shot: it flies along the tunnels, kills the first monster it meets and
// then reloads for longer the faster the level.
class Firebolt : public dfc::lang::DObject {
public:
    virtual void reset();
    virtual void release();
    virtual void fire(int fromX, int fromY, int d);
    virtual void update();
    virtual void paint();
    virtual void stop();

    int32_t x = 0, y = 0;
    int32_t reload = 0;
    int32_t direction = 0;
    bool flying = false;
    int32_t row = 0, column = 0, dx = 0, dy = 0;
    AnimationPtr flight;

private:
    // False when the bolt left its tunnel and stopped.
    bool fly();
    void hitMonsters();
};
