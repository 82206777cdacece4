#include "drivervga.h"

bool DriverVGA::Initialize(HWND, const DisplayParameters&, const VideoMode& detected) {
    UseMode(detected);
    return true;
}
