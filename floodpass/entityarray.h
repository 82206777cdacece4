#pragma once
#include "dtypedarray.h"
#include "entity.ptr"
#include "entityarray.ptr"

class EntityArray : public dfc::lang::DTypedArray<EntityPtr> {
public:
    using DTypedArray::DTypedArray;
};
