// A map of the maze game as the game reads it: CR LF lines of one byte a cell, "0" open,
// "1" wall, "." dot, "o" energiser, "*" tunnel, "#" door, "p" the player's start, "r" and
// "g" the ghosts' starts, every line as long as the map is wide and no line break after the
// last line (the game counts one more row per line feed). The check proves the map can be
// played to its end: one start of each kind; a door above each ghost start with an open cell
// above it; a dot and a pair of tunnels at least; every way into a tunnel leads, inside the
// grid, to a far tunnel end with an open cell beyond; the ghost house (what the ghost starts
// reach without passing a door) closed to the player; every dot and energiser, and every
// tunnel and open cell outside the house, within the player's reach, tunnels taken; no dead
// end there but tunnel ends; eaten ghosts' eyes get home from every open cell by the game's
// homing rule; and the maze, with the game's wall border, fits both screens at their cell sizes.
#pragma once
#include <string>
#include <vector>
#include "core/place.h"

namespace assets {

class MazeMap {
public:
    struct Size {
        int width, height;         // cells
        int smallCell, largeCell;  // pixels per cell on the 176 x 220 and the 240 x 320 screen
    };
    // The game's maps, unless the manifest line gives another size.
    static constexpr int gameWidth = 20, gameHeight = 25;

    // Checks the bytes, naming the line (and the column of a cell at fault) of the first fault.
    MazeMap(const std::string& bytes, const Size& size, const Place& place);

    const std::string& bytes() const { return file; }
    int width() const { return size.width; }
    int height() const { return size.height; }
    // The byte of the cell; wall outside the map.
    char at(int x, int y) const;
    // The tunnel met going from (x, y) by (dx, dy), starting one cell on; false at the edge.
    bool farTunnel(int x, int y, int dx, int dy, int* fx, int* fy) const;

private:
    void readRows(const Place& place);
    void checkStarts(const Place& place) const;
    void checkTunnels(const Place& place) const;
    void checkReach(const Place& place) const;
    void checkHouseClosed(const Place& place, const std::vector<bool>& reached) const;
    void checkEyesGetHome(const Place& place) const;
    void checkScreens(const Place& place) const;

    bool walkable(int x, int y) const;
    std::vector<std::pair<int, int>> cellsOf(const std::string& kinds) const;
    std::vector<bool> flood(const std::vector<std::pair<int, int>>& from, bool takeTunnels) const;
    Place cell(const Place& place, int x, int y) const;

    std::string file;
    Size size;
    std::vector<std::string> rows;
};

}  // namespace assets
