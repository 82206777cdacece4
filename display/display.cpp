#include "display.h"
#include <new>
#include "displayimpl.h"
#include "displaylog.h"
#include "programwide.h"
#include "videodetect.h"

namespace {

int openDisplays = 0;

}  // namespace

Display* Display::Create(HWND window, DisplayParameters* parameters) {
    if (!parameters) return nullptr;
    DisplayParameters requested = *parameters;
    DisplayLog("Display::Create( hwnd = %08X, W:%d, H:%d, O:%d, S:%d )", unsigned(uintptr_t(window)),
               int(requested.width), int(requested.height), int(requested.orientation), int(requested.swapEffect));
    if (requested.swapEffect == 0) {
        requested.swapEffect = SWAP_DISCARD;
        DisplayLog("Swap effect forced to SWAP_DISCARD");
    }
    auto* impl = new (std::nothrow) DisplayImpl(window);
    if (!impl) return nullptr;
    auto* display = new (std::nothrow) Display(impl);
    if (!display) {
        delete impl;
        return nullptr;
    }
    ++openDisplays;
    bool ready = false;
    try {
        ready = impl->Initialize(requested);
    } catch (...) {
        ready = false;
    }
    if (!ready) {
        DisplayLog("Failed, destroying internal structures");
        delete display;
        return nullptr;
    }
    *parameters = impl->Parameters();
    return display;
}

Display::~Display() {
    delete impl;
    if (--openDisplays == 0) ProgramWide::ReleaseAll();
}

bool Display::BeginScene() { return impl->BeginScene(); }

Surface* Display::GetBackBuffer() { return impl->GetBackBuffer(); }

DisplayParameters Display::GetParameters() const { return impl->Parameters(); }

void Display::SetDirtyRect(const RECT* rect) { impl->SetDirtyRect(rect); }

bool Display::Swap(DWORD flags) { return impl->Swap(flags); }

DWORD Display::GetModeCount() const { return VideoDetect::Instance().modeCount; }

bool Display::GetModeInfo(DWORD index, DisplayMode* mode) const {
    const VideoDetect& detect = VideoDetect::Instance();
    if (!mode || index >= detect.modeCount) return false;
    *mode = detect.modes[index];
    return true;
}
