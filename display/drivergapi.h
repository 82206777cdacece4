#pragma once
#include <cstddef>
#include "framebufferdriver.h"
#include "gxlibrary.h"

// gx.dll's access to the display: the picture begins and ends with GXBeginDraw and GXEndDraw.
class DriverGAPI : public FrameBufferDriver {
public:
    ~DriverGAPI() override;
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    Surface* GetSurface() override;
    void Present(DWORD flags) override;
    void SetDirtyRect(const RECT& rect) override;
    void suspend() override;
    void resume() override;

private:
    GXLibrary* gx = nullptr;  // while the display is open
    ptrdiff_t offset = 0;     // from GXBeginDraw's address to the frame memory's first pixel
    bool direct = false;      // the detected frame buffer is drawn on without GXBeginDraw
};
