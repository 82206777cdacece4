#include "tankmap.h"
#include <algorithm>
#include "core/builderror.h"

namespace assets {

namespace {

// Ground numbers and object codes of the level file.
constexpr int road = 0, grass = 1, water = 2, earth = 3, ice = 4, sand = 5;
constexpr int cover = 1, steel = 2, house = 3, stoneHouse = 4, playerStart = 5, enemyStart = 6, base = 7, crate = 8;

struct Legend {
    char symbol;
    int ground;
    int code;
};

constexpr Legend legend[] = {{'.', road, 0},       {',', grass, 0},      {'~', water, 0},
                             {':', earth, 0},      {'-', ice, 0},        {';', sand, 0},
                             {'*', grass, cover},  {'S', earth, steel},  {'h', earth, house},
                             {'H', earth, stoneHouse}, {'x', road, crate}, {'P', road, playerStart},
                             {'E', road, enemyStart},  {'B', road, base}};

bool isItem(int code) { return code == steel || code == house || code == stoneHouse || code >= crate; }

}  // namespace

TankMap::TankMap(const SourceText& source) {
    read(source);
    if (int(stageList.size()) != stages)
        throw BuildError(source.place(0), "the level file needs " + std::to_string(stages) + " stages, not " +
                                              std::to_string(stageList.size()));
    std::array<bool, stages + 1> seen{};
    for (Stage& stage : stageList) {
        if (stage.number < 1 || stage.number > stages || seen[stage.number])
            throw BuildError(stage.place, "stage numbers run from 1 to 20, each once");
        seen[stage.number] = true;
        encode(stage);
        check(stage);
    }
    pack();
}

void TankMap::read(const SourceText& source) {
    for (const SourceText::Line& line : source.lines()) {
        const Place place = source.place(line.number);
        std::vector<std::string> words = tokenize(line.text, place);
        if (words[0] == "stage") {
            if (words.size() != 2 || words[1].find_first_not_of("0123456789") != std::string::npos)
                throw BuildError(place, "expected \"stage N\"");
            Stage stage;
            stage.number = std::stoi(words[1]);
            stage.place = place;
            stage.types.fill(-1);
            stageList.push_back(stage);
        } else if (stageList.empty()) {
            throw BuildError(place, "a map line before the first \"stage\"");
        } else if (words[0] == "types") {
            readTypes(stageList.back(), words, place);
        } else {
            stageList.back().rows.push_back(line);
        }
    }
}

void TankMap::readTypes(Stage& stage, const std::vector<std::string>& words, const Place& place) const {
    if (words.size() != enemies + 1) throw BuildError(place, "\"types\" takes the 20 enemies' types");
    for (int i = 0; i < enemies; ++i) {
        const std::string& word = words[i + 1];
        if (word.size() != 1 || word[0] < '0' || word[0] > '7')
            throw BuildError(place, "enemy type \"" + word + "\" is not one of 0 to 7");
        stage.types[i] = word[0] - '0';
    }
}

void TankMap::encode(Stage& stage) const {
    if (stage.types[0] < 0) throw BuildError(stage.place, "stage " + std::to_string(stage.number) + " has no types");
    const int rows = int(stage.rows.size()), columns = rows ? int(stage.rows[0].text.size()) : 0;
    if (rows == 0 || columns == 0 || rows > 255 || columns > 255)
        throw BuildError(stage.place, "a map has 1 to 255 rows of 1 to 255 tiles");
    const Stage& first = stageList.front();
    const int firstColumns = first.rows.empty() ? 0 : int(first.rows[0].text.size());
    if (rows != int(first.rows.size()) || columns != firstColumns)
        throw BuildError(stage.place, "stage " + std::to_string(stage.number) + " is " + std::to_string(columns) +
                                          " x " + std::to_string(rows) + "; every map must have the first one's size");
    for (int row = 0; row < rows; ++row) {
        const std::string& text = stage.rows[row].text;
        if (int(text.size()) != columns)
            throw BuildError(stage.place.at(stage.rows[row].number), "row " + std::to_string(row + 1) + " of stage " +
                                              std::to_string(stage.number) + " is not " + std::to_string(columns) +
                                              " tiles long");
        for (int column = 0; column < columns; ++column) {
            const char symbol = text[column];
            const Legend* found = std::find_if(std::begin(legend), std::end(legend),
                                               [symbol](const Legend& l) { return l.symbol == symbol; });
            if (found == std::end(legend))
                throw BuildError(stage.place.cell(stage.rows[row].number, column + 1),
                                 std::string("unknown tile '") + symbol + "' in stage " + std::to_string(stage.number));
            stage.tiles.push_back(found->ground | found->code << 3);
        }
    }
}

void TankMap::check(const Stage& stage) const {
    const std::string name = "stage " + std::to_string(stage.number);
    int players = 0, bases = 0, starts = 0, items = 0, playerTile = -1;
    for (int i = 0; i < int(stage.tiles.size()); ++i) {
        const int ground = stage.tiles[i] & 7, code = stage.tiles[i] >> 3;
        const bool marker = code == playerStart || code == enemyStart || code == base;
        if (marker && ground == water)
            throw BuildError(tilePlace(stage, i), name + " has a start or its base on water");
        players += code == playerStart;
        bases += code == base;
        starts += code == enemyStart;
        items += isItem(code);
        if (code == playerStart) playerTile = i;
    }
    if (players != 1) throw BuildError(stage.place, name + " needs exactly one player start (P)");
    if (bases != 1) throw BuildError(stage.place, name + " needs exactly one base (B)");
    if (starts < 1 || starts > maxEnemyStarts) throw BuildError(stage.place, name + " needs 1 to 5 enemy starts (E)");
    if (items > maxItems) throw BuildError(stage.place, name + " has more than 255 items");
    checkReach(stage, playerTile);
}

void TankMap::checkReach(const Stage& stage, int start) const {
    const int columns = int(stage.rows[0].text.size());
    const std::vector<bool> reached = reach(stage, start, false);
    const auto fault = [&](int i, const std::string& what, const std::string& why) {
        return BuildError(tilePlace(stage, i), "stage " + std::to_string(stage.number) + ": the " + what + " in row " +
                                                   std::to_string(i / columns + 1) + ", column " +
                                                   std::to_string(i % columns + 1) + why);
    };
    for (int i = 0; i < int(stage.tiles.size()); ++i) {
        const int code = stage.tiles[i] >> 3;
        if (code == enemyStart && !reached[i]) {
            if (reach(stage, start, true)[i])
                throw fault(i, "enemy start", " is reached from P only through the base, and the base stops tanks");
            throw fault(i, "enemy start", " cannot be reached from P: water and steel stop tanks");
        }
        if (code == base) {
            const int column = i % columns;
            const bool touched = (column > 0 && reached[i - 1]) || (column + 1 < columns && reached[i + 1]) ||
                                 (i >= columns && reached[i - columns]) ||
                                 (i + columns < int(reached.size()) && reached[i + columns]);
            if (!touched) throw fault(i, "base", " cannot be reached from P: water and steel stop tanks");
        }
    }
}

// The tiles a tank gets to from `start`: water and steel stop it, houses and crates are shot
// away, and the base stops it unless `throughBase` (asked only to name the base as the fault).
std::vector<bool> TankMap::reach(const Stage& stage, int start, bool throughBase) {
    const int columns = int(stage.rows[0].text.size()), rows = int(stage.rows.size());
    std::vector<bool> reached(stage.tiles.size(), false);
    std::vector<int> open{start};
    reached[start] = true;
    while (!open.empty()) {
        const int at = open.back();
        open.pop_back();
        const int column = at % columns, row = at / columns;
        const int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& step : steps) {
            const int c = column + step[0], r = row + step[1];
            if (c < 0 || r < 0 || c >= columns || r >= rows) continue;
            const int next = r * columns + c;
            const int tile = stage.tiles[next];
            if (reached[next] || (tile & 7) == water || tile >> 3 == steel || (!throughBase && tile >> 3 == base))
                continue;
            reached[next] = true;
            open.push_back(next);
        }
    }
    return reached;
}

Place TankMap::tilePlace(const Stage& stage, int index) {
    const int columns = int(stage.rows[0].text.size());
    return stage.place.cell(stage.rows[index / columns].number, index % columns + 1);
}

void TankMap::pack() {
    height = int(stageList.front().rows.size());
    width = int(stageList.front().rows[0].text.size());
    file.clear();
    file += char(width);
    file += char(height);
    for (int record = 0; record < stages; ++record) {
        const int number = record == 0 ? stages : record;
        const Stage& stage = *std::find_if(stageList.begin(), stageList.end(),
                                           [number](const Stage& s) { return s.number == number; });
        for (int tile : stage.tiles) file += char(tile);
        for (int type : stage.types) file += char(type);
    }
}

}  // namespace assets
