#include "lcddriver.h"
#include "millisecondclock.h"

bool LcdDriver::Initialize(HWND window, const DisplayParameters&, const VideoMode& detected) {
    if (!IsWindow(window) || !detected.frameBuffer || !lcd.Found()) return false;
    UseMode(detected);
    mode.swapCapability = SWAP_CAPABILITY_NONE;
    SetScanWindow();
    return true;
}

void LcdDriver::WaitForSwap(DWORD) {
    YieldProcessor();
    WaitForHardware([this] { return ScanInWindow(); });
}
