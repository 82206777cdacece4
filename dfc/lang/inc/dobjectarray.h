// Fixed-length arrays of object pointers, and the typed arrays made from them.
#pragma once
#include "dobjectarray.ptr"

namespace dfc::lang {

class DObjectArray : public DObject {
public:
    explicit DObjectArray(int length);
    ~DObjectArray() override;

    DObjectPtr& operator[](int index) {
        if (index < 0 || index >= length) outOfBounds(__FILE__, __LINE__);
        return data[index];
    }

    const int length;
    DObjectPtr* const data;

    [[noreturn]] static void outOfBounds(const char* path, int line);
};

// One element of a typed array: reads as its pointer class P, is assigned through.
template <class P>
class DElement {
public:
    explicit DElement(DObjectPtr& slot) : slot(slot) {}
    DElement(const DElement&) = default;

    operator P() const { return P::from(slot); }
    DElement& operator=(const P& value) {
        slot = value;
        return *this;
    }
    DElement& operator=(const DElement& other) {
        slot = other.slot;
        return *this;
    }
    DElement& operator=(std::nullptr_t) {
        slot = nullptr;
        return *this;
    }

    typename P::Pointee* operator->() const { return P::from(slot).operator->(); }
    typename P::Pointee& operator*() const { return *operator->(); }
    template <class I>
    decltype(auto) operator[](I index) const {
        return (*operator->())[index];
    }
    typename P::Pointee* get() const { return P::from(slot).get(); }
    bool isNull() const { return slot.isNull(); }
    explicit operator bool() const { return bool(slot); }

private:
    DObjectPtr& slot;
};

// An object array whose elements all hold one class, reached through its pointer class P.
template <class P>
class DArrayOf : public DObjectArray {
public:
    explicit DArrayOf(int length) : DObjectArray(length) {}

    DElement<P> operator[](int index) { return DElement<P>(DObjectArray::operator[](index)); }

protected:
    // Makes every element a new object from the same arguments: the rows of a grid.
    template <class... A>
    void fill(A... args) {
        for (int i = 0; i < length; ++i) data[i] = new typename P::Pointee(args...);
    }
};

}  // namespace dfc::lang
