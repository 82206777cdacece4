#pragma once

// How a pair of eyes picks its way home at a decision cell. It needs nothing but the standard
// library, so that the asset builder can prove with it that eyes get home on every map.
class HomingRule {
public:
    // Ways in the order of the game's random draw: left, right, up, down.
    static constexpr int ways[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

    // The neighbours of the decision cell.
    struct Exits {
        bool open[4];
        // The neighbour is the cell of the previous decision.
        bool back[4];

        // Open and not back, unless it is the only way out.
        bool allowed(int way) const;
    };

    // The first pass of the draw: the ways it draws, and those of them it may take. When it
    // may take none, any allowed way is drawn.
    struct Choice {
        bool wish[4];
        bool fits[4];

        bool anyFits() const { return fits[0] || fits[1] || fits[2] || fits[3]; }
        // The draw may end on this way.
        bool mayTake(const Exits& exits, int way) const { return anyFits() ? fits[way] : exits.allowed(way); }
    };

    // (dx, dy) is home less the eyes' position; only the signs count.
    static Choice choose(const Exits& exits, int dx, int dy);
    // The way leads towards (dx, dy), or at least not away from it.
    static bool suits(int way, int dx, int dy);
};
