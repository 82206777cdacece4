#pragma once
#include <cstdint>
#include "homingrule.h"
#include "mazewalker.h"
#include "spookybase.ptr"

// A ghost: it waits its release delay, leaves its house upwards, and then at every cell
// picks at random an exit that leads towards its target: the player while hunting, away from
// him while frightened, its home while it is only a pair of eyes. It never turns back into
// the cell it came from unless that is its only way out.
class SpookyBase : public MazeWalker {
public:
    // Ghosts slide by up to this many pixels.
    static constexpr int32_t slide = 3;
    // The frightened picture blinks during the last steps of the frightened time.
    static constexpr int32_t blinkSteps = 90;

    SpookyBase(int32_t kind, int32_t startDelay);

    virtual void paint(int dx, int dy);
    virtual void update();
    virtual void move(const vector_3dPtr& want);
    virtual void setDirection(const vector_3dPtr& d) { direction->set(d->x, d->y); }
    virtual void updateImage();

    // The start point the eyes go back to.
    vector_3dPtr home() const;

    int32_t kind;
    int32_t startDelay;
    int32_t speed = 0;
    bool frightened = false;
    bool eyes = false;
    int32_t eyesSoundCounter = 0;
    vector_3dPtr offset = new vector_3d();
    pointPtr cell = new point(0, 0);

private:
    void chooseSpeed();
    bool hasLeftDecisionCell() const;
    void takeTunnel();
    void decide();
    HomingRule::Exits exitsHere() const;
    // Where the target lies (offset) and which ways are wished for.
    HomingRule::Choice aim(const HomingRule::Exits& exits);
    void choose(HomingRule::Choice choice, const HomingRule::Exits& exits);
};
