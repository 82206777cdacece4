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
        device = &platform::headless::install(profileName);
        OpenWindow();
    }

    // The same for a profile the test made; it must outlive the test.
    void StartDevice(const platform::Profile& profile) {
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
