#pragma once
#include "dtypedarray.h"
#include "imagefont.ptr"
#include "imagefontarray.ptr"

class ImageFontArray : public dfc::lang::DTypedArray<ImageFontPtr> {
public:
    using DTypedArray::DTypedArray;
};
