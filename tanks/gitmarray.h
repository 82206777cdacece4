#pragma once
#include "dtypedarray.h"
#include "gitm.ptr"
#include "gitmarray.ptr"

class GITMArray : public dfc::lang::DTypedArray<GITMPtr> {
public:
    using DTypedArray::DTypedArray;
};
