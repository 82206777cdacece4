#pragma once
#include "dtypedarray.h"
#include "animation.ptr"
#include "animationarray.ptr"

class AnimationArray : public dfc::lang::DTypedArray<AnimationPtr> {
public:
    using DTypedArray::DTypedArray;
};
