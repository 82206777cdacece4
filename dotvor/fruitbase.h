#pragma once
#include <cstdint>
#include "fruitbase.ptr"
#include "mazewalker.h"

// The bonus fruit: it wanders through the maze on its own, taking a random exit at every
// cell and never turning back unless it is in a dead end, with a little walking sound.
class FruitBase : public MazeWalker {
public:
    FruitBase();

    virtual void paint(int dx, int dy);
    virtual void update();
    // A blocked fruit stays where it is and decides again in the next step.
    virtual void move(const vector_3dPtr& want);
    virtual void setDirection(const vector_3dPtr& d);

    int32_t kind = 0;
    int32_t speed;
    int32_t walkSoundCounter = 0;
    int32_t age = 0;

private:
    bool hasLeftDecisionCell() const;
    // A fruit that has just entered a tunnel lands on its far end itself; then a random
    // allowed exit.
    void decide();
};
