#pragma once
#include <cstdint>
#include "dobject.h"
#include "drandom.ptr"

namespace dfc::util {

// A 48-bit linear congruential generator; one shared instance serves every game.
class DRandom : public lang::DObject {
public:
    void setSeed(int64_t seed) { setState((static_cast<uint64_t>(seed) ^ multiplier) & mask); }
    // Bits 16..47 of the next state.
    int32_t nextInt() { return next(32); }
    // The top `bits` bits of the next state; next(32) is the same draw as nextInt, sign included.
    int32_t next(int bits) {
        step();
        return static_cast<int32_t>(static_cast<uint32_t>(state() >> (48 - bits)));
    }
    // |nextInt()| mod n, taking |-2^31| as 2^31 so that the result is never negative.
    int nextAbsMod(int n) { return absMod(nextInt(), n); }
    static int absMod(int32_t draw, int n) {
        uint32_t magnitude = draw < 0 ? 0u - static_cast<uint32_t>(draw) : static_cast<uint32_t>(draw);
        return static_cast<int>(magnitude % static_cast<uint32_t>(n));
    }

    // The two words of the state; games may overwrite them to reseed.
    uint32_t low = 0;
    uint32_t high = 0;

private:
    static constexpr uint64_t multiplier = 0x5DEECE66DULL;
    static constexpr uint64_t mask = (1ULL << 48) - 1;

    uint64_t state() const { return (static_cast<uint64_t>(high & 0xFFFF) << 32) | low; }
    void setState(uint64_t s) {
        low = static_cast<uint32_t>(s);
        high = static_cast<uint32_t>(s >> 32) & 0xFFFF;
    }
    void step() { setState((state() * multiplier + 0xB) & mask); }
};

}  // namespace dfc::util
