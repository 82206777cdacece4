#pragma once
#include "gameinterface.h"

// The games the shell menu starts. The program fills each game's entry at start (its game
// list): how to build its main class, and how to drop its file-scope statics at exit. A game
// without an entry is listed by the shell but cannot be started.
class GameRegistry {
public:
    // The games, in the order of the large shell layout.
    enum Game { brixmoor, rockvale, dotvor, tunnex, tanks, goldrift, swarmline, floodpass, gameCount };

    using Factory = GameInterfacePtr (*)();
    using Release = void (*)();

    struct Entry {
        // Builds the game's main class; null until the game has landed.
        Factory create;
        // Nulls the game's file-scope statics; null when it keeps none.
        Release release;
    };

    // The factory of a main class built with its own constructor.
    template <class MainClass>
    static GameInterfacePtr make() {
        return new MainClass();
    }

    // A new main object of the game; null when the game has no entry.
    static GameInterfacePtr create(int game);
    // Runs every game's release.
    static void releaseGames();

    static Entry entries[gameCount];
};
