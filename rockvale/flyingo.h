#pragma once
#include <cstdint>
#include "dprimitives.h"
#include "dstring.h"
#include "flyingo.ptr"
#include "gameimage.h"

// Everything that flies besides the ship: rocks of three sizes, three kinds of saucer, the
// player's shots and the saucers' rockets. The constructor's a and b tell which: a + b = 100
// a shot or rocket, 300 a saucer named "ufo" + type, otherwise a rock of size a (1 big,
// 2 medium, 3 small) and picture variant b.
class FlyingO : public dfc::lang::DObject {
public:
    static constexpr int32_t shot = 0, plainSaucer = 1, fastSaucer = 2, frameRock = 3, shootingSaucer = 4,
                             turningRock = 5;
    // Passed for x, a random place away from the middle; for vx, a random launch.
    static constexpr int32_t randomPlace = -100, randomLaunch = -100;

    FlyingO(int x, int y, int vx, int vy, int speed, int a, int b, const dfc::lang::DStringPtr& name, int delay);

    // One step: flight, the screen's edges, the animation.
    virtual void move();
    // Draws the picture centred on the object, with its wrapped copy; false when the picture
    // lies wholly off the screen.
    virtual bool paint(const GameImagePtr& image, int imageWidth, int imageHeight);
    // A saucer's new course away from the nearest object's report (x, y, squared distance,
    // vx, vy).
    virtual void evade(const dfc::lang::DintArrayPtr& report);

    // A rock's picture name for its frame: "a" + size + variant + frame (0..15 for frame rocks,
    // 0..3 and the quarter-turn suffix for turning rocks).
    void advanceName();
    bool isRock() const { return kind == frameRock || kind == turningRock; }
    // Squared distance between the centres.
    int32_t distanceTo(int px, int py) const;

    int32_t x;
    int32_t y;
    int32_t vx;
    int32_t vy;
    int32_t width = 0;
    int32_t height = 0;
    int32_t speedFactor;
    int32_t kind = shot;
    int32_t hitSize;
    int32_t energy = 1;
    int32_t rocketTimer = 0;
    int32_t frame;
    int8_t frameTick = 0;
    int32_t frameDelay;
    int32_t steerCounter = 5;
    dfc::lang::DStringPtr imageName;

private:
    void classify(int a, int b, const dfc::lang::DStringPtr& name);
    void place(int atX, int atY);
    void launch(int withVx, int withVy, int speed);
    void wrap();
    void bounce();
    void animate();
    // A turning rock's quarter-turn suffix follows its frame.
    void turnName();
    void drawCopy(const GameImagePtr& image, int x0, int y0);
};
