#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include "device.h"
#include "state.h"

// The device's hardware runs alongside the processor: whenever the program looks at the
// clock or waits, it catches up.
DWORD GetTickCount() {
    platform::device().sync();
    return platform::backend().tickCount();
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (!count || !platform::profile().performanceCounter) return FALSE;
    platform::device().sync();
    count->QuadPart = platform::backend().performanceCounter();
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (!frequency || !platform::profile().performanceCounter) return FALSE;
    frequency->QuadPart = platform::backend().performanceFrequency();
    return TRUE;
}

void Sleep(DWORD milliseconds) {
    platform::backend().sleep(milliseconds);
    platform::device().sync();
}

HANDLE GetCurrentProcess() { return reinterpret_cast<HANDLE>(intptr_t(-1)); }

BOOL TerminateProcess(HANDLE, UINT exitCode) {
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(static_cast<int>(exitCode));
}

BOOL SHFullScreen(HWND window, DWORD) { return IsWindow(window); }

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    platform::backend().messageBox(text ? text : u"", caption ? caption : u"");
    return IDOK;
}

namespace {
const ResourceString* moduleStrings = nullptr;
int moduleStringCount = 0;
}  // namespace

void RegisterModuleStrings(const ResourceString* strings, int count) {
    moduleStrings = strings;
    moduleStringCount = count;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    for (int i = 0; i < moduleStringCount; ++i) {
        if (moduleStrings[i].id != id) continue;
        int n = 0;
        for (; moduleStrings[i].text[n] && n < bufferMax - 1; ++n) buffer[n] = moduleStrings[i].text[n];
        buffer[n] = 0;
        return n;
    }
    buffer[0] = 0;
    return 0;
}

// The program carries no splash bitmap, icon or cursor: the window shows its background instead.
HBITMAP LoadBitmapW(HINSTANCE, UINT) { return nullptr; }
HICON LoadIconW(HINSTANCE, UINT) { return nullptr; }
HCURSOR LoadCursorW(HINSTANCE, UINT) { return nullptr; }

BOOL SystemParametersInfoW(UINT action, UINT param, LPVOID out, UINT) {
    const auto& profile = platform::profile();
    const std::u16string* text = action == SPI_GETPLATFORMTYPE ? &profile.platformType
                                 : action == SPI_GETOEMINFO    ? &profile.oemInfo
                                                               : nullptr;
    if (!text || !out || param == 0) return FALSE;
    auto* buffer = static_cast<WCHAR*>(out);
    size_t n = std::min<size_t>(text->size(), param - 1);
    std::copy_n(text->data(), n, buffer);
    buffer[n] = 0;
    return TRUE;
}

void OutputDebugStringW(LPCWSTR text) {
    if (!text) return;
    std::fputs(platform::narrow(text).c_str(), stderr);
    std::fflush(stderr);
}
