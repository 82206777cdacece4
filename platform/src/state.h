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

// Pixels of 16 (RGB565, white at first) or 32 (0x00RRGGBB, black at first) bits; each row
// fills whole 32-bit words.
struct GdiBitmap : GdiObject {
    GdiBitmap(int w, int h, int bits, bool bottomUpRows)
        : GdiObject(bitmap), width(w), height(h), bitsPerPixel(bits), stride((w * bits / 8 + 3) & ~3),
          bottomUp(bottomUpRows), storage((size_t(stride) * h + 3) / 4, bits == 16 ? 0xFFFFFFFF : 0) {}
    uint8_t* bits() { return reinterpret_cast<uint8_t*>(storage.data()); }

    int width;
    int height;
    int bitsPerPixel;
    int stride;  // bytes from one row to the next
    bool bottomUp;
    std::vector<uint32_t> storage;
};

struct GdiBrush : GdiObject {
    explicit GdiBrush(COLORREF c) : GdiObject(brush), colour(c) {}
    COLORREF colour;
};

struct GdiDC {
    bool screen = false;            // a window's or the screen's context draws on the GDI screen
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
// Shows the panel again when a refresh period has passed; the message pump calls it.
void refreshScreen();
HWND mainWindow();
uint16_t toRgb565(COLORREF colour);

class Device;

// What a device context draws on: a bitmap, or the GDI screen, which is the panel's frame
// memory seen upright.
class Target {
public:
    explicit Target(HDC dc);

    bool valid() const { return device || bitmap; }
    bool contains(int x, int y) const { return valid() && x >= 0 && y >= 0 && x < width && y < height; }
    // CLR_INVALID outside; writes outside are dropped.
    COLORREF get(int x, int y) const;
    void put(int x, int y, COLORREF colour) const;
    // The 16-bit pixel at (x, y) when rows of such pixels lie left to right in memory; else null.
    uint16_t* rowAt(int x, int y) const;
    bool sameStorage(const Target& other) const { return device == other.device && bitmap == other.bitmap; }

    int width = 0;
    int height = 0;

private:
    uint8_t* pixel(int x, int y) const;
    int bitsPerPixel() const { return bitmap ? bitmap->bitsPerPixel : 16; }

    Device* device = nullptr;
    GdiBitmap* bitmap = nullptr;
};

// Notes that a context drew, so that the screen is shown when the context goes.
void touched(HDC dc);
void instanceLockRelease();
bool instanceLockTake(const std::u16string& className, const std::u16string& title);
bool instanceLockHeldElsewhere(const std::u16string& className, const std::u16string& title);

}  // namespace platform
