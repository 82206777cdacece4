#include "enemy.h"
#include "bricklist.h"
#include "brick.h"
#include "brixmoor.h"
#include "bxmplatform.h"
#include "screencanvas.h"
#include "sound.h"
#include "ticks.h"

Enemy::Enemy() {
    for (int i = 0; i < 3; ++i) animations[i] = Brixmoor::shareFrames(Brixmoor::monsterAnimations[i]);
}

void Enemy::spawn() {
    if (Brixmoor::randomRange(0, 2000) != 0) return;
    const PlatformPtr& paddle = Brixmoor::platform;
    if (paddle->exitSign) {
        paddle->exitSign->finished = false;
        paddle->exitSign->reset();
    }
    kind = Brixmoor::randomRange(0, 2);
    carried = nullptr;
    alive = true;
    x = ScreenCanvas::screenWidth >> 1;
    y = -height;
    dx = 0;
    dy = 1;
    if (AnimationPtr look = animations[kind]) look->reset();
    lastTurn = GetTickCount();
}

// A carrier lets its ball go where it dies, with an extra life to catch.
void Enemy::kill() {
    alive = false;
    if (AnimationPtr look = animations[kind % 3]) look->finished = true;
    if (kind == carrier && carried) {
        carried->live = true;
        carried->setPosition(x, y);
        Brixmoor::platform->spawnBonus(7, x, y);
        Brixmoor::platform->ballsInPlay += 1;
    }
    carried = nullptr;
}

void Enemy::paint() {
    if (!alive) return;
    if (AnimationPtr look = animations[kind % 3]) look->paint(x - width / 2, y - height / 2);
}

void Enemy::update() {
    if (millisSince(lastTurn) > Brixmoor::randomRange(3000, 4000)) turn();
    const int nx = x + dx, ny = y + dy;
    steerSideways(nx, ny);
    x += dx;
    steerUpDown(ny);
    y += dy;
    const BallPtr& bomb = Brixmoor::platform->bomb;
    if (kind == bomber && !bomb->flying && Brixmoor::randomRange(0, 100) == 0) {
        bomb->setPosition(x, y);
        bomb->setActive(true);
        Sound::play(Brixmoor::shootSound, 1);
    }
    if (kind == carrier && carried) carried->setPosition(x, y);
}

void Enemy::turn() {
    lastTurn = GetTickCount();
    dx = dx != 0 ? -dx : 1 - 2 * Brixmoor::randomRange(0, 2);
    dy = Brixmoor::randomRange(0, 2) - 1;
}

void Enemy::steerSideways(int nx, int ny) {
    const int fieldLeft = BrickList::fieldLeft;
    if (x - width < fieldLeft) {
        dx = 1;
    } else if (x + width > fieldLeft + Brixmoor::brickList->fieldWidth) {
        dx = -1;
    } else if ((dx > 0 && anyBlocked(nx + width, ny, ny + height, ny - height)) ||
               (dx < 0 && anyBlocked(nx - width, ny, ny + height, ny - height))) {
        dx = -dx;
    }
}

void Enemy::steerUpDown(int ny) {
    if (y - height / 2 < Brixmoor::brickList->top) {
        dy = 1;
    } else if (y + height / 2 > ScreenCanvas::screenHeight - 30) {
        dy = -1;
    } else if ((dy > 0 &&
                (blocked(x, ny + height) || blocked(x + width, ny + height) || blocked(x - width, ny + height))) ||
               (dy < 0 &&
                (blocked(x, ny - height) || blocked(x + width, ny - height) || blocked(x - width, ny - height)))) {
        dy = -dy;
    }
}

bool Enemy::anyBlocked(int px, int py0, int py1, int py2) {
    return blocked(px, py0) || blocked(px, py1) || blocked(px, py2);
}

bool Enemy::blocked(int px, int py) {
    const BrickListPtr& field = Brixmoor::brickList;
    const int column = (px - BrickList::fieldLeft) / (field->brickWidth + BrickList::columnGap);
    const int row = (py - field->top) / field->brickHeight;
    if (column < 0 || column >= BrickList::columns || row < 0 || row >= BrickList::rows) return false;
    return field->brickAt(row, column)->kind >= Brick::twoHit;
}

bool Enemy::touches(const BallPtr& ball) const {
    const int ddx = ball->x - x, ddy = ball->y - y;
    return ddx * ddx + ddy * ddy <= (height + ball->radius) * (ball->radius + width);
}
