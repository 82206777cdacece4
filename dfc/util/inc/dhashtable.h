#pragma once
#include "denumeration.ptr"
#include "dentryarray.h"
#include "dhashtable.ptr"

namespace dfc::util {

// Object keys to object values, in chained buckets. Keys match by hashCode and equals, so
// strings and integers match by value. The table grows to 2n + 1 buckets when an insertion
// of a new key finds count at the threshold (buckets * load factor / 100).
class DHashtable : public lang::DObject {
public:
    DHashtable(int initialCapacity, int loadFactorPercent);

    lang::DObjectPtr get(const lang::DObjectPtr& key);
    // The value the key had, or an empty pointer; an empty key or value throws.
    lang::DObjectPtr put(const lang::DObjectPtr& key, const lang::DObjectPtr& value);
    lang::DObjectPtr remove(const lang::DObjectPtr& key);
    // From the last bucket to the first, each chain newest first.
    DEnumerationPtr keys();
    DEnumerationPtr elements();
    void clear();

private:
    int bucketOf(int hash) const { return int((unsigned(hash) & 0x7fffffffu) % unsigned(capacity)); }
    void rehash();

    DEntryArrayPtr table;
    int capacity;
    int count = 0;
    int loadFactor;
    int threshold;
};

}  // namespace dfc::util
