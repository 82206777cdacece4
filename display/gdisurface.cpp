#include "gdisurface.h"
#include <new>

GDISurface* GDISurface::Create(DWORD width, DWORD height) {
    auto* s = new (std::nothrow) GDISurface();
    if (!s) return nullptr;
    s->width = width;
    s->height = height;
    s->pitch = int32_t((2 * width + 3) & ~3u);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = LONG(width);
    info.bmiHeader.biHeight = -LONG(height);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 16;
    info.bmiHeader.biCompression = BI_BITFIELDS;
    info.bmiHeader.biSizeImage = width * height * 2;
    info.bmiColors[0] = 0xF800;
    info.bmiColors[1] = 0x07E0;
    info.bmiColors[2] = 0x001F;

    LPVOID bits = nullptr;
    s->bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    s->setPixels(bits);
    s->dc = CreateCompatibleDC(nullptr);
    if (s->dc && s->bitmap) SelectObject(s->dc, s->bitmap);
    if (s->IsValid()) return s;
    delete s;
    return nullptr;
}

GDISurface::~GDISurface() {
    if (dc) DeleteDC(dc);
    if (bitmap) DeleteObject(bitmap);
}
