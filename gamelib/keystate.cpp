#include "keystate.h"
#include "dcanvas.h"
#include "ticks.h"

using dfc::microedition::lcdui::DCanvas;

bool KeyState::up = false;
bool KeyState::down = false;
bool KeyState::left = false;
bool KeyState::right = false;
bool KeyState::fire = false;
bool KeyState::key0 = false;
bool KeyState::key1 = false;
bool KeyState::key3 = false;
bool KeyState::key7 = false;
bool KeyState::key9 = false;
bool KeyState::star = false;
bool KeyState::pound = false;
bool KeyState::leftSoft = false;
bool KeyState::rightSoft = false;
bool KeyState::pauseKey = false;
bool KeyState::minusOneKey = false;
bool KeyState::minusTwoKey = false;
bool KeyState::anyKey = false;
int32_t KeyState::lastKey = 0;
int32_t KeyState::leftSoftKey1 = DCanvas::KEY_SOFT_LEFT;
int32_t KeyState::leftSoftKey2 = 0;
int32_t KeyState::rightSoftKey1 = DCanvas::KEY_SOFT_RIGHT;
int32_t KeyState::rightSoftKey2 = 0;
int32_t KeyState::middleSoftKey = DCanvas::KEY_SELECT;
dfc::lang::DintArrayPtr KeyState::codeSequence;
int32_t KeyState::codeSequencePos = 0;
int32_t KeyState::enteredNumber = 0;
bool KeyState::numberEntered = false;
int32_t KeyState::pointerX = 0;
int32_t KeyState::pointerY = 0;
int32_t KeyState::prevPointerX = 0;
int32_t KeyState::prevPointerY = 0;
bool KeyState::pointerDown = false;
bool KeyState::doubleTap = false;
bool KeyState::pointerDragged = false;
DWORD KeyState::lastPressTime = 0;

void KeyState::handleKey(int32_t code, bool pressed) {
    if (pressed && enterCode(code)) return;
    if (code == -1) pauseKey = pressed;
    setSoftKeyFlag(code, pressed);
    setKeyFlag(code, pressed);
    if (pressed) anyKey = true;
    lastKey = code;
}

bool KeyState::enterCode(int32_t code) {
    if (!codeSequence) return false;
    dfc::lang::DintArray& sequence = *codeSequence;
    const int n = sequence.length;
    if (codeSequencePos < 0 || codeSequencePos >= n) codeSequencePos = 0;
    if (codeSequencePos >= n - 2) {
        // Only a digit completes the entry; anything else starts the sequence over.
        if (code < '0' || code > '9') {
            codeSequencePos = 0;
            return false;
        }
        sequence[codeSequencePos++] = code - '0';
        if (codeSequencePos == n) {
            codeSequencePos = 0;
            enteredNumber = 10 * sequence[n - 2] + sequence[n - 1];
            numberEntered = true;
        }
        return true;
    }
    codeSequencePos = sequence[codeSequencePos] == code ? codeSequencePos + 1 : 0;
    return false;
}

void KeyState::setSoftKeyFlag(int32_t code, bool pressed) {
    if (code == leftSoftKey1 || code == leftSoftKey2)
        leftSoft = pressed;
    else if (code == rightSoftKey1 || code == rightSoftKey2)
        rightSoft = pressed;
    else if (code == -1)
        minusOneKey = pressed;
    else if (code == -2)
        minusTwoKey = pressed;
}

void KeyState::setKeyFlag(int32_t code, bool pressed) {
    const int action = DCanvas::getGameAction(code);
    if (action == DCanvas::UP || code == '2')
        up = pressed;
    else if (action == DCanvas::LEFT || code == '4')
        left = pressed;
    else if (action == DCanvas::RIGHT || code == '6')
        right = pressed;
    else if (code == '0')
        key0 = pressed;
    else if (action == DCanvas::DOWN || code == '8')
        down = pressed;
    else if (action == DCanvas::FIRE || code == '5' || code == middleSoftKey)
        fire = pressed;
    else if (code == '3')
        key3 = pressed;
    else if (code == '1')
        key1 = pressed;
    else if (code == '7')
        key7 = pressed;
    else if (code == '9')
        key9 = pressed;
    else if (code == DCanvas::KEY_STAR)
        star = pressed;
    else if (code == DCanvas::KEY_POUND)
        pound = pressed;
}

void KeyState::stylusPressed(int32_t x, int32_t y) {
    pointerX = prevPointerX = x;
    pointerY = prevPointerY = y;
    pointerDown = true;
    doubleTap = millisSince(lastPressTime) < doubleTapMillis;
    lastPressTime = GetTickCount();
}

void KeyState::stylusReleased(int32_t x, int32_t y) {
    pointerX = x;
    pointerY = y;
    pointerDragged = false;
    pointerDown = false;
}

void KeyState::stylusDragged(int32_t x, int32_t y) {
    prevPointerX = pointerX;
    prevPointerY = pointerY;
    pointerX = x;
    pointerY = y;
    pointerDragged = true;
    pointerDown = true;
}
