#include "mazewalker.h"
#include "dotvorgame.h"

void MazeWalker::setPosition(int32_t x, int32_t y) {
    position->set(x, y);
    bounds->set(x, y, x + DotvorGame::cellWidth, y + DotvorGame::cellHeight);
}

int32_t MazeWalker::cellX() const { return DotvorGame::cellX(position->x); }

int32_t MazeWalker::cellY() const { return DotvorGame::cellY(position->y); }

bool MazeWalker::tryAt(int32_t x, int32_t y, bool doorsBlock) {
    setPosition(x, y);
    return !DotvorGame::map->collides(bounds, doorsBlock);
}

void MazeWalker::walk(const vector_3dPtr& want, int32_t speed, bool doorsBlock, int32_t slide) {
    moving = true;
    stepSaved->set(position->x, position->y);
    stepTarget->set(position->x + speed * want->x, position->y + speed * want->y);
    if (tryAt(stepTarget->x, stepTarget->y, doorsBlock)) return;
    const bool vertical = want->x == 0;
    for (int32_t side = -1; side <= 1; side += 2)
        for (int32_t amount = 1; amount <= slide; ++amount) {
            const int32_t offset = side < 0 ? -(slide + 1 - amount) : amount;
            if (tryAt(stepTarget->x + (vertical ? offset : 0), stepTarget->y + (vertical ? 0 : offset), doorsBlock))
                return;
        }
    moving = false;
    setPosition(stepSaved->x, stepSaved->y);
    if (want->x != direction->x || want->y != direction->y) walk(vector_3dPtr(direction), speed, doorsBlock, slide);
}
