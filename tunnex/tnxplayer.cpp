#include "tnxplayer.h"
#include "animation.h"
#include "gametables.h"
#include "keystate.h"
#include "sound.h"
#include "tnxlevel.h"
#include "tunnex.h"

AnimationPtr Player::walk[5];
AnimationPtr Player::bonus[5];
AnimationPtr Player::death;

namespace {

constexpr int walkDelay = 3, bonusDelay = 6, deathHold = 20, guardPaints = 10;

AnimationPtr animation(const dfc::lang::DStringArrayPtr& names, int delay) {
    AnimationPtr made = Animation::AnimationFromNames(names);
    made->delay = delay;
    made->reset();
    return made;
}

int lastFrame(const AnimationPtr& animation) { return animation->frames ? animation->frames->length - 1 : 0; }

}  // namespace

void Player::init() {
    respawn();
    walk[Tunnex::right] = animation(GameTables::tunnexPlayerFrames, walkDelay);
    walk[Tunnex::left] = animation(GameTables::tunnexPlayerMirrorFrames, walkDelay);
    walk[Tunnex::up] = animation(GameTables::tunnexPlayerUpFrames, walkDelay);
    walk[Tunnex::down] = animation(GameTables::tunnexPlayerDownFrames, walkDelay);
    bonus[Tunnex::right] = bonus[Tunnex::left] = animation(GameTables::tunnexBonusFrames, bonusDelay);
    bonus[Tunnex::up] = animation(GameTables::tunnexBonusUpFrames, bonusDelay);
    bonus[Tunnex::down] = animation(GameTables::tunnexBonusDownFrames, bonusDelay);
    death = animation(GameTables::tunnexPlayerDieFrames, walkDelay);
}

void Player::release() {
    for (int d = 0; d < 5; ++d) walk[d] = bonus[d] = nullptr;
    death = nullptr;
}

void Player::respawn() {
    const int size = Tunnex::cellSize;
    column = startColumn;
    row = startRow;
    x = column * size;
    y = row * size;
    dx = dy = 0;
    direction = Tunnex::right;
    spawnGuard = guardPaints;
    dead = false;
}

void Player::newGame() {
    lives = startLives;
    score = 0;
    lastLifeScore = 0;
    respawn();
}

void Player::add(int points) {
    score += points;
    checkExtraLife();
}

void Player::checkExtraLife() {
    if (score - lastLifeScore > lifeEvery) {
        ++lives;
        lastLifeScore = score / lifeEvery * lifeEvery;
    }
    if (lives > maxLives) lives = maxLives;
}

void Player::die() {
    if (spawnGuard != 0) return;
    if (!dead) {
        --lives;
        death->reset();
        if (Level::bonusMode) Level::bonusTimer = 1;
        Sound::play(Tunnex::deadSound, 1);
    }
    dead = true;
    Tunnex::fullRepaint = true;
}

// A move across the current line of motion first finishes the cell being crossed.
void Player::move(int d) {
    if (dead) return;
    const bool vertical = d == Tunnex::up || d == Tunnex::down;
    const bool goingVertically = direction == Tunnex::up || direction == Tunnex::down;
    if (dx == 0 && vertical) {
        moveVertically(d);
    } else if (dy == 0 && !vertical) {
        moveHorizontally(d);
    } else if (dy != 0 && goingVertically) {
        moveVertically(direction);
    } else if (dx != 0 && !goingVertically) {
        moveHorizontally(direction);
    }
}

void Player::moveVertically(int d) {
    const int blocked = Level::checkBags(x, y, d, Level::playerId);
    if (d == Tunnex::up && (blocked == Tunnex::up || (row == 0 && dy == 0))) return;
    if (d == Tunnex::down && (blocked == Tunnex::down || row == Tunnex::rows - 1)) return;
    Level::dig(column, row, dx, dy, x, y, d);
    direction = d;
}

void Player::moveHorizontally(int d) {
    const int blocked = Level::checkBags(x, y, d, Level::playerId);
    if (blocked == d) return;
    if (d == Tunnex::left && column == 0 && dx == 0) return;
    if (d == Tunnex::right && column == Tunnex::columns - 1) return;
    Level::dig(column, row, dx, dy, x, y, d);
    direction = d;
}

void Player::paint() {
    if (spawnGuard > 0) --spawnGuard;
    Level::markSprite(x, y);
    if (dead) {
        paintDeath();
    } else {
        paintAlive();
    }
}

void Player::paintDeath() {
    const int atX = x + Tunnex::fieldX, atY = y + Tunnex::fieldY;
    if (death->playing) {
        death->paint(atX, atY);
        if (death->current == lastFrame(death)) {
            deathPause = deathHold;
            death->playing = false;
        }
        return;
    }
    if (deathPause > 0) {
        death->paint(atX, atY);
        --deathPause;
        return;
    }
    if (lives >= 0) {
        dead = false;
        Level::restartAfterDeath();
        respawn();
        return;
    }
    Tunnex::setState(Tunnex::gameOver);
    KeyState::fire = false;
}

void Player::paintAlive() {
    if (Level::levelStartSound) {
        Level::levelStartSound = false;
        Sound::play(Tunnex::bornSound, 1);
    }
    const int atX = x + Tunnex::fieldX, atY = y + Tunnex::fieldY;
    walk[direction]->paint(atX, atY);
    if (Level::bonusMode) bonus[direction]->paint(atX, atY);
}
