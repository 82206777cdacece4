#include "riverflight.h"
#include <algorithm>
#include "core/builderror.h"

namespace assets {

namespace {

constexpr int cell = RiverScreens::cell, columns = RiverScreens::columns, rows = RiverScreens::rows;
constexpr int bridge = RiverScreens::bridgeKind, depot = RiverScreens::depotKind;

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
    std::vector<int> depots;
    int closedAt = 0;
    if (!fly(planeStart, endY, depots, closedAt)) closed(closedAt, "from the start");
    checkFuel(depots, planeStart, endY, "the start");
    for (const Object& o : objects) {
        if (o.kind != bridge) continue;
        // A lost plane starts again just past the bridge, in the middle of the river.
        const int restart = o.y + rules.plane.height / 4 + 1;
        const std::string from = "the bridge at y " + std::to_string(o.y);
        std::vector<int> reached;
        if (!fly(restart, endY, reached, closedAt)) closed(closedAt, "from " + from);
        checkFuel(reached, restart, endY, from);
    }
}

void RiverFlight::closed(int row, const std::string& from) const {
    const int screen = row / rows, fileRow = rows - 1 - row % rows;
    throw BuildError(level.place, "level " + level.name + ": the plane finds no way " + from + " past screen " +
                                      level.screens[std::min<size_t>(screen, level.screens.size() - 1)] + ", line " +
                                      std::to_string(fileRow + 1));
}

bool RiverFlight::boxOverWater(int planeX, int planeY) const {
    const int left = planeX + rules.plane.width / 4, top = planeY - rules.plane.height / 4;
    const int width = rules.plane.width / 2, height = rules.plane.height / 2;
    const int last = int(map.size()) - 1;
    for (int y : {top, top - height + 1})
        for (int x : {left, left + width - 1}) {
            const int row = std::clamp(y / cell, 0, last);
            if (!RiverScreens::isWater(map[row][std::clamp(x / cell, 0, columns - 1)])) return false;
        }
    return true;
}

bool RiverFlight::fly(int startY, int endY, std::vector<int>& depots, int& closedAt) const {
    const int highest = RiverScreens::riverWidth - rules.plane.width - 1;
    std::vector<bool> reach(highest + 1, false);
    reach[(RiverScreens::riverWidth - rules.plane.width) / 2] = true;
    std::vector<bool> touched(objects.size(), false);
    const RiverScreens::Size box{rules.plane.width / 2, rules.plane.height / 2};
    for (int y = startY; y <= endY; ++y) {
        std::vector<bool> next(highest + 1, false);
        bool any = false;
        for (int x = 0; x <= highest; ++x) {
            if (!reach[x] && !(y > startY && ((x >= 2 && reach[x - 2]) || (x + 2 <= highest && reach[x + 2])))) continue;
            if (!boxOverWater(x, y)) continue;
            next[x] = any = true;
        }
        if (!any) {
            closedAt = (y - rules.plane.height / 4) / cell;
            return false;
        }
        reach.swap(next);
        for (size_t i = 0; i < objects.size(); ++i) {
            const Object& o = objects[i];
            if (o.kind != depot || touched[i]) continue;
            const RiverScreens::Size size = rules.kinds.at(depot);
            const int top = y - rules.plane.height / 4;
            if (top - box.height > o.y || top < o.y - size.height) continue;
            for (int x = 0; x <= highest && !touched[i]; ++x) {
                const int left = x + rules.plane.width / 4;
                if (reach[x] && left + box.width >= o.x && left <= o.x + size.width) touched[i] = true;
            }
            if (touched[i]) depots.push_back(y);
        }
    }
    return true;
}

void RiverFlight::checkFuel(const std::vector<int>& depots, int from, int endY, const std::string& start) const {
    int last = from;
    for (int y : depots) {
        if (y - last > fuelReach)
            throw BuildError(level.place, "level " + level.name + ": from " + start + ", " + std::to_string(y - last) +
                                              " pixels of river go by without a fuel depot (at most " +
                                              std::to_string(fuelReach) + ")");
        last = y;
    }
    if (endY - last > fuelReach)
        throw BuildError(level.place, "level " + level.name + ": from " + start + ", the last " +
                                          std::to_string(endY - last) + " pixels of river have no fuel depot");
}

}  // namespace assets
