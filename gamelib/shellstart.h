#pragma once
#include "gameinterface.h"

// The shell's share of start-up, of the way back from a game and of shut-down. The shell
// menu, its pictures and the game-wide tables of the eight games are the shell's own; until
// they are in place the tables hold what the game library itself needs and the shell menu
// is a mode that leaves the screen as start-up drew it.
class ShellStart {
public:
    // The game-wide tables: filled once, after the fonts are loaded.
    static void initTables();
    // Drops every shared object of the game library and the games.
    static void releaseTables();
    // The pictures every menu draws.
    static void loadMenuPictures();
    static GameInterfacePtr newShellMenu();
};
