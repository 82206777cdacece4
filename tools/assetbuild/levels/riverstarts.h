// The proof that no craft meets the plane where it appears, whatever the player steers. At the
// level's start the craft are new to play and move by their rules: none may meet the plane in
// its first frames, too few for the player to steer clear. At a restart (at the level's start
// while no bridge is passed, and past each bridge) a craft that moves may have gone anywhere
// across the river, but the road vehicles of the bridge just passed stand off its span or were
// blown up with it: none may meet the plane in the first frame. Every craft counts, present or
// not by the draw.
#pragma once
#include <string>
#include <vector>
#include "riverflight.h"

namespace assets {

class RiverStarts {
public:
    // How far above a shot bridge the plane may be when the game notes it passed: a bridge
    // still exploding as the plane flies through is noted when its explosion ends.
    static constexpr int passReach = 32;

    RiverStarts(const RiverFlight::Level& level, const std::vector<RiverFlight::Object>& objects,
                const RiverScreens::Rules& rules);

    // Refuses the level, naming the craft and the start it spoils.
    void prove() const;

private:
    using Object = RiverFlight::Object;

    void proveStart(int visibleRows) const;
    // A restart with the plane at world y; `bridge` the one just passed, or none.
    void proveRestart(int planeY, const Object* bridge, const std::string& which) const;
    // Where the plane restarts once noted past a bridge at world y `passY`.
    int restartY(int passY, int visibleRows) const;
    // Where the plane's box may be in a frame of a (re)start at world y.
    RiverRules::Box planeReach(int planeY, int frame) const;
    // Whether a craft that moves can stand in the box at a restart past `bridge`.
    bool mayRoamInto(const Object& craft, const RiverRules::Box& box, const Object* bridge) const;
    // Refuses the level for a craft that may meet the plane in the first `frames` frames of `which`.
    [[noreturn]] void refuse(const Object& craft, int frames, const std::string& which) const;
    std::string where(const Object& object) const;
    RiverScreens::Size size(const Object& object) const { return rules.kinds.at(object.kind); }
    static bool isCraft(const Object& object);

    const RiverFlight::Level& level;
    const std::vector<Object>& objects;
    const RiverScreens::Rules& rules;
};

}  // namespace assets
