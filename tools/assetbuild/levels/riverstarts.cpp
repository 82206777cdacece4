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

// A craft the plane can reach in these frames is on screen, and so in play, from the first.
void RiverStarts::proveStart(int visibleRows) const {
    const int planeY = RiverRules::startY(visibleRows, visibleRows, rules.plane.height);
    for (const Object& craft : objects) {
        if (!isCraft(craft)) continue;
        const RiverScreens::Size s = size(craft);
        for (int frame = 1; frame <= RiverRules::clearFrames; ++frame) {
            const RiverRules::Span span = RiverRules::reach(craft.kind, craft.x, s.width, craft.onRoad, frame);
            const RiverRules::Box swept{span.left, craft.y, span.right - span.left + s.width, s.height};
            if (RiverRules::overlaps(planeReach(planeY, frame), swept))
                refuse(craft, RiverRules::clearFrames, "the start");
        }
    }
}

void RiverStarts::proveRestart(int planeY, const Object* bridge, const std::string& which) const {
    const RiverRules::Box plane = planeReach(planeY, 1);
    for (const Object& craft : objects) {
        if (!isCraft(craft)) continue;
        const RiverScreens::Size s = size(craft);
        const bool meets = RiverRules::moves(craft.kind, craft.onRoad)
                               ? mayRoamInto(craft, plane, bridge)
                               : RiverRules::overlaps(plane, {craft.x, craft.y, s.width, s.height});
        if (meets) refuse(craft, 1, which);
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

RiverRules::Box RiverStarts::planeReach(int planeY, int frame) const {
    return RiverRules::planeReach(RiverRules::startX(rules.plane.width), planeY, rules.plane.width, rules.plane.height,
                                  frame);
}

bool RiverStarts::mayRoamInto(const Object& craft, const RiverRules::Box& box, const Object* bridge) const {
    const RiverScreens::Size s = size(craft);
    if (bridge && craft.onRoad && craft.y == bridge->y) {
        const int span = size(*bridge).width;
        if (box.x >= bridge->x && box.x + box.width <= bridge->x + span) return false;
    }
    return RiverRules::overlaps(box, {-s.width, craft.y, RiverRules::riverWidth + s.width, s.height});
}

void RiverStarts::refuse(const Object& craft, int frames, const std::string& which) const {
    const std::string first = frames == 1 ? "the first frame" : "the first " + std::to_string(frames) + " frames";
    throw BuildError(level.place, "level " + level.name + ": the craft of kind " + std::to_string(craft.kind) + " at " +
                                      where(craft) + " may meet the plane in " + first + " of " + which +
                                      ", whatever the player steers");
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
