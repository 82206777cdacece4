#pragma once
#include <cstdint>
#include "dotvorbase.ptr"
#include "mazewalker.h"

// The player's figure: steered through the maze, it eats dots and energisers, meets the
// ghosts and the fruit, keeps the score and the lives, and plays its own death.
class DotvorBase : public MazeWalker {
public:
    static constexpr int32_t firstGhostScore = 200;
    // A life for every this many points.
    static constexpr int32_t lifeEvery = 10000;
    // A slide of up to this many pixels lines the player up with an opening.
    static constexpr int32_t slide = 3;

    DotvorBase();

    virtual void paint(int dx, int dy);
    virtual void update();
    virtual void move(const vector_3dPtr& want);
    virtual void setDirection(const vector_3dPtr& d);
    virtual void addScore(int32_t points);
    // Whether a one-cell box at `at` is closer than half a cell on both axes.
    virtual bool collides(const vector_3dPtr& at);

    // The points of a fruit kind in the game mode; 0 for kinds outside 1 to 7.
    static int32_t fruitPoints(int32_t kind, int32_t mode);
    // The pop-up slot of a score; -1 for scores without a picture.
    static int32_t popUpSlot(int32_t points);

    int32_t dyingCountdown = 0;
    int32_t powerCountdown = 0;
    GameImagePtr powerImage;
    int32_t ghostScore = firstGhostScore;
    int32_t animCounter = 0;
    pointPtr cell = new point(0, 0);

private:
    void die();
    void meetFruit();
    // False when a ghost caught the player.
    bool meetGhosts();
    void enterCell();
    void takeTunnel();
    void eatDot();
    void eatEnergiser();
    void steer();
    void showPower();
};
