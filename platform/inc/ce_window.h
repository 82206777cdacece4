// Windows, the message queue and window painting.
#pragma once
#include "ce_types.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};

struct WNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
};

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
};

constexpr UINT WM_CREATE = 1;
constexpr UINT WM_DESTROY = 2;
constexpr UINT WM_ACTIVATE = 6;
constexpr UINT WM_PAINT = 15;
constexpr UINT WM_CLOSE = 16;
constexpr UINT WM_QUIT = 18;
constexpr UINT WM_SETTINGCHANGE = 26;
constexpr UINT WM_KEYDOWN = 256;
constexpr UINT WM_KEYUP = 257;
constexpr UINT WM_COMMAND = 273;
constexpr UINT WM_MOUSEMOVE = 512;
constexpr UINT WM_LBUTTONDOWN = 513;
constexpr UINT WM_LBUTTONUP = 514;

constexpr WPARAM WA_INACTIVE = 0;
constexpr WPARAM WA_ACTIVE = 1;
constexpr WPARAM MK_LBUTTON = 1;
constexpr int IDOK = 1;

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

constexpr UINT CS_VREDRAW = 1;
constexpr UINT CS_HREDRAW = 2;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr int SW_HIDE = 0;
constexpr int SW_SHOW = 5;
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int GWL_WNDPROC = -4;

constexpr UINT MB_OK = 0;
constexpr UINT MB_ICONERROR = 0x10;

int RegisterClassW(const WNDCLASSW* wc);
HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL DestroyWindow(HWND window);
HWND FindWindowW(LPCWSTR className, LPCWSTR title);
BOOL SetForegroundWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
BOOL UpdateWindow(HWND window);
BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL GetClientRect(HWND window, RECT* rect);
BOOL GetWindowRect(HWND window, RECT* rect);
BOOL IsWindow(HWND window);
HWND GetForegroundWindow();
LONG_PTR SetWindowLongW(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongW(HWND window, int index);
int GetSystemMetrics(int index);

BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageW(const MSG* msg);
BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
LRESULT DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

BOOL GetCursorPos(POINT* point);
HWND WindowFromPoint(POINT point);

HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL EndPaint(HWND window, const PAINTSTRUCT* paint);

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
HBITMAP LoadBitmapW(HINSTANCE instance, UINT id);
HICON LoadIconW(HINSTANCE instance, UINT id);
HCURSOR LoadCursorW(HINSTANCE instance, UINT id);

constexpr DWORD VK_RETURN = 13;
constexpr DWORD VK_ESCAPE = 27;
constexpr DWORD VK_LEFT = 37;
constexpr DWORD VK_UP = 38;
constexpr DWORD VK_RIGHT = 39;
constexpr DWORD VK_DOWN = 40;
constexpr DWORD VK_F1 = 112;
constexpr DWORD VK_F2 = 113;
constexpr DWORD VK_F8 = 119;
constexpr DWORD VK_F9 = 120;
constexpr DWORD VK_APP1 = 0xC1;
constexpr DWORD VK_APP2 = 0xC2;
constexpr DWORD VK_APP3 = 0xC3;
constexpr DWORD VK_APP4 = 0xC4;

// The module's resources. A device module carries its string table in itself; here the program
// hands it over before it loads a string, and LoadStringW reads it from then on.
struct ResourceString {
    UINT id;
    LPCWSTR text;
};
void RegisterModuleStrings(const ResourceString* strings, int count);
