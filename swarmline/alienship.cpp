#include "alienship.h"
#include "gamelib.h"
#include "sound.h"
#include "swarmline.h"

using dfc::lang::DintArray2dPtr;

namespace {

int32_t nextRandom() { return GameLib::sharedRandom->nextInt(); }

}  // namespace

AlienShip::AlienShip() = default;

void AlienShip::setImage(const GameImageArrayPtr& directionImages) { images = directionImages; }

void AlienShip::setAnimations(const AnimationPtr& formation, const AnimationPtr& explosion) {
    flyAnimation = new Animation();
    flyAnimation->frames = formation->frames;
    flyAnimation->delay = formation->delay;
    flyAnimation->finished = formation->finished;
    flyAnimation->reset();
    const int32_t length = flyAnimation->frames ? flyAnimation->frames->length : 0;
    if (length > 0) flyAnimation->current = (nextRandom() & 0xFFFF) % length;
    explosionAnimation = new Animation();
    explosionAnimation->frames = explosion->frames;
    explosionAnimation->delay = explosion->delay;
    explosionAnimation->finished = explosion->finished;
    explosionAnimation->reset();
}

void AlienShip::startDive() {
    Sound::play(Swarmline::alienLeavesSound, 1);
    fx = x << 16;
    fy = y << 16;
    fdirection = direction << 16;
    state = LOOPING;
    dy = -Swarmline::LOOP_SPEED;
    dx = side == 0 ? -Swarmline::LOOP_DX : Swarmline::LOOP_DX;
    attackMode = (nextRandom() & 3) == 0 ? swoopDown : plainRun;
    shotsLeft = Swarmline::SHOTS_PER_DIVE;
}

void AlienShip::update() {
    switch (state) {
        case IN_FORMATION:
            x = homeX + Swarmline::swayOffset;
            y = homeY;
            break;
        case LOOPING: loop(); break;
        case ATTACKING: run(); break;
        case RETURNING: sinkHome(); break;
        default: break;
    }
}

void AlienShip::loop() {
    if (dy >= Swarmline::LOOP_SPEED) {
        setUpRun();
        return;
    }
    dy += Swarmline::LOOP_GRAVITY;
    fx += dx;
    x = fx >> 16;
    fy += dy;
    y = fy >> 16;
    fdirection += side == 1 ? Swarmline::LOOP_SPIN : -Swarmline::LOOP_SPIN;
    direction = (fdirection >> 16) & 15;
}

// The run aims at a point up to a ship's width beside the player, on the alien's side.
void AlienShip::setUpRun() {
    state = ATTACKING;
    bottomY = Swarmline::alienBottom;
    const int32_t offset = (((nextRandom() & 15) + 1) * Swarmline::SHIP_W) >> 4;
    targetX = side == 1 ? Swarmline::shipX + offset : Swarmline::shipX - offset;
    if (targetX < Swarmline::ALIEN_W) targetX = Swarmline::ALIEN_W;
    if (targetX > Swarmline::alienRightLimit - Swarmline::ALIEN_W)
        targetX = Swarmline::alienRightLimit - Swarmline::ALIEN_W;
    aimRun();
    fx = x << 16;
    fy = y << 16;
}

// RUN_SPEED along the major axis. A run that would divide by zero (the loop ending on the
// bottom line, or right at the target) goes straight up or down instead.
void AlienShip::aimRun() {
    const int32_t runSpeed = Swarmline::RUN_SPEED;
    const int32_t v = bottomY > y ? runSpeed : -runSpeed;
    if (targetX <= bottomY) {
        dy = v << 16;
        dx = bottomY == y ? 0 : int32_t((int64_t(targetX - x) * v * 65536) / (bottomY - y));
        return;
    }
    if (targetX == x) {
        dx = 0;
        dy = v << 16;
        return;
    }
    dx = targetX > x ? runSpeed << 16 : -(runSpeed << 16);
    dy = int32_t((int64_t(bottomY - y) * 65536) / (targetX - x));
}

void AlienShip::run() {
    swoop();
    fx += dx;
    fy += dy;
    const int32_t h = Swarmline::shipX - x, v = Swarmline::shipY - y;
    if (attackMode != swoopDown) steer(h);
    direction = directionTo(h, v);
    x = fx >> 16;
    y = fy >> 16;
    fireAtShip();
    leaveBottom();
}

