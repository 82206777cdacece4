#pragma once
#include "dimage.ptr"
#include "dimagearray.ptr"
#include "dtypedarray.h"

namespace dfc::microedition::lcdui {

class DImageArray : public lang::DTypedArray<DImagePtr> {
public:
    using DTypedArray::DTypedArray;
};

}  // namespace dfc::microedition::lcdui
