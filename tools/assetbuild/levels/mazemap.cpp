#include "mazemap.h"
#include <string_view>
#include "core/builderror.h"
#include "homingproof.h"

namespace assets {

namespace {

constexpr std::string_view cellBytes = "01.o*#prg";
constexpr int steps[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
constexpr int smallScreen[2] = {176, 220}, largeScreen[2] = {240, 320};

}  // namespace

MazeMap::MazeMap(const std::string& bytes, const Size& size, const Place& place) : file(bytes), size(size) {
    readRows(place);
    checkStarts(place);
    checkTunnels(place);
    checkReach(place);
    checkEyesGetHome(place);
    checkScreens(place);
}

Place MazeMap::cell(const Place& place, int x, int y) const {
    return place.cell(y + 1, x + 1);
}

void MazeMap::readRows(const Place& place) {
    if (file.ends_with("\n"))
        throw BuildError(place, "the map ends with a line break: the game would add a row of wall");
    size_t start = 0;
    for (int line = 1;; ++line) {
        size_t end = file.find('\n', start);
        std::string row = file.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos) {
            if (!row.ends_with("\r")) throw BuildError(place.at(line), "the line does not end with CR LF");
            row.pop_back();
        }
        if (row.size() != size_t(size.width))
            throw BuildError(place.at(line), "the line holds " + std::to_string(row.size()) + " cells, not " +
                                                 std::to_string(size.width));
        for (size_t x = 0; x < row.size(); ++x)
            if (cellBytes.find(row[x]) == std::string_view::npos)
                throw BuildError(cell(place, int(x), line - 1), std::string("\"") + row[x] + "\" is no cell");
        rows.push_back(row);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (rows.size() != size_t(size.height))
        throw BuildError(place,
                         "the map has " + std::to_string(rows.size()) + " rows, not " + std::to_string(size.height));
}

char MazeMap::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= size.width || y >= size.height) return '1';
    return rows[y][x];
}

bool MazeMap::walkable(int x, int y) const {
    const char c = at(x, y);
    return c != '1' && c != '#';
}

void MazeMap::checkStarts(const Place& place) const {
    int dots = 0;
    for (char kind : std::string("prg")) {
        int count = 0;
        for (int y = 0; y < size.height; ++y)
            for (int x = 0; x < size.width; ++x) {
                const char c = at(x, y);
                if (c == '.' || c == 'o') dots += kind == 'p';
                if (c != kind) continue;
                ++count;
                if (kind != 'p' && (at(x, y - 1) != '#' || !walkable(x, y - 2)))
                    throw BuildError(cell(place, x, y), std::string("the ghost start ") + kind +
                                                            " needs a door above it and an open cell above that");
            }
        if (count != 1)
            throw BuildError(place,
                             std::string("the map holds ") + std::to_string(count) + " \"" + kind + "\", not one");
    }
    if (dots == 0) throw BuildError(place, "the map holds no dot");
}

bool MazeMap::farTunnel(int x, int y, int dx, int dy, int* fx, int* fy) const {
    for (int px = x + dx, py = y + dy; px >= 0 && py >= 0 && px < size.width && py < size.height; px += dx, py += dy)
        if (at(px, py) == '*') {
            *fx = px;
            *fy = py;
            return true;
        }
    return false;
}

// The game walks back from the tunnel, through the cell it came from and on, to the far end,
// and puts the walker one cell beyond it, still going the same way.
void MazeMap::checkTunnels(const Place& place) const {
    int tunnels = 0;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            if (at(x, y) != '*') continue;
            ++tunnels;
            for (const auto& step : steps) {
                const int nx = x + step[0], ny = y + step[1];
                if (!walkable(nx, ny)) continue;
                int fx, fy;
                if (!farTunnel(x, y, step[0], step[1], &fx, &fy))
                    throw BuildError(cell(place, x, y), "a way into the tunnel leads to no far end inside the map");
                if (!walkable(fx - step[0], fy - step[1]))
                    throw BuildError(cell(place, fx, fy), "the far end of a tunnel has no open cell beyond it");
            }
        }
    if (tunnels < 2) throw BuildError(place, "the map needs a pair of tunnels");
}

std::vector<bool> MazeMap::flood(const std::vector<std::pair<int, int>>& from, bool takeTunnels) const {
    std::vector<bool> seen(size.width * size.height, false);
    std::vector<std::pair<int, int>> todo = from;
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (!walkable(x, y) || seen[x + size.width * y]) continue;
        seen[x + size.width * y] = true;
        for (const auto& step : steps) {
            const int nx = x + step[0], ny = y + step[1];
            todo.push_back({nx, ny});
            int fx, fy;
            if (takeTunnels && at(nx, ny) == '*' && farTunnel(nx, ny, -step[0], -step[1], &fx, &fy))
                todo.push_back({fx + step[0], fy + step[1]});
        }
    }
    return seen;
}

std::vector<std::pair<int, int>> MazeMap::cellsOf(const std::string& kinds) const {
    std::vector<std::pair<int, int>> found;
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x)
            if (kinds.find(at(x, y)) != std::string::npos) found.push_back({x, y});
    return found;
}

// A dot in the house counts like any other: the classic level ends only when all are eaten.
void MazeMap::checkReach(const Place& place) const {
    const std::vector<bool> reached = flood(cellsOf("p"), true), house = flood(cellsOf("rg"), false);
    checkHouseClosed(place, reached);
    for (int y = 0; y < size.height; ++y)
        for (int x = 0; x < size.width; ++x) {
            const bool coin = at(x, y) == '.' || at(x, y) == 'o';
            if (!walkable(x, y) || (house[x + size.width * y] && !coin)) continue;
            if (!reached[x + size.width * y])
                throw BuildError(cell(place, x, y), coin ? "the player cannot reach this dot from the start"
                                                         : "the player cannot reach this cell from the start");
            if (at(x, y) == '*') continue;
            int exits = 0;
            for (const auto& step : steps) exits += walkable(x + step[0], y + step[1]);
            if (exits < 2) throw BuildError(cell(place, x, y), "a dead end: the ghosts would corner the player");
        }
}

// The house opens only through its doors: a way in beside them would let the player in and
// the ghosts out at any time.
void MazeMap::checkHouseClosed(const Place& place, const std::vector<bool>& reached) const {
    for (auto [x, y] : cellsOf("rg"))
        if (reached[x + size.width * y])
            throw BuildError(cell(place, x, y), std::string("the ghost house of \"") + at(x, y) +
                                                    "\" is open to the player: it must be closed but for its doors");
}

// The eyes of ghost A and C go home to "r", those of B and D to "g".
void MazeMap::checkEyesGetHome(const Place& place) const {
    const HomingProof proof(*this);
    for (auto [hx, hy] : cellsOf("rg"))
        if (auto lost = proof.strandedAt(hx, hy))
            throw BuildError(cell(place, lost->first, lost->second),
                             std::string("eyes going home to \"") + at(hx, hy) +
                                 "\" may never get there from here: the homing rule can keep them circling for ever");
}

void MazeMap::checkScreens(const Place& place) const {
    const int columns = size.width + 2, lines = size.height + 2;
    if (columns * size.smallCell > smallScreen[0] || lines * size.smallCell > smallScreen[1] ||
        columns * size.largeCell > largeScreen[0] || lines * size.largeCell > largeScreen[1])
        throw BuildError(place, "the maze with its border does not fit the screens");
}

}  // namespace assets
