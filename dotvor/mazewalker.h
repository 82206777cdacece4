#pragma once
#include <cstdint>
#include "gameimage.h"
#include "mazewalker.ptr"
#include "point.h"
#include "rectangle.h"
#include "vector3d.h"

// What the player, the ghosts and the fruit share: a one-cell box at a pixel position, a
// direction, the cell of the last decision, and the step that slides along walls.
class MazeWalker : public dfc::lang::DObject {
public:
    // position = (x, y); the box covers one cell from there.
    virtual void setPosition(int32_t x, int32_t y);
    // One step of speed pixels in want. A blocked step is tried moved sideways by -slide to
    // -1, then 1 to slide pixels; when none frees it, the walker stays and tries the step
    // once more in its old direction.
    void walk(const vector_3dPtr& want, int32_t speed, bool doorsBlock, int32_t slide);
    // The rounded cell of the position.
    int32_t cellX() const;
    int32_t cellY() const;
    bool hasDecided() const { return !lastCell->is(-1, -1); }

    rectanglePtr bounds = new rectangle(0, 0, 0, 0);
    GameImagePtr image;
    vector_3dPtr position = new vector_3d();
    vector_3dPtr direction = new vector_3d();
    pointPtr lastCell = new point(-1, -1);
    bool moving = false;
    vector_3dPtr nextMove = new vector_3d();
    vector_3dPtr stepTarget = new vector_3d();
    vector_3dPtr stepSaved = new vector_3d();

private:
    bool tryAt(int32_t x, int32_t y, bool doorsBlock);
};
