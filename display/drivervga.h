#pragma once
#include "framebufferdriver.h"

// The raw frame buffer the display driver reveals on VGA devices.
class DriverVGA : public FrameBufferDriver {
public:
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
};
