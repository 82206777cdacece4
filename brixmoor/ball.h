#pragma once
#include <cstdint>
#include "animation.h"
#include "ball.ptr"
#include "gameimage.h"

// Every round moving body of the brick game: the playing ball (kind 0), the paddle's
// bullets (kind 1) and the bomb the creatures drop (kind 2). It flies in 28.4 fixed point:
// each move adds speed times the velocity, in sixteenths of a pixel, to its position.
class Ball : public dfc::lang::DObject {
public:
    static constexpr int32_t playing = 0, bullet = 1, bomb = 2;
    // Looks: small, normal and big, then the same three on fire.
    static constexpr int32_t small = 0, normal = 1, big = 2, smallFire = 3, normalFire = 4, bigFire = 5;

    explicit Ball(int kind);

    virtual void setLook(int newLook);
    virtual void fireOn();
    virtual void fireOff();
    virtual void grow();
    virtual void shrink();
    // Switches the ball on (flying, visible, live) or off.
    virtual void setActive(bool on);
    virtual void paint();
    // Puts the ball on the paddle at (x, y), ready to be launched upwards.
    virtual void serve(int atX, int atY);
    virtual void setPosition(int atX, int atY);
    virtual void move();
    // The playing ball's frame: walls, paddle and speed-up. True when the ball fell out.
    virtual bool step(int paddleX, int paddleTop, int paddleLeft, int paddleRight, bool sticky);
    // The bomb's frame. True when it landed on the paddle.
    virtual bool fallOnPaddle(int paddleTop, int paddleLeft, int paddleRight);
    // The bullet's frame.
    virtual void fly();
    // How fast a ball leaving the paddle climbs for its sideways speed.
    virtual int vyForVx(int forVx);

    int32_t kind;
    int32_t sideWall = 0;
    int32_t topWall = 0;
    int32_t look = normal;
    int32_t radius = 0;
    int32_t y = 0;
    int32_t x = 0;
    int32_t yFixed = 0;
    int32_t xFixed = 0;
    int32_t vx = 2;
    int32_t vy = -15;
    int32_t speed = 2;
    int32_t steps = 0;
    bool flying = false;
    bool gone = false;
    bool live = false;
    bool visible = false;
    GameImagePtr imageNormal;
    GameImagePtr imageSmall;
    GameImagePtr imageBig;
    GameImagePtr image;
    AnimationPtr fireNormal;
    AnimationPtr fireSmall;
    AnimationPtr fireBig;
    AnimationPtr fire;
    int32_t holdOffset = 2;

private:
    bool onFire() const { return look >= smallFire; }
    // The width of what the ball shows now: its picture, or the first frame of its fire.
    int shownWidth() const;
    void bounceOffWall();
    void bounceOffPaddle(int paddleX, int paddleTop, int paddleLeft, int paddleRight, bool sticky);
    void speedUp();
};
