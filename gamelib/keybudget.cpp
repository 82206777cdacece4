#include "keybudget.h"

bool KeyBudget::admits(const dfc::lang::DStringPtr& key) {
    if (!refused) {
        int32_t& sharing = ofHash[key->hashCode()];
        refused = taken == keys || sharing == keysOfOneHash;
        if (!refused) {
            ++taken;
            ++sharing;
        }
    }
    return !refused;
}

dfc::lang::DStringPtr KeyBudget::overrun() {
    return dfc::lang::DStringPtr(u"more keys than a text may (") + keys + u", or " + keysOfOneHash +
           u" of one hash): the rest are left out";
}
