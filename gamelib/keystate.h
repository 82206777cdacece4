#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dprimitives.h"

// The shared input state the shell, the menus and the games read and clear: one flag per
// key role, the key map, the two-digit code entry and the stylus.
struct KeyState {
    static bool up, down, left, right, fire;
    static bool key0, key1, key3, key7, key9;
    static bool star, pound;
    static bool leftSoft, rightSoft;
    static bool pauseKey;
    static bool minusOneKey, minusTwoKey;
    // Set by every applied press; only the games clear it.
    static bool anyKey;
    static int32_t lastKey;

    // The key map, read from "/keys" at start-up.
    static int32_t leftSoftKey1, leftSoftKey2, rightSoftKey1, rightSoftKey2, middleSoftKey;

    // After the keys of the sequence, its last two entries take two typed digits.
    static dfc::lang::DintArrayPtr codeSequence;
    static int32_t codeSequencePos;
    static int32_t enteredNumber;
    static bool numberEntered;

    static int32_t pointerX, pointerY;
    static int32_t prevPointerX, prevPointerY;
    static bool pointerDown;
    static bool doubleTap;
    static bool pointerDragged;
    static DWORD lastPressTime;

    // Applies one key event.
    static void handleKey(int32_t code, bool pressed);

    static void stylusPressed(int32_t x, int32_t y);
    static void stylusReleased(int32_t x, int32_t y);
    static void stylusDragged(int32_t x, int32_t y);

    // Presses closer together than this are a double tap.
    static constexpr int32_t doubleTapMillis = 300;

private:
    // True when the code sequence took the key as one of its digits.
    static bool enterCode(int32_t code);
    static void setSoftKeyFlag(int32_t code, bool pressed);
    static void setKeyFlag(int32_t code, bool pressed);
};
