#pragma once
#include <cstdint>
#include "alienship.ptr"
#include "animation.h"
#include "gameimagearray.h"

// One alien of the formation. It sways with the formation until the game sends it on a dive:
// a climbing loop, then a straight run at a point beside the player's ship, steering toward
// the ship and firing in the upper half of the screen; below the bottom it comes back in from
// the top and sinks to its place. A hit plays its explosion and takes it out of the level.
class AlienShip : public dfc::lang::DObject {
public:
    // Flight states.
    static constexpr int32_t IN_FORMATION = 0, LOOPING = 1, ATTACKING = 2, RETURNING = 3, EXPLODING = 4, GONE = 5;
    // Attack modes: a plain run, a swoop before its pull-up and after it.
    static constexpr int32_t plainRun = 0, swoopDown = 1, swoopUp = 2;

    AlienShip();

    void setImage(const GameImageArrayPtr& directionImages);
    // Gives the alien its own copies of the animations, its flapping out of step with the row.
    void setAnimations(const AnimationPtr& formation, const AnimationPtr& explosion);
    void startDive();
    void update();
    void paint();
    // Whether the rectangle touches the alien's frame inset by the hit margin; a hit starts
    // the explosion.
    bool hitTest(int rx, int ry, int rw, int rh);

    // The direction picture that faces a point h to the right of and v below the alien.
    static int32_t directionTo(int32_t h, int32_t v);

    GameImageArrayPtr images;
    AnimationPtr flyAnimation;
    AnimationPtr explosionAnimation;
    int32_t attackMode = plainRun;
    int32_t x = 0;
    int32_t y = 0;
    int32_t fx = 0;
    int32_t fy = 0;
    int32_t direction = 0;
    int32_t fdirection = 0;
    int32_t homeX = 0;
    int32_t homeY = 0;
    int32_t side = 0;
    int32_t targetX = 0;
    int32_t bottomY = 0;
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t state = IN_FORMATION;
    int32_t points = 0;
    int32_t row = 0;
    int32_t column = 0;
    int32_t shotsLeft = 0;

private:
    void loop();
    void setUpRun();
    void aimRun();
    void run();
    void swoop();
    void steer(int32_t h);
    void fireAtShip();
    void fire();
    void leaveBottom();
    void sinkHome();
};
