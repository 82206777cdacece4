#pragma once
#include "dentry.h"
#include "dentryarray.ptr"
#include "dtypedarray.h"

namespace dfc::util {

// A hash table's buckets: the head entry of each chain.
class DEntryArray : public lang::DTypedArray<DEntryPtr> {
public:
    using DTypedArray::DTypedArray;
};

}  // namespace dfc::util
