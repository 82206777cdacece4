#pragma once
#include "dentry.ptr"

namespace dfc::util {

// One key and value of a hash table, chained to the next entry of its bucket.
class DEntry : public lang::DObject {
public:
    DEntry(int hash, const lang::DObjectPtr& key, const lang::DObjectPtr& value, const DEntryPtr& next)
        : hash(hash), key(key), value(value), next(next) {}

    int hash;  // the key's hashCode as it answered
    lang::DObjectPtr key;
    lang::DObjectPtr value;
    DEntryPtr next;
};

}  // namespace dfc::util
