#pragma once
#include "dtypedarray.h"
#include "gbul.ptr"
#include "gbularray.ptr"

class GBULArray : public dfc::lang::DTypedArray<GBULPtr> {
public:
    using DTypedArray::DTypedArray;
};
