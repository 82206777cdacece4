#include "ballwalk.h"
#include <algorithm>
#include "brick.h"
#include "bricklist.h"
#include "brixmoor.h"

namespace {

// The sign of a step towards where the ball heads, -1 or 1, and the order cells are walked in.
struct Span {
    int from, to, step;
};

Span spanOf(int low, int high, int limit, int sign) {
    low = std::clamp(low - 1, 0, limit - 1);
    high = std::clamp(high + 1, 0, limit - 1);
    return sign < 0 ? Span{high, low - 1, -1} : Span{low, high + 1, 1};
}

}  // namespace

bool BallWalk::sidesFacing(int vx, int vy, int* sideX, int* sideY, int* signX, int* signY) {
    const int code = (vx < 0 ? 0 : vx == 0 ? 1 : 2) + (vy < 0 ? 1 : vy == 0 ? 4 : 7);
    switch (code) {
        case 1:
        case 2:
        case 4: *signX = -1, *signY = -1, *sideX = right, *sideY = bottom; return true;
        case 3: *signX = 1, *signY = -1, *sideX = left, *sideY = bottom; return true;
        case 6:
        case 8:
        case 9: *signX = 1, *signY = 1, *sideX = left, *sideY = top; return true;
        case 7: *signX = -1, *signY = 1, *sideX = right, *sideY = top; return true;
        default: return false;
    }
}

bool BallWalk::walk(const BallPtr& ball) {
    int sideX, sideY, signX, signY;
    if (!sidesFacing(ball->vx, ball->vy, &sideX, &sideY, &signX, &signY)) return false;
    placeProbes(ball, signX, signY);
    testCells(sideX, sideY, signX, signY);
    const int probe = nearestProbe();
    if (probe < 0) return false;
    const int offsetX = probeX0[probe] - ball->xFixed, offsetY = probeY0[probe] - ball->yFixed;
    hitBrick(ball, hitX[probe] - offsetX, hitY[probe] - offsetY, hitColumn[probe], hitRow[probe], hitVertical[probe]);
    Brixmoor::spawnParticles(10, ball->look < Ball::smallFire ? Particles::spark : Particles::fireSpark, ball->x,
                             ball->y, 0);
    return true;
}

// Beside, beside and ahead on the rim, then the rim towards the heading on each axis.
void BallWalk::placeProbes(const BallPtr& ball, int signX, int signY) {
    const int x = ball->xFixed, y = ball->yFixed, vx = ball->vx, vy = ball->vy, r = ball->radius;
    const int startX[probes] = {x - vy * r, x + vy * r, x + vx * r, x + 16 * r * signX, x};
    const int startY[probes] = {y + vx * r, y - vx * r, y + vy * r, y, y + 16 * r * signY};
    for (int i = 0; i < probes; ++i) {
        probeX0[i] = startX[i];
        probeY0[i] = startY[i];
        probeX1[i] = startX[i] + ball->speed * vx;
        probeY1[i] = startY[i] + ball->speed * vy;
        noHit[i] = true;
        hitX[i] = hitY[i] = hitColumn[i] = hitRow[i] = hitDistance[i] = 0;
        hitVertical[i] = false;
    }
}

// Every cell the probes may reach, and one more round them, from the nearest corner on.
void BallWalk::testCells(int sideX, int sideY, int signX, int signY) {
    const BrickListPtr& field = Brixmoor::brickList;
    int lowX = probeX0[0], highX = lowX, lowY = probeY0[0], highY = lowY;
    for (int i = 0; i < probes; ++i)
        for (int px : {int(probeX0[i]), int(probeX1[i])}) lowX = std::min(lowX, px), highX = std::max(highX, px);
    for (int i = 0; i < probes; ++i)
        for (int py : {int(probeY0[i]), int(probeY1[i])}) lowY = std::min(lowY, py), highY = std::max(highY, py);
    const Span columns = spanOf(field->columnAt(lowX >> 4), field->columnAt(highX >> 4), BrickList::columns, signX);
    const Span rows = spanOf(field->rowAt(lowY >> 4), field->rowAt(highY >> 4), BrickList::rows, signY);
    for (int row = rows.from; row != rows.to; row += rows.step)
        for (int column = columns.from; column != columns.to; column += columns.step) {
            if (field->brickAt(row, column)->kind <= Brick::empty) continue;
            for (int probe = 0; probe < probes; ++probe) {
                testEdge(column, row, sideX, probe);
                testEdge(column, row, sideY, probe);
            }
        }
}

