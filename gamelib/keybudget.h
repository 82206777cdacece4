#pragma once
#include <cstdint>
#include <unordered_map>
#include "dstring.h"

// The keys one text may put in a table. A table walks every key of a bucket, and a text can
// make its keys share one hash at will, so a text past these bounds would fill its table in
// work that grows with the square of its length; the game's texts hold a few hundred keys.
class KeyBudget {
public:
    static constexpr int32_t keys = 4096;
    static constexpr int32_t keysOfOneHash = 8;
    // What a text past them holds, as its line tells it.
    static dfc::lang::DStringPtr overrun();

    // Whether the key may go in, counted if so; once refused, every later key is refused too.
    bool admits(const dfc::lang::DStringPtr& key);
    bool exceeded() const { return refused; }

private:
    int32_t taken = 0;
    std::unordered_map<int32_t, int32_t> ofHash;
    bool refused = false;
};
