#pragma once
#include "denumeration.h"
#include "dvector.h"

namespace dfc::util {

// Walks a vector's elements in index order.
class DVectorEnumerator : public lang::DObject, public DEnumeration {
public:
    explicit DVectorEnumerator(const DVectorPtr& vector) : vector(vector) {}

    bool hasMoreElements() override { return index < vector->size(); }
    lang::DObjectPtr nextElement() override {
        return hasMoreElements() ? vector->elementAt(index++) : lang::DObjectPtr();
    }

private:
    DVectorPtr vector;
    int index = 0;
};

}  // namespace dfc::util
