// Entry points of coredll.dll and aygshell.dll that the program looks up by name.
#include "ce.h"
#include "device.h"
#include "libraries.h"

namespace {

BOOL AllKeys(BOOL all) {
    platform::Device& d = platform::device();
    d.enter("AllKeys", {all});
    BOOL previous = d.allKeys;
    d.allKeys = all;
    return previous;
}

BOOL SetKMode(BOOL kernel) {
    platform::Device& d = platform::device();
    BOOL previous = d.kernelMode ? TRUE : FALSE;
    d.kernelMode = kernel != FALSE;
    return previous;
}

LONG ChangeDisplaySettingsEx(LPCWSTR, LPVOID, HWND, DWORD, LPVOID) { return 0; }

BOOL ShellFullScreen(HWND window, DWORD state) {
    platform::device().enter("SHFullScreen", {state});
    return SHFullScreen(window, state);
}

}  // namespace

namespace platform {

const std::vector<Export>& coreDllExports() {
    static const std::vector<Export> e{
        exported(u"AllKeys", AllKeys),
        exported(u"SetKMode", SetKMode),
        exported(u"ChangeDisplaySettingsEx", ChangeDisplaySettingsEx),
    };
    return e;
}

const std::vector<Export>& aygShellExports() {
    static const std::vector<Export> e{exported(u"SHFullScreen", ShellFullScreen)};
    return e;
}

}  // namespace platform
