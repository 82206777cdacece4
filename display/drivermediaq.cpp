#include "drivermediaq.h"

bool DriverMediaQ::Initialize(HWND window, const DisplayParameters&, const VideoMode& detected) {
    if (!IsWindow(window)) return false;
    UseMode(detected);
    mode.swapCapability = SWAP_CAPABILITY_NONE;
    return true;
}
