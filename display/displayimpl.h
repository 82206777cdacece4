#pragma once
#include "displaybase.h"

// The display of an application window: it takes over the window's procedure to follow its
// activation and painting, and keeps the window full-screen while active.
class DisplayImpl : public DisplayBase {
public:
    explicit DisplayImpl(HWND window) : DisplayBase(window) {}
    void resume() override;
    void suspend() override;
    ~DisplayImpl() override;
    bool Initialize(const DisplayParameters& requested) override;
    VideoDriver* CreateDriver(const DisplayParameters& requested) override;

private:
    static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
