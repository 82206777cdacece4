// A level file of the tunnel game, from its readable source: 8 blocks of 10 lines of 15 cells,
// each line ended by CR LF and the blocks parted by one empty line. A cell is '.' (earth), 'V'
// (vertical tunnel), 'H' (horizontal tunnel), 'S' (crossing), 'B' (gold bag) or 'C' (crystal).
// The game reads two bytes it ignores and then the 1200 cells, level by level and row by row,
// with no line ends. Every level must be playable: it holds a crystal and at most 15 bags, the
// monsters' entrance (column 14, row 0) is a tunnel a monster can leave, the player's start
// (column 7, row 9) is a tunnel, no bag rests right on a tunnel (it would fall at the start),
// and every crystal can be dug to from the start without going through a bag.
#pragma once
#include <array>
#include <string>
#include "core/place.h"

namespace assets {

class TunnelLevels {
public:
    static constexpr int levels = 8, rows = 10, columns = 15, maxBags = 15;
    static constexpr int entranceColumn = 14, entranceRow = 0, startColumn = 7, startRow = 9;

    // Checks the source, naming the line (and the column of a cell at fault) of the first fault.
    TunnelLevels(const std::string& source, const Place& place);

    // The file the game reads: 2 + 1200 bytes.
    const std::string& bytes() const { return file; }

private:
    using Level = std::array<std::array<char, columns>, rows>;

    void readLevels(const std::string& source, const Place& place);
    void checkLevel(int level, const Place& place) const;
    void checkReach(const Level& cells, const Place& place) const;
    // Whether a monster at the entrance has a joined tunnel to move along, by the game's masks.
    static bool entranceOpen(const Level& cells);
    static int maskOf(const Level& cells, int column, int row);

    std::array<Level, levels> cells{};
    std::string file;
};

}  // namespace assets
