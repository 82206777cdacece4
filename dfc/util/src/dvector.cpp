#include "dvector.h"
#include "dexception.h"
#include "dnosuchelementexception.h"
#include "dvectorenumerator.h"

namespace dfc::util {

using namespace lang;

DVector::DVector(int initialCapacity)
    : capacity(initialCapacity > 0 ? initialCapacity : 0), data(new DObjectPtr[size_t(capacity)]) {}

void DVector::checkIndex(int index) const {
    if (index < 0 || index >= count) DFC_THROW(DArrayIndexOutOfBoundsException);
}

DObjectPtr DVector::elementAt(int index) {
    checkIndex(index);
    return data[index];
}

void DVector::addElement(const DObjectPtr& obj) {
    ensureCapacity(count + 1);
    data[count++] = obj;
}

void DVector::insertElementAt(const DObjectPtr& obj, int index) {
    if (index < 0 || index > count) DFC_THROW(DArrayIndexOutOfBoundsException);
    ensureCapacity(count + 1);
    for (int i = count; i > index; --i) data[i] = data[i - 1];
    data[index] = obj;
    ++count;
}

void DVector::setElementAt(const DObjectPtr& obj, int index) {
    checkIndex(index);
    data[index] = obj;
}

void DVector::removeElementAt(int index) {
    checkIndex(index);
    for (int i = index; i < count - 1; ++i) data[i] = data[i + 1];
    data[--count] = nullptr;
}

bool DVector::removeElement(const DObjectPtr& obj) {
    int index = indexOf(obj);
    if (index < 0) return false;
    removeElementAt(index);
    return true;
}

int DVector::indexOf(const DObjectPtr& obj, int from) {
    for (int i = from > 0 ? from : 0; i < count; ++i)
        if (data[i]->equals(obj)) return i;
    return -1;
}

bool DVector::contains(const DObjectPtr& obj) const {
    for (int i = 0; i < count; ++i)
        if (data[i].equals(obj)) return true;
    return false;
}

void DVector::removeAllElements() {
    for (int i = 0; i < count; ++i) data[i] = nullptr;
    count = 0;
}

DObjectPtr DVector::firstElement() {
    if (count == 0) DFC_THROW(DNoSuchElementException);
    return data[0];
}

DObjectPtr DVector::lastElement() {
    if (count == 0) DFC_THROW(DNoSuchElementException);
    return data[count - 1];
}

void DVector::copyInto(const DObjectArrayPtr& array) const {
    for (int i = 0; i < count && i < array->length; ++i) array->data[i] = data[i];
}

void DVector::ensureCapacity(int minimum) {
    if (minimum <= capacity) return;
    int grown = minimum > 2 * capacity ? minimum : 2 * capacity;
    std::unique_ptr<DObjectPtr[]> larger(new DObjectPtr[size_t(grown)]);
    for (int i = 0; i < count; ++i) larger[i] = data[i];
    data = std::move(larger);
    capacity = grown;
}

DEnumerationPtr DVector::elements() { return new DVectorEnumerator(this); }

}  // namespace dfc::util
