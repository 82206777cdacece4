#include "gdidriver.h"

GDIDriver::~GDIDriver() {
    if (windowDC) ReleaseDC(window, windowDC);
    delete surface;
}

bool GDIDriver::Initialize(HWND w, const DisplayParameters&, const VideoMode& detected) {
    if (surface) return false;
    surface = GDISurface::Create(detected.width, detected.height);
    if (!surface) return false;
    window = w;
    windowDC = GetDC(window);
    mode = VideoMode{surface->width,       surface->height,  16, DWORD(surface->pitch), 0,
                     SWAP_CAPABILITY_KEEP, surface->pixels()};
    return true;
}

void GDIDriver::Present(DWORD) {
    if (IsWindow(window)) BitBlt(windowDC, x, y, width, height, surface->dc, x, y, SRCCOPY);
}

void GDIDriver::SetDirtyRect(const RECT& rect) {
    x = rect.left;
    y = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
}
