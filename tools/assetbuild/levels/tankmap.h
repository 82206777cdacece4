// The tank game's level file, built from a readable text: for each of the 20 stages a line
// "stage N", a line "types T1 ... T20" (the enemies' types 0-7, for enemy indexes 0 to 19)
// and the map, one character a tile:
//   .  road        ,  grass       ~  water       :  bare earth   -  ice      ;  sand
//   *  trees over grass (cover)   S  steel block  h  house       H  stone house   x  crate
//   P  the player's start         E  an enemy start (1 to 5)      B  the base
// The binary holds the width and height in tiles, then 20 records of a byte per tile (ground
// in bits 0-2, object code above) and the 20 types; stage N is record N mod 20. Every map is
// proved playable: one player start and one base, 1 to 5 enemy starts, no start or base on
// water or an item, at most 255 items, and every enemy start and the base reached from the
// player's start over tiles a tank may cross or shoot its way through (water and steel stop
// it; houses and crates fall to shells). The base is a goal, not a road: it stops tanks and a
// shell on it ends the stage, so no way may lead through it.
#pragma once
#include <array>
#include <string>
#include <vector>
#include "core/sourcetext.h"

namespace assets {

class TankMap {
public:
    static constexpr int stages = 20;
    static constexpr int enemies = 20;
    static constexpr int maxEnemyStarts = 5;
    static constexpr int maxItems = 255;

    // Checks the stages, naming the line (and the column of a tile at fault) of the first fault.
    explicit TankMap(const SourceText& source);

    const std::string& bytes() const { return file; }

private:
    struct Stage {
        int number = 0;
        Place place;
        std::array<int, enemies> types{};
        std::vector<SourceText::Line> rows;
        std::vector<int> tiles;
    };

    void read(const SourceText& source);
    void readTypes(Stage& stage, const std::vector<std::string>& words, const Place& place) const;
    void encode(Stage& stage) const;
    void check(const Stage& stage) const;
    void checkReach(const Stage& stage, int start) const;
    static std::vector<bool> reach(const Stage& stage, int start, bool throughBase);
    // The line and column of tile `index` of the stage's map.
    static Place tilePlace(const Stage& stage, int index);
    void pack();

    std::vector<Stage> stageList;
    int width = 0;
    int height = 0;
    std::string file;
};

}  // namespace assets
