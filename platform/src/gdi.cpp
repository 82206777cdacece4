#include <algorithm>
#include <cstring>
#include "state.h"

namespace {

GdiBrush whiteBrush(0xFFFFFF);
GdiBrush blackBrush(0x000000);

// A 32-bit pixel holds 0x00RRGGBB; a COLORREF holds 0x00BBGGRR.
uint32_t toPixel32(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
COLORREF fromPixel32(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

COLORREF fromRgb565(uint16_t p) {
    return RGB(BYTE((p >> 11) << 3), BYTE(((p >> 5) & 0x3F) << 2), BYTE((p & 0x1F) << 3));
}

bool isBitmap(HGDIOBJ object) { return object && object->kind == GdiObject::bitmap; }

}  // namespace

namespace platform {

uint16_t toRgb565(COLORREF c) {
    unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

COLORREF Target::get(int x, int y) const {
    if (!contains(x, y)) return CLR_INVALID;
    uint8_t* p = row(y);
    if (bitsPerPixel == 32) return fromPixel32(reinterpret_cast<uint32_t*>(p)[x]);
    return fromRgb565(reinterpret_cast<uint16_t*>(p)[x]);
}

void Target::put(int x, int y, COLORREF colour) const {
    if (!contains(x, y)) return;
    uint8_t* p = row(y);
    if (bitsPerPixel == 32)
        reinterpret_cast<uint32_t*>(p)[x] = toPixel32(colour);
    else
        reinterpret_cast<uint16_t*>(p)[x] = toRgb565(colour);
}

Target targetOf(HDC dc) {
    if (!dc) return {};
    if (dc->window) {
        auto& s = screen();
        return {reinterpret_cast<uint8_t*>(s.pixels.data()), s.width, s.height, 16, s.width * 2, false};
    }
    if (GdiBitmap* b = dc->selected) return {b->bits(), b->width, b->height, b->bitsPerPixel, b->stride, b->bottomUp};
    return {};
}

void touched(HDC dc) {
    if (dc) dc->drew = true;
}

}  // namespace platform

HDC GetDC(HWND window) {
    auto* dc = new GdiDC;
    dc->window = window ? window : platform::mainWindow();
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    if (dc && dc->window && dc->drew) platform::screenChanged();
    delete dc;
    return 1;
}

HDC CreateCompatibleDC(HDC) { return new GdiDC; }

BOOL DeleteDC(HDC dc) {
    delete dc;
    return TRUE;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return nullptr;
    HGDIOBJ previous = object;
    if (object->kind == GdiObject::bitmap) {
        previous = dc->selected;
        dc->selected = static_cast<GdiBitmap*>(object);
    } else if (object->kind == GdiObject::font) {
        previous = dc->font;
        dc->font = object;
    }
    return previous;
}

BOOL DeleteObject(HGDIOBJ object) {
    if (!object || object->stock) return FALSE;
    delete object;
    return TRUE;
}

HGDIOBJ GetStockObject(int index) {
    whiteBrush.stock = blackBrush.stock = true;
    if (index == WHITE_BRUSH) return &whiteBrush;
    if (index == BLACK_BRUSH) return &blackBrush;
    return nullptr;
}

int GetObjectW(HGDIOBJ object, int size, LPVOID out) {
    if (!isBitmap(object) || !out || size < int(sizeof(BITMAP))) return 0;
    auto* b = static_cast<GdiBitmap*>(object);
    BITMAP info{0, b->width, b->height, b->stride, 1, WORD(b->bitsPerPixel), b->bits()};
    std::memcpy(out, &info, sizeof info);
    return sizeof info;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return new GdiBrush(colour); }

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
    platform::Target t = platform::targetOf(dc);
    if (!t.bits || !rect || !handle || handle->kind != GdiObject::brush) return 0;
    COLORREF colour = static_cast<GdiBrush*>(handle)->colour;
    int left = std::max<int>(rect->left, 0), right = std::min<int>(rect->right, t.width);
    int top = std::max<int>(rect->top, 0), bottom = std::min<int>(rect->bottom, t.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) t.put(x, y, colour);
    platform::touched(dc);
    return 1;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD) {
    platform::Target to = platform::targetOf(dest), from = platform::targetOf(source);
    if (!to.bits || !from.bits) return FALSE;
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            if (from.contains(sourceX + col, sourceY + row))
                to.put(x + col, y + row, from.get(sourceX + col, sourceY + row));
    platform::touched(dest);
    return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || usage != DIB_RGB_COLORS) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    constexpr LONG largest = 16384;  // keeps the byte count far from overflow
    if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth < 1 || h.biWidth > largest || h.biHeight == 0 ||
        h.biHeight < -largest || h.biHeight > largest || h.biPlanes != 1 || h.biBitCount != 32 ||
        h.biCompression != BI_RGB)
        return nullptr;
    auto* bitmap = new GdiBitmap(h.biWidth, h.biHeight < 0 ? -h.biHeight : h.biHeight, 32, h.biHeight > 0);
    if (bits) *bits = bitmap->bits();
    return bitmap;
}

COLORREF GetPixel(HDC dc, int x, int y) { return platform::targetOf(dc).get(x, y); }
