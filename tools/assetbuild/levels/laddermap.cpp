#include "laddermap.h"
#include <algorithm>
#include "core/builderror.h"
#include "pathfield.h"

namespace assets {

namespace {

const std::string legend = " #BH-$G~EPA";

}  // namespace

LadderMap::LadderMap(const std::string& bytes, const Place& place, Penned penned) : file(bytes) {
    readCells(place);
    checkCounts(place);
    checkWinnable(place);
    measureGuards();
    if (penned == Penned::refuse) checkGuards(place);
}

std::string LadderMap::describe(int cell) const {
    return "row " + std::to_string(cell / width + 1) + ", column " + std::to_string(cell % width + 1);
}

void LadderMap::readCells(const Place& place) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < file.size()) {
        size_t end = file.find_first_of("\r\n", at);
        if (end == std::string::npos || file.compare(end, 2, "\r\n") != 0)
            throw BuildError(place.at(int(lines.size()) + 1), "every line of a map ends in CR LF");
        lines.push_back(file.substr(at, end - at));
        at = end + 2;
    }
    auto size = [&](int index, const char* what) {
        const std::string text = index < int(lines.size()) ? lines[size_t(index)] : "";
        if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
            throw BuildError(place.at(index + 1), std::string("line ") + std::to_string(index + 1) + " holds the " +
                                                      what + " as a decimal number");
        int value = std::stoi(text);
        if (value < 1) throw BuildError(place.at(index + 1), std::string("the ") + what + " is at least 1");
        return value;
    };
    width = size(0, "width");
    height = size(1, "height");
    if (width > maxCells / height)
        throw BuildError(place.at(2), "a map has at most " + std::to_string(maxCells) + " cells");
    if (int(lines.size()) != height + 2)
        throw BuildError(place,
                         "the map has " + std::to_string(lines.size() - 2) + " rows, not " + std::to_string(height));
    for (int row = 0; row < height; ++row) {
        const std::string& text = lines[size_t(row) + 2];
        Place line = place.at(row + 3);
        if (int(text.size()) != width)
            throw BuildError(
                line, "a row holds " + std::to_string(width) + " cells, this one " + std::to_string(text.size()));
        for (int column = 0; column < width; ++column)
            if (legend.find(text[size_t(column)]) == std::string::npos)
                throw BuildError(place.cell(row + 3, column + 1),
                                 std::string("cell '") + text[size_t(column)] + "' is none of \"" + legend + "\"");
        cells += text;
    }
}

void LadderMap::checkCounts(const Place& place) const {
    auto count = [&](char c) { return int(std::count(cells.begin(), cells.end(), c)); };
    if (count('P') != 1)
        throw BuildError(place, "a map has one hero's start 'P', this one " + std::to_string(count('P')));
    if (count('E') != 1) throw BuildError(place, "a map has one exit 'E', this one " + std::to_string(count('E')));
    if (count('$') < 1) throw BuildError(place, "a map has gold '$' to open its exit");
    if (count('A') > maxEnemies)
        throw BuildError(place, "a map has at most 10 enemies 'A', this one " + std::to_string(count('A')));
}

bool LadderMap::held(int cell) const {
    if (cell / width == height - 1 || solid(cell) || at(cell) == '-' || at(cell) == 'H') return true;
    const char below = at(cell + width);
    return below == '#' || below == 'B' || below == 'H';
}

int LadderMap::fall(int cell, std::vector<int>& passed) const {
    passed.push_back(cell);
    while (!held(cell)) {
        cell += width;
        passed.push_back(cell);
    }
    return cell;
}

LadderMap::Move LadderMap::arrive(int cell) const {
    Move move{cell, {}};
    move.to = fall(cell, move.passed);
    return move;
}

// Walking, climbing, letting go and digging from a place he rests at.
std::vector<LadderMap::Move> LadderMap::moves(int cell) const {
    std::vector<Move> out;
    const int col = cell % width, row = cell / width;
    const bool inHole = solid(cell);
    if (col > 0 && !solid(cell - 1)) out.push_back(arrive(cell - 1));
    if (col < width - 1 && !solid(cell + 1)) out.push_back(arrive(cell + 1));
    if (!inHole && row > 0 && !solid(cell - width)) {
        if (at(cell) == 'H') out.push_back(Move{cell - width, {cell - width}});
        if (at(cell) == '-' && at(cell - width) == 'H') out.push_back(Move{cell - width, {cell - width}});
    }
    if (!inHole && row < height - 1 && !solid(cell + width)) {
        if (at(cell + width) == 'H' || at(cell) == 'H' || at(cell) == '-') out.push_back(arrive(cell + width));
    }
    digMoves(cell, out);
    return out;
}

