#pragma once
#include <cstdint>
#include "dprimitives.h"
#include "explosions.ptr"
#include "gameimagearray.h"

// The explosion and exhaust effects: 10 slots (x, y, age, live rows) with 30 particle rows
// each (x, y, vx, vy, state; state -1 is free). Within a slot, row 0 is the flash, rows 1-4
// debris, rows 5-9 sparks and rows 10-29 the sparks' trails; row 10 also carries an
// exhaust puff. A slot runs its own little script by its age.
class Explosions : public dfc::lang::DObject {
public:
    static constexpr int32_t slots = 10, rowsPerSlot = 30;
    enum SlotField { xField, yField, ageField, countField };
    enum RowField { rowX, rowY, rowVx, rowVy, rowState };
    // What spawnParticles makes: flashes of picture set 1 or 2, debris, sparks, an exhaust puff.
    static constexpr int32_t flash1 = 1, flash2 = 2, debris = 3, sparks = 4, puff = 5;

    Explosions();

    virtual void loadImages();
    // Every slot and row free.
    virtual void clear();
    // The first free slot at (x, y), with debris at (sparkX, sparkY); false when all are busy.
    virtual bool open(int x, int y, int sparkX, int sparkY);
    bool open(int x, int y) { return open(x, y, x, y); }
    virtual void paintExplosion(int slot, bool draw);
    virtual void updateParticles();
    virtual void updateExplosions();
    virtual void spawnParticles(int x, int y, int slot, int kind);
    // A puff 13 pixels behind the ship, 5 pixels to its right (side true) or left.
    virtual void addExhaust(bool side);
    // Every slot in use.
    void paint();

    // The first slot whose age is -1; -1 when there is none.
    int freeSlot();

    dfc::lang::DintArray2dPtr explosions;
    dfc::lang::DintArray2dPtr particles;
    int32_t usedExplosions = 0;
    // Set s (1..3), frame f (1..7): "wave" + s + "_" + f at (s - 1) x 28 + f - 1, then its
    // "_up", "_dn" and "_lv" turns 7, 14 and 21 further on.
    GameImageArrayPtr explosionImages;
    GameImageArrayPtr sparkImages;
    GameImageArrayPtr debrisImages;

private:
    void take(int slot, int x, int y, int age);
    // Frees the row and counts it off its slot.
    void freeRow(int row);
    void updateRow(int row);
    void moveRow(const dfc::lang::DintArrayPtr& r);
    void paintFlash(const dfc::lang::DintArrayPtr& r);
    void paintCentred(const GameImagePtr& image, int x, int y);
    GameImagePtr flashImage(int set, int frame, int turn);
};
