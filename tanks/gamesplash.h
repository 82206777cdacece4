#pragma once
#include "gameimagearray.h"
#include "gamesplash.ptr"

class GameMain;

// The enemy-tank icons of the results screen, facing down (the atlas's "_dn" turn, or the
// "-dn" pictures of large tiles): types 0-3 and their marked forms 4-7.
class GameSplash : public dfc::lang::DObject {
public:
    static constexpr int32_t iconCount = 8;

    virtual void init(GameMain* gameMain);
    virtual void release();

    GameImageArrayPtr icons;
};
