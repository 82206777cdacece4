#pragma once

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
    // Where a craft new to play stands after its first frame, whose move comes before the plane
    // meets it; balloons and patrols wait for a later frame.
    static constexpr int firstFrameX(int kind, int x, int width, bool onRoad) {
        const int speed = speedOf(kind);
        const bool left = startsFacingLeft(kind);
        if (isPlane(kind)) return fly(x, width, speed, left);
        if (isShooter(kind) && onRoad) return step(x, width, speed, left).x;
        return x;
    }
};

static_assert(!RiverRules::wandersOn(1), "balloons and patrols stand still on their first frame");
