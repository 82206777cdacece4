#pragma once
#include "alienshiparray.h"
#include "alienshiparray2d.ptr"

// The formation: one row of aliens per row size, top row first.
class AlienShipArray2d : public dfc::lang::DTypedArray2d<AlienShipArrayPtr> {
public:
    using DTypedArray2d::DTypedArray2d;
};
