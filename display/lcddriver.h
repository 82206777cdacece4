#pragma once
#include "framebufferdriver.h"
#include "lcdprobe.h"

// The frame buffer scanned by the processor's own LCD controller: before a copy it can wait
// until the scan has passed the rows about to be written.
class LcdDriver : public FrameBufferDriver {
public:
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    void WaitForSwap(DWORD flags) override;

protected:
    explicit LcdDriver(LcdProbe& lcd) : lcd(lcd) {}
    // Where the scan must be, as a byte range of the controller's position register.
    virtual void SetScanWindow() = 0;
    virtual bool ScanInWindow() const = 0;

    LcdProbe& lcd;
    DWORD scanStart = 0;
    DWORD scanEnd = 0;
};
