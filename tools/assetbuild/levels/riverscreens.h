// The river of the river shooter, compiled from a readable text into the screens file the
// game reads: N (a signed byte), N screens of 26 rows x 22 cells of three bytes (first-layer
// tile, second-layer tile, object kind; 255 for none), then L levels, each a count and its
// screen numbers from the topmost screen down.
//
// Source lines:
//   legend C LAYER1 [LAYER2] [kind=K]   what a cell character means. LAYER1 is `water` (tile
//                                         58), `land` (grass, with a beach on the sides that face
//                                         water: tiles 0 to 15) or a tile number; LAYER2 is a
//                                         tile number or `-`; K an object kind 0..24.
//   screen NAME                          then 26 lines of 22 cells, the top of the screen first
//   level NAME = SCREEN SCREEN ...       a level's screens, the bottom one (flown first) first
//
// Every level is proved flyable (see RiverFlight), with no craft where the plane (re)starts
// (see RiverStarts).
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>
#include "core/sourcetext.h"
#include "floodpass/riverrules.h"

namespace assets {

class RiverScreens {
public:
    static constexpr int columns = RiverRules::columns, rows = RiverRules::screenRows, cell = RiverRules::cellSize;
    static constexpr int riverWidth = RiverRules::riverWidth;
    static constexpr int none = 255, water = RiverRules::firstWater, highestKind = 24, maxObjects = 30;
    static constexpr int bridgeKind = 0, depotKind = 24;

    struct Size {
        int width = 0, height = 0;
    };
    struct Rules {
        int landTiles = 0;          // tiles the land picture list names
        std::map<int, Size> kinds;  // each object kind's picture size
        Size plane;
    };

    // Checks the river, naming the line (and the column of a cell at fault) of the first fault.
    RiverScreens(const SourceText& source, const Rules& rules);

    const std::string& bytes() const { return file; }

private:
    struct Cell {
        int layer1 = none, layer2 = none, kind = none;
        bool autoLand = false;
    };
    struct Screen {
        std::string name;
        Place place;
        std::array<std::array<Cell, columns>, rows> cells{};
    };
    struct Level {
        std::string name;
        Place place;
        std::vector<int> screens;  // bottom first
    };

    void readLegend(const std::vector<std::string>& words, const Place& place);
    int tile(const std::string& word, const Place& place) const;
    void readLevel(const std::string& line, const Place& place);
    void finishScreen(Screen& screen);
    void checkScreen(const Screen& screen) const;
    // Stacks the level's screens into the map the plane flies, bottom row first, and proves it.
    void prove(const Level& level) const;
    void encode();

    Rules rules;
    std::map<char, Cell> legend;
    std::vector<Screen> screens;
    std::map<std::string, int> screenNumbers;
    std::vector<Level> levels;
    std::string file;
};

}  // namespace assets
