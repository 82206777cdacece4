// The display handle the renderer draws through: one per application window.
#pragma once
#include "ce_types.h"
#include "surface.h"

// The caller draws straight into the driver's surface when the driver allows it.
constexpr DWORD SWAP_DISCARD = 1;
// The caller draws into a separate back buffer that Swap copies to the driver's surface.
constexpr DWORD SWAP_COPY = 2;
// A requested orientation that accepts whatever the device offers.
constexpr DWORD ORIENTATION_ANY = 4;

// Flags of Swap: bit 0 waits for the panel's scan before copying.
constexpr DWORD SWAP_WAIT = 1;

struct DisplayParameters {
    DWORD width;
    DWORD height;
    DWORD orientation;  // quarter turns of the picture against the device's native orientation
    DWORD swapEffect;   // SWAP_DISCARD or SWAP_COPY; 0 in a request means SWAP_DISCARD
};

struct DisplayMode {
    DWORD width;
    DWORD height;
    DWORD orientation;
};

class DisplayImpl;

class Display {
public:
    // Takes over the window's full-screen state and finds a driver for its screen. The settled
    // parameters are written back; null when no way to the screen could be opened.
    static Display* Create(HWND window, DisplayParameters* parameters);
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // True when a drawing surface is available for this frame (never while suspended).
    bool BeginScene();
    // Where the caller draws this frame; null outside BeginScene ... Swap.
    Surface* GetBackBuffer();
    DisplayParameters GetParameters() const;
    // The part of the screen the next Swap must bring out; null means all of it.
    void SetDirtyRect(const RECT* rect);
    // Brings the frame to the screen; false when there was no frame or the display is suspended.
    bool Swap(DWORD flags);

    DWORD GetModeCount() const;
    // False when the index is out of range or mode is null.
    bool GetModeInfo(DWORD index, DisplayMode* mode) const;

private:
    explicit Display(DisplayImpl* impl) : impl(impl) {}
    DisplayImpl* impl;
};
