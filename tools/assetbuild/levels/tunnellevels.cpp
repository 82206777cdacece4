#include "tunnellevels.h"
#include <vector>
#include "core/builderror.h"

namespace assets {

namespace {

const std::string cellLetters = ".VHSBC";

bool isTunnel(char cell) { return cell == 'V' || cell == 'H' || cell == 'S'; }

bool isPassage(char cell) { return cell == 'V' || cell == 'H'; }

bool has(int mask, int bits) { return (mask & bits) == bits; }

}  // namespace

TunnelLevels::TunnelLevels(const std::string& source, const Place& place) {
    readLevels(source, place);
    for (int level = 0; level < levels; ++level) checkLevel(level, place.at(level * (rows + 1) + 1));
    file = std::string(2, '\0');
    for (const Level& level : cells)
        for (const auto& row : level) file.append(row.data(), columns);
}

void TunnelLevels::readLevels(const std::string& source, const Place& place) {
    size_t at = 0;
    int lineNumber = 0;
    auto nextLine = [&](const char* what) {
        ++lineNumber;
        Place line = place.at(lineNumber);
        if (at >= source.size()) throw BuildError(line, std::string("the file ends where ") + what + " should be");
        size_t end = source.find_first_of("\r\n", at);
        if (end == std::string::npos || source.compare(end, 2, "\r\n") != 0)
            throw BuildError(line, "every line ends in CR LF");
        std::string text = source.substr(at, end - at);
        at = end + 2;
        return text;
    };
    for (int level = 0; level < levels; ++level) {
        if (level > 0 && !nextLine("the empty line between two levels").empty())
            throw BuildError(place.at(lineNumber), "levels are parted by one empty line; 10 rows make a level");
        for (int row = 0; row < rows; ++row) {
            std::string text = nextLine("a row");
            Place line = place.at(lineNumber);
            if (text.size() != columns)
                throw BuildError(line, "a row holds 15 cells, this one " + std::to_string(text.size()));
            for (int column = 0; column < columns; ++column) {
                char cell = text[column];
                if (cellLetters.find(cell) == std::string::npos)
                    throw BuildError(place.cell(lineNumber, column + 1),
                                     std::string("cell '") + cell + "' is none of . V H S B C");
                cells[level][row][column] = cell;
            }
        }
    }
    if (at != source.size())
        throw BuildError(place.at(lineNumber + 1), "a level file holds 8 levels and nothing after them");
}

void TunnelLevels::checkLevel(int level, const Place& place) const {
    const Level& grid = cells[level];
    const std::string which = "level " + std::to_string(level + 1) + " of the file";
    int crystals = 0, bags = 0;
    for (const auto& row : grid)
        for (char cell : row) {
            crystals += cell == 'C';
            bags += cell == 'B';
        }
    if (crystals == 0) throw BuildError(place, which + " holds no crystal: it would end at once");
    if (bags > maxBags) throw BuildError(place, which + " holds " + std::to_string(bags) + " bags, more than 15");
    if (!isTunnel(grid[entranceRow][entranceColumn]) || !entranceOpen(grid))
        throw BuildError(place.cell(place.line + entranceRow, entranceColumn + 1),
                         which + ": the monsters' entrance (column 14, row 0) is no tunnel they can leave");
    if (!isTunnel(grid[startRow][startColumn]))
        throw BuildError(place.cell(place.line + startRow, startColumn + 1),
                         which + ": the player's start (column 7, row 9) is no tunnel");
    for (int row = 0; row + 1 < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (grid[row][column] == 'B' && isTunnel(grid[row + 1][column]))
                throw BuildError(place.cell(place.line + row, column + 1),
                                 "the bag in column " + std::to_string(column) +
                                     " rests on a tunnel and would fall as the level starts");
    checkReach(grid, place);
}

// The player digs through any earth, so a crystal is out of reach only when bags wall it in.
void TunnelLevels::checkReach(const Level& grid, const Place& place) const {
    std::array<std::array<bool, columns>, rows> seen{};
    std::vector<std::pair<int, int>> open{{startRow, startColumn}};
    seen[startRow][startColumn] = true;
    while (!open.empty()) {
        auto [row, column] = open.back();
        open.pop_back();
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
            int r = row + step[0], c = column + step[1];
            if (r < 0 || r >= rows || c < 0 || c >= columns || seen[r][c] || grid[r][c] == 'B') continue;
            seen[r][c] = true;
            open.emplace_back(r, c);
        }
    }
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (grid[row][column] == 'C' && !seen[row][column])
                throw BuildError(place.cell(place.line + row, column + 1),
                                 "the crystal in column " + std::to_string(column) + " is walled in by bags");
}

// As the game builds them: only 'V' and 'H' neighbours widen a tunnel cell.
int TunnelLevels::maskOf(const Level& grid, int column, int row) {
    const char ch = grid[row][column];
    int m = 0;
    if (ch == 'S' || ch == 'V') {
        m = 0xF800;
        if (column != 0 && isPassage(grid[row][column - 1])) m = 0xFFC0;
        if (column != columns - 1 && isPassage(grid[row][column + 1])) m |= 0x07C0;
    }
    if (ch == 'S' || ch == 'H') {
        m |= 0x07C0;
        if (row != 0 && isPassage(grid[row - 1][column])) m = 0xFFC0;
        if (row != rows - 1 && isPassage(grid[row + 1][column])) m |= 0xF800;
    }
    if (ch == 'S') m |= 0xFFC1;
    return m;
}

// From the top-right corner a monster can go left (the joint with column 13) or down (row 1).
bool TunnelLevels::entranceOpen(const Level& grid) {
    const int here = maskOf(grid, entranceColumn, entranceRow);
    const int left = maskOf(grid, entranceColumn - 1, entranceRow);
    const int below = maskOf(grid, entranceColumn, entranceRow + 1);
    const bool leftJoined = has(here, 0x0400) && (has(left, 0x03C0) || has(left, 0x7040));
    const bool downJoined = has(here, 0x8000) && (has(below, 0x7800) || has(below, 0x0B80));
    return leftJoined || downJoined;
}

}  // namespace assets
