#pragma once
#include <algorithm>

// The river's measures and the rules of the plane and the craft that need nothing but numbers.
// The game plays by them and the asset builder proves its levels by them, so the two cannot
// drift apart; nothing here may reach for the game's pictures or state.
class RiverRules {
public:
    static constexpr int cellSize = 8, columns = 22, riverWidth = columns * cellSize;
    // Rows of a river screen.
    static constexpr int screenRows = 26;
    // First-layer tiles the plane may fly over; second-layer tiles of roads and bridges, whose
    // craft are road vehicles.
    static constexpr int firstWater = 58, lastWater = 77;
    static constexpr int firstRoad = 109, lastRoad = 112;
    static constexpr int slow = 1, normal = 2, fast = 3;
    static constexpr int steerStep = 2;
    static constexpr int fullFuel = 2000, refuelStep = 10;
    // Balloons and patrols step on every third frame of theirs.
    static constexpr int wanderFrames = 3;
    static constexpr bool wandersOn(int frame) { return frame >= wanderFrames; }

    // A box by its left river x, top world y and size.
    struct Box {
        int x, y, width, height;
    };
    // Where a craft stands after a step, and which way it then faces.
    struct Heading {
        int x;
        bool left;
    };
    // The least and the most of a left x.
    struct Span {
        int left, right;
    };

    static constexpr bool isWater(int tile) { return tile >= firstWater && tile <= lastWater; }
    static constexpr bool isRoad(int tile) { return tile >= firstRoad && tile <= lastRoad; }

    // The plane's place at a (re)start at map row `row` with `visibleRows` rows on screen: the
    // middle of the river, two plane heights above the screen's bottom edge.
    static constexpr int startX(int planeWidth) { return (riverWidth - planeWidth) / 2; }
    static constexpr int startY(int row, int visibleRows, int planeHeight) {
        return (row - visibleRows) * cellSize + 2 * planeHeight;
    }
    // The plane's hit box, the middle half of its picture at (x, y).
    static constexpr Box planeBox(int x, int y, int planeWidth, int planeHeight) {
        return {x + (planeWidth >> 2), y - (planeHeight >> 2), planeWidth >> 1, planeHeight >> 1};
    }
    // The frames after a level's start in which no craft may meet the plane, whatever the player
    // steers: too few to see a craft coming and steer clear of it.
    static constexpr int clearFrames = 10;
    // The box the plane's hit box may sweep in a frame after a (re)start at (x, y), whatever the
    // player steers: a steer a frame at most, and a speed from slow to fast.
    static constexpr Box planeReach(int x, int y, int planeWidth, int planeHeight, int frame) {
        const Box low = planeBox(x - steerStep * frame, y + slow * frame, planeWidth, planeHeight);
        const int rise = (fast - slow) * frame;
        return {low.x, low.y + rise, low.width + 2 * steerStep * frame, low.height + rise};
    }
    // Touching boxes overlap.
    static constexpr bool overlaps(int x1, int y1, int x2, int y2, int w1, int h1, int w2, int h2) {
        if (y1 - h1 > y2 || y1 < y2 - h2 || x1 + w1 < x2) return false;
        return x1 <= x2 + w2;
    }
    static constexpr bool overlaps(const Box& a, const Box& b) {
        return overlaps(a.x, a.y, b.x, b.y, a.width, a.height, b.width, b.height);
    }

    // The craft's behaviours by kind.
    static constexpr bool isPlane(int kind) { return kind >= 1 && kind <= 4; }
    static constexpr bool isBalloon(int kind) { return kind == 5 || kind == 6; }
    static constexpr bool isPatrol(int kind) { return kind >= 9 && kind <= 13; }
    static constexpr bool isShooter(int kind) { return kind == 7 || kind == 8 || (kind >= 14 && kind <= 23); }
    static constexpr int speedOf(int kind) { return isPlane(kind) || (kind >= 9 && kind <= 11) ? 4 : 2; }
    static constexpr bool startsFacingLeft(int kind) {
        return !((kind >= 3 && kind <= 4) || (kind >= 9 && kind <= 13) || (kind >= 18 && kind <= 21));
    }
    // Whether a craft ever leaves the place it starts at.
    static constexpr bool moves(int kind, bool onRoad) {
        return isPlane(kind) || isBalloon(kind) || isPatrol(kind) || (isShooter(kind) && onRoad);
    }

    // An enemy plane crosses the river and comes round again from the other edge.
    static constexpr int fly(int x, int width, int speed, bool left) {
        if (left) return x - speed + width < 1 ? riverWidth : x - speed;
        return x + speed >= riverWidth ? -width : x + speed;
    }
    // A craft on the water or a road turns back at the river's edges.
    static constexpr Heading step(int x, int width, int speed, bool left) {
        if (left) return x - speed < 1 ? Heading{0, false} : Heading{x - speed, true};
        return x + speed + width >= riverWidth ? Heading{riverWidth - width, true} : Heading{x + speed, false};
    }
    // Where a craft new to play may stand in a frame of its play, by its left x: enemy planes
    // cross at their speed; road vehicles run, or stop where a shot bridge leaves them; balloons
    // and patrols step every third frame, either way, for a bank or an edge may turn them.
    static constexpr Span reach(int kind, int x, int width, bool onRoad, int frame) {
        const int speed = speedOf(kind);
        Heading at{x, startsFacingLeft(kind)};
        if (isPlane(kind)) {
            for (int i = 0; i < frame; ++i) at.x = fly(at.x, width, speed, at.left);
            return {at.x, at.x};
        }
        if (isShooter(kind) && onRoad) {
            Span span{x, x};
            for (int i = 0; i < frame; ++i) {
                at = step(at.x, width, speed, at.left);
                span = {std::min(span.left, at.x), std::max(span.right, at.x)};
            }
            return span;
        }
        if (isBalloon(kind) || isPatrol(kind)) {
            const int wander = speed * (frame / wanderFrames);
            return {std::max(0, x - wander), std::min(riverWidth - width, x + wander)};
        }
        return {x, x};
    }
};

static_assert(!RiverRules::wandersOn(1), "balloons and patrols stand still on their first frame");
