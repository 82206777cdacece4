#pragma once
#include "display.h"
#include "strides.h"
#include "videodriver.h"

// What the device offers: the screen's mode, the drivers that can reach it (in the order found;
// the last found is tried first) and the modes a display may ask for. Made once, at the first
// display's creation.
class VideoDetect {
public:
    static VideoDetect& Instance();
    VideoDetect();

    // Creates and initialises the best driver for the request; null when none can serve it.
    VideoDriver* InitializeDriver(HWND window, const DisplayParameters& requested);
    bool IsOrientationSupported(const DisplayParameters& requested) const;

    // The display's window, for detections that must open the display; set before first use.
    static HWND window;

    VideoMode mode{};
    DWORD modeCount = 0;
    DisplayMode modes[4]{};
    DWORD candidateCount = 0;
    DWORD candidates[8]{};
    DWORD forcedDriver = 0;

private:
    void DetectDrivers();
    void BuildModeList();
    void AddCandidate(DriverId id);
    VideoDriver* TryDriver(DWORD id, HWND window, const DisplayParameters& requested) const;

    void UseLayout(const StrideLayout& layout, DWORD bpp);

    bool DetectGDI();
    bool DetectGAPI();
    bool DetectDirect();
    bool DetectVGA();
    bool DetectStrongARM() const;
    bool DetectXScale() const;
    bool DetectImageon() const;
    bool DetectMediaQ() const;
};
