#include "displayimpl.h"
#include "aygshell.h"
#include "coredll.h"
#include "displaylog.h"
#include "subclassedwindows.h"
#include "videodetect.h"

namespace {

constexpr DWORD fullScreen = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
constexpr DWORD withTaskBar = SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON;

}  // namespace

void DisplayImpl::resume() {
    AygShell::Instance().SHFullScreen(window, fullScreen);
    DisplayBase::resume();
}

void DisplayImpl::suspend() {
    AygShell::Instance().SHFullScreen(window, withTaskBar);
    DisplayBase::suspend();
}

DisplayImpl::~DisplayImpl() {
    CoreDll::Instance().AllKeys(FALSE);
    SubclassedWindows::Remove(window);
}

bool DisplayImpl::Initialize(const DisplayParameters& requested) {
    if (!IsWindow(window)) return false;
    if (!SubclassedWindows::Add(window, WindowProc, this)) {
        DisplayLog("Could not subclass the window");
        return false;
    }
    if (!DisplayBase::Initialize(requested)) return false;
    CoreDll::Instance().AllKeys(TRUE);
    AygShell::Instance().SHFullScreen(window, fullScreen);
    return true;
}

VideoDriver* DisplayImpl::CreateDriver(const DisplayParameters& requested) {
    VideoDetect::window = window;
    return VideoDetect::Instance().InitializeDriver(window, requested);
}

LRESULT DisplayImpl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const SubclassedWindows::Entry* entry = SubclassedWindows::Find(window);
    if (!entry) return DefWindowProcW(window, message, wParam, lParam);
    WNDPROC previous = entry->previous;
    DisplayImpl* display = entry->display;
    switch (message) {
    case WM_DESTROY: SubclassedWindows::Remove(window); break;
    case WM_ACTIVATE:
        if (LOWORD(wParam))
            display->resume();
        else
            display->suspend();
        break;
    case WM_PAINT: display->paint(); break;
    default: break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}
