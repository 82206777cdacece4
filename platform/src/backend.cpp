#include "device.h"
#include "headless.h"
#include "state.h"

namespace platform {
namespace {

std::unique_ptr<Backend>& installed() {
    static std::unique_ptr<Backend> b;
    return b;
}

LPARAM packPoint(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// The panel shows its frame memory anew this often.
constexpr int64_t panelRefreshMicros = 16000;

int64_t& lastRefresh() {
    static int64_t at = 0;
    return at;
}

}  // namespace

Backend& backend() {
    if (!installed()) installed() = std::make_unique<headless::HeadlessBackend>();
    return *installed();
}

void useBackend(std::unique_ptr<Backend> b) { installed() = std::move(b); }

Picture& screen() {
    static Picture s;
    device().readPicture(s);
    return s;
}

void screenChanged() {
    // What the backend was handed last: it stays as it was until the next refresh.
    static Picture shown;
    lastRefresh() = device().micros();
    device().readPicture(shown);
    backend().present(shown);
}

void refreshScreen() {
    if (device().micros() - lastRefresh() >= panelRefreshMicros) screenChanged();
}

void deliverKey(DWORD virtualKey, bool down) {
    static bool held[256] = {};
    HWND w = mainWindow();
    if (!w) return;
    DWORD key = virtualKey & 0xFF;
    // Bit 30 tells that the key was already down: a held key repeats.
    LPARAM flags = held[key] ? (LPARAM(1) << 30) : 0;
    held[key] = down;
    PostMessageW(w, down ? WM_KEYDOWN : WM_KEYUP, virtualKey, down ? flags : (LPARAM(1) << 30));
}

void deliverStylus(StylusAction action, int x, int y) {
    HWND w = mainWindow();
    if (!w) return;
    switch (action) {
    case StylusAction::down: PostMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, packPoint(x, y)); break;
    case StylusAction::up: PostMessageW(w, WM_LBUTTONUP, 0, packPoint(x, y)); break;
    case StylusAction::move: PostMessageW(w, WM_MOUSEMOVE, MK_LBUTTON, packPoint(x, y)); break;
    }
}

void deliverActivate(bool active) {
    if (HWND w = mainWindow()) PostMessageW(w, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0);
}

void deliverClose() {
    if (HWND w = mainWindow()) PostMessageW(w, WM_CLOSE, 0, 0);
}

std::string narrow(std::u16string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        uint32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::u16string widen(std::string_view text) {
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        unsigned char b = text[i];
        uint32_t c = b;
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        if (extra) c = b & (0x3F >> extra);
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i) c = (c << 6) | (text[i] & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out += char16_t(0xD800 + (c >> 10));
            out += char16_t(0xDC00 + (c & 0x3FF));
        } else {
            out += char16_t(c);
        }
    }
    return out;
}

}  // namespace platform
