#include <algorithm>
#include <cstring>
#include "ce_display.h"
#include "device.h"
#include "state.h"

namespace {

GdiBrush whiteBrush(0xFFFF);
GdiBrush blackBrush(0x0000);

// Where a device context draws: a bitmap, or the GDI screen, which is the panel's frame
// memory seen upright.
class Target {
public:
    explicit Target(HDC dc) {
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

    bool valid() const { return device || bitmap; }

    uint16_t* at(int x, int y) const {
        if (bitmap) return &bitmap->pixels[size_t(y) * bitmap->stride + x];
        return reinterpret_cast<uint16_t*>(device->panelPixels() + device->uprightOffset(x, y));
    }

    int width = 0;
    int height = 0;

private:
    platform::Device* device = nullptr;
    GdiBitmap* bitmap = nullptr;
};

void touched(HDC dc) {
    if (dc) dc->drew = true;
}

constexpr DWORD red565 = 0xF800, green565 = 0x07E0, blue565 = 0x001F;

}  // namespace

namespace platform {

uint16_t toRgb565(COLORREF c) {
    unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
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
    if (object->kind != GdiObject::bitmap) return object;
    HGDIOBJ previous = dc->selected;
    dc->selected = static_cast<GdiBitmap*>(object);
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
    auto* bitmap = static_cast<GdiBitmap*>(object);
    BITMAP info{0, bitmap->width, bitmap->height, bitmap->stride * 2, 1, 16, bitmap->pixels.data()};
    std::memcpy(out, &info, sizeof info);
    return sizeof info;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return new GdiBrush(platform::toRgb565(colour)); }

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
    Target t(dc);
    if (!t.valid() || !rect || !handle || handle->kind != GdiObject::brush) return 0;
    auto* brush = static_cast<GdiBrush*>(handle);
    int left = std::max<int>(rect->left, 0), right = std::min<int>(rect->right, t.width);
    int top = std::max<int>(rect->top, 0), bottom = std::min<int>(rect->bottom, t.height);
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) *t.at(x, y) = brush->colour;
    touched(dc);
    return 1;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD) {
    Target to(dest), from(source);
    if (!to.valid() || !from.valid()) return FALSE;
    for (int row = 0; row < height; ++row) {
        int ty = y + row, fy = sourceY + row;
        if (ty < 0 || ty >= to.height || fy < 0 || fy >= from.height) continue;
        for (int col = 0; col < width; ++col) {
            int tx = x + col, fx = sourceX + col;
            if (tx < 0 || tx >= to.width || fx < 0 || fx >= from.width) continue;
            *to.at(tx, ty) = *from.at(fx, fy);
        }
    }
    touched(dest);
    return TRUE;
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, LPVOID* bits, HANDLE section, DWORD) {
    if (!info || !bits || section || usage != DIB_RGB_COLORS) return nullptr;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    bool rgb565 = h.biCompression == BI_BITFIELDS && info->bmiColors[0] == red565 &&
                  info->bmiColors[1] == green565 && info->bmiColors[2] == blue565;
    // Only what the program makes: 16-bit, top-down, RGB565.
    if (h.biSize != sizeof h || h.biPlanes != 1 || h.biBitCount != 16 || !rgb565 || h.biWidth <= 0 ||
        h.biHeight >= 0 || h.biWidth > 0x8000 || h.biHeight < -0x8000)
        return nullptr;
    int width = h.biWidth, height = -h.biHeight;
    auto* bitmap = new GdiBitmap(width, height, ((2 * width + 3) & ~3) / 2);
    *bits = bitmap->pixels.data();
    return bitmap;
}
