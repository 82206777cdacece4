#pragma once
#include <cstdint>

// The pixels that all pictures hold at once, counted for the whole program against one limit:
// room is taken when a picture's pixels are allocated and given back when they are freed, so
// that many pictures, each of an allowed size, cannot together take more memory than the limit.
class PixelBudget {
public:
    // Some three times what the games' own data holds at its peak (Rockvale on the large screen).
    static constexpr uint64_t limit = uint64_t(1) << 22;

    // Takes room for that many pixels; false, taking none, when less is left.
    static bool take(uint64_t pixels);
    static void giveBack(uint64_t pixels);
    // The pixels that may still be taken.
    static uint64_t room() { return limit - held; }

private:
    static inline uint64_t held = 0;
};
