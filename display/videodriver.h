#pragma once
#include <cstdint>
#include "ce.h"
#include "display.h"

// What a driver reaches of the screen; detection fills one in for the drivers to copy.
struct VideoMode {
    DWORD width;
    DWORD height;
    DWORD bpp;
    DWORD pitch;             // bytes from one row to the next
    DWORD orientation;       // 0 to 3; 4 while not known
    DWORD swapCapability;    // see below
    uint8_t* frameBuffer;    // the first pixel of the frame memory; null while not known
};

// swapCapability: the caller must not draw straight into the driver's surface (the display
// keeps its own back buffer), may draw into it with its contents lost from frame to frame,
// or may draw into it with its contents kept.
constexpr DWORD SWAP_CAPABILITY_NONE = 0;
constexpr DWORD SWAP_CAPABILITY_DISCARD = 1;
constexpr DWORD SWAP_CAPABILITY_KEEP = 2;

// Present flags bit 1: the frame's content did not change since the last.
constexpr DWORD PRESENT_UNCHANGED = 2;

enum DriverId : DWORD {
    DRIVER_GDI = 1,
    DRIVER_DIRECT = 3,
    DRIVER_GAPI = 4,
    DRIVER_STRONGARM = 5,
    DRIVER_XSCALE = 6,
    DRIVER_IMAGEON100 = 7,
    DRIVER_MEDIAQ = 8,
    DRIVER_VGA = 9,
};

// One way of reaching the screen.
class VideoDriver {
public:
    virtual void resume() {}
    virtual void suspend() {}
    virtual void paint() {}
    virtual ~VideoDriver() = default;
    // False when this way to the screen cannot be opened.
    virtual bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) = 0;
    // Where to draw this frame; null when there is nowhere this frame.
    virtual Surface* GetSurface() = 0;
    virtual void Present(DWORD /*flags*/) {}
    // The part of the surface the next Present must bring out.
    virtual void SetDirtyRect(const RECT& /*rect*/) {}
    // Waits until copying into the surface will not tear the picture.
    virtual void WaitForSwap(DWORD /*flags*/) {}

    VideoMode mode{};
};

// A new driver of the given id; null for an id that names none.
VideoDriver* CreateDriver(DWORD id);
