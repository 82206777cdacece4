#pragma once
#include "dtypedarray.h"
#include "tnxbag.ptr"
#include "tnxbagarray.ptr"

class BagArray : public dfc::lang::DTypedArray<BagPtr> {
public:
    using DTypedArray::DTypedArray;
};
