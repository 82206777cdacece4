// A round of the brick game as the game reads it: 21 lines of 11 cells, each line ended by
// CR LF, one byte a cell: a brick letter of the legend "abcdefghij" or '.' for an empty
// cell. The top row stays empty (the score sits there). Every brick that counts toward
// clearing the round must be within the ball's reach, through breakable bricks or through
// the blasts that detonators set off; otherwise the round could never be cleared. A
// detonator sets off the first bomb brick still standing, so the reach is checked both
// when the ball breaks the bombs it gets at before any detonator and when it leaves them
// for the detonators: a round must not depend on the order.
#pragma once
#include <array>
#include <string>
#include "core/place.h"

namespace assets {

class BrickRound {
public:
    static constexpr int rows = 21;
    static constexpr int columns = 11;

    // Checks the bytes, naming the line (and the column of a cell at fault) of the first fault.
    BrickRound(const std::string& bytes, const Place& place);

    const std::string& bytes() const { return file; }

private:
    using Grid = std::array<std::array<char, columns>, rows>;
    using Marks = std::array<std::array<bool, columns>, rows>;

    void readCells(const Place& place);
    void checkReach(const Place& place) const;
    // Opens what the ball reaches from below and what the blasts it sets off break.
    static void breakAll(const Grid& cells, Marks& broken, bool bombsLeftForDetonators);
    static bool flood(const Grid& cells, Marks& broken, bool bombsStand);
    static bool blast(const Grid& cells, Marks& broken, Marks& triggered);
    static void explode(const Grid& cells, Marks& broken, int row, int column);

    std::string file;
    Grid cells{};
};

}  // namespace assets
