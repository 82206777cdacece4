#pragma once
#include "dcanvas.h"
#include "dgraphics.h"
#include "imagefontarray.h"
#include "keyqueue.h"
#include "screencanvas.ptr"

// The program's one canvas. Key events wait in the queue and are applied to the key state
// one per tick; stylus events change the key state at once. It also holds the screen every
// mode paints into and the seven shared fonts.
class ScreenCanvas : public dfc::microedition::lcdui::DCanvas {
public:
    ScreenCanvas();

    void pointerPressed(int x, int y) override;
    void pointerReleased(int x, int y) override;
    void keyPressed(int code) override;
    void keyReleased(int code) override;
    void keyRepeated(int code) override;
    void pointerDragged(int x, int y) override;

    // Applies the oldest waiting key event, if any.
    static void processKeys();
    // Paints the current mode, when there is one, and presents the canvas.
    void repaint();
    static void loadFonts();
    static ImageFontPtr font(int index);

    static int32_t screenWidth;
    static int32_t screenHeight;
    static dfc::microedition::lcdui::DGraphicsPtr screenGraphics;
    static ImageFontArrayPtr fonts;
    static KeyQueue keyQueue;

    // Indices into fonts.
    static constexpr int menuFont = 0, menuSelectedFont = 1, hudFont0 = 2, hudFont1 = 3, numberFont0 = 4,
                         numberFont1 = 5, smallFont = 6;
};