// A swoop brakes, climbs until it moves up fast enough, then falls again with fresh shots.
void AlienShip::swoop() {
    if (attackMode == swoopDown) {
        dy -= dy > 0 ? Swarmline::RUN_ACCEL : Swarmline::PULLUP_ACCEL;
        if (dy < -Swarmline::PULLUP_LIMIT) {
            attackMode = swoopUp;
            shotsLeft = Swarmline::SHOTS_PER_DIVE;
        }
    } else if (attackMode == swoopUp) {
        dy += Swarmline::RUN_ACCEL;
    }
}

void AlienShip::steer(int32_t h) {
    if (h < 0)
        dx -= dx > 0 ? Swarmline::STEER_BACK : Swarmline::STEER;
    else if (h > 0)
        dx += dx < 0 ? Swarmline::STEER_BACK : Swarmline::STEER;
}

int32_t AlienShip::directionTo(int32_t h, int32_t v) {
    if (h == 0) return 0;
    const int64_t q = (int64_t(v) * 65536) / h;
    int32_t facing;
    if (q == 0)
        facing = 0;
    else if (q > 0)
        facing = q < 13035 ? 12 : q < 43789 ? 13 : q < 98081 ? 14 : q < 158217 ? 15 : 0;
    else
        facing = q < -158217 ? 0 : q < -98081 ? 1 : q < -43789 ? 2 : q < -13035 ? 3 : 4;
    return v < 0 ? (facing - 8) & 15 : facing;
}

// The shot timer is shared: every attacking alien's turn wears it down.
void AlienShip::fireAtShip() {
    if (Swarmline::alienShotTimer > 0) {
        Swarmline::alienShotTimer -= Swarmline::TIMER_STEP;
        return;
    }
    if (shotsLeft < 1 || y >= Swarmline::canvasHeight / 2) return;
    const bool overShip =
        x >= Swarmline::shipX - Swarmline::SHIP_HALF_W && x <= Swarmline::shipX + Swarmline::SHIP_HALF_W;
    if ((overShip && (nextRandom() & 3) == 0) || (nextRandom() & 15) == 0) fire();
}

void AlienShip::fire() {
    DintArray2dPtr shots = Swarmline::alienShots;
    for (int i = 0; i < shots->length; ++i) {
        if (shots[i][0] != Swarmline::FREE) continue;
        Sound::play(Swarmline::alienShotSound, 1);
        shotsLeft -= 1;
        shots[i][0] = x;
        shots[i][1] = y;
        Swarmline::alienShotTimer = Swarmline::ALIEN_FIRE_DELAY;
        return;
    }
}

// A swoop before its pull-up goes on below the bottom line.
void AlienShip::leaveBottom() {
    if (y < Swarmline::alienBottom || attackMode == swoopDown) return;
    x = homeX + Swarmline::swayOffset;
    state = RETURNING;
    y = -Swarmline::ALIEN_H;
    Sound::play(Swarmline::alienBackSound, 1);
    direction = 0;
}

void AlienShip::sinkHome() {
    x = homeX + Swarmline::swayOffset;
    if (y != homeY) {
        y += 1;
        return;
    }
    if (direction == 0) {
        state = IN_FORMATION;
        return;
    }
    direction = (direction + (side == 0 ? -1 : 1)) & 15;
}

void AlienShip::paint() {
    const int32_t left = x - Swarmline::ALIEN_HALF_W, top = y - Swarmline::ALIEN_HALF_H;
    switch (state) {
        case IN_FORMATION: flyAnimation->paint(left, top); break;
        case LOOPING:
        case ATTACKING:
        case RETURNING: images[direction]->drawAt(left, top); break;
        case EXPLODING:
            explosionAnimation->paint(x - Swarmline::EXPL_HALF_W, y - Swarmline::EXPL_HALF_H);
            if (explosionAnimation->finished) state = GONE;
            break;
        default: break;
    }
}

bool AlienShip::hitTest(int rx, int ry, int rw, int rh) {
    const int32_t left = x - Swarmline::ALIEN_HALF_W, top = y - Swarmline::ALIEN_HALF_H, m = Swarmline::HIT_MARGIN;
    if (top + Swarmline::ALIEN_H - m < ry || top + m > ry + rh || left + Swarmline::ALIEN_W - m < rx ||
        left + m > rx + rw)
        return false;
    Sound::play(Swarmline::alienBlowSound, 1);
    state = EXPLODING;
    explosionAnimation->reset();
    return true;
}
