#include "gameengine.h"
#include <cstdlib>
#include <string_view>
#include "debugoutputstream.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dfont.h"
#include "dmanager.h"
#include "dprintstream.h"
#include "drecordstore.h"
#include "dsystem.h"
#include "resources.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::lcdui::DCanvas;
using dfc::microedition::lcdui::DDisplay;
using dfc::microedition::media::DManager;
using dfc::microedition::rms::DRecordStore;


GameEngine* GameEngine::engine = nullptr;

namespace {

// Stylus coordinates are signed 16-bit values: a point left of or above the window is negative.
int pointX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int pointY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

// Tick counts wrap after 49 days; only their signed difference orders two moments.
bool isAfter(DWORD moment, DWORD reference) { return static_cast<int32_t>(moment - reference) > 0; }

}  // namespace

GameEngine::GameEngine() {
    if (engine) {
        MessageBoxW(nullptr, u"GameEngine already exists!", u"Error!", MB_ICONERROR);
        TerminateProcess(GetCurrentProcess(), 0);
    }
    engine = this;
    std::srand(GetTickCount());
}

GameEngine::~GameEngine() {
    DManager::closeSound();
    if (splashBitmap) DeleteObject(splashBitmap);
    // The slot must not point at a destroyed engine.
    if (engine == this) engine = nullptr;
}

int GameEngine::run(HINSTANCE moduleInstance, DWORD splashMilliseconds) {
    constexpr int startFailure = 1;
    instance = moduleInstance;
    RegisterModuleStrings(moduleStrings, moduleStringCount);
    // Another copy runs: it is brought to the front, and this one has done its part.
    if (!initInstance(moduleInstance)) return window ? 0 : startFailure;
    splashDeadline = GetTickCount() + splashMilliseconds;
    splashActive = true;

    renderDisplay = RenderDisplay::create(window, RenderDisplay::Parameters{176, 220, 0, 1});
    if (!renderDisplay) return startFailure;

    WCHAR platformType[256] = {};
    SystemParametersInfoW(SPI_GETPLATFORMTYPE, 255, platformType, 0);
    smartPhone = std::u16string_view(platformType) == u"SmartPhone";

    if (!startMidlet()) {
        delete renderDisplay;
        renderDisplay = nullptr;
        return startFailure;
    }

    MSG msg;
    for (;;) {
        if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) break;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            continue;
        }
        if (suspended) continue;
        tick();
        POINT cursor;
        if (GetCursorPos(&cursor) && WindowFromPoint(cursor) != window) engine->pointerReleased(0, 0);
    }
    destroy();
    delete renderDisplay;
    renderDisplay = nullptr;
    return int(msg.wParam);
}

bool GameEngine::initInstance(HINSTANCE moduleInstance) {
    WCHAR className[100];
    WCHAR title[100];
    LoadStringW(moduleInstance, 2, className, 100);
    LoadStringW(moduleInstance, 1, title, 100);
    splashBitmap = LoadBitmapW(moduleInstance, 101);

    if (HWND running = FindWindowW(className, title)) {
        window = running;
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(running) | 1));
        return false;
    }
    registerClass(moduleInstance, className);
    window = CreateWindowExW(0, className, title, WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, moduleInstance, nullptr);
    if (!window) return false;
    SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void GameEngine::registerClass(HINSTANCE moduleInstance, const WCHAR* className) {
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = moduleInstance;
    wc.hIcon = LoadIconW(moduleInstance, 102);
    wc.hCursor = LoadCursorW(moduleInstance, 104);
    wc.hbrBackground = GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = className;
    RegisterClassW(&wc);
}

LRESULT GameEngine::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
    case WM_SETTINGCHANGE: return 0;
    case WM_DESTROY:
        SHFullScreen(engine->window, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON | SHFS_SHOWSTARTICON);
        PostQuitMessage(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            engine->suspended = false;
            engine->resume();
        } else {
            engine->pointerReleased(0, 0);
            engine->suspended = true;
            engine->suspend();
        }
        return 0;
    case WM_PAINT: {
        RECT client;
        GetClientRect(hwnd, &client);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd, &paint);
        if (engine->splashBitmap && engine->splashActive) {
            HDC source = CreateCompatibleDC(dc);
            SelectObject(source, engine->splashBitmap);
            BITMAP bitmap;
            GetObjectW(engine->splashBitmap, sizeof bitmap, &bitmap);
            BitBlt(dc, (client.right - bitmap.bmWidth - client.left) >> 1,
                   (client.bottom - bitmap.bmHeight - client.top) >> 1, bitmap.bmWidth, bitmap.bmHeight, source, 0, 0,
                   SRCCOPY);
            DeleteDC(source);
        }
        EndPaint(hwnd, &paint);
        return 0;
    }
    case WM_KEYDOWN:
        if (lParam & (LPARAM(1) << 30))
            engine->keyRepeated(int(wParam));
        else
            engine->keyPressed(int(wParam));
        return 0;
    case WM_KEYUP: engine->keyReleased(int(wParam)); return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDOK) break;
        SendMessageW(engine->window, WM_CLOSE, 0, 0);
        return 0;
    case WM_MOUSEMOVE:
        if (wParam & MK_LBUTTON) engine->pointerDragged(engine->drawnX(lParam), engine->drawnY(lParam));
        return 0;
    case WM_LBUTTONDOWN: engine->pointerPressed(engine->drawnX(lParam), engine->drawnY(lParam)); return 0;
    case WM_LBUTTONUP: engine->pointerReleased(engine->drawnX(lParam), engine->drawnY(lParam)); return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void GameEngine::tick() {
    if (splashActive) {
        if (isAfter(GetTickCount(), splashDeadline)) splashActive = false;
        return;
    }
    application->tick();
    if (!application->isAlive()) PostQuitMessage(0);
}

