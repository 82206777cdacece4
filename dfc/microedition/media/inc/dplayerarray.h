#pragma once
#include "dplayer.h"
#include "dplayerarray.ptr"
#include "dtypedarray.h"

namespace dfc::microedition::media {

// One player per sound of a game.
class DPlayerArray : public lang::DTypedArray<DPlayerPtr> {
public:
    using DTypedArray::DTypedArray;
};

}  // namespace dfc::microedition::media
