#include "screencanvas.h"
#include "gameinterface.h"
#include "gamelib.h"
#include "imagefont.h"
#include "keystate.h"

using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphicsPtr;

int32_t ScreenCanvas::screenWidth = 0;
int32_t ScreenCanvas::screenHeight = 0;
DGraphicsPtr ScreenCanvas::screenGraphics;
ImageFontArrayPtr ScreenCanvas::fonts;
KeyQueue ScreenCanvas::keyQueue;

ScreenCanvas::ScreenCanvas() {
    screenGraphics = getGraphics();
    screenWidth = width;
    screenHeight = height;
    keyQueue.clear();
}

void ScreenCanvas::pointerPressed(int x, int y) { KeyState::stylusPressed(x, y); }

void ScreenCanvas::pointerReleased(int x, int y) { KeyState::stylusReleased(x, y); }

void ScreenCanvas::pointerDragged(int x, int y) { KeyState::stylusDragged(x, y); }

void ScreenCanvas::keyPressed(int code) { keyQueue.append(code, true); }

void ScreenCanvas::keyReleased(int code) { keyQueue.append(code, false); }

void ScreenCanvas::keyRepeated(int code) { keyPressed(code); }

void ScreenCanvas::processKeys() {
    KeyQueue::Entry entry;
    if (keyQueue.take(&entry)) KeyState::handleKey(entry.code, entry.pressed != 0);
}

void ScreenCanvas::repaint() {
    // The mode is held for the call: painting may end it.
    if (GameInterfacePtr mode = GameLib::currentMode) mode->paint();
    DCanvas::repaint();
}

void ScreenCanvas::loadFonts() {
    static const char16_t* const names[] = {u"/fonts/menu", u"/fonts/menusel", u"/fonts/hud0", u"/fonts/hud1",
                                            u"/fonts/num0", u"/fonts/num1",    u"/fonts/small"};
    constexpr int count = sizeof names / sizeof names[0];
    fonts = new ImageFontArray(count);
    for (int i = 0; i < count; ++i) {
        ImageFontPtr made = new ImageFont();
        if (i == smallFont) {
            made->spacing = 1;
            made->upperCase = false;
        }
        made->load(DStringPtr(names[i]));
        fonts[i] = made;
    }
}

ImageFontPtr ScreenCanvas::font(int index) { return fonts[index]; }
