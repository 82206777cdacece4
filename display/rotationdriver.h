#pragma once
#include <memory>
#include "rotationtiles.h"
#include "videodriver.h"

// Turns the picture by quarter turns on its way to a driver whose orientation differs from the
// one asked for: the caller draws upright into a surface of its own.
class RotationDriver : public VideoDriver {
public:
    explicit RotationDriver(VideoDriver* wrapped);  // owns it
    void resume() override { wrapped->resume(); }
    void suspend() override { wrapped->suspend(); }
    void paint() override { wrapped->paint(); }
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& driverMode) override;
    Surface* GetSurface() override;
    void Present(DWORD flags) override;
    void SetDirtyRect(const RECT& rect) override;
    void WaitForSwap(DWORD flags) override { wrapped->WaitForSwap(flags); }

    // The rectangle in the wrapped driver's coordinates.
    RECT ToDriver(const RECT& rect) const;

private:
    std::unique_ptr<VideoDriver> wrapped;
    std::unique_ptr<Surface> own;
    Surface* target = nullptr;
    DWORD turns = 0;
    RECT kept{};
    RotationCopy plainCopy = nullptr;
    RotationCopy waitedCopy = nullptr;
};
