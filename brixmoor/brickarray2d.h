#pragma once
#include "brickarray.h"
#include "brickarray2d.ptr"

// The brick field's grid: rows of bricks.
class BrickArray2d : public dfc::lang::DTypedArray2d<BrickArrayPtr> {
public:
    using DTypedArray2d::DTypedArray2d;
};
