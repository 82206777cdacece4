#include "dhashtableenumerator.h"

namespace dfc::util {

bool DHashtableEnumerator::hasMoreElements() {
    while (!entry && index > 0) entry = (*table)[--index];
    return bool(entry);
}

lang::DObjectPtr DHashtableEnumerator::nextElement() {
    if (!hasMoreElements()) return lang::DObjectPtr();
    DEntryPtr e = entry;
    entry = e->next;
    return keys ? e->key : e->value;
}

}  // namespace dfc::util
