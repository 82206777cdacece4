#pragma once
#include "dtypedarray.h"
#include "bonus.ptr"
#include "bonusarray.ptr"

class BonusArray : public dfc::lang::DTypedArray<BonusPtr> {
public:
    using DTypedArray::DTypedArray;
};
