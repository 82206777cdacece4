#include "riverscreens.h"
#include "core/builderror.h"
#include "riverflight.h"
#include "riverstarts.h"

namespace assets {

namespace {

int number(const std::string& word, const Place& place, const std::string& what) {
    if (word.empty() || word.find_first_not_of("0123456789") != std::string::npos || word.size() > 4)
        throw BuildError(place, what + " \"" + word + "\" is not a number");
    return std::stoi(word);
}

}  // namespace

RiverScreens::RiverScreens(const SourceText& source, const Rules& rules) : rules(rules) {
    const auto& lines = source.lines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const Place place = source.place(lines[i].number);
        const std::string& text = lines[i].text;
        std::vector<std::string> words = tokenize(text, place);
        if (words[0] == "legend") {
            readLegend(words, place);
        } else if (words[0] == "screen") {
            if (words.size() != 2) throw BuildError(place, "expected: screen NAME");
            if (screenNumbers.count(words[1])) throw BuildError(place, "screen " + words[1] + " is given twice");
            Screen screen{words[1], place, {}};
            for (int row = 0; row < rows; ++row) {
                if (++i >= lines.size()) throw BuildError(place, "screen " + words[1] + " ends before its 26 lines");
                const Place at = source.place(lines[i].number);
                const std::string& cells = lines[i].text;
                if (int(cells.size()) != columns)
                    throw BuildError(at, "a screen line holds 22 cells, this one " + std::to_string(cells.size()));
                for (int column = 0; column < columns; ++column) {
                    auto found = legend.find(cells[column]);
                    if (found == legend.end())
                        throw BuildError(at.cell(at.line, column + 1),
                                         std::string("cell '") + cells[column] + "' is not in the legend");
                    screen.cells[row][column] = found->second;
                }
            }
            finishScreen(screen);
            checkScreen(screen);
            screenNumbers[screen.name] = int(screens.size());
            screens.push_back(screen);
        } else if (words[0] == "level") {
            readLevel(text, place);
        } else {
            throw BuildError(place, "expected legend, screen or level");
        }
    }
    if (screens.empty()) throw BuildError(source.place(0), "the river has no screen");
    if (screens.size() > 127) throw BuildError(source.place(0), "the river has more than 127 screens");
    if (levels.empty()) throw BuildError(source.place(0), "the river has no level");
    if (levels.size() > 127) throw BuildError(source.place(0), "the river has more than 127 levels");
    for (const Level& level : levels) prove(level);
    encode();
}

void RiverScreens::readLegend(const std::vector<std::string>& words, const Place& place) {
    if (words.size() < 3 || words[1].size() != 1)
        throw BuildError(place, "expected: legend C LAYER1 [LAYER2] [kind=K]");
    Cell cell;
    if (words[2] == "land") {
        cell.autoLand = true;
        cell.layer1 = 0;
    } else {
        cell.layer1 = tile(words[2], place);
        if (cell.layer1 == none)
            throw BuildError(place, "every cell needs a first-layer tile (the river keeps old pixels)");
    }
    for (size_t i = 3; i < words.size(); ++i) {
        if (words[i].rfind("kind=", 0) == 0) {
            cell.kind = number(words[i].substr(5), place, "kind");
            if (cell.kind > highestKind) throw BuildError(place, "object kinds go from 0 to 24");
            if (!rules.kinds.count(cell.kind))
                throw BuildError(place, "kind " + std::to_string(cell.kind) + " has no picture");
        } else if (i == 3) {
            cell.layer2 = tile(words[i], place);
        } else {
            throw BuildError(place, "unexpected \"" + words[i] + "\"");
        }
    }
    if (!legend.emplace(words[1][0], cell).second) throw BuildError(place, "legend " + words[1] + " is given twice");
}

int RiverScreens::tile(const std::string& word, const Place& place) const {
    if (word == "-") return none;
    if (word == "water") return water;
    const int value = number(word, place, "tile");
    if (value >= rules.landTiles)
        throw BuildError(place, "tile " + word + " is not one of the " + std::to_string(rules.landTiles) +
                                    " the property \"land\" names");
    return value;
}

