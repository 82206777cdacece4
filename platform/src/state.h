// The platform layer's shared state, private to platform/.
#pragma once
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "ce.h"
#include "platform.h"

struct PlatformWindow {
    std::u16string className;
    std::u16string title;
    WNDPROC proc = nullptr;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    RECT rect{0, 0, 0, 0};
    bool visible = false;
    bool needsPaint = true;
    bool alive = true;
    bool foreign = false;  // stands for the window of another running copy
};

struct GdiObject {
    enum Kind { bitmap, brush, font } kind;
    bool stock = false;
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
};

// Pixels of 16 (RGB565) or 32 (0x00RRGGBB) bits; rows start on 4-byte boundaries.
struct GdiBitmap : GdiObject {
    GdiBitmap(int w, int h, int bits, bool bottomUpRows)
        : GdiObject(bitmap), width(w), height(h), bitsPerPixel(bits), stride((w * bits / 8 + 3) & ~3),
          bottomUp(bottomUpRows), storage((size_t(stride) * h + 3) / 4, 0) {}
    uint8_t* bits() { return reinterpret_cast<uint8_t*>(storage.data()); }

    int width;
    int height;
    int bitsPerPixel;
    int stride;
    bool bottomUp;
    std::vector<uint32_t> storage;
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(COLORREF c) : GdiObject(brush), colour(c) {}
    COLORREF colour;
};

struct GdiDC {
    HWND window = nullptr;          // a window's context draws on the device screen
    GdiBitmap* selected = nullptr;  // a memory context draws on its bitmap
    HFONT font = nullptr;
    COLORREF textColour = 0;
    UINT textAlign = TA_TOP | TA_LEFT;
    bool drew = false;  // shown when the window's context is released
};

namespace platform {

struct WindowClass {
    WNDCLASSW info;
    std::u16string name;
};

struct State {
    std::vector<std::unique_ptr<PlatformWindow>> windows;
    std::map<std::u16string, WindowClass> classes;
    std::deque<MSG> queue;
    HWND foreground = nullptr;
    int instanceLock = -1;
};

State& state();
HWND mainWindow();
uint16_t toRgb565(COLORREF colour);

// What a device context draws on: the screen or the selected bitmap.
struct Target {
    uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 16;
    int stride = 0;
    bool bottomUp = false;

    bool contains(int x, int y) const { return bits && x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t* row(int y) const { return bits + size_t(bottomUp ? height - 1 - y : y) * stride; }
    COLORREF get(int x, int y) const;
    void put(int x, int y, COLORREF colour) const;
};
Target targetOf(HDC dc);
// Notes that a context drew, so that a window's picture is shown when its context goes.
void touched(HDC dc);
void instanceLockRelease();
bool instanceLockTake(const std::u16string& className, const std::u16string& title);
bool instanceLockHeldElsewhere(const std::u16string& className, const std::u16string& title);

}  // namespace platform
