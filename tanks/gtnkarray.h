#pragma once
#include "dtypedarray.h"
#include "gtnk.ptr"
#include "gtnkarray.ptr"

class GTNKArray : public dfc::lang::DTypedArray<GTNKPtr> {
public:
    using DTypedArray::DTypedArray;
};
