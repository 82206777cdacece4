#include "riverstarts.h"
#include <set>
#include "core/builderror.h"

namespace assets {

namespace {

constexpr int cell = RiverRules::cellSize, screenHeight = RiverRules::screenRows * cell;

}  // namespace

RiverStarts::RiverStarts(const RiverFlight::Level& level, const std::vector<Object>& objects,
                         const RiverScreens::Rules& rules)
    : level(level), objects(objects), rules(rules) {}

void RiverStarts::prove() const {
    for (int visibleRows : {RiverFlight::smallScreenRows, RiverFlight::largeScreenRows}) {
        proveStart(visibleRows);
        // Until a bridge is passed a lost plane starts again a row above the level's start.
        proveRestart(RiverRules::startY(visibleRows + 1, visibleRows, rules.plane.height), nullptr,
                     "a restart before the first bridge");
        for (const Object& bridge : objects) {
            if (bridge.kind != RiverScreens::bridgeKind) continue;
            std::set<int> restarts;
            for (int passY = bridge.y + 1; passY <= bridge.y + passReach; ++passY)
                restarts.insert(restartY(passY, visibleRows));
            for (int planeY : restarts) proveRestart(planeY, &bridge, "a restart past the bridge at " + where(bridge));
        }
    }
}

void RiverStarts::proveStart(int visibleRows) const {
    const RiverRules::Box plane = firstFrameBox(RiverRules::startY(visibleRows, visibleRows, rules.plane.height));
    for (const Object& craft : objects) {
        if (!isCraft(craft)) continue;
        const RiverScreens::Size s = size(craft);
        const int x = RiverRules::firstFrameX(craft.kind, craft.x, s.width, craft.onRoad);
        if (RiverRules::overlaps(plane, {x, craft.y, s.width, s.height})) refuse(craft, "the start");
    }
}

void RiverStarts::proveRestart(int planeY, const Object* bridge, const std::string& which) const {
    const RiverRules::Box plane = firstFrameBox(planeY);
    for (const Object& craft : objects) {
        if (!isCraft(craft)) continue;
        const RiverScreens::Size s = size(craft);
        const bool meets = RiverRules::moves(craft.kind, craft.onRoad)
                               ? mayRoamInto(craft, plane, bridge)
                               : RiverRules::overlaps(plane, {craft.x, craft.y, s.width, s.height});
        if (meets) refuse(craft, which);
    }
}

// The row counter stands one past the row at the screen's top edge, which keeps its distance
// to the plane from every (re)start on; the restart row is the counter when the bridge is
// noted passed.
int RiverStarts::restartY(int passY, int visibleRows) const {
    const int height = rules.plane.height;
    const int topAbovePlane = visibleRows * cell - RiverRules::startY(visibleRows, visibleRows, height);
    const int rowCounter = (passY + topAbovePlane) / cell + 1;
    return RiverRules::startY(rowCounter, visibleRows, height);
}

// The first frame scrolls the plane up by the normal speed before the craft move.
RiverRules::Box RiverStarts::firstFrameBox(int planeY) const {
    return RiverRules::planeBox(RiverRules::startX(rules.plane.width), planeY + RiverRules::normal, rules.plane.width,
                                rules.plane.height);
}

bool RiverStarts::mayRoamInto(const Object& craft, const RiverRules::Box& box, const Object* bridge) const {
    const RiverScreens::Size s = size(craft);
    if (bridge && craft.onRoad && craft.y == bridge->y) {
        const int span = size(*bridge).width;
        if (box.x >= bridge->x && box.x + box.width <= bridge->x + span) return false;
    }
    return RiverRules::overlaps(box, {-s.width, craft.y, RiverRules::riverWidth + s.width, s.height});
}

void RiverStarts::refuse(const Object& craft, const std::string& which) const {
    throw BuildError(level.place, "level " + level.name + ": the craft of kind " + std::to_string(craft.kind) + " at " +
                                      where(craft) + " may meet the plane in the first frame of " + which +
                                      ", before the player can steer it");
}

std::string RiverStarts::where(const Object& object) const {
    const int screen = (object.y - 1) / screenHeight;
    const int line = (screenHeight * (screen + 1) - object.y) / cell + 1;
    return "screen " + level.screens.at(size_t(screen)) + ", line " + std::to_string(line) + ", column " +
           std::to_string(object.x / cell + 1);
}

bool RiverStarts::isCraft(const Object& object) {
    return object.kind != RiverScreens::bridgeKind && object.kind != RiverScreens::depotKind;
}

}  // namespace assets
