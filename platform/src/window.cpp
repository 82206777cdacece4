#include <cstdio>
#include "device.h"
#include "libraries.h"
#include "state.h"

using platform::state;

namespace {

std::u16string text(LPCWSTR s) { return s ? std::u16string(s) : std::u16string(); }

bool isLive(HWND w) {
    if (!w) return false;
    for (auto& owned : state().windows)
        if (owned.get() == w) return w->alive;
    return false;
}

LRESULT deliver(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!isLive(w) || !w->proc) return 0;
    return w->proc(w, message, wParam, lParam);
}

}  // namespace

namespace platform {

State& state() {
    static State s;
    return s;
}

HWND mainWindow() {
    for (auto& w : state().windows)
        if (w->alive && !w->foreign) return w.get();
    return nullptr;
}

void resetState() {
    instanceLockRelease();
    state().windows.clear();
    state().classes.clear();
    state().queue.clear();
    state().foreground = nullptr;
    resetLibraries();
    resetDevice();
    setModulePath("");
}

}  // namespace platform

int RegisterClassW(const WNDCLASSW* wc) {
    if (!wc || !wc->lpszClassName) return 0;
    std::u16string name = wc->lpszClassName;
    state().classes[name] = platform::WindowClass{*wc, name};
    return 1;
}

HWND CreateWindowExW(DWORD, LPCWSTR className, LPCWSTR title, DWORD style, int x, int y, int width, int height,
                     HWND, HMENU, HINSTANCE instance, LPVOID) {
    auto found = state().classes.find(text(className));
    if (found == state().classes.end()) return nullptr;
    if (platform::backend().singleInstance() && !platform::instanceLockTake(text(className), text(title)))
        return nullptr;

    auto window = std::make_unique<PlatformWindow>();
    window->className = text(className);
    window->title = text(title);
    window->proc = found->second.info.lpfnWndProc;
    window->instance = instance;
    window->background = found->second.info.hbrBackground;
    window->rect = RECT{x, y, x + width, y + height};
    window->visible = (style & WS_VISIBLE) != 0;
    HWND w = window.get();
    state().windows.push_back(std::move(window));
    state().foreground = w;
    deliver(w, WM_CREATE, 0, 0);
    return w;
}

BOOL DestroyWindow(HWND w) {
    if (!isLive(w)) return FALSE;
    deliver(w, WM_DESTROY, 0, 0);
    w->alive = false;
    if (state().foreground == w) state().foreground = nullptr;
    return TRUE;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR title) {
    for (auto& w : state().windows)
        if (w->alive && w->className == text(className) && (!title || w->title == text(title))) return w.get();
    if (platform::backend().singleInstance() && platform::instanceLockHeldElsewhere(text(className), text(title))) {
        auto window = std::make_unique<PlatformWindow>();
        window->className = text(className);
        window->title = text(title);
        window->foreign = true;
        HWND w = window.get();
        state().windows.push_back(std::move(window));
        return w;
    }
    return nullptr;
}

BOOL SetForegroundWindow(HWND w) {
    // Callers may set the lowest bit, as the device allows; the handle is the same window.
    w = reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(w) & ~uintptr_t(1));
    for (auto& owned : state().windows) {
        if (owned.get() != w) continue;
        if (w->foreign) {
            fprintf(stderr, "%s is already running; switch to its window.\n", platform::narrow(w->title).c_str());
            return TRUE;
        }
        state().foreground = w;
        return TRUE;
    }
    return FALSE;
}

BOOL ShowWindow(HWND w, int command) {
    if (!isLive(w)) return FALSE;
    BOOL wasVisible = w->visible;
    w->visible = command != SW_HIDE;
    return wasVisible;
}

BOOL UpdateWindow(HWND w) {
    if (!isLive(w)) return FALSE;
    if (w->needsPaint) deliver(w, WM_PAINT, 0, 0);
    return TRUE;
}

