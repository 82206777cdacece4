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
    // stride: pixels from one row to the next (a DIB section's rows fill whole 32-bit words).
    GdiBitmap(int w, int h, int stride) : GdiObject(bitmap), width(w), height(h), stride(stride),
                                          pixels(size_t(stride) * h, 0xFFFF) {}
    GdiBitmap(int w, int h) : GdiBitmap(w, h, w) {}
    int width;
    int height;
    int stride;
    std::vector<uint16_t> pixels;
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(uint16_t c) : GdiObject(brush), colour(c) {}
    uint16_t colour;
};

struct GdiDC {
    bool screen = false;            // a window's or the screen's context draws on the GDI screen
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
// Shows the panel again when a refresh period has passed; the message pump calls it.
void refreshScreen();
HWND mainWindow();
uint16_t toRgb565(COLORREF colour);
void instanceLockRelease();
bool instanceLockTake(const std::u16string& className, const std::u16string& title);
bool instanceLockHeldElsewhere(const std::u16string& className, const std::u16string& title);

}  // namespace platform
