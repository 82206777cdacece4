#pragma once
#include "ce.h"

class DisplayImpl;

// The windows whose procedure a display has taken over: at most 16, program-wide.
class SubclassedWindows {
public:
    struct Entry {
        HWND window;
        WNDPROC previous;
        DisplayImpl* display;
    };

    static constexpr int capacity = 16;

    // Installs the procedure; false when the table is full or the window refuses it.
    static bool Add(HWND window, WNDPROC procedure, DisplayImpl* display);
    // Null when the window is not in the table.
    static const Entry* Find(HWND window);
    // Gives the window its previous procedure back, when it still exists, and forgets it.
    static void Remove(HWND window);
};
