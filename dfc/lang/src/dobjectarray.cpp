#include "dobjectarray.h"
#include "dexception.h"

namespace dfc::lang {

DObjectArray::DObjectArray(int n) : length(n > 0 ? n : 0), data(length ? new DObjectPtr[length] : nullptr) {}

DObjectArray::~DObjectArray() { delete[] data; }

void DObjectArray::outOfBounds(const char* path, int line) {
    throw DArrayIndexOutOfBoundsExceptionPtr(new DArrayIndexOutOfBoundsException(throwSite(path, line)));
}

}  // namespace dfc::lang
