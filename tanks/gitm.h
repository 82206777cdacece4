#pragma once
#include <cstdint>
#include "gitm.ptr"

// A field item on one block: a wall block (kind 0), a house of either kind (1, 2) or a
// one-hit obstacle (3 and above). Bullets wear it down; an item run out of hit points keeps
// its slot, inactive.
class GITM : public dfc::lang::DObject {
public:
    static constexpr int32_t wallBlock = 0, firstHouse = 1, secondHouse = 2;
    static constexpr int32_t wallHitPoints = 8;

    virtual void init(int32_t kind, int32_t x, int32_t y);
    virtual void deactivate();
    // Returns whether the item still stands.
    virtual bool damage(int32_t amount);

    int32_t reserved = 0;
    int32_t kind = 0;
    int32_t hitPoints = 0;
    int32_t x = 0;
    int32_t y = 0;
    bool active = false;
};
