#pragma once
#include <cstdint>
#include "animation.ptr"
#include "dprimitives.h"
#include "tnxmonster.ptr"

// A monster: enters at the top-right cell, chases the player along the tunnels, turns now
// and then into an eater that digs its own way and swallows bags, and flees in bonus mode.
class Monster : public dfc::lang::DObject {
public:
    explicit Monster(int number);

    virtual void reset();
    virtual void paint();
    virtual void draw();
    virtual void update(int followUp);
    virtual void chooseDirection();
    virtual int opposite(int d);
    virtual int towardPlayer(bool vertical);
    virtual void swapFirstLast();
    virtual void swapMiddle();
    virtual bool canMove(int d);
    virtual void separate();
    virtual void kill();

    int32_t x = 0, y = 0, column = 0, row = 0, dx = 0, dy = 0;
    int32_t direction = 0;
    int32_t facing = 3;
    int32_t kindTimer = 450;
    bool dying = false;
    bool eater = false;
    bool active = false;
    int32_t spawnCounter = 1;
    int32_t number;
    int32_t startDelay = 0;
    int32_t stuckCount = 0;
    dfc::lang::DintArrayPtr preference = new dfc::lang::DintArray(4);

    AnimationPtr upDown, sideLeft, sideRight, eatLeft, eatRight, death, eatDeathLeft, eatDeathRight;
    AnimationPtr currentLeft, currentRight;

private:
    void toggleKind();
    void enter();
    void paintDeath();
    void stepNormal(int blocked);
    bool chaseInLine();
    void fillPreference();
    void pickPreferred();
    void chooseAsEater();
    AnimationPtr deathAnimation() const;
};
