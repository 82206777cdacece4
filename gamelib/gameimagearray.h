#pragma once
#include "dtypedarray.h"
#include "gameimage.ptr"
#include "gameimagearray.ptr"

class GameImageArray : public dfc::lang::DTypedArray<GameImagePtr> {
public:
    using DTypedArray::DTypedArray;
};
