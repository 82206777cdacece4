#pragma once
#include "dobjectarray.h"
#include "dobjectarray2d.ptr"

namespace dfc::lang {

// Rows of object pointers.
class DObjectArray2d : public DArrayOf<DObjectArrayPtr> {
public:
    explicit DObjectArray2d(int rows) : DArrayOf(rows) {}
    DObjectArray2d(int rows, int cols) : DArrayOf(rows) { fill(cols); }
};

}  // namespace dfc::lang
