#pragma once
#include "framebufferdriver.h"

// The MediaQ chip's frame buffer; slow to write, so SlowFB works in front of it.
class DriverMediaQ : public FrameBufferDriver {
public:
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
};
