#include <algorithm>
#include <cstring>
#include "ce_display.h"
#include "device.h"
#include "state.h"

namespace {

GdiBrush whiteBrush(0xFFFFFF);
GdiBrush blackBrush(0x000000);

constexpr DWORD red565 = 0xF800, green565 = 0x07E0, blue565 = 0x001F;
constexpr LONG largestDib = 0x8000;  // keeps the byte count far from overflow

// A 32-bit pixel holds 0x00RRGGBB; a COLORREF holds 0x00BBGGRR.
uint32_t toPixel32(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
COLORREF fromPixel32(uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); }

COLORREF fromRgb565(uint16_t p) {
    return RGB(BYTE((p >> 11) << 3), BYTE(((p >> 5) & 0x3F) << 2), BYTE((p & 0x1F) << 3));
}

bool isRgb565(const BITMAPINFO& info) {
    return info.bmiHeader.biCompression == BI_BITFIELDS && info.bmiColors[0] == red565 &&
           info.bmiColors[1] == green565 && info.bmiColors[2] == blue565;
}

// Only what the program makes: 16-bit RGB565 top-down, or 32-bit BI_RGB either way up.
GdiBitmap* makeDib(const BITMAPINFO& info) {
    const BITMAPINFOHEADER& h = info.bmiHeader;
    if (h.biSize != sizeof h || h.biPlanes != 1 || h.biWidth <= 0 || h.biWidth > largestDib || h.biHeight == 0 ||
        h.biHeight < -largestDib || h.biHeight > largestDib)
        return nullptr;
    int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
    if (h.biBitCount == 16 && isRgb565(info) && h.biHeight < 0) return new GdiBitmap(h.biWidth, height, 16, false);
    if (h.biBitCount == 32 && h.biCompression == BI_RGB) return new GdiBitmap(h.biWidth, height, 32, h.biHeight > 0);
    return nullptr;
}

}  // namespace

namespace platform {

uint16_t toRgb565(COLORREF c) {
    unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
}

Target::Target(HDC dc) {
    if (dc && dc->screen) {
        device = &platform::device();
        width = std::min(device->profile.screenWidth, device->uprightWidth);
        height = std::min(device->profile.screenHeight, device->uprightHeight);
    } else if (dc && dc->selected) {
        bitmap = dc->selected;
        width = bitmap->width;
        height = bitmap->height;
    }
}

uint8_t* Target::pixel(int x, int y) const {
    if (!bitmap) return device->panelPixels() + device->uprightOffset(x, y);
    int row = bitmap->bottomUp ? bitmap->height - 1 - y : y;
    return bitmap->bits() + size_t(row) * bitmap->stride + size_t(x) * (bitmap->bitsPerPixel / 8);
}

COLORREF Target::get(int x, int y) const {
    if (!contains(x, y)) return CLR_INVALID;
    if (bitsPerPixel() == 32) return fromPixel32(*reinterpret_cast<uint32_t*>(pixel(x, y)));
    return fromRgb565(*reinterpret_cast<uint16_t*>(pixel(x, y)));
}

void Target::put(int x, int y, COLORREF colour) const {
    if (!contains(x, y)) return;
    if (bitsPerPixel() == 32)
        *reinterpret_cast<uint32_t*>(pixel(x, y)) = toPixel32(colour);
    else
        *reinterpret_cast<uint16_t*>(pixel(x, y)) = toRgb565(colour);
}

uint16_t* Target::rowAt(int x, int y) const {
    bool upright = bitmap || (device->profile.panel.mounting & 3) == 0;
    return bitsPerPixel() == 16 && upright ? reinterpret_cast<uint16_t*>(pixel(x, y)) : nullptr;
}

void touched(HDC dc) {
    if (dc) dc->drew = true;
}

}  // namespace platform

HDC GetDC(HWND) {
    auto* dc = new GdiDC;
    dc->screen = true;
    return dc;
}

int ReleaseDC(HWND, HDC dc) {
    if (dc && dc->screen && dc->drew) platform::screenChanged();
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
    if (!object || object->kind != GdiObject::bitmap || !out || size < int(sizeof(BITMAP))) return 0;
    auto* b = static_cast<GdiBitmap*>(object);
    BITMAP info{0, b->width, b->height, b->stride, 1, WORD(b->bitsPerPixel), b->bits()};
    std::memcpy(out, &info, sizeof info);
    return sizeof info;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return new GdiBrush(colour); }

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
    platform::Target t(dc);
    if (!t.valid() || !rect || !handle || handle->kind != GdiObject::brush) return 0;
    COLORREF colour = static_cast<GdiBrush*>(handle)->colour;
    int left = std::max<int>(rect->left, 0), right = std::min<int>(rect->right, t.width);
    int top = std::max<int>(rect->top, 0), bottom = std::min<int>(rect->bottom, t.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) t.put(x, y, colour);
    platform::touched(dc);
    return 1;
}

namespace {

// The part of the block that lies inside both, as offsets into it: [first, end).
void overlap(int64_t at, int64_t sourceAt, int64_t count, int64_t toSize, int64_t fromSize, int* first, int* end) {
    *first = int(std::min<int64_t>(std::max<int64_t>({0, -at, -sourceAt}), std::max<int64_t>(count, 0)));
    *end = int(std::clamp<int64_t>(std::min({count, toSize - at, fromSize - sourceAt}), -1, count));
}

// Rows of 16-bit pixels between two different surfaces are copied whole: RGB565 goes to a
// colour and back unchanged.
bool copyRows(const platform::Target& to, int x, int y, int width, int height, const platform::Target& from,
              int sourceX, int sourceY) {
    if (to.sameStorage(from) || !to.rowAt(0, 0) || !from.rowAt(0, 0)) return false;
    int left, right, top, bottom;
    overlap(x, sourceX, width, to.width, from.width, &left, &right);
    overlap(y, sourceY, height, to.height, from.height, &top, &bottom);
    for (int row = top; row < bottom && left < right; ++row)
        std::memcpy(to.rowAt(x + left, y + row), from.rowAt(sourceX + left, sourceY + row), 2 * size_t(right - left));
    return true;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD) {
    platform::Target to(dest), from(source);
    if (!to.valid() || !from.valid()) return FALSE;
    if (copyRows(to, x, y, width, height, from, sourceX, sourceY)) {
        platform::touched(dest);
        return TRUE;
    }
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            if (from.contains(sourceX + col, sourceY + row))
                to.put(x + col, y + row, from.get(sourceX + col, sourceY + row));
    platform::touched(dest);
    return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, LPVOID* bits, HANDLE section, DWORD) {
    if (bits) *bits = nullptr;
    if (!info || !bits || section || usage != DIB_RGB_COLORS) return nullptr;
    GdiBitmap* bitmap = makeDib(*info);
    if (bitmap) *bits = bitmap->bits();
    return bitmap;
}

COLORREF GetPixel(HDC dc, int x, int y) { return platform::Target(dc).get(x, y); }
