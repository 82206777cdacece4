#pragma once
#include "ce.h"
#include "ddisplay.h"
#include "dmidlet.h"
#include "renderdisplay.h"

// The device side of the program: the one window, the message loop, the render display,
// and the application driven through its MIDlet interface.
class GameEngine {
public:
    using ApplicationFactory = dfc::microedition::midlet::DMIDletPtr (*)();

    GameEngine();
    virtual ~GameEngine();

    virtual bool startMidlet();
    virtual void destroy();
    virtual void tick();
    virtual void pointerPressed(int x, int y);
    virtual void pointerReleased(int x, int y);
    virtual void pointerDragged(int x, int y);
    virtual void keyPressed(int virtualKey);
    virtual void keyRepeated(int virtualKey);
    virtual void keyReleased(int virtualKey);
    virtual void suspend();
    virtual void resume();

    // Runs the program to its end; the process's exit status: the quit message's code, or 1
    // when the program could not start.
    int run(HINSTANCE instance, DWORD splashMilliseconds);
    bool initInstance(HINSTANCE instance);
    static void registerClass(HINSTANCE instance, const WCHAR* className);
    static LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    static dfc::lang::DStringPtr getAppProperty(dfc::lang::DStringPtr name);
    static RenderDisplay* getRenderDisplay();
    static GameEngine* singleton() { return engine; }
    // Ends the process at once.
    [[noreturn]] static void abort();

    // The device's key codes for a virtual key: the soft keys, select, star and pound.
    int translateKey(int virtualKey) const;

    // Makes the application: the program's entry sets the game library's, a test its own.
    static ApplicationFactory applicationFactory;

    HWND getWindow() const { return window; }
    bool isSuspended() const { return suspended; }
    bool isSplashActive() const { return splashActive; }
    bool isSmartPhone() const { return smartPhone; }
    dfc::microedition::midlet::DMIDletPtr getApplication() const { return application; }

private:
    dfc::microedition::lcdui::DCanvas* currentCanvas() const;
    void abandonStart();
    // A stylus message's point in the picture the program draws.
    int drawnX(LPARAM lParam) const;
    int drawnY(LPARAM lParam) const;

    static GameEngine* engine;

    dfc::microedition::midlet::DMIDletPtr application;
    dfc::microedition::lcdui::DDisplayPtr display;
    bool suspended = false;
    bool splashActive = false;
    DWORD splashDeadline = 0;
    bool smartPhone = false;
    RenderDisplay* renderDisplay = nullptr;
    HINSTANCE instance = nullptr;
    HWND window = nullptr;
    HBITMAP splashBitmap = nullptr;
};