bool BallWalk::testEdge(int column, int row, int side, int probe) {
    const BrickListPtr& field = Brixmoor::brickList;
    const int x0 = probeX0[probe], y0 = probeY0[probe], x1 = probeX1[probe], y1 = probeY1[probe];
    if (side == bottom || side == top) {
        crossY = side == bottom ? field->rowBottom16(row) : field->rowTop16(row);
        if (!crosses(crossY, field->columnLeft16(column), field->columnRight16(column), y0, x0, y1, x1, &crossX))
            return false;
    } else {
        crossX = side == right ? field->columnRight16(column) : field->columnLeft16(column);
        if (!crosses(crossX, field->rowTop16(row), field->rowBottom16(row), x0, y0, x1, y1, &crossY)) return false;
    }
    record(probe, column, row, side == right || side == left);
    return true;
}

// Where the segment (a0, b0)-(a1, b1) crosses the line a = edge, as b. It counts only
// strictly between the segment's ends and strictly inside (from, to).
bool BallWalk::crosses(int edge, int from, int to, int64_t a0, int64_t b0, int64_t a1, int64_t b1, int32_t* along) {
    if (!(std::min(a0, a1) < edge && edge < std::max(a0, a1))) return false;
    *along = int32_t((b0 * a1 + (b1 - b0) * edge - a0 * b1) / (a1 - a0));
    return from < *along && *along < to;
}

void BallWalk::record(int probe, int column, int row, bool vertical) {
    const int dx = crossX - probeX0[probe], dy = crossY - probeY0[probe];
    const int distance = dx * dx + dy * dy;
    if (!noHit[probe] && distance > hitDistance[probe]) return;
    hitX[probe] = crossX;
    hitY[probe] = crossY;
    hitColumn[probe] = column;
    hitRow[probe] = row;
    hitDistance[probe] = distance;
    noHit[probe] = false;
    hitVertical[probe] = vertical;
}

// From the last probe to the first, so that of two equally near the lower one wins.
int BallWalk::nearestProbe() const {
    int nearest = -1, best = farthest;
    for (int i = probes - 1; i >= 0; --i)
        if (!noHit[i] && hitDistance[i] <= best) {
            best = hitDistance[i];
            nearest = i;
        }
    return nearest;
}

namespace {

// Small balls always bounce; bigger ones only off bricks they do not break at once, and a
// big burning ball never.
bool bounces(int look, const BrickPtr& brick) {
    switch (look) {
        case Ball::small:
        case Ball::smallFire: return true;
        case Ball::normal: return brick->hits > 1 || brick->kind == Brick::solid;
        case Ball::big: return brick->hits > 3 || brick->kind == Brick::solid;
        case Ball::normalFire: return brick->kind == Brick::solid;
        default: return false;
    }
}

}  // namespace

void BallWalk::hitBrick(const BallPtr& ball, int atX, int atY, int column, int row, bool vertical) {
    const BrickListPtr& field = Brixmoor::brickList;
    BrickPtr brick = field->brickAt(row, column);
    const bool bounce = bounces(ball->look, brick);
    brick->hit(ball);
    field->repaintBeside(row, column);
    ball->xFixed = atX;
    ball->yFixed = atY;
    ball->x = atX >> 4;
    ball->y = atY >> 4;
    if (!bounce) return;
    // A brick that still stands pushes the ball a pixel back, on both axes, before it turns.
    if (brick->kind > Brick::empty) {
        ball->y += ball->vy <= 0 ? 1 : -1;
        ball->x += ball->vx <= 0 ? 1 : -1;
        ball->yFixed = ball->y * 16;
        ball->xFixed = ball->x * 16;
    }
    if (vertical) {
        ball->vx = -ball->vx;
    } else {
        ball->vy = -ball->vy;
    }
}
