// The proof that the plane can fly a level of the river. It flies as the game does at normal
// speed, frame by frame: two pixels of river and up to two of steering a frame, fuel spent by
// the speed every frame and ten gained every frame the plane's box touches a depot while the
// tank is below full. For every place across the river it keeps the most fuel a flight can
// hold there, so a depot counts only for flights that pass over it and fly on, and only for
// the frames they spend over it. It proves the way from the level's start and from every
// bridge (where a lost plane starts again with a full tank) to the level's end. The tiles
// alone decide where the plane may fly, as in the game: a bridge, shot or not, leaves the
// tiles under it as they are.
#pragma once
#include <array>
#include <string>
#include <vector>
#include "core/place.h"
#include "riverscreens.h"

namespace assets {

class RiverFlight {
public:
    static constexpr int speed = RiverRules::normal;
    // The rows on the small screen and on the large one.
    static constexpr int smallScreenRows = 220 / RiverRules::cellSize, largeScreenRows = 320 / RiverRules::cellSize;
    // Where the small screen (the longer flight) ends a level: rows on screen x 8 less the
    // plane's start height.
    static constexpr int smallScreenHeight = smallScreenRows * RiverRules::cellSize;

    using Row = std::array<int, RiverScreens::columns>;  // first-layer tiles
    struct Object {
        int kind, x, y;  // river x, world top y
        bool onRoad;
    };
    struct Level {
        std::string name;
        Place place;
        std::vector<std::string> screens;  // the screens' names, bottom first
    };

    // `map` holds the level's rows, the bottom one first.
    RiverFlight(const Level& level, std::vector<Row> map, std::vector<Object> objects,
                const RiverScreens::Rules& rules);

    // Refuses the level, naming it and where its way closes or its fuel runs out.
    void prove() const;

private:
    struct Outcome {
        enum How { reached, closed, dry } how;
        int y;  // the plane's world y where the flight ended
    };

    // Flies from a start (the plane's world y, a full tank, the middle of the river) to `endY`.
    Outcome fly(int startY, int endY) const;
    // Which of the plane's places across the river keep its box over water at world y.
    std::vector<bool> overWater(int planeY) const;
    // The fuel after a frame at (planeX, planeY) that began with `fuel`: the depots touched
    // refill, the speed drains.
    int afterFrame(int fuel, int planeX, int planeY, const std::vector<const Object*>& depotsBeside) const;
    void check(const Outcome& outcome, const std::string& from) const;
    std::string where(int planeY) const;
    // The words on a bridge whose picture covers the row of the plane's box top at world y, if any.
    std::string bridgeOver(int planeY) const;

    Level level;
    std::vector<Row> map;
    std::vector<Object> objects;
    RiverScreens::Rules rules;
};

}  // namespace assets