bool GameEngine::startMidlet() {
    DManager::openSound();
    try {
        DSystem::out = new dfc::io::DPrintStream(dfc::io::DOutputStreamPtr());
        DSystem::err = new dfc::io::DPrintStream(new DebugOutputStream());
    } catch (DExceptionPtr&) {
        return false;
    }
    application = applicationFactory();
    DRecordStore::setApplicationName(application->getAppProperty(u"app.name"));
    display = new DDisplay(renderDisplay);
    try {
        application->startApp();
    } catch (DExceptionPtr& e) {
        if (DSystem::err) DSystem::err->println(u"GameEngine: the program cannot start: " + DFailureReason::of(e));
        MessageBoxW(nullptr, e->toString()->chars(), u"Error!", MB_ICONERROR);
        abandonStart();
        return false;
    } catch (...) {
        if (DSystem::err) DSystem::err->println(u"GameEngine: the program cannot start");
        MessageBoxW(nullptr, u"Can't start midlet !", u"Error!", MB_ICONERROR);
        abandonStart();
        return false;
    }
    return true;
}

// The application is released through its own shut-down, as at the end of a run, so that
// nothing of it is left for the destruction of the program's statics.
void GameEngine::abandonStart() {
    try {
        application->destroyApp(true);
    } catch (DExceptionPtr&) {
        // Half built: what it could release is released.
    }
    DSystem::out = nullptr;
    DSystem::err = nullptr;
    dfc::microedition::lcdui::DFont::cache = nullptr;
    DRecordStore::setApplicationName(nullptr);
    display = nullptr;
    application = nullptr;
}

void GameEngine::destroy() {
    application->destroyApp(true);
    DSystem::out = nullptr;
    DSystem::err = nullptr;
    dfc::microedition::lcdui::DFont::cache = nullptr;
    DRecordStore::setApplicationName(nullptr);
    application = nullptr;
    display = nullptr;
}

// The render display may show the program's picture centred on a larger screen.
int GameEngine::drawnX(LPARAM lParam) const {
    return pointX(lParam) - (renderDisplay ? renderDisplay->stageOrigin().x : 0);
}
int GameEngine::drawnY(LPARAM lParam) const {
    return pointY(lParam) - (renderDisplay ? renderDisplay->stageOrigin().y : 0);
}

DCanvas* GameEngine::currentCanvas() const {
    if (!display) return nullptr;
    return dynamic_cast<DCanvas*>(display->getCurrent().get());
}

void GameEngine::pointerPressed(int x, int y) {
    if (DCanvas* canvas = currentCanvas()) canvas->pointerPressed(x, y);
}

void GameEngine::pointerReleased(int x, int y) {
    if (DCanvas* canvas = currentCanvas()) canvas->pointerReleased(x, y);
}

void GameEngine::pointerDragged(int x, int y) {
    if (DCanvas* canvas = currentCanvas()) canvas->pointerDragged(x, y);
}

void GameEngine::keyPressed(int virtualKey) {
    if (DCanvas* canvas = currentCanvas()) canvas->keyPressed(translateKey(virtualKey));
}

void GameEngine::keyRepeated(int virtualKey) {
    if (DCanvas* canvas = currentCanvas()) canvas->keyRepeated(translateKey(virtualKey));
}

void GameEngine::keyReleased(int virtualKey) {
    if (DCanvas* canvas = currentCanvas()) canvas->keyReleased(translateKey(virtualKey));
}

int GameEngine::translateKey(int vk) const {
    constexpr int leftSoft = 10000, rightSoft = 10001, select = 10002, pound = 10003, star = 10004;
    if (vk == int(VK_RETURN)) return select;
    if (smartPhone) {
        switch (vk) {
        case VK_ESCAPE:
        case VK_F1: return leftSoft;
        case VK_F2: return rightSoft;
        case VK_F8: return star;
        case VK_F9: return pound;
        default: return vk;
        }
    }
    switch (vk) {
    case VK_APP1: return leftSoft;
    case VK_APP2: return star;
    case VK_APP3: return pound;
    case VK_APP4: return rightSoft;
    default: return vk;
    }
}

void GameEngine::suspend() { DManager::speaker()->suspend(); }

void GameEngine::resume() { DManager::speaker()->resume(); }

DStringPtr GameEngine::getAppProperty(DStringPtr name) { return engine->application->getAppProperty(name); }

RenderDisplay* GameEngine::getRenderDisplay() { return engine->renderDisplay; }

void GameEngine::abort() {
    TerminateProcess(GetCurrentProcess(), 0xFFFFFFFF);
    std::abort();
}

GameEngine::ApplicationFactory GameEngine::applicationFactory = nullptr;
