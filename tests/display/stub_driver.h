// A driver over a frame buffer of exactly its size, so that any write past it is caught, and
// that keeps what it was told.
#pragma once
#include <vector>
#include "videodriver.h"

class StubDriver : public VideoDriver {
public:
    StubDriver(DWORD width, DWORD height, DWORD pitch, DWORD orientation, DWORD capability)
        : memory(size_t(pitch) * height, 0xEE) {
        mode = VideoMode{width, height, 16, pitch, orientation, capability, memory.data()};
        surface.width = width;
        surface.height = height;
        surface.pitch = int32_t(pitch);
        surface.setPixels(memory.data());
    }

    bool Initialize(HWND, const DisplayParameters&, const VideoMode&) override { return true; }
    Surface* GetSurface() override { return &surface; }
    void Present(DWORD) override { ++presents; }
    void SetDirtyRect(const RECT& rect) override { dirtyRects.push_back(rect); }
    void WaitForSwap(DWORD) override { ++waits; }
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }

    uint16_t Pixel(DWORD x, DWORD y) const { return *surface.pixelAddress(x, y); }

    std::vector<uint8_t> memory;
    Surface surface;
    std::vector<RECT> dirtyRects;
    int presents = 0;
    int waits = 0;
    int suspends = 0;
    int resumes = 0;
};

inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& out, const RECT& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
