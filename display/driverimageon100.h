#pragma once
#include <memory>
#include "aticorelibrary.h"
#include "videodriver.h"

// The ATI Imageon 100: the picture lives in a surface of the chip's memory that an overlay
// shows over the whole screen; each frame is written through a memory transfer.
class DriverImageon100 : public VideoDriver {
public:
    ~DriverImageon100() override;
    bool Initialize(HWND window, const DisplayParameters& requested, const VideoMode& detected) override;
    Surface* GetSurface() override;
    void Present(DWORD flags) override;
    void suspend() override;
    void resume() override;

private:
    bool OpenOverlay();
    void EndTransfer();

    std::unique_ptr<AtiCoreLibrary> ati;
    bool attached = false;
    bool hasSurface = false;
    WORD overlay = 0;
    WORD surfaceId = 0;
    DWORD surfaceOffset = 0;
    Surface transfer;
    bool transferOpen = false;
};
