#pragma once
#include <cstdint>
#include "runner.ptr"

// The hero or an enemy of the ladder game: the cell it is in, its pixel offset from the
// cell's corner, its facing, its state and the state's timer.
class Runner : public dfc::lang::DObject {
public:
    enum State { walking, falling, climbing, hanging, standing, trapped, digging, buried, appearing };
    // Pixels per play step.
    static constexpr int32_t heroSpeed = 3, enemySpeed = 1, climbSpeed = 3, fallSpeed = 6;

    // Appearing, facing left or (by a coin toss) nowhere, with its cell's rules still to run.
    virtual void reset();
    virtual void moveHorizontal(int dx);
    virtual void moveVertical(int dy, bool falling);

    int32_t col = 0;
    int32_t row = 0;
    int32_t cell = 0;
    int32_t offsetX = 0;
    int32_t offsetY = 0;
    int32_t dirX = 0;
    int32_t dirY = 0;
    int16_t lastDistance = -1;
    int32_t state = appearing;
    bool cellEntered = false;
    int32_t frame = 0;
    int32_t timer = 0;
    bool isEnemy = true;

private:
    // Stopped against a wall: standing, its cell's rules to run again.
    void stopHere();
    // Moves on to the neighbouring cell whenever the offset passed half a tile.
    void crossColumns();
    void crossRows();
    // The hero's step sound and the camera, when the hero's pixel position changed.
    void heroMoved(int oldX, int oldY, bool vertical);
};
