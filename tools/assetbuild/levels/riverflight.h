// The proof that the plane can fly a level of the river: flying slowly (a pixel of river and
// two of steering a frame) it finds a way over water from its start and from every bridge
// to the level's end (bridges count as water: they are shot), and along that way no stretch
// between the fuel depots it can reach is longer than the fuel lasts.
#pragma once
#include <array>
#include <string>
#include <vector>
#include "core/place.h"
#include "riverscreens.h"

namespace assets {

class RiverFlight {
public:
    // The longest stretch without a depot, in pixels of river (the fuel lasts 2000).
    static constexpr int fuelReach = 1800;
    // Where the small screen (the longer flight) ends a level: rows on screen x 8 less the
    // plane's start height.
    static constexpr int smallScreenHeight = 216;

    using Row = std::array<int, RiverScreens::columns>;  // first-layer tiles
    struct Object {
        int kind, x, y;  // river x, world top y
    };
    struct Level {
        std::string name;
        Place place;
        std::vector<std::string> screens;  // the screens' names, bottom first
    };

    // `map` holds the level's rows, the bottom one first.
    RiverFlight(const Level& level, std::vector<Row> map, std::vector<Object> objects, const RiverScreens::Rules& rules);

    // Refuses the level, naming it and where its way closes or its fuel runs out.
    void prove() const;

private:
    // Flies from a start to the level's end; the heights at which depots are reached go to
    // `depots`. False where the way closes, with the row in `closedAt`.
    bool fly(int startY, int endY, std::vector<int>& depots, int& closedAt) const;
    bool boxOverWater(int planeX, int planeY) const;
    void checkFuel(const std::vector<int>& depots, int from, int endY, const std::string& start) const;
    [[noreturn]] void closed(int row, const std::string& from) const;

    Level level;
    std::vector<Row> map;
    std::vector<Object> objects;
    RiverScreens::Rules rules;
};

}  // namespace assets
