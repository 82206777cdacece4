#include "driverdirect.h"
#include <algorithm>
#include "devicemodel.h"
#include "millisecondclock.h"

bool DriverDirect::Initialize(HWND window, const DisplayParameters&, const VideoMode& detected) {
    if (!IsWindow(window) || !detected.frameBuffer) return false;
    UseMode(detected);
    GXDMALibrary& library = GXDMALibrary::Instance();
    if (library.IsUsable() && !IsSmartphoneModel(GetDeviceModel())) dma = &library;
    mode.swapCapability = dma ? SWAP_CAPABILITY_KEEP : SWAP_CAPABILITY_NONE;
    return true;
}

Surface* DriverDirect::GetSurface() {
    // The last transfer must have left the buffer before the caller draws into it again.
    if (dma) WaitForHardware([this] { return dma->IsDMAReady() != FALSE; });
    return &surface;
}

void DriverDirect::Present(DWORD) {
    if (dma) dma->DmaDRAMtoVRAM(left, top, width, height);
}

// The DMA moves whole groups of 4 pixels: the left edge goes down to one, and the width is
// measured from there, so the right-hand columns stay inside.
void DriverDirect::SetDirtyRect(const RECT& rect) {
    if (mode.swapCapability == SWAP_CAPABILITY_NONE) return;
    left = DWORD(rect.left) & ~3u;
    top = DWORD(rect.top);
    width = std::min((DWORD(rect.right) - left + 3) & ~3u, mode.width - std::min(left, mode.width));
    height = DWORD(rect.bottom - rect.top);
}
