// Object arrays of one element class that name themselves after it. A game declares
//   class GameImageArray : public DTypedArray<GameImagePtr> { using DTypedArray::DTypedArray; };
// with DFC_DECLARE_PTR(GameImageArray, DObjectArrayPtr) in gameimagearray.ptr.
#pragma once
#include <string>
#include "dobjectarray.h"

namespace dfc::lang {

// A typed array that names itself after its first element's class: "GameImageArray".
template <class P>
class DTypedArray : public DArrayOf<P> {
public:
    using DArrayOf<P>::DArrayOf;

    const char* className() const override {
        if (this->length < 1) return "DObjectArray";
        compose(this->data[0]->className(), "Array");
        return name.c_str();
    }

protected:
    // Each array owns its name, so one array's answer never changes under another's.
    void compose(const char* element, const char* suffix) const {
        std::string composed = std::string(element) + suffix;
        if (composed != name) name = composed;
    }

    mutable std::string name;
};

// A grid of typed rows, named after its first row: "GameImageArray2d".
template <class RowPtr>
class DTypedArray2d : public DTypedArray<RowPtr> {
public:
    explicit DTypedArray2d(int rows) : DTypedArray<RowPtr>(rows) {}
    DTypedArray2d(int rows, int cols) : DTypedArray<RowPtr>(rows) { this->fill(cols); }

    const char* className() const override {
        if (this->length < 1 || !this->data[0]) return "DObjectArray2d";
        this->compose(this->data[0]->className(), "2d");
        return this->name.c_str();
    }
};

}  // namespace dfc::lang
