#pragma once
#include <cstdint>
#include "ball.h"
#include "ballwalk.ptr"
#include "dprimitives.h"

// How a moving ball finds the brick edge it meets first. Five probe segments run from the
// ball's rim along its move for this frame: two beside it, one ahead, and one on each axis
// towards where it heads. Each is tested against the two sides of every brick it may reach
// that face the ball; the nearest crossing wins and the ball is put where its rim touches.
// Positions are 28.4 fixed point, as the ball's.
class BallWalk : public dfc::lang::DObject {
public:
    static constexpr int probes = 5;
    // Brick sides.
    static constexpr int bottom = 0, right = 1, top = 2, left = 3;
    // Crossings further than this (squared, in 28.4) do not count.
    static constexpr int farthest = 1000000;

    // Walks one flying ball through the field. False when no probe met a brick edge (the
    // ball then moves freely); otherwise the brick was hit.
    bool walk(const BallPtr& ball);
    // Whether the probe's segment crosses that side of the cell; a nearer crossing is kept.
    bool testEdge(int column, int row, int side, int probe);
    // The ball meets the brick at the crossing (x, y): the brick takes the hit and the ball
    // is put there, pushed one pixel back and turned when it bounces.
    void hitBrick(const BallPtr& ball, int atX, int atY, int column, int row, bool vertical);
    // The sides a ball moving (vx, vy) can meet, and the signs of its axis probes: false for
    // a ball standing still.
    static bool sidesFacing(int vx, int vy, int* sideX, int* sideY, int* signX, int* signY);
    // The probe with the nearest crossing of at most `farthest`, the lower of two as near;
    // -1 when none counts.
    int nearestProbe() const;

    int32_t crossX = 0;
    int32_t crossY = 0;
    dfc::lang::DintArrayPtr probeX0 = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr probeY0 = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr probeX1 = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr probeY1 = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr hitX = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr hitY = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr hitColumn = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr hitRow = new dfc::lang::DintArray(probes);
    dfc::lang::DintArrayPtr hitDistance = new dfc::lang::DintArray(probes);
    dfc::lang::DboolArrayPtr noHit = new dfc::lang::DboolArray(probes);
    dfc::lang::DboolArrayPtr hitVertical = new dfc::lang::DboolArray(probes);

private:
    void placeProbes(const BallPtr& ball, int signX, int signY);
    void testCells(int sideX, int sideY, int signX, int signY);
    static bool crosses(int edge, int from, int to, int64_t a0, int64_t b0, int64_t a1, int64_t b1, int32_t* along);
    void record(int probe, int column, int row, bool vertical);
};
