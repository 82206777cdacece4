#pragma once
#include <cstdint>
#include "animation.h"
#include "bonus.ptr"

// A capsule falling from a broken brick; caught by the paddle it gives its effect.
class Bonus : public dfc::lang::DObject {
public:
    // Starts a capsule of the kind at a brick's corner; kind 0 leaves it idle.
    virtual void start(int newKind, int atX, int atY);
    // One frame of the fall: the kind caught by the paddle's box, else 0.
    virtual int update(int paddleX, int paddleY, int paddleWidth, int paddleHeight);
    virtual void paint();

    int32_t x = 0;
    int32_t y = 0;
    int32_t fallSpeed = 1;
    int32_t drift = 0;
    int32_t kind = 0;
    AnimationPtr animation;

private:
    void bounceOffSides(int width);
};
