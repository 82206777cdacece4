#pragma once
#include "dtypedarray.h"
#include "alienship.ptr"
#include "alienshiparray.ptr"

class AlienShipArray : public dfc::lang::DTypedArray<AlienShipPtr> {
public:
    using DTypedArray::DTypedArray;
};
