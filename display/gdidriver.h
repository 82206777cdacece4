#pragma once
#include "gdisurface.h"
#include "videodriver.h"

// Draws into a DIB section and blits the dirty part to the window: works on every device.
class GDIDriver : public VideoDriver {
public:
    ~GDIDriver() override;
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    Surface* GetSurface() override { return surface; }
    void Present(DWORD flags) override;
    void SetDirtyRect(const RECT& rect) override;

private:
    HWND window = nullptr;
    HDC windowDC = nullptr;
    GDISurface* surface = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
