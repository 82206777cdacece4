#pragma once
#include <memory>
#include "denumeration.ptr"
#include "dobjectarray.h"
#include "dvector.ptr"

namespace dfc::util {

// A growable array of objects; grows to the larger of the need and twice its capacity.
class DVector : public lang::DObject {
public:
    DVector() : DVector(16) {}
    explicit DVector(int initialCapacity);

    int size() const { return count; }
    // Indices outside 0 to size () - 1 throw DArrayIndexOutOfBoundsException.
    lang::DObjectPtr elementAt(int index);
    void addElement(const lang::DObjectPtr& obj);
    // index may be size (): the element is appended.
    void insertElementAt(const lang::DObjectPtr& obj, int index);
    void setElementAt(const lang::DObjectPtr& obj, int index);
    void removeElementAt(int index);
    // Finds by the elements' equals; an empty element met on the way throws.
    bool removeElement(const lang::DObjectPtr& obj);
    int indexOf(const lang::DObjectPtr& obj) { return indexOf(obj, 0); }
    int indexOf(const lang::DObjectPtr& obj, int from);
    // Finds by pointer equality, empty elements included.
    bool contains(const lang::DObjectPtr& obj) const;
    void removeAllElements();
    // On an empty vector these throw DNoSuchElementException.
    lang::DObjectPtr firstElement();
    lang::DObjectPtr lastElement();
    // As many elements as both the vector and the array have places for.
    void copyInto(const lang::DObjectArrayPtr& array) const;
    void ensureCapacity(int minimum);
    DEnumerationPtr elements();

private:
    void checkIndex(int index) const;

    int capacity;
    int count = 0;
    std::unique_ptr<lang::DObjectPtr[]> data;
};

}  // namespace dfc::util
