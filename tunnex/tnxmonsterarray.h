#pragma once
#include "dtypedarray.h"
#include "tnxmonster.ptr"
#include "tnxmonsterarray.ptr"

class MonsterArray : public dfc::lang::DTypedArray<MonsterPtr> {
public:
    using DTypedArray::DTypedArray;
};
