#pragma once
#include <cstdint>

// The enemies' distance field over a ladder-game grid: for every cell, the moves an enemy needs
// from there to the hero's cell (-1 while the search has not come to it), found breadth first
// from the hero a layer at a time. The rules are the runners' moves read backwards. The grid and
// both arrays (width x height each) belong to the caller, so the field can be built a few layers
// a step without allocating, and by the asset builder over a map it checks.
class PathField {
public:
    PathField(const char16_t* grid, int width, int height, int16_t* distance, int16_t* frontier);

    static bool isSolid(char16_t ch) { return ch == u'#' || ch == u'B'; }
    static bool isHole(char16_t ch) { return ch == u'd' || ch == u'D'; }

    // Only the hero's cell known, at distance 0.
    void restart(int heroCell);
    // Adds at most `layers` layers; none once the field is complete.
    void expand(int layers);
    bool complete() const { return frontier[0] == -1; }
    // A runner can stand at c + dir: on a handrail or ladder, or above ground or a ladder. The
    // cell below c + dir lies in the grid.
    bool canStand(int c, int dir) const;

private:
    void expandLayer();
    // From the cell up a free drop to where a runner could stand, fall from or climb down.
    void climbScan(int c, int d, int* write);
    void reach(int n, int d, int* write);

    const char16_t* grid;
    int width, height;
    int16_t* distance;
    int16_t* frontier;
};
