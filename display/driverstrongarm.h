#pragma once
#include "lcddriver.h"

class DriverStrongARM : public LcdDriver {
public:
    DriverStrongARM();
    ~DriverStrongARM() override;
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;

private:
    void SetScanWindow() override;
    bool ScanInWindow() const override;
    // The frame memory at a kernel-static address, by its cached alias when that shows the same.
    void UseKernelFrameBuffer(DWORD address);

    uint8_t* kernelMapping = nullptr;
};
