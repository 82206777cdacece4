#pragma once
#include "dtypedarray.h"
#include "flyingo.ptr"
#include "flyingoarray.ptr"

class FlyingOArray : public dfc::lang::DTypedArray<FlyingOPtr> {
public:
    using DTypedArray::DTypedArray;
};