// Digs the brick below-beside, steps over and drops through the hole.
void LadderMap::digMoves(int cell, std::vector<Move>& out) const {
    const int col = cell % width, row = cell / width;
    if (row >= height - 1) return;
    for (int side : {-1, 1}) {
        if (col + side < 0 || col + side >= width) continue;
        const int beside = cell + side, target = beside + width;
        // The starts of the hero and the guards are empty once the level is loaded.
        const char above = at(beside) == 'P' || at(beside) == 'A' ? ' ' : at(beside);
        if (at(target) != '#' || (above != ' ' && above != '-')) continue;
        Move move{target, {beside}};
        int rest = target;
        move.passed.push_back(target);
        if (target / width < height - 1) {
            const char below = at(target + width);
            if (below != '#' && below != 'B' && below != 'H') rest = fall(target + width, move.passed);
        }
        move.to = rest;
        out.push_back(move);
    }
}

std::vector<bool> LadderMap::reachable(int from) const {
    std::vector<bool> seen(cells.size(), false);
    std::vector<int> open{from};
    seen[size_t(from)] = true;
    while (!open.empty()) {
        int cell = open.back();
        open.pop_back();
        for (const Move& move : moves(cell))
            if (!seen[size_t(move.to)]) {
                seen[size_t(move.to)] = true;
                open.push_back(move.to);
            }
    }
    return seen;
}

void LadderMap::checkWinnable(const Place& place) const {
    const int exit = int(cells.find('E'));
    const int count = int(cells.size());
    std::vector<int> opening;
    const int first = firstRest(opening);
    const std::vector<bool> out = reachable(first);
    // Where he can come back to the first resting place from.
    std::vector<bool> back(size_t(count), false);
    std::vector<bool> dies(size_t(count), false);
    for (int cell = 0; cell < count; ++cell) {
        if (!out[size_t(cell)]) continue;
        const std::vector<bool> onward = reachable(cell);
        back[size_t(cell)] = onward[size_t(first)];
        for (int other = 0; other < count && !dies[size_t(cell)]; ++other)
            dies[size_t(cell)] = onward[size_t(other)] && solid(other);
    }
    std::vector<bool> got(size_t(count), false);
    for (int cell : opening) got[size_t(cell)] = true;
    for (int cell = 0; cell < count; ++cell) {
        if (!out[size_t(cell)] || !back[size_t(cell)]) continue;
        for (const Move& move : moves(cell))
            if (back[size_t(move.to)])
                for (int passed : move.passed) got[size_t(passed)] = true;
    }
    for (int cell = 0; cell < count; ++cell)
        if (at(cell) == '$' && !got[size_t(cell)])
            throw BuildError(placeOf(place, cell),
                             "the gold at " + describe(cell) + " is not where the hero can get to and come back from");
    if (!out[size_t(exit)]) throw BuildError(placeOf(place, exit), "the hero cannot get to the exit");
    for (int cell = 0; cell < count; ++cell)
        if (out[size_t(cell)] && !solid(cell) && !back[size_t(cell)] && !dies[size_t(cell)] && cell != exit)
            throw BuildError(placeOf(place, cell),
                             "the hero is stuck for good at " + describe(cell) + ": no way back and no brick to dig");
}

// The field is the game's own, over the map as loaded: the starts are empty cells to it.
void LadderMap::measureGuards() {
    std::vector<int> opening;
    const std::vector<bool> out = reachable(firstRest(opening));
    std::vector<int> places;
    for (int cell = 0; cell < int(cells.size()); ++cell)
        if (out[size_t(cell)] && !solid(cell)) places.push_back(cell);
    std::vector<int> lands;
    for (int cell = 0; cell < int(cells.size()); ++cell)
        if (at(cell) == 'A') {
            std::vector<int> passed;
            lands.push_back(fall(cell, passed));
            guardList.push_back(Guard{cell, 0, int(places.size())});
        }
    const std::u16string grid(cells.begin(), cells.end());
    std::vector<int16_t> distance(cells.size()), frontier(cells.size());
    PathField field(grid.data(), width, height, distance.data(), frontier.data());
    for (int place : places) {
        field.restart(place);
        field.expand(int(cells.size()));
        for (size_t i = 0; i < lands.size(); ++i)
            if (distance[size_t(lands[i])] != -1) guardList[i].reached += 1;
    }
}

void LadderMap::checkGuards(const Place& place) const {
    for (const Guard& guard : guardList)
        if (guard.penned())
            throw BuildError(placeOf(place, guard.cell),
                             "the guard at " + describe(guard.cell) + " can reach the hero from " +
                                 std::to_string(guard.reached) + " of the " + std::to_string(guard.places) +
                                 " places he rests at, not a quarter: it is penned");
}

}  // namespace assets
