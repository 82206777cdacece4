#pragma once
#include "cellbase.ptr"
#include "cellbasearray.ptr"
#include "dtypedarray.h"

class CellBaseArray : public dfc::lang::DTypedArray<CellBasePtr> {
public:
    using DTypedArray::DTypedArray;
};
