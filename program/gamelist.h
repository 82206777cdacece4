#pragma once

// The games the shell menu starts: the program puts each game's entry into the game library's
// registry at start, so that the library below the games never names them.
class GameList {
public:
    static void install();
};