void RiverScreens::readLevel(const std::string& line, const Place& place) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) throw BuildError(place, "expected: level NAME = SCREEN ...");
    std::vector<std::string> head = tokenize(line.substr(0, equals), place);
    std::vector<std::string> list = tokenize(line.substr(equals + 1), place);
    if (head.size() != 2) throw BuildError(place, "expected: level NAME = SCREEN ...");
    Level level{head[1], place, {}};
    for (const std::string& name : list) {
        auto found = screenNumbers.find(name);
        if (found == screenNumbers.end()) throw BuildError(place, "no screen " + name + " is given above");
        level.screens.push_back(found->second);
    }
    // A level starts with the screen full and one row more: 41 rows on the large screen.
    if (level.screens.size() < 2) throw BuildError(place, "a level needs at least 2 screens");
    if (level.screens.size() > 127) throw BuildError(place, "a level has at most 127 screens");
    levels.push_back(level);
}

// Land takes the grass tile whose beaches face the water beside it (the screen's edges face
// the next screen's land or water alike, so they get none).
void RiverScreens::finishScreen(Screen& screen) {
    auto wet = [&](int row, int column) {
        if (row < 0 || row >= rows || column < 0 || column >= columns) return false;
        return RiverRules::isWater(screen.cells[row][column].layer1);
    };
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            Cell& cell = screen.cells[row][column];
            if (!cell.autoLand) continue;
            cell.layer1 = (wet(row - 1, column) ? 1 : 0) | (wet(row, column + 1) ? 2 : 0) |
                          (wet(row + 1, column) ? 4 : 0) | (wet(row, column - 1) ? 8 : 0);
        }
}

void RiverScreens::checkScreen(const Screen& screen) const {
    int objects = 0;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const int kind = screen.cells[row][column].kind;
            if (kind == none) continue;
            const Place at = screen.place.cell(screen.place.line + 1 + row, column + 1);
            if (++objects > maxObjects) throw BuildError(at, "screen " + screen.name + " holds more than 30 objects");
            const int right = column * cell + rules.kinds.at(kind).width;
            if (right > riverWidth)
                throw BuildError(at, "the object in column " + std::to_string(column + 1) + " reaches x = " +
                                         std::to_string(right) + ", past the river's 176");
        }
}

void RiverScreens::prove(const Level& level) const {
    RiverFlight::Level flight{level.name, level.place, {}};
    std::vector<RiverFlight::Row> map;
    std::vector<RiverFlight::Object> objects;
    for (size_t i = 0; i < level.screens.size(); ++i) {
        const Screen& screen = screens[level.screens[i]];
        flight.screens.push_back(screen.name);
        const int base = rows * cell * int(i + 1);
        for (int fileRow = rows - 1; fileRow >= 0; --fileRow) {
            RiverFlight::Row row{};
            for (int column = 0; column < columns; ++column) {
                const Cell& c = screen.cells[fileRow][column];
                row[column] = c.layer1;
                if (c.kind != none)
                    objects.push_back({c.kind, column * cell, base - fileRow * cell, RiverRules::isRoad(c.layer2)});
            }
            map.push_back(row);
        }
    }
    RiverStarts(flight, objects, rules).prove();
    RiverFlight(flight, std::move(map), std::move(objects), rules).prove();
}

void RiverScreens::encode() {
    file += char(screens.size());
    for (const Screen& screen : screens)
        for (const auto& row : screen.cells)
            for (const Cell& c : row) {
                file += char(c.layer1);
                file += char(c.layer2);
                file += char(c.kind);
            }
    file += char(levels.size());
    for (const Level& level : levels) {
        file += char(level.screens.size());
        for (auto it = level.screens.rbegin(); it != level.screens.rend(); ++it) file += char(*it);
    }
}

}  // namespace assets
