// Fixed-length arrays of the primitive types in one, two and three dimensions:
// DintArray, DintArray2d (rows of DintArray), DintArray3d (planes of DintArray2d), and
// likewise for bool, byte, char, short, long and uint. Every access is bounds-checked.
#pragma once
#include <cstdint>
#include "dobjectarray.h"
// clang-format off
#include "dboolarray.ptr"
#include "dboolarray2d.ptr"
#include "dboolarray3d.ptr"
#include "dbytearray.ptr"
#include "dbytearray2d.ptr"
#include "dbytearray3d.ptr"
#include "dchararray.ptr"
#include "dchararray2d.ptr"
#include "dchararray3d.ptr"
#include "dshortarray.ptr"
#include "dshortarray2d.ptr"
#include "dshortarray3d.ptr"
#include "dintarray.ptr"
#include "dintarray2d.ptr"
#include "dintarray3d.ptr"
#include "dlongarray.ptr"
#include "dlongarray2d.ptr"
#include "dlongarray3d.ptr"
#include "duintarray.ptr"
#include "duintarray2d.ptr"
#include "duintarray3d.ptr"
// clang-format on

namespace dfc::lang {

// T is the element; Value the type its initial values are passed as.
template <class T, class Value>
class DPrimitiveArray : public DObject {
public:
    using Element = T;

    // All zero; a length below 1 has no storage.
    explicit DPrimitiveArray(int n) : length(n > 0 ? n : 0), data(length ? new T[length]() : nullptr) {}
    // count elements from the values that follow; missing values stay zero, extra ones are ignored.
    template <class... V>
    DPrimitiveArray(int count, Value first, V... rest) : DPrimitiveArray(count) {
        const Value values[] = {first, static_cast<Value>(rest)...};
        for (int i = 0; i < length && i < int(sizeof values / sizeof values[0]); ++i)
            data[i] = static_cast<T>(values[i]);
    }
    ~DPrimitiveArray() override { delete[] data; }

    T& operator[](int index) {
        if (index < 0 || index >= length) DObjectArray::outOfBounds(__FILE__, __LINE__);
        return data[index];
    }

    const int length;
    T* const data;
};

}  // namespace dfc::lang

#define DFC_PRIMITIVE_ARRAYS(Kind, T, Value)                                                 \
    class Kind##Array : public DPrimitiveArray<T, Value> {                                   \
    public:                                                                                  \
        using DPrimitiveArray::DPrimitiveArray;                                              \
        const char* className() const override { return #Kind "Array"; }                     \
    };                                                                                       \
    class Kind##Array2d : public DArrayOf<Kind##ArrayPtr> {                                  \
    public:                                                                                  \
        explicit Kind##Array2d(int rows) : DArrayOf(rows) {}                                 \
        Kind##Array2d(int rows, int cols) : DArrayOf(rows) { fill(cols); }                   \
        const char* className() const override { return #Kind "Array2d"; }                   \
    };                                                                                       \
    class Kind##Array3d : public DArrayOf<Kind##Array2dPtr> {                                \
    public:                                                                                  \
        explicit Kind##Array3d(int planes) : DArrayOf(planes) {}                             \
        Kind##Array3d(int planes, int rows, int cols) : DArrayOf(planes) { fill(rows, cols); } \
        const char* className() const override { return #Kind "Array3d"; }                   \
    }

namespace dfc::lang {
DFC_PRIMITIVE_ARRAYS(Dbool, bool, int);
DFC_PRIMITIVE_ARRAYS(Dbyte, int8_t, int);
DFC_PRIMITIVE_ARRAYS(Dchar, char16_t, int);
DFC_PRIMITIVE_ARRAYS(Dshort, int16_t, int);
DFC_PRIMITIVE_ARRAYS(Dint, int32_t, int);
DFC_PRIMITIVE_ARRAYS(Dlong, int64_t, int64_t);
DFC_PRIMITIVE_ARRAYS(Duint, uint32_t, int);
}  // namespace dfc::lang

#undef DFC_PRIMITIVE_ARRAYS
