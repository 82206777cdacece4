#pragma once
#include "denumeration.ptr"

namespace dfc::util {

// Hands out the elements of a collection one by one; past the end, an empty pointer.
class DEnumeration {
public:
    virtual ~DEnumeration() = default;
    virtual bool hasMoreElements() = 0;
    virtual lang::DObjectPtr nextElement() = 0;
};

}  // namespace dfc::util
