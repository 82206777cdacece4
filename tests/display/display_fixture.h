// A headless device with an application window, for the display layer's tests.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "ce.h"
#include "display.h"
#include "headless.h"
#include "programwide.h"

class DisplayFixture {
protected:
    // Puts a fresh device of the profile in place, with a window of the screen's size.
    void StartDevice(const std::string& profileName) {
        ProgramWide::ReleaseAll();
        device = &platform::headless::install(profileName);
        OpenWindow();
    }

    // The same for a profile the test made; it must outlive the test.
    void StartDevice(const platform::Profile& profile) {
        ProgramWide::ReleaseAll();
        device = &platform::headless::install();
        platform::selectProfile(profile);
        OpenWindow();
    }

    void StopDevice() {
        ProgramWide::ReleaseAll();
        platform::resetState();
    }

    Display* CreateDisplay(DisplayParameters* parameters) { return Display::Create(window, parameters); }

    HWND window = nullptr;
    platform::headless::HeadlessBackend* device = nullptr;

private:
    static LRESULT Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(w, message, wParam, lParam);
    }

    void OpenWindow() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Procedure;
        wc.lpszClassName = u"DisplayTest";
        RegisterClassW(&wc);
        window = CreateWindowExW(0, u"DisplayTest", u"display", WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                 GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    }
};

// A picture that shows any turn, mirror or shift: no two neighbours and no two of its
// quarter-turned positions hold the same value.
inline uint16_t Pattern(int x, int y) { return uint16_t(x * 31 + y * 1021 + x * y * 7 + 1); }

// The pattern with a block of it inverted.
inline uint16_t PatternChanged(int x, int y, const RECT& block) {
    bool inside = x >= block.left && x < block.right && y >= block.top && y < block.bottom;
    return inside ? uint16_t(~Pattern(x, y)) : Pattern(x, y);
}

// Draws a whole frame: the pattern, with the block inverted.
inline void DrawFrame(Surface* s, const RECT& block = RECT{0, 0, 0, 0}) {
    for (uint32_t y = 0; y < s->height; ++y)
        for (uint32_t x = 0; x < s->width; ++x) *s->pixelAddress(x, y) = PatternChanged(int(x), int(y), block);
}

// The panel as the user sees it against a frame drawn so: empty when they agree, else where
// they first differ.
inline std::string PanelMismatch(DWORD width, DWORD height, const RECT& block = RECT{0, 0, 0, 0}) {
    const platform::Picture& picture = platform::screen();
    if (DWORD(picture.width) != width || DWORD(picture.height) != height)
        return "panel " + std::to_string(picture.width) + " x " + std::to_string(picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x)
            if (picture.pixels[size_t(y) * picture.width + x] != PatternChanged(x, y, block))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    return "";
}

// Opens the usual display, shows the pattern, then the block changed in a second frame; the
// first mismatch of the panel, or empty.
inline std::string ShowPatternThenChange(HWND window, const RECT& block, DWORD secondFlags = SWAP_WAIT) {
    DisplayParameters p{176, 220, 0, SWAP_DISCARD};
    Display* display = Display::Create(window, &p);
    if (!display) return "no display";
    std::string result;
    if (!display->BeginScene()) result = "no first frame";
    if (result.empty()) {
        DrawFrame(display->GetBackBuffer());
        display->Swap(0);
        result = PanelMismatch(p.width, p.height);
    }
    if (result.empty() && !display->BeginScene()) result = "no second frame";
    if (result.empty()) {
        DrawFrame(display->GetBackBuffer(), block);
        display->SetDirtyRect(&block);
        display->Swap(secondFlags);
        result = PanelMismatch(p.width, p.height, block);
        if (!result.empty()) result = "after the change, " + result;
    }
    delete display;
    return result;
}
