#include "homingproof.h"
#include "homingrule.h"
#include "mazemap.h"

namespace assets {

int HomingProof::cellCount() const { return map.width() * map.height(); }

bool HomingProof::open(int x, int y) const { return map.at(x, y) != '1'; }

std::vector<int> HomingProof::startsAt(int x, int y) const {
    const int cell = x + map.width() * y;
    std::vector<int> starts = {state(cell, -1)};
    for (const auto& way : HomingRule::ways)
        if (open(x + way[0], y + way[1])) starts.push_back(state(cell, x + way[0] + map.width() * (y + way[1])));
    return starts;
}

std::vector<int> HomingProof::next(int from, int hx, int hy) const {
    const int cell = from / (cellCount() + 1), previous = from % (cellCount() + 1) - 1;
    const int x = cell % map.width(), y = cell / map.width();
    HomingRule::Exits exits;
    for (int way = 0; way < 4; ++way) {
        const int nx = x + HomingRule::ways[way][0], ny = y + HomingRule::ways[way][1];
        exits.open[way] = open(nx, ny);
        exits.back[way] = exits.open[way] && nx + map.width() * ny == previous;
    }
    const HomingRule::Choice choice = HomingRule::choose(exits, hx - x, hy - y);
    std::vector<int> states;
    for (int way = 0; way < 4; ++way) {
        if (!(choice.anyFits() ? choice.fits[way] : exits.allowed(way))) continue;
        const int dx = HomingRule::ways[way][0], dy = HomingRule::ways[way][1];
        int nx = x + dx, ny = y + dy, fx, fy;
        // Into a tunnel: the eyes come out one cell beyond its far end.
        if (map.at(nx, ny) == '*' && map.farTunnel(nx, ny, -dx, -dy, &fx, &fy)) {
            nx = fx + dx;
            ny = fy + dy;
        }
        states.push_back(state(nx + map.width() * ny, cell));
    }
    return states;
}

std::vector<bool> HomingProof::stranded(int hx, int hy) const {
    const size_t states = size_t(cellCount()) * size_t(cellCount() + 1);
    const int home = hx + map.width() * hy;
    std::vector<bool> seen(states, false), reach(states, false);
    std::vector<std::vector<int>> before(states);
    std::vector<int> todo, homes;
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            if (open(x, y))
                for (int start : startsAt(x, y)) todo.push_back(start);
    while (!todo.empty()) {
        const int from = todo.back();
        todo.pop_back();
        if (seen[size_t(from)]) continue;
        seen[size_t(from)] = true;
        if (from / (cellCount() + 1) == home) {
            homes.push_back(from);
            continue;
        }
        for (int to : next(from, hx, hy)) {
            before[size_t(to)].push_back(from);
            todo.push_back(to);
        }
    }
    for (todo = homes; !todo.empty();) {
        const int to = todo.back();
        todo.pop_back();
        if (reach[size_t(to)]) continue;
        reach[size_t(to)] = true;
        for (int from : before[size_t(to)]) todo.push_back(from);
    }
    for (size_t i = 0; i < seen.size(); ++i) seen[i] = seen[i] && !reach[i];
    return seen;
}

std::optional<std::pair<int, int>> HomingProof::strandedAt(int hx, int hy) const {
    const std::vector<bool> lost = stranded(hx, hy);
    for (size_t i = 0; i < lost.size(); ++i)
        if (lost[i]) {
            const int cell = int(i) / (cellCount() + 1);
            return std::make_pair(cell % map.width(), cell / map.width());
        }
    return std::nullopt;
}

}  // namespace assets
