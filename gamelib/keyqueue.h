#pragma once
#include <cstdint>

// The key events that arrived between ticks, applied one per tick. It empties only when every
// event has been taken; when full, the newest event replaces the last entry.
class KeyQueue {
public:
    static constexpr int32_t capacity = 1024;

    struct Entry {
        int32_t code;
        int32_t pressed;  // 1 press, 0 release
    };

    void append(int32_t code, bool pressed);
    // The oldest waiting event; false when none waits.
    bool take(Entry* entry);
    void clear() { write = read = -1; }

    // Index of the last written entry and of the next one to take; -1 when empty.
    int32_t write = -1;
    int32_t read = -1;

private:
    Entry entries[capacity] = {};
};
