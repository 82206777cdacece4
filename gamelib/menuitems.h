#pragma once
#include <cstdint>
#include "dstringarray.h"

// The item lists the games' menus have in common, their texts from the text properties.
class MenuItems {
public:
    // The main menu's items: "start", "highscores", "help", the labels of the effect and music
    // levels in force, and "exit"; a pause menu has "continue" first and "mainmenu" last. They
    // go into the first five places and the last of the list, which may keep places of the
    // game's own before its last.
    static void setStandard(const dfc::lang::DStringArrayPtr& items, bool paused);
    // Only the first and the last of those: what tells a pause menu from the main menu.
    static void setEnds(const dfc::lang::DStringArrayPtr& items, bool paused);
    // The choice of a level: "level" and the number of each level reached, the highest
    // first, then "exit".
    static dfc::lang::DStringArrayPtr levelChoice(int32_t highest);
    // The text of each key.
    static dfc::lang::DStringArrayPtr textsOf(const dfc::lang::DStringArrayPtr& keys);
};
