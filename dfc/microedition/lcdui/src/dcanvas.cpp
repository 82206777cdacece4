#include "dcanvas.h"
#include "ddisplay.h"
#include "dexception.h"
#include "dgraphics.h"
#include "dmidlet.h"
#include "rendersurface.h"

namespace dfc::microedition::lcdui {

namespace {

constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40;

struct DigitAction {
    char digit;
    int action;
};

// The phone pad: 2, 4, 6, 8 steer, 5 fires, the corners are the four spare actions.
constexpr DigitAction digitActions[] = {
    {'2', DCanvas::UP},     {'4', DCanvas::LEFT},   {'6', DCanvas::RIGHT},  {'8', DCanvas::DOWN},
    {'5', DCanvas::FIRE},   {'1', DCanvas::GAME_A}, {'3', DCanvas::GAME_B}, {'7', DCanvas::GAME_C},
    {'9', DCanvas::GAME_D},
};

}  // namespace

DCanvas::DCanvas() {
    width = DDisplay::getDisplay(midlet::DMIDlet::getCurrent())->width;
    height = DDisplay::getDisplay(midlet::DMIDlet::getCurrent())->height;
    // A display that had no back buffer to measure cannot carry a canvas.
    if (width < 1 || height < 1) DFC_THROW(lang::DIllegalStateException);
    backBuffer = std::make_unique<RenderSurface>(uint32_t(width), uint32_t(height));
}

DCanvas::~DCanvas() = default;

DGraphicsPtr DCanvas::getGraphics() { return new DGraphics(backBuffer.get()); }

void DCanvas::repaint() {
    if (shown) DDisplay::flush();
}

int DCanvas::getGameAction(int keyCode) {
    switch (keyCode) {
    case keyLeft: return LEFT;
    case keyUp: return UP;
    case keyRight: return RIGHT;
    case keyDown: return DOWN;
    case KEY_SELECT: return FIRE;
    default: break;
    }
    for (const DigitAction& d : digitActions)
        if (keyCode == d.digit) return d.action;
    return NO_ACTION;
}

int DCanvas::getKeyCode(int gameAction) {
    for (const DigitAction& d : digitActions)
        if (gameAction == d.action) return d.digit;
    return NO_ACTION;
}

lang::DStringPtr DCanvas::getKeyName(int keyCode) {
    if (keyCode >= '0' && keyCode <= '9') return lang::DStringPtr(u"KEY_NUM") + (keyCode - '0');
    switch (keyCode) {
    case keyLeft: return u"KEY_LEFT";
    case keyUp: return u"KEY_UP";
    case keyRight: return u"KEY_RIGHT";
    case keyDown: return u"KEY_DOWN";
    case KEY_POUND: return u"KEY_POUND";
    case KEY_STAR: return u"KEY_STAR";
    default: return u"UNKNOWN";
    }
}

}  // namespace dfc::microedition::lcdui
