#include "drivergapi.h"
#include "devicemodel.h"
#include "strides.h"

DriverGAPI::~DriverGAPI() {
    if (gx) gx->GXCloseDisplay();
}

bool DriverGAPI::Initialize(HWND window, const DisplayParameters&, const VideoMode& detected) {
    GXLibrary& library = GXLibrary::Instance();
    if (gx || !IsWindow(window) || !library.IsUsable() || !library.GXOpenDisplay(window, GX_FULLSCREEN)) return false;
    gx = &library;
    UseMode(detected);
    GXDisplayProperties p = gx->GXGetDisplayProperties();
    offset = LayoutFromStrides(p.width, p.height, p.xPitch, p.yPitch, DWORD(p.bitsPerPixel)).offset;
    bool dram = gx->GXIsDisplayDRAMBuffer && gx->GXIsDisplayDRAMBuffer();
    mode.swapCapability = dram ? SWAP_CAPABILITY_KEEP : SWAP_CAPABILITY_NONE;
    if (IsSmartphoneModel(GetDeviceModel())) {
        mode.swapCapability = SWAP_CAPABILITY_NONE;
        direct = true;
    }
    return true;
}

Surface* DriverGAPI::GetSurface() {
    if (direct) return &surface;
    auto* address = static_cast<uint8_t*>(gx->GXBeginDraw());
    if (!address) return nullptr;
    UseFrameBuffer(address + offset);
    return &surface;
}

void DriverGAPI::Present(DWORD) {
    if (!direct) gx->GXEndDraw();
}

// The viewport counts rows of the display's own picture, which runs by the orientation
// across the frame memory's rows.
void DriverGAPI::SetDirtyRect(const RECT& rect) {
    if (mode.swapCapability == SWAP_CAPABILITY_NONE || !gx->GXSetViewport) return;
    DWORD left = rect.left, top = rect.top, right = rect.right, bottom = rect.bottom;
    switch (mode.orientation) {
    case 1: gx->GXSetViewport(mode.width - right, right - left, 0, 0); break;
    case 2: gx->GXSetViewport(mode.height - bottom, bottom - top, 0, 0); break;
    case 3: gx->GXSetViewport(left, right - left, 0, 0); break;
    default: gx->GXSetViewport(top, bottom - top, 0, 0); break;
    }
}

void DriverGAPI::suspend() {
    if (gx->GXSuspend) gx->GXSuspend();
}

void DriverGAPI::resume() {
    if (gx->GXResume) gx->GXResume();
}
