#pragma once
#include <cstdint>
#include "animation.h"
#include "animationarray.h"
#include "ball.ptr"
#include "brick.ptr"
#include "gameimage.h"

// One cell of the brick field: what it shows, what kind of brick it holds and the hits that
// brick still takes, the bonus it lets fall, and the animation playing over it.
class Brick : public dfc::lang::DObject {
public:
    // Kinds: 0 empty, 1 two-hit, 2 three-hit, 3 regrowing, 4 detonator, 5 solid, 6 and 7
    // plain, 8 bomb, 9 armoured; then the passing states below 0.
    static constexpr int32_t empty = 0, twoHit = 1, threeHit = 2, regrowing = 3, detonator = 4, solid = 5, bomb = 8,
                             armoured = 9;
    static constexpr int32_t destroyed = -100, regrowWaiting = -101, regrowComing = -102, bombLit = -103,
                             detonating = -104;
    // The field's animations: moss crumbling, moss growing back, the armour's glint, the blast.
    static constexpr int crumble = 0, regrow = 1, glint = 2, blast = 3;

    Brick(int atX, int atY, int atColumn, int atRow);

    virtual void startAnimation(int index);
    virtual void setKind(int newKind, int newHits);
    // A hit by a ball, a bullet or the creatures' bomb, or by a blast when ball is null.
    virtual void hit(BallPtr ball);
    // Blows up: every brick around it takes a blast.
    virtual void detonate();
    // Clears the cell in the current drawing target and draws the brick anew as kind and hits.
    virtual void redraw(int newKind, int newHits);
    virtual void paint();
    virtual void paintAnimation();
    virtual void tick();

    GameImagePtr image;
    int32_t x;
    int32_t y;
    int32_t column;
    int32_t row;
    int32_t kind = empty;
    int32_t bonus = 0;
    AnimationArrayPtr animations = new AnimationArray(4);
    AnimationPtr animation;
    int32_t hits = 0;

private:
    // Whether the ball only chips the brick rather than breaking it at once.
    bool chippedBy(const BallPtr& ball) const;
    void chip(const BallPtr& ball, int kindBefore);
    void breakUp(const BallPtr& ball, int kindBefore);
    // A bomb brick set off: counted as broken, then blowing up at once.
    void explode();
    void spawnChips(int kindBefore);
    void redrawInField(int newKind, int newHits);
    // Drops an animation that has finished; true when none plays.
    bool settled();
    // The animation is over, or there never was one (its list is missing).
    bool animationDone() const { return !animation || animation->finished; }
};
