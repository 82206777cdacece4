#pragma once
#include <cstdint>
#include "animationarray.h"
#include "ball.h"
#include "ce_types.h"
#include "enemy.ptr"

// A creature that comes in through the gate at the top and drifts about the lower field,
// turning every few seconds and steering round the bricks. Kind 0 swallows balls (and then
// carries one as kind 3), kind 1 drops bombs, kind 2 only gets in the way.
class Enemy : public dfc::lang::DObject {
public:
    static constexpr int32_t gulper = 0, bomber = 1, spinner = 2, carrier = 3;

    Enemy();

    // Called every frame while the creature is away: one chance in 2001 that it comes.
    virtual void spawn();
    virtual void kill();
    virtual void paint();
    virtual void update();
    // Whether a brick stands in the field's cell under the point.
    virtual bool blocked(int px, int py);

    // Contact with a ball: their centres closer than the creature's and the ball's sizes allow.
    bool touches(const BallPtr& ball) const;

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 11;
    int32_t height = 11;
    int32_t dx = 0;
    int32_t dy = 1;
    int32_t kind = gulper;
    bool alive = false;
    DWORD lastTurn = 0;
    AnimationArrayPtr animations = new AnimationArray(3);
    BallPtr carried;

private:
    void turn();
    void steerSideways(int nx, int ny);
    void steerUpDown(int ny);
    bool anyBlocked(int px, int py0, int py1, int py2);
};
