#pragma once
#include <memory>
#include "dcanvas.ptr"
#include "ddisplayable.h"
#include "dgraphics.ptr"

class RenderSurface;

namespace dfc::microedition::lcdui {

// A displayable that takes key and stylus events (every event slot does nothing by default)
// and holds a back buffer of the display's size, drawn on through getGraphics.
class DCanvas : public DDisplayable {
public:
    // Key codes the frame delivers besides the digits '0'-'9' and the arrows 37-40.
    static constexpr int KEY_SOFT_LEFT = 10000;
    static constexpr int KEY_SOFT_RIGHT = 10001;
    static constexpr int KEY_SELECT = 10002;
    static constexpr int KEY_POUND = 10003;
    static constexpr int KEY_STAR = 10004;

    static constexpr int UP = 1;
    static constexpr int LEFT = 2;
    static constexpr int RIGHT = 5;
    static constexpr int DOWN = 6;
    static constexpr int FIRE = 8;
    static constexpr int GAME_A = 9;
    static constexpr int GAME_B = 10;
    static constexpr int GAME_C = 11;
    static constexpr int GAME_D = 12;
    static constexpr int NO_ACTION = -1;

    // Needs the current application's display, and a display with a back buffer.
    DCanvas();
    ~DCanvas() override;

    // A new graphics on the back buffer at each call.
    DGraphicsPtr getGraphics();
    // Presents the back buffer at once while this canvas is shown; otherwise does nothing.
    void repaint();
    RenderSurface* getBackBuffer() const { return backBuffer.get(); }

    void unused() override {}
    virtual void showNotify() {}
    virtual void pointerPressed(int, int) {}
    virtual void pointerReleased(int, int) {}
    virtual void hideNotify() {}
    virtual void keyPressed(int) {}
    virtual void keyReleased(int) {}
    virtual void keyRepeated(int) {}
    virtual lang::DObjectPtr unusedObject() { return lang::DObjectPtr(); }
    virtual void pointerDragged(int, int) {}

    static int getGameAction(int keyCode);
    // The digit key of a game action; the arrows and select are never answered.
    static int getKeyCode(int gameAction);
    static lang::DStringPtr getKeyName(int keyCode);

private:
    std::unique_ptr<RenderSurface> backBuffer;
};

}  // namespace dfc::microedition::lcdui
