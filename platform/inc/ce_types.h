// Basic types of the Windows CE calls the program makes. Wide text is UTF-16.
#pragma once
#include <cstddef>
#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = unsigned int;
using LONG = int32_t;
using BOOL = int;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using LPVOID = void*;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;  // wide enough for a window procedure
union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    int64_t QuadPart;
};

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

// Handles are distinct pointer types so that mixing them up fails to compile.
struct PlatformModule;
struct PlatformWindow;
struct GdiObject;
struct GdiDC;
struct PlatformIcon;
struct PlatformCursor;
struct PlatformMenu;
struct PlatformHandle;

using HINSTANCE = PlatformModule*;
using HMODULE = PlatformModule*;
using HWND = PlatformWindow*;
using HGDIOBJ = GdiObject*;
// Drawing objects share one handle type; the object knows its own kind.
using HBITMAP = GdiObject*;
using HBRUSH = GdiObject*;
using HDC = GdiDC*;
using HICON = PlatformIcon*;
using HCURSOR = PlatformCursor*;
using HMENU = PlatformMenu*;
using HANDLE = PlatformHandle*;

struct RECT { LONG left, top, right, bottom; };
struct POINT { LONG x, y; };

constexpr WORD LOWORD(uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(WORD lo, WORD hi) {
    return static_cast<LPARAM>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16));
}

using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
