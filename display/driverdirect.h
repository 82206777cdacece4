#pragma once
#include "framebufferdriver.h"
#include "gxdmalibrary.h"

// The frame buffer the display driver reveals; on devices with gxdma.dll it lies in system
// memory and a DMA transfer brings the dirty rectangle to the display.
class DriverDirect : public FrameBufferDriver {
public:
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    Surface* GetSurface() override;
    void Present(DWORD flags) override;
    void SetDirtyRect(const RECT& rect) override;

private:
    GXDMALibrary* dma = nullptr;
    DWORD left = 0;
    DWORD top = 0;
    DWORD width = 0;
    DWORD height = 0;
};
