#pragma once
#include "denumeration.h"
#include "dentryarray.h"

namespace dfc::util {

// Walks a hash table's buckets from the last to the first, each chain from its head.
class DHashtableEnumerator : public lang::DObject, public DEnumeration {
public:
    DHashtableEnumerator(const DEntryArrayPtr& table, bool keys) : table(table), keys(keys), index(table->length) {}

    bool hasMoreElements() override;
    lang::DObjectPtr nextElement() override;

private:
    DEntryArrayPtr table;
    DEntryPtr entry;
    bool keys;
    int index;  // buckets not yet visited
};

}  // namespace dfc::util
