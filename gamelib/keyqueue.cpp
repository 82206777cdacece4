#include "keyqueue.h"

void KeyQueue::append(int32_t code, bool pressed) {
    if (write < 0) read = 0;
    if (write < capacity - 1) ++write;
    entries[write] = Entry{code, pressed ? 1 : 0};
}

bool KeyQueue::take(Entry* entry) {
    if (read < 0) return false;
    *entry = entries[read++];
    if (read > write) clear();
    return true;
}
