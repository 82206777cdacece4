#pragma once
#include "dtypedarray.h"
#include "brick.ptr"
#include "brickarray.ptr"

class BrickArray : public dfc::lang::DTypedArray<BrickPtr> {
public:
    using DTypedArray::DTypedArray;
};
