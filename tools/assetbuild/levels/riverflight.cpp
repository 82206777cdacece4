#include "riverflight.h"
#include <algorithm>
#include "core/builderror.h"

namespace assets {

namespace {

constexpr int cell = RiverScreens::cell, rows = RiverScreens::rows, riverWidth = RiverRules::riverWidth;
constexpr int bridge = RiverScreens::bridgeKind, depot = RiverScreens::depotKind;
constexpr int noFlight = -1;

}  // namespace

RiverFlight::RiverFlight(const Level& level, std::vector<Row> map, std::vector<Object> objects,
                         const RiverScreens::Rules& rules)
    : level(level), map(std::move(map)), objects(std::move(objects)), rules(rules) {}

void RiverFlight::prove() const {
    const int planeStart = RiverRules::startY(smallScreenRows, smallScreenRows, rules.plane.height);
    const int endY = int(map.size()) * cell - smallScreenHeight + planeStart;
    check(fly(planeStart, endY), "the start");
    for (const Object& o : objects) {
        if (o.kind != bridge) continue;
        // The game notes a destroyed bridge as passed on the first frame the plane is above
        // it, and starts a lost plane again at most a row higher: two pixels past the bridge
        // is the lowest (the longest) restart.
        check(fly(o.y + speed, endY), "the bridge at y " + std::to_string(o.y));
    }
}

void RiverFlight::check(const Outcome& outcome, const std::string& from) const {
    if (outcome.how == Outcome::closed)
        throw BuildError(level.place, "level " + level.name + ": the plane finds no way from " + from + " past " +
                                          where(outcome.y) + bridgeOver(outcome.y));
    if (outcome.how == Outcome::dry)
        throw BuildError(level.place, "level " + level.name + ": flying at normal speed from " + from +
                                          ", the plane runs out of fuel in " + where(outcome.y) +
                                          ": the depots it can fly over on its way refill too little");
}

std::string RiverFlight::where(int planeY) const {
    const int row = std::clamp((planeY - rules.plane.height / 4) / cell, 0, int(map.size()) - 1);
    const int screen = row / rows, fileRow = rows - 1 - row % rows;
    return "screen " + level.screens[std::min<size_t>(screen, level.screens.size() - 1)] + ", line " +
           std::to_string(fileRow + 1);
}

std::string RiverFlight::bridgeOver(int planeY) const {
    const int row = RiverRules::planeBox(0, planeY, rules.plane.width, rules.plane.height).y / cell;
    const int height = rules.kinds.at(bridge).height;
    for (const Object& o : objects)
        if (o.kind == bridge && row * cell >= o.y - height && (row + 1) * cell <= o.y)
            return ", under the bridge there: the plane meets the land tiles under a bridge, shot or not";
    return "";
}

std::vector<bool> RiverFlight::overWater(int planeY) const {
    const int highest = riverWidth - rules.plane.width - 1;
    const RiverRules::Box box = RiverRules::planeBox(0, planeY, rules.plane.width, rules.plane.height);
    const int last = int(map.size()) - 1;
    const Row& upper = map[std::clamp(box.y / cell, 0, last)];
    const Row& lower = map[std::clamp((box.y - box.height + 1) / cell, 0, last)];
    std::vector<bool> water(highest + 1);
    for (int x = 0; x <= highest; ++x) {
        const int left = (x + box.x) / cell;
        const int right = std::min((x + box.x + box.width - 1) / cell, RiverScreens::columns - 1);
        water[x] = RiverRules::isWater(upper[left]) && RiverRules::isWater(upper[right]) &&
                   RiverRules::isWater(lower[left]) && RiverRules::isWater(lower[right]);
    }
    return water;
}

int RiverFlight::afterFrame(int fuel, int planeX, int planeY, const std::vector<const Object*>& depotsBeside) const {
    const RiverRules::Box box = RiverRules::planeBox(planeX, planeY, rules.plane.width, rules.plane.height);
    const RiverScreens::Size size = rules.kinds.at(depot);
    for (const Object* o : depotsBeside)
        if (RiverRules::overlaps(box, {o->x, o->y, size.width, size.height}) && fuel < RiverRules::fullFuel)
            fuel += RiverRules::refuelStep;
    return fuel - speed;
}

RiverFlight::Outcome RiverFlight::fly(int startY, int endY) const {
    const int highest = riverWidth - rules.plane.width - 1;
    const RiverScreens::Size depotSize = rules.kinds.at(depot);
    // Per place across the river: the most fuel a flight holds there, and whether any flight
    // gets there over water at all (to tell a closed way from an empty tank).
    std::vector<int> fuel(highest + 1, noFlight);
    std::vector<bool> reach(highest + 1, false);
    std::vector<int> nextFuel(highest + 1);
    std::vector<bool> nextReach(highest + 1);
    // Every place a flight reaches lies between these two.
    int lowest = RiverRules::startX(rules.plane.width), farthest = lowest;
    fuel[lowest] = RiverRules::fullFuel;
    reach[lowest] = true;
    std::vector<const Object*> depots;
    for (const Object& o : objects)
        if (o.kind == depot) depots.push_back(&o);
    for (int y = startY; y < endY;) {
        y += speed;
        const std::vector<bool> water = overWater(y);
        // The depots level with the plane's box anywhere across the river.
        const RiverRules::Box across = RiverRules::planeBox(0, y, rules.plane.width, rules.plane.height);
        std::vector<const Object*> depotsBeside;
        for (const Object* o : depots)
            if (RiverRules::overlaps({0, across.y, riverWidth, across.height},
                                     {o->x, o->y, depotSize.width, depotSize.height}))
                depotsBeside.push_back(o);
        std::fill(nextFuel.begin(), nextFuel.end(), noFlight);
        std::fill(nextReach.begin(), nextReach.end(), false);
        for (int x = lowest; x <= farthest; ++x) {
            if (!reach[x]) continue;
            for (int to : {std::max(0, x - RiverRules::steerStep), x, std::min(highest, x + RiverRules::steerStep)}) {
                if (!water[to]) continue;
                nextReach[to] = true;
                if (fuel[x] != noFlight)
                    nextFuel[to] = std::max(nextFuel[to], afterFrame(fuel[x], to, y, depotsBeside));
            }
        }
        const auto first = std::find(nextReach.begin(), nextReach.end(), true);
        if (first == nextReach.end()) return {Outcome::closed, y};
        lowest = int(first - nextReach.begin());
        farthest = int(nextReach.rend() - std::find(nextReach.rbegin(), nextReach.rend(), true)) - 1;
        if (*std::max_element(nextFuel.begin(), nextFuel.end()) < 0) return {Outcome::dry, y};
        // A tank below empty is a crash: no flight goes on from there.
        for (int& f : nextFuel) f = std::max(f, noFlight);
        fuel.swap(nextFuel);
        reach.swap(nextReach);
    }
    return {Outcome::reached, endY};
}

}  // namespace assets