BOOL InvalidateRect(HWND w, const RECT*, BOOL) {
    if (!isLive(w)) return FALSE;
    w->needsPaint = true;
    return TRUE;
}

BOOL GetClientRect(HWND w, RECT* rect) {
    if (!isLive(w) || !rect) return FALSE;
    *rect = RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return TRUE;
}

BOOL GetWindowRect(HWND w, RECT* rect) {
    if (!isLive(w) || !rect) return FALSE;
    *rect = w->rect;
    return TRUE;
}

BOOL IsWindow(HWND w) { return isLive(w) ? TRUE : FALSE; }

HWND GetForegroundWindow() { return state().foreground; }

LONG_PTR SetWindowLongW(HWND w, int index, LONG_PTR value) {
    if (!isLive(w) || index != GWL_WNDPROC) return 0;
    LONG_PTR previous = reinterpret_cast<LONG_PTR>(w->proc);
    w->proc = reinterpret_cast<WNDPROC>(value);
    return previous;
}

LONG_PTR GetWindowLongW(HWND w, int index) {
    if (!isLive(w) || index != GWL_WNDPROC) return 0;
    return reinterpret_cast<LONG_PTR>(w->proc);
}

int GetSystemMetrics(int index) {
    const auto& profile = platform::profile();
    if (index == SM_CXSCREEN) return profile.screenWidth;
    if (index == SM_CYSCREEN) return profile.screenHeight;
    return 0;
}

BOOL PeekMessageW(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
    platform::backend().pumpEvents();
    platform::refreshScreen();
    auto& queue = state().queue;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        bool windowMatches = !window || it->hwnd == window;
        bool rangeMatches =
            (filterMin == 0 && filterMax == 0) || (it->message >= filterMin && it->message <= filterMax);
        if (!windowMatches || !rangeMatches) continue;
        *msg = *it;
        if (removeFlags & PM_REMOVE) queue.erase(it);
        return TRUE;
    }
    platform::backend().idle();
    return FALSE;
}

BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg) return 0;
    return deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL PostMessageW(HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    if (w && !isLive(w)) return FALSE;
    state().queue.push_back(MSG{w, message, wParam, lParam, platform::backend().tickCount(), POINT{0, 0}});
    return TRUE;
}

LRESULT SendMessageW(HWND w, UINT message, WPARAM wParam, LPARAM lParam) { return deliver(w, message, wParam, lParam); }

void PostQuitMessage(int exitCode) {
    state().queue.push_back(MSG{nullptr, WM_QUIT, WPARAM(exitCode), 0, platform::backend().tickCount(), POINT{0, 0}});
}

LRESULT DefWindowProcW(HWND w, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(w);
    if (message == WM_PAINT && isLive(w)) w->needsPaint = false;
    return 0;
}

LRESULT CallWindowProcW(WNDPROC proc, HWND w, UINT message, WPARAM wParam, LPARAM lParam) {
    return proc ? proc(w, message, wParam, lParam) : 0;
}

BOOL GetCursorPos(POINT* point) {
    if (!point) return FALSE;
    if (!platform::backend().cursorOverWindow(point)) *point = POINT{-1, -1};
    return TRUE;
}

HWND WindowFromPoint(POINT point) {
    HWND w = platform::mainWindow();
    if (!w) return nullptr;
    bool inside =
        point.x >= w->rect.left && point.x < w->rect.right && point.y >= w->rect.top && point.y < w->rect.bottom;
    return inside ? w : nullptr;
}

HDC BeginPaint(HWND w, PAINTSTRUCT* paint) {
    if (!isLive(w) || !paint) return nullptr;
    paint->hdc = GetDC(w);
    paint->fErase = TRUE;
    GetClientRect(w, &paint->rcPaint);
    if (w->needsPaint && w->background) FillRect(paint->hdc, &paint->rcPaint, w->background);
    w->needsPaint = false;
    return paint->hdc;
}

BOOL EndPaint(HWND w, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    ReleaseDC(w, paint->hdc);
    return TRUE;
}
