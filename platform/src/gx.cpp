// gx.dll, direct access to the display, and gxdma.dll, the DMA push from system memory.
#include <algorithm>
#include <cstring>
#include "ce.h"
#include "ce_gx.h"
#include "device.h"
#include "libraries.h"

using platform::device;

namespace {

int GXOpenDisplay(HWND window, DWORD flags) {
    auto& gapi = device().gapi;
    device().enter("GXOpenDisplay", {flags});
    if (gapi.open || !IsWindow(window)) return 0;
    gapi.open = true;
    gapi.suspended = false;
    gapi.viewportTop = gapi.viewportHeight = 0;
    return 1;
}

int GXCloseDisplay() {
    device().enter("GXCloseDisplay");
    bool wasOpen = device().gapi.open;
    device().gapi.open = false;
    return wasOpen;
}

LPVOID GXBeginDraw() {
    device().enter("GXBeginDraw");
    const auto& gapi = device().gapi;
    return gapi.open && !gapi.suspended ? device().gapiPixels() : nullptr;
}

int GXEndDraw() {
    device().enter("GXEndDraw");
    if (!device().gapi.open) return 0;
    device().gapiEndDraw();
    return 1;
}

GXDisplayProperties GXGetDisplayProperties() {
    device().enter("GXGetDisplayProperties");
    return device().gapiProperties();
}

int GXSuspend() {
    device().enter("GXSuspend");
    device().gapi.suspended = true;
    return 1;
}

int GXResume() {
    device().enter("GXResume");
    device().gapi.suspended = false;
    return 1;
}

int GXSetViewport(DWORD top, DWORD height, DWORD reserved1, DWORD reserved2) {
    device().enter("GXSetViewport", {top, height, reserved1, reserved2});
    device().gapi.viewportTop = top;
    device().gapi.viewportHeight = height;
    return 1;
}

BOOL GXIsDisplayDRAMBuffer() {
    device().enter("GXIsDisplayDRAMBuffer");
    return device().gapi.dram.empty() ? FALSE : TRUE;
}

// The transfer copies the rectangle of the memory-order frame and keeps the engine busy a while.
BOOL DmaDRAMtoVRAM(DWORD left, DWORD top, DWORD width, DWORD height) {
    platform::Device& d = device();
    d.enter("DmaDRAMtoVRAM", {left, top, width, height});
    DWORD right = std::min<DWORD>(left + width, d.nativeWidth), bottom = std::min<DWORD>(top + height, d.nativeHeight);
    for (DWORD y = top; y < bottom; ++y) {
        size_t at = size_t(y) * d.pitch + 2 * size_t(left);
        if (right > left) std::memcpy(d.panelPixels() + at, d.dmaBuffer.data() + at, 2 * size_t(right - left));
    }
    d.dmaBusyUntil = d.micros() + d.profile.dmaMicros;
    return TRUE;
}

BOOL IsDMAReady() {
    device().enter("IsDMAReady");
    return device().micros() >= device().dmaBusyUntil ? TRUE : FALSE;
}

}  // namespace

namespace platform {

const std::vector<Export>& gxExports() {
    static const std::vector<Export> e{
        exported(u"?GXOpenDisplay@@YAHPAUHWND__@@K@Z", GXOpenDisplay),
        exported(u"?GXCloseDisplay@@YAHXZ", GXCloseDisplay),
        exported(u"?GXBeginDraw@@YAPAXXZ", GXBeginDraw),
        exported(u"?GXEndDraw@@YAHXZ", GXEndDraw),
        exported(u"?GXGetDisplayProperties@@YA?AUGXDisplayProperties@@XZ", GXGetDisplayProperties),
        exported(u"?GXSuspend@@YAHXZ", GXSuspend),
        exported(u"?GXResume@@YAHXZ", GXResume),
        exported(u"?GXSetViewport@@YAHKKKK@Z", GXSetViewport),
        exported(u"?GXIsDisplayDRAMBuffer@@YAHXZ", GXIsDisplayDRAMBuffer),
    };
    return e;
}

const std::vector<Export>& gxDmaExports() {
    static const std::vector<Export> e{
        exported(u"DmaDRAMtoVRAM", DmaDRAMtoVRAM),
        exported(u"IsDMAReady", IsDMAReady),
    };
    return e;
}

}  // namespace platform
