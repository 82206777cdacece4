// Input for a game menu as a game's frame gives it: flags of the key state, read by handleKeys
// long after the last accepted key.
#pragma once
#include "ce_system.h"
#include "gamemenu.h"
#include "keystate.h"

// One frame of the menu with the pause since the last accepted key over.
inline void handleAfterPause(const GameMenuPtr& menu) {
    GameMenu::lastKeyTime = GetTickCount() - 1000;
    menu->handleKeys();
}

// A stylus press at (x, y) in one frame.
inline void tapMenu(const GameMenuPtr& menu, int x, int y) {
    KeyState::pointerX = x;
    KeyState::pointerY = y;
    KeyState::pointerDown = true;
    handleAfterPause(menu);
    KeyState::pointerDown = false;
}
