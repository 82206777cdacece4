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
