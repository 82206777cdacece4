#include "homingproof.h"
#include <unordered_map>
#include "homingrule.h"
#include "mazemap.h"

namespace assets {

int HomingProof::cellCount() const { return map.width() * map.height(); }

bool HomingProof::open(int x, int y) const { return map.at(x, y) != '1'; }

std::vector<HomingProof::State> HomingProof::startsAt(int x, int y) const {
    const int cell = x + map.width() * y;
    std::vector<State> starts = {state(cell, -1)};
    for (const auto& way : HomingRule::ways)
        if (open(x + way[0], y + way[1])) starts.push_back(state(cell, x + way[0] + map.width() * (y + way[1])));
    return starts;
}

std::vector<HomingProof::State> HomingProof::next(State from, int hx, int hy) const {
    const int cell = cellOf(from), previous = int(from % (cellCount() + 1)) - 1;
    const int x = cell % map.width(), y = cell / map.width();
    HomingRule::Exits exits;
    for (int way = 0; way < 4; ++way) {
        const int nx = x + HomingRule::ways[way][0], ny = y + HomingRule::ways[way][1];
        exits.open[way] = open(nx, ny);
        exits.back[way] = exits.open[way] && nx + map.width() * ny == previous;
    }
    const HomingRule::Choice choice = HomingRule::choose(exits, hx - x, hy - y);
    std::vector<State> states;
    for (int way = 0; way < 4; ++way) {
        if (!choice.mayTake(exits, way)) continue;
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

// The states are numbered as they are met, so that the proof holds no more than the eyes reach.
std::optional<std::pair<int, int>> HomingProof::strandedAt(int hx, int hy) const {
    const int home = hx + map.width() * hy;
    std::unordered_map<State, size_t> number;
    std::vector<State> states;
    std::vector<std::vector<size_t>> before;
    auto meet = [&](State state) {
        auto [known, fresh] = number.try_emplace(state, states.size());
        if (fresh) {
            states.push_back(state);
            before.emplace_back();
        }
        return known->second;
    };
    for (int y = 0; y < map.height(); ++y)
        for (int x = 0; x < map.width(); ++x)
            if (open(x, y))
                for (State start : startsAt(x, y)) meet(start);
    std::vector<size_t> todo;
    for (size_t from = 0; from < states.size(); ++from) {
        if (cellOf(states[from]) == home) {
            todo.push_back(from);
            continue;
        }
        for (State to : next(states[from], hx, hy)) {
            const size_t met = meet(to);
            before[met].push_back(from);
        }
    }
    std::vector<bool> reach(states.size(), false);
    while (!todo.empty()) {
        const size_t to = todo.back();
        todo.pop_back();
        if (reach[to]) continue;
        reach[to] = true;
        for (size_t from : before[to]) todo.push_back(from);
    }
    std::optional<int> first;
    for (size_t i = 0; i < states.size(); ++i)
        if (!reach[i] && (!first || cellOf(states[i]) < *first)) first = cellOf(states[i]);
    if (!first) return std::nullopt;
    return std::make_pair(*first % map.width(), *first / map.width());
}

}  // namespace assets
