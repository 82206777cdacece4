#pragma once
#include <cstdint>
#include "cellbase.ptr"
#include "gameimage.h"
#include "rectangle.h"

// One cell of the maze: open or wall, with at most one thing in it, its pixel area and the
// floor or wall picture the tile choice gave it.
class CellBase : public dfc::lang::DObject {
public:
    // Passability.
    static constexpr int32_t open = 1, wall = 2;
    // Content.
    static constexpr int32_t empty = 0, tunnel = 1, door = 2, dot = 3, energiser = 4;

    // Draws the cell at (x, y) of the current drawing target: floor, picture and door on the
    // first pass; dots, energisers and tunnels on the animated pass, when the clock moved.
    virtual void paint(int x, int y, bool animatedPass);

    bool isOpen() const { return passability == open; }
    // Open to the player and the fruit: doors hold them back.
    bool isWalkable() const { return passability == open && content != door; }

    int32_t passability = wall;
    int32_t content = empty;
    rectanglePtr area = new rectangle(0, 0, 0, 0);
    GameImagePtr image;
};
