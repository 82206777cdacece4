#include "brickround.h"
#include <vector>
#include "core/builderror.h"

namespace assets {

namespace {

const std::string legend = "abcdefghij";
constexpr char emptyCell = '.';
constexpr char solid = 'e';
constexpr char detonator = 'd';
constexpr char bomb = 'h';

// Regrowing ('c') and solid ('e') bricks do not count toward clearing.
bool counts(char cell) { return cell != emptyCell && cell != 'c' && cell != solid; }

}  // namespace

BrickRound::BrickRound(const std::string& bytes, const Place& place) : file(bytes) {
    readCells(place);
    checkReach(place);
}

void BrickRound::readCells(const Place& place) {
    size_t at = 0;
    for (int row = 0; row < rows; ++row) {
        Place line = place.at(row + 1);
        size_t end = file.find_first_of("\r\n", at);
        if (at >= file.size()) throw BuildError(line, "the round ends after " + std::to_string(row) + " of 21 lines");
        if (end == std::string::npos || file.compare(end, 2, "\r\n") != 0)
            throw BuildError(line, "every line of a round ends in CR LF");
        std::string text = file.substr(at, end - at);
        if (text.size() != columns)
            throw BuildError(line, "a line holds 11 cells, this one " + std::to_string(text.size()));
        for (int column = 0; column < columns; ++column) {
            char cell = text[column];
            if (cell != emptyCell && legend.find(cell) == std::string::npos)
                throw BuildError(place.cell(row + 1, column + 1),
                                 std::string("cell '") + cell + "' is neither '.' nor a letter of \"" + legend + "\"");
            if (row == 0 && cell != emptyCell) throw BuildError(place.cell(1, column + 1), "the top row stays empty");
            cells[row][column] = cell;
        }
        at = end + 2;
    }
    if (at != file.size()) throw BuildError(place.at(rows + 1), "a round has 21 lines and nothing after them");
}

void BrickRound::checkReach(const Place& place) const {
    bool anyCounted = false;
    for (bool bombsLeftForDetonators : {false, true}) {
        Marks broken{};
        breakAll(cells, broken, bombsLeftForDetonators);
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                if (!counts(cells[row][column])) continue;
                anyCounted = true;
                if (!broken[row][column])
                    throw BuildError(
                        place.cell(row + 1, column + 1),
                        "the brick in column " + std::to_string(column + 1) +
                            " is out of the ball's reach: solid bricks close it in" +
                            (bombsLeftForDetonators ? " when the detonators set off the bombs in reach" : ""));
            }
    }
    if (!anyCounted) throw BuildError(place, "the round holds no brick that counts toward clearing it");
}

void BrickRound::breakAll(const Grid& cells, Marks& broken, bool bombsLeftForDetonators) {
    Marks triggered{};
    for (bool bombsStand : {bombsLeftForDetonators, false}) {
        bool changed = true;
        while (changed) {
            changed = flood(cells, broken, bombsStand);
            changed = blast(cells, broken, triggered) || changed;
        }
    }
}

// The ball comes from below the field and breaks every brick it can get at; solid bricks
// stop it unless a blast broke them, and so do the bombs while they are left standing.
bool BrickRound::flood(const Grid& cells, Marks& broken, bool bombsStand) {
    auto passable = [&](int row, int column) {
        char cell = cells[row][column];
        return broken[row][column] || (cell != solid && !(bombsStand && cell == bomb));
    };
    Marks seen{};
    std::vector<std::pair<int, int>> open;
    for (int column = 0; column < columns; ++column)
        if (passable(rows - 1, column)) {
            seen[rows - 1][column] = true;
            open.emplace_back(rows - 1, column);
        }
    bool changed = false;
    while (!open.empty()) {
        auto [row, column] = open.back();
        open.pop_back();
        if (!broken[row][column]) changed = true;
        broken[row][column] = true;
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
            int r = row + step[0], c = column + step[1];
            if (r < 0 || r >= rows || c < 0 || c >= columns || seen[r][c] || !passable(r, c)) continue;
            seen[r][c] = true;
            open.emplace_back(r, c);
        }
    }
    return changed;
}

// A broken detonator sets off the first bomb brick still standing, in row order.
bool BrickRound::blast(const Grid& cells, Marks& broken, Marks& triggered) {
    bool changed = false;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            if (cells[row][column] != detonator || !broken[row][column] || triggered[row][column]) continue;
            triggered[row][column] = true;
            for (int r = 0, done = 0; r < rows && !done; ++r)
                for (int c = 0; c < columns && !done; ++c)
                    if (cells[r][c] == bomb && !broken[r][c]) {
                        explode(cells, broken, r, c);
                        done = changed = true;
                    }
        }
    return changed;
}

// A bomb breaks the 3 x 3 block around it; bomb bricks caught in it go off in turn.
void BrickRound::explode(const Grid& cells, Marks& broken, int row, int column) {
    broken[row][column] = true;
    for (int r = row - 1; r <= row + 1; ++r)
        for (int c = column - 1; c <= column + 1; ++c) {
            if (r < 0 || r >= rows || c < 0 || c >= columns || broken[r][c]) continue;
            broken[r][c] = true;
            if (cells[r][c] == bomb) explode(cells, broken, r, c);
        }
}

}  // namespace assets
