#include <algorithm>
#include <cstring>
#include "state.h"

namespace {

GdiBrush whiteBrush(0xFFFF);
GdiBrush blackBrush(0x0000);

struct Target {
    uint16_t* pixels = nullptr;
    int width = 0;
    int height = 0;
};

Target targetOf(HDC dc) {
    if (!dc) return {};
    if (dc->window) {
        auto& s = platform::screen();
        return {s.pixels.data(), s.width, s.height};
    }
    if (dc->selected) return {dc->selected->pixels.data(), dc->selected->width, dc->selected->height};
    return {};
}

void touched(HDC dc) {
    if (dc) dc->drew = true;
}

}  // namespace

namespace platform {

uint16_t toRgb565(COLORREF c) {
    unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return static_cast<uint16_t>(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3));
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
    BITMAP info{0, bitmap->width, bitmap->height, bitmap->width * 2, 1, 16, bitmap->pixels.data()};
    std::memcpy(out, &info, sizeof info);
    return sizeof info;
}

HBRUSH CreateSolidBrush(COLORREF colour) { return new GdiBrush(platform::toRgb565(colour)); }

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
    Target t = targetOf(dc);
    if (!t.pixels || !rect || !handle || handle->kind != GdiObject::brush) return 0;
    auto* brush = static_cast<GdiBrush*>(handle);
    int left = std::max<int>(rect->left, 0), right = std::min<int>(rect->right, t.width);
    int top = std::max<int>(rect->top, 0), bottom = std::min<int>(rect->bottom, t.height);
    for (int y = top; y < bottom; ++y)
        std::fill(t.pixels + size_t(y) * t.width + left, t.pixels + size_t(y) * t.width + std::max(left, right),
                  brush->colour);
    touched(dc);
    return 1;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD) {
    Target to = targetOf(dest), from = targetOf(source);
    if (!to.pixels || !from.pixels) return FALSE;
    for (int row = 0; row < height; ++row) {
        int ty = y + row, fy = sourceY + row;
        if (ty < 0 || ty >= to.height || fy < 0 || fy >= from.height) continue;
        for (int col = 0; col < width; ++col) {
            int tx = x + col, fx = sourceX + col;
            if (tx < 0 || tx >= to.width || fx < 0 || fx >= from.width) continue;
            to.pixels[size_t(ty) * to.width + tx] = from.pixels[size_t(fy) * from.width + fx];
        }
    }
    touched(dest);
    return TRUE;
}
