#pragma once
#include "alienimagetable.ptr"
#include "dtypedarray.h"
#include "gameimagearray.h"

// The direction pictures of the eight alien kinds: one row of sixteen per kind.
class AlienImageTable : public dfc::lang::DTypedArray2d<GameImageArrayPtr> {
public:
    using DTypedArray2d::DTypedArray2d;
};
