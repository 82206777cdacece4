#pragma once
#include "alienanimationarray.ptr"
#include "animation.ptr"
#include "dtypedarray.h"

// The formation animations of the eight alien kinds.
class AlienAnimationArray : public dfc::lang::DTypedArray<AnimationPtr> {
public:
    using DTypedArray::DTypedArray;
};
