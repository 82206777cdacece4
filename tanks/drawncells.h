#pragma once
#include <cstdint>
#include <vector>
#include "dimage.h"
#include "gameimage.h"

// What each block of the field picture was last drawn with. A block drawn again with the same
// pictures keeps the pixels it has, so only the blocks whose pictures changed are drawn, and
// the field is not drawn whole each time a little of it changes.
class DrawnCells {
public:
    // The pictures of a block from the bottom up; null where there is none.
    struct Look {
        GameImagePtr ground, emblem, item;
    };

    // Off, every block counts as changed and is drawn again: plain drawing, which tests compare
    // with. One flag read per block drawn.
    static inline bool skipUnchanged = true;

    // Forgets every block when the field picture is another one or the block count changed.
    void follow(const dfc::microedition::lcdui::DImagePtr& picture, int32_t blocks);
    // Records the block's look; false when the block was drawn with it already.
    bool change(int32_t block, const Look& look);
    void clear();

private:
    // Held, so that the address of a dropped picture is never taken for a new one's.
    dfc::microedition::lcdui::DImagePtr picture;
    std::vector<Look> looks;
};
