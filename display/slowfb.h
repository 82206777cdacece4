#pragma once
#include <memory>
#include <vector>
#include "videodriver.h"

// In front of a frame buffer that is slow to write: the caller draws into one of two surfaces
// in system memory, and each frame only the 32-bit words that differ from the frame before go
// to the frame buffer.
class SlowFB : public VideoDriver {
public:
    explicit SlowFB(VideoDriver* wrapped);  // owns it
    void resume() override;
    void suspend() override;
    void paint() override;
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    Surface* GetSurface() override;
    void Present(DWORD flags) override;
    void SetDirtyRect(const RECT& rect) override;
    void WaitForSwap(DWORD flags) override { wrapped->WaitForSwap(flags); }

private:
    size_t FrameBytes() const { return size_t(mode.pitch) * mode.height; }
    void CopyAll(uint8_t* frame);
    void CopyChangedWords(uint8_t* frame);

    std::unique_ptr<VideoDriver> wrapped;
    bool doubleBuffered = false;
    std::vector<uint32_t> memory[2];
    Surface system[2];
    int current = 0;
    bool fullCopyDue = false;
    size_t dirtyStart = 0;   // bytes
    size_t dirtyBlocks = 0;  // of 64 bytes
};
