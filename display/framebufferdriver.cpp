#include "framebufferdriver.h"

void FrameBufferDriver::UseMode(const VideoMode& detected) {
    mode = detected;
    surface.width = mode.width;
    surface.height = mode.height;
    surface.pitch = int32_t(mode.pitch);
    UseFrameBuffer(mode.frameBuffer);
}

void FrameBufferDriver::UseFrameBuffer(uint8_t* frameBuffer) {
    mode.frameBuffer = frameBuffer;
    surface.setPixels(frameBuffer);
}
