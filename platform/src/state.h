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
    enum Kind { bitmap, brush } kind;
    bool stock = false;
    explicit GdiObject(Kind k) : kind(k) {}
    virtual ~GdiObject() = default;
};

struct GdiBitmap : GdiObject {
    GdiBitmap(int w, int h) : GdiObject(bitmap), width(w), height(h), pixels(size_t(w) * h, 0xFFFF) {}
    int width;
    int height;
    std::vector<uint16_t> pixels;
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(uint16_t c) : GdiObject(brush), colour(c) {}
    uint16_t colour;
};

struct GdiDC {
    HWND window = nullptr;          // a window's context draws on the device screen
    GdiBitmap* selected = nullptr;  // a memory context draws on its bitmap
    bool drew = false;              // shown when the window's context is released
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
void instanceLockRelease();
bool instanceLockTake(const std::u16string& className, const std::u16string& title);
bool instanceLockHeldElsewhere(const std::u16string& className, const std::u16string& title);

}  // namespace platform
