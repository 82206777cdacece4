#pragma once
#include "display.h"
#include "videodriver.h"

// A display over one driver: the settled parameters, the back buffer when the display keeps
// one, the frame's surface and the dirty rectangle.
class DisplayBase {
public:
    explicit DisplayBase(HWND window) : window(window) {}
    virtual void resume();
    virtual void suspend();
    virtual void paint();
    virtual ~DisplayBase();
    DisplayBase(const DisplayBase&) = delete;
    DisplayBase& operator=(const DisplayBase&) = delete;
    virtual bool Initialize(const DisplayParameters& requested);
    virtual VideoDriver* CreateDriver(const DisplayParameters& requested) = 0;

    bool BeginScene();
    Surface* GetBackBuffer() const;
    void SetDirtyRect(const RECT* rect);
    bool Swap(DWORD flags);
    const DisplayParameters& Parameters() const { return parameters; }

protected:
    HWND window;

private:
    bool UseDriver(const DisplayParameters& requested);
    void CopyDirtyRect();

    DisplayParameters parameters{};
    VideoDriver* driver = nullptr;
    Surface* backBuffer = nullptr;
    Surface* driverSurface = nullptr;
    RECT dirtyRect{};
    bool dirtyRectSpansPitch = false;
    bool active = true;
};
