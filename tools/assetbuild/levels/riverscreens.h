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
// Every level is proved: the plane, flying slowly (a pixel of river and two of steering a
// frame), finds a way over water from its start and from every bridge to the level's end
// (bridges count as water: they are shot), and along that way no stretch between fuel
// depots it can reach is longer than the fuel lasts.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>
#include "core/sourcetext.h"

namespace assets {

class RiverScreens {
public:
    static constexpr int columns = 22, rows = 26, cell = 8, riverWidth = 176;
    static constexpr int none = 255, water = 58, lastWater = 77, highestKind = 24, maxObjects = 30;
    static constexpr int firstRoad = 109, lastRoad = 112;
    // The longest stretch without a depot, in pixels of river (the fuel lasts 2000).
    static constexpr int fuelReach = 1800;
    // Where the small screen (the longer flight) ends a level: rows on screen x 8 less the
    // plane's start height.
    static constexpr int smallScreenHeight = 216;

    struct Size {
        int width = 0, height = 0;
    };
    struct Rules {
        int landTiles = 0;          // tiles the land picture list names
        std::map<int, Size> kinds;  // each object kind's picture size
        Size plane;
    };

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
    struct Object {
        int kind, x, y;  // river x, world top y
    };

    void readLegend(const std::vector<std::string>& words, const Place& place);
    int tile(const std::string& word, const Place& place) const;
    void readLevel(const std::string& line, const Place& place);
    void finishScreen(Screen& screen);
    void checkScreen(const Screen& screen) const;
    // The level's map, bottom row first, and its objects.
    std::vector<std::array<int, columns>> levelMap(const Level& level, std::vector<Object>& objects) const;
    void prove(const Level& level) const;
    // Flies from a start to the level's end; the heights at which depots are reached go to
    // `depots`. False where the way closes, with the row in `closedAt`.
    bool fly(const std::vector<std::array<int, columns>>& map, const std::vector<Object>& objects, int startY,
             int endY, std::vector<int>& depots, int& closedAt) const;
    bool boxOverWater(const std::vector<std::array<int, columns>>& map, int planeX, int planeY) const;
    void checkFuel(const Level& level, const std::vector<int>& depots, int from, int endY, const std::string& start) const;
    void encode();

    Rules rules;
    std::map<char, Cell> legend;
    std::vector<Screen> screens;
    std::map<std::string, int> screenNumbers;
    std::vector<Level> levels;
    std::string file;
};

}  // namespace assets
