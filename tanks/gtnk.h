#pragma once
#include <cstdint>
#include "gtnk.ptr"

// A tank, the player's or an enemy's. It stands on a 4 x 4-unit block and moves one unit at
// a time in sub-units (8 a unit); an enemy appears (BORN) before it can act.
class GTNK : public dfc::lang::DObject {
public:
    static constexpr int32_t NORMAL = 0, BORN = -1, MOVING = 1, DESTROYED = 2;
    static constexpr int32_t LEFT = 0, UP = 1, RIGHT = 2, DOWN = 3;
    static constexpr int32_t subUnits = 8;
    // What each step of the battle stands for, in milliseconds.
    static constexpr int32_t stepMillis = 30;

    virtual void init(int32_t type);
    virtual void deactivate();
    virtual void place(int32_t x, int32_t y, int32_t direction);
    // Only a NORMAL tank turns.
    virtual bool turn(int32_t direction);
    // One step of timers and movement; whether the tank is NORMAL afterwards.
    virtual bool update();
    virtual bool setState(int32_t state);
    virtual bool isState(int32_t state);
    virtual bool canFire();
    // Sub-pixels of the 16-pixel-tile space.
    virtual int32_t pixelX();
    virtual int32_t pixelY();

    // Where a shot starts from the tank's block, and the step of a move, by direction; any
    // other direction gives 0 and a diagnostic.
    static int32_t _XCO(int32_t direction);
    static int32_t _YCO(int32_t direction);
    static int32_t _XMO(int32_t direction);
    static int32_t _YMO(int32_t direction);

    int32_t animation = 0;
    int32_t state = NORMAL;
    int32_t type = 0;
    int32_t reload = 0;
    // For the player tank, its lives.
    int32_t armour = 0;
    int32_t speed = 0;
    int32_t direction = DOWN;
    int32_t x = 0;
    int32_t y = 0;
    int32_t subX = 0;
    int32_t subY = 0;
    bool hasBeenBorn = false;
    bool isDestroyed = false;
    int64_t bornTimer = -1;
    bool active = false;
};
