#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dprimitives.h"
#include "dstring.h"
#include "gameimagearray.h"
#include "ship.ptr"

// The player's ship: 16 facings of 22.5 degrees (a step 1..4 within one of four quarter
// turns named by a picture suffix), inertia with a speed limit, thrust that builds up while
// it lasts, lives, and a blinking, spinning spell of immunity after a hit. Moving it also
// drifts the star field and the background the other way.
class Ship : public dfc::lang::DObject {
public:
    // A hit keeps the ship immune this long; it blinks every blinkMillis meanwhile.
    static constexpr int32_t hitMillis = 3000, blinkMillis = 100;
    // A thrust is refused when it would bring the squared speed to this.
    static constexpr int32_t speedLimit = 67;

    Ship();

    // Centred, at rest, facing somewhere new; the lives stay as they are.
    virtual void reset();
    virtual void loadImages();
    // The shot's velocity along the facing, from the "dx"/"dy" texts.
    virtual void shotVector(const dfc::lang::DintArrayPtr& vector);
    virtual void hit();
    virtual void turnLeft();
    virtual void turnRight();
    // True while the ship has a velocity.
    virtual bool move();
    virtual void thrust();
    virtual void paint();
    // The facing's direction x 1000, y pointing down the screen.
    virtual int xComponent(int forStep, const dfc::lang::DStringPtr& suffix);
    virtual int yComponent(int forStep, const dfc::lang::DStringPtr& suffix);

    // The shot speeds "dx1k" to "dy4k" have no stand-in: a text that lacks one is damaged, told
    // by the text and the key before the game is played.
    static void requireShotSpeeds();
    // The quarter turn of a suffix: 0 "", 1 "_up", 2 "_lv", 3 "_dn"; -1 for any other.
    static int quarterOf(const dfc::lang::DStringPtr& suffix);
    int quarter() const { return quarterOf(facingSuffix); }

    int32_t x = 0;
    int32_t y = 0;
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t step = 4;
    dfc::lang::DStringPtr facingSuffix;
    int32_t thrustLevel = 0;
    int32_t maxThrust = 0;
    int32_t lives = 0;
    bool redraw = false;
    int32_t vx = 0;
    int32_t vy = 0;
    bool isHit = false;
    bool visible = false;
    DWORD hitTime = 0;
    DWORD blinkTime = 0;
    int32_t spin = 0;
    // Four groups of four steps, in the order "", "_lv", "_up", "_dn".
    GameImageArrayPtr images;

private:
    GameImagePtr currentImage();
    void drawWithCopy(const GameImagePtr& image, int x0, int y0);
    void wrap();
    void bounce();
};
