#include "subclassedwindows.h"

namespace {

SubclassedWindows::Entry entries[SubclassedWindows::capacity];
int count = 0;

}  // namespace

bool SubclassedWindows::Add(HWND window, WNDPROC procedure, DisplayImpl* display) {
    if (count >= capacity) return false;
    auto previous =
        reinterpret_cast<WNDPROC>(SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
    if (!previous) return false;
    entries[count++] = Entry{window, previous, display};
    return true;
}

const SubclassedWindows::Entry* SubclassedWindows::Find(HWND window) {
    for (int i = 0; i < count; ++i)
        if (entries[i].window == window) return &entries[i];
    return nullptr;
}

void SubclassedWindows::Remove(HWND window) {
    for (int i = 0; i < count; ++i) {
        if (entries[i].window != window) continue;
        if (IsWindow(window)) SetWindowLongW(window, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(entries[i].previous));
        entries[i] = entries[--count];
        return;
    }
}
