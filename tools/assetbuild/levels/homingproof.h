// Proves that eaten ghosts' eyes get home on a maze map under the game's own homing rule. The
// rule draws at random among the ways it allows, so the proof walks every state the eyes can
// reach (their decision cell and the cell of the decision before) from every open cell, each
// way they may have come, and asks that home stays within reach from each: then no run of
// draws can hold them circling for ever.
#pragma once
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace assets {

class MazeMap;

class HomingProof {
public:
    explicit HomingProof(const MazeMap& map) : map(map) {}

    // The first cell, row by row, where eyes going home to the cell (hx, hy) may be, coming one
    // way or another, and from where no draw leads them home.
    std::optional<std::pair<int, int>> strandedAt(int hx, int hy) const;

private:
    // The decision cell and the cell of the previous decision (none: -1), as one number.
    using State = int64_t;

    State state(int cell, int previous) const { return State(cell) * (cellCount() + 1) + previous + 1; }
    int cellOf(State state) const { return int(state / (cellCount() + 1)); }
    int cellCount() const;
    bool open(int x, int y) const;
    std::vector<State> startsAt(int x, int y) const;
    // The states after the decision in `from`, one for each way the rule may take.
    std::vector<State> next(State from, int hx, int hy) const;

    const MazeMap& map;
};

}  // namespace assets
