// A map of the ladder game as the game reads it: the width and the height, each a decimal
// line, then one line of `width` cells per row, every line ended by CR LF. Cells: ' ' empty,
// '#' brick (can be dug), 'B' armoured brick, 'H' ladder, '-' handrail, '$' gold, 'G' loose
// gold, '~' false brick, 'E' exit, 'P' the hero's start, 'A' an enemy's start. One hero, one
// exit, some gold and at most ten enemies.
//
// The map must be winnable by the hero alone (enemies left out): walking where he is held up,
// climbing ladders, hanging from handrails, falling and letting go, and digging a brick
// below-beside him to drop through it. All gold lies where he can get to and come back from,
// the exit can be reached, and nowhere he can get to leaves him stuck for good (with no way
// back and no brick to dig himself into).
//
// Every guard must come into play: the enemies' distance field, built from a place the hero
// rests at, must come to the guard (where it lands from its start) from a quarter of those
// places at least. A guard reached from fewer is penned.
#pragma once
#include <string>
#include <vector>
#include "core/place.h"

namespace assets {

class LadderMap {
public:
    static constexpr int maxCells = 32767;
    static constexpr int maxEnemies = 10;

    // A guard's start and from how many of the hero's resting places its way to him is open.
    struct Guard {
        int cell;
        int reached;
        int places;
        bool penned() const { return reached * 4 < places; }
    };
    // Penned guards are refused, or kept for a measure to list.
    enum class Penned { refuse, keep };

    // Checks the bytes, naming the line (and the column of a cell at fault) of the first fault.
    LadderMap(const std::string& bytes, const Place& place, Penned penned = Penned::refuse);

    const std::string& bytes() const { return file; }
    // In the order of the map's cells.
    const std::vector<Guard>& guards() const { return guardList; }
    // "row R, column C", counted from 1.
    std::string describe(int cell) const;

private:
    // A place the hero can come to rest, and the cells he passes on the way.
    struct Move {
        int to;
        std::vector<int> passed;
    };

    void readCells(const Place& place);
    void checkCounts(const Place& place) const;
    void checkWinnable(const Place& place) const;
    void measureGuards();
    void checkGuards(const Place& place) const;

    char at(int cell) const { return cells[size_t(cell)]; }
    bool solid(int cell) const { return at(cell) == '#' || at(cell) == 'B'; }
    // Held up where he stands; a cell of brick is a hole he dug.
    bool held(int cell) const;
    // Where a fall that enters `cell` comes to rest, adding the cells on the way.
    int fall(int cell, std::vector<int>& passed) const;
    Move arrive(int cell) const;
    std::vector<Move> moves(int cell) const;
    void digMoves(int cell, std::vector<Move>& out) const;
    std::vector<bool> reachable(int from) const;
    // Where the hero first comes to rest: his start may be in the air.
    int firstRest(std::vector<int>& passed) const { return fall(int(cells.find('P')), passed); }
    Place placeOf(const Place& place, int cell) const { return place.cell(3 + cell / width, cell % width + 1); }

    std::string file;
    int width = 0;
    int height = 0;
    std::string cells;
    std::vector<Guard> guardList;
};

}  // namespace assets
