#include "riverflight.h"
#include <algorithm>
#include "core/builderror.h"

namespace assets {

namespace {

constexpr int cell = RiverScreens::cell, columns = RiverScreens::columns, rows = RiverScreens::rows;
constexpr int bridge = RiverScreens::bridgeKind, depot = RiverScreens::depotKind;
constexpr int noFlight = -1;

}  // namespace

RiverFlight::RiverFlight(const Level& level, std::vector<Row> map, std::vector<Object> objects,
                         const RiverScreens::Rules& rules)
    : level(level), map(std::move(map)), objects(std::move(objects)), rules(rules) {
    // A bridge is shot on the way: the plane may pass where it stands. Below the level's
    // start there is nothing to open.
    for (const Object& o : this->objects) {
        if (o.kind != bridge) continue;
        const RiverScreens::Size size = this->rules.kinds.at(bridge);
        for (int y = std::max(o.y - size.height, 0); y < o.y; y += cell)
            for (int x = o.x; x < o.x + size.width; x += cell) this->map[y / cell][x / cell] = RiverScreens::water;
    }
}

void RiverFlight::prove() const {
    const int planeStart = 2 * rules.plane.height;
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
                                          where(outcome.y));
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

std::vector<bool> RiverFlight::overWater(int planeY) const {
    const int highest = RiverScreens::riverWidth - rules.plane.width - 1;
    const int top = planeY - rules.plane.height / 4, bottom = top - rules.plane.height / 2 + 1;
    const int last = int(map.size()) - 1;
    const Row& upper = map[std::clamp(top / cell, 0, last)];
    const Row& lower = map[std::clamp(bottom / cell, 0, last)];
    std::vector<bool> water(highest + 1);
    for (int x = 0; x <= highest; ++x) {
        const int left = (x + rules.plane.width / 4) / cell;
        const int right = std::min((x + rules.plane.width / 4 + rules.plane.width / 2 - 1) / cell, columns - 1);
        water[x] = RiverScreens::isWater(upper[left]) && RiverScreens::isWater(upper[right]) &&
                   RiverScreens::isWater(lower[left]) && RiverScreens::isWater(lower[right]);
    }
    return water;
}

int RiverFlight::afterFrame(int fuel, int planeX, const std::vector<const Object*>& depotsBeside) const {
    const int left = planeX + rules.plane.width / 4, width = rules.plane.width / 2;
    const int depotWidth = rules.kinds.at(depot).width;
    for (const Object* o : depotsBeside)
        if (left + width >= o->x && left <= o->x + depotWidth && fuel < fullFuel) fuel += refuelStep;
    return fuel - speed;
}

RiverFlight::Outcome RiverFlight::fly(int startY, int endY) const {
    const int highest = RiverScreens::riverWidth - rules.plane.width - 1;
    const int boxHeight = rules.plane.height / 2, depotHeight = rules.kinds.at(depot).height;
    // Per place across the river: the most fuel a flight holds there, and whether any flight
    // gets there over water at all (to tell a closed way from an empty tank).
    std::vector<int> fuel(highest + 1, noFlight);
    std::vector<bool> reach(highest + 1, false);
    std::vector<int> nextFuel(highest + 1);
    std::vector<bool> nextReach(highest + 1);
    // Every place a flight reaches lies between these two.
    int lowest = (RiverScreens::riverWidth - rules.plane.width) / 2, farthest = lowest;
    fuel[lowest] = fullFuel;
    reach[lowest] = true;
    std::vector<const Object*> depots;
    for (const Object& o : objects)
        if (o.kind == depot) depots.push_back(&o);
    for (int y = startY; y < endY;) {
        y += speed;
        const std::vector<bool> water = overWater(y);
        const int top = y - rules.plane.height / 4;
        std::vector<const Object*> depotsBeside;
        for (const Object* o : depots)
            if (top - boxHeight <= o->y && top >= o->y - depotHeight) depotsBeside.push_back(o);
        std::fill(nextFuel.begin(), nextFuel.end(), noFlight);
        std::fill(nextReach.begin(), nextReach.end(), false);
        for (int x = lowest; x <= farthest; ++x) {
            if (!reach[x]) continue;
            for (int to : {std::max(0, x - steerStep), x, std::min(highest, x + steerStep)}) {
                if (!water[to]) continue;
                nextReach[to] = true;
                if (fuel[x] != noFlight) nextFuel[to] = std::max(nextFuel[to], afterFrame(fuel[x], to, depotsBeside));
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
