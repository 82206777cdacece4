#pragma once
#include <cstdint>
#include "animation.ptr"
#include "tnxplayer.ptr"

// The tunneller the user steers: one step a tick along column and row lines, carving as it
// goes; its score, lives (an extra one every 2000 points, six at most), death and respawn.
class Player : public dfc::lang::DObject {
public:
    static constexpr int32_t startColumn = 7, startRow = 9, startLives = 3, maxLives = 6, lifeEvery = 2000;

    virtual void init();
    virtual void release();
    virtual void respawn();
    virtual void newGame();
    virtual void die();
    virtual void move(int d);
    virtual void paint();
    virtual void scoreCherry() { add(100); }
    virtual void scoreMonsterEaten() { add(20); }
    virtual void scoreCrystal() { add(4); }
    virtual void scoreGold() { add(50); }
    virtual void scoreFirebolt() { add(25); }
    virtual void scoreBagKill() { add(10); }
    virtual void checkExtraLife();

    int32_t x = 0, y = 0, column = 0, row = 0, dx = 0, dy = 0;
    int32_t direction = 1;
    bool dead = false;
    int32_t lives = startLives;
    int32_t spawnGuard = 0;
    int32_t score = 0;
    int32_t lastLifeScore = 0;
    int32_t deathPause = 0;

    // By direction 1 right, 2 up, 3 left, 4 down (slot 0 unused).
    static AnimationPtr walk[5];
    static AnimationPtr bonus[5];
    static AnimationPtr death;

private:
    void add(int points);
    void moveVertically(int d);
    void moveHorizontally(int d);
    void paintDeath();
    void paintAlive();
};
