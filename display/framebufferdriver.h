#pragma once
#include "videodriver.h"

// A driver whose surface lies over a frame buffer in memory.
class FrameBufferDriver : public VideoDriver {
public:
    Surface* GetSurface() override { return &surface; }

protected:
    // Copies the detected mode and lays the surface over its frame buffer.
    void UseMode(const VideoMode& detected);
    void UseFrameBuffer(uint8_t* frameBuffer);

    Surface surface;
};
