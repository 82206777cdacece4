#pragma once
#include "dtypedarray.h"
#include "ball.ptr"
#include "ballarray.ptr"

class BallArray : public dfc::lang::DTypedArray<BallPtr> {
public:
    using DTypedArray::DTypedArray;
};
