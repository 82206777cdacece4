#include "dhashtable.h"
#include "dexception.h"
#include "dhashtableenumerator.h"

namespace dfc::util {

using namespace lang;

namespace {

int thresholdOf(int capacity, int loadFactor) { return int(int64_t(capacity) * loadFactor / 100); }

bool matches(const DEntryPtr& entry, int hash, const DObjectPtr& key) {
    return entry->hash == hash && key->equals(entry->key);
}

}  // namespace

DHashtable::DHashtable(int initialCapacity, int loadFactorPercent) {
    if (initialCapacity < 0 || loadFactorPercent <= 0) DFC_THROW(DIllegalArgumentException);
    capacity = initialCapacity == 0 ? 1 : initialCapacity;
    loadFactor = loadFactorPercent;
    threshold = thresholdOf(capacity, loadFactor);
    table = new DEntryArray(capacity);
}

DObjectPtr DHashtable::get(const DObjectPtr& key) {
    int hash = key->hashCode();
    for (DEntryPtr e = (*table)[bucketOf(hash)]; e; e = e->next)
        if (matches(e, hash, key)) return e->value;
    return DObjectPtr();
}

DObjectPtr DHashtable::put(const DObjectPtr& key, const DObjectPtr& value) {
    if (!key || !value) DFC_THROW(DNullPointerException);
    int hash = key->hashCode();
    for (DEntryPtr e = (*table)[bucketOf(hash)]; e; e = e->next) {
        if (!matches(e, hash, key)) continue;
        DObjectPtr old = e->value;
        e->value = value;
        return old;
    }
    if (count >= threshold) rehash();
    auto bucket = (*table)[bucketOf(hash)];
    bucket = new DEntry(hash, key, value, bucket);
    ++count;
    return DObjectPtr();
}

DObjectPtr DHashtable::remove(const DObjectPtr& key) {
    int hash = key->hashCode();
    auto bucket = (*table)[bucketOf(hash)];
    DEntryPtr previous;
    for (DEntryPtr e = bucket; e; previous = e, e = e->next) {
        if (!matches(e, hash, key)) continue;
        if (previous)
            previous->next = e->next;
        else
            bucket = e->next;
        --count;
        return e->value;
    }
    return DObjectPtr();
}

DEnumerationPtr DHashtable::keys() { return new DHashtableEnumerator(table, true); }

DEnumerationPtr DHashtable::elements() { return new DHashtableEnumerator(table, false); }

void DHashtable::clear() {
    for (DEnumerationPtr k = keys(); k->hasMoreElements();) remove(k->nextElement());
}

// Entries move to their new buckets, not copied; each lands at the head of its new chain.
void DHashtable::rehash() {
    DEntryArrayPtr old = table;
    int oldCapacity = capacity;
    capacity = oldCapacity * 2 + 1;
    threshold = thresholdOf(capacity, loadFactor);
    table = new DEntryArray(capacity);
    for (int i = 0; i < oldCapacity; ++i) {
        DEntryPtr e = (*old)[i];
        while (e) {
            DEntryPtr next = e->next;
            auto bucket = (*table)[bucketOf(e->hash)];
            e->next = bucket;
            bucket = e;
            e = next;
        }
    }
}

}  // namespace dfc::util
