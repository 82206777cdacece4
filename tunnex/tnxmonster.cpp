#include "tnxmonster.h"
#include <utility>
#include "animation.h"
#include "gametables.h"
#include "tnxlevel.h"
#include "tnxplayer.h"
#include "tunnex.h"

namespace {

constexpr int normalTime = 450, eaterTime = 225, enterDelay = 15, stuckLimit = 4;

AnimationPtr animation(const dfc::lang::DStringArrayPtr& names) { return Animation::AnimationFromNames(names); }

int lastFrame(const AnimationPtr& animation) { return animation->frames ? animation->frames->length - 1 : 0; }

bool vertical(int d) { return d == Tunnex::up || d == Tunnex::down; }

}  // namespace

Monster::Monster(int number) : number(number) {
    upDown = animation(GameTables::tunnexEnemyUpFrames);
    sideLeft = animation(GameTables::tunnexEnemySideFrames);
    sideRight = animation(GameTables::tunnexEnemySideMirrorFrames);
    eatLeft = animation(GameTables::tunnexEnemyEatMirrorFrames);
    eatRight = animation(GameTables::tunnexEnemyEatFrames);
    death = animation(GameTables::tunnexEnemyDieFrames);
    eatDeathLeft = animation(GameTables::tunnexEnemyEatDeathMirrorFrames);
    eatDeathRight = animation(GameTables::tunnexEnemyEatDeathFrames);
    reset();
}

void Monster::reset() {
    column = Tunnex::columns - 1;
    row = 0;
    x = column * Tunnex::cellSize;
    y = 0;
    dx = dy = 0;
    active = eater = dying = false;
    spawnCounter = 1;
    stuckCount = 0;
    kindTimer = normalTime;
    for (const AnimationPtr& each :
         {upDown, sideLeft, sideRight, eatLeft, eatRight, death, eatDeathLeft, eatDeathRight})
        each->reset();
    currentLeft = sideLeft;
    currentRight = sideRight;
}

int Monster::opposite(int d) {
    switch (d) {
        case Tunnex::right: return Tunnex::left;
        case Tunnex::left: return Tunnex::right;
        case Tunnex::up: return Tunnex::down;
        case Tunnex::down: return Tunnex::up;
        default: return Tunnex::none;
    }
}

int Monster::towardPlayer(bool vertically) {
    const PlayerPtr& player = Tunnex::player;
    if (vertically) return player->row < row ? Tunnex::up : Tunnex::down;
    return player->column < column ? Tunnex::left : Tunnex::right;
}

bool Monster::canMove(int d) {
    switch (d) {
        case Tunnex::left: return column >= 1 && Level::openRight(column - 1, row);
        case Tunnex::right: return column < Tunnex::columns - 1 && Level::openLeft(column + 1, row);
        case Tunnex::up: return row >= 1 && Level::openDown(column, row - 1);
        case Tunnex::down: return row < Tunnex::rows - 1 && Level::openUp(column, row + 1);
        default: return false;
    }
}

void Monster::kill() {
    dying = true;
    death->reset();
    eatDeathLeft->reset();
    eatDeathRight->reset();
    active = false;
}

// ---- Painting ----

void Monster::paint() {
    if (--kindTimer <= 0) toggleKind();
    if (dying) {
        paintDeath();
        return;
    }
    if (!active) {
        if (!Level::bonusMode && spawnCounter == 0 && number <= Level::monsterLimit) {
            enter();
        } else if (spawnCounter > 0) {
            --spawnCounter;
        }
        return;
    }
    draw();
    Level::markSprite(x, y);
}

void Monster::toggleKind() {
    eater = !eater;
    if (eater) {
        kindTimer = eaterTime + Tunnex::random(Tunnex::speed() * 10);
        currentLeft = eatLeft;
        currentRight = eatRight;
    } else {
        kindTimer = normalTime - Tunnex::random(Tunnex::speed() * 30);
        currentLeft = sideLeft;
        currentRight = sideRight;
    }
}

void Monster::enter() {
    column = Tunnex::columns - 1;
    row = 0;
    x = column * Tunnex::cellSize;
    y = 0;
    dx = dy = 0;
    direction = Tunnex::left;
    startDelay = enterDelay;
    active = true;
}

void Monster::paintDeath() {
    Level::markSprite(x, y);
    const AnimationPtr shown = deathAnimation();
    shown->paint(x + Tunnex::fieldX, y + Tunnex::fieldY);
    if (shown->current == lastFrame(shown)) reset();
}

AnimationPtr Monster::deathAnimation() const {
    if (!eater) return death;
    return facing == Tunnex::left ? eatDeathLeft : eatDeathRight;
}

void Monster::draw() {
    AnimationPtr shown;
    if (direction == Tunnex::left) {
        shown = currentLeft;
    } else if (direction == Tunnex::right) {
        shown = currentRight;
    } else if (!eater) {
        shown = upDown;
    } else {
        shown = facing == Tunnex::left ? currentLeft : currentRight;
    }
    shown->paint(x + Tunnex::fieldX, y + Tunnex::fieldY);
}

// ---- Moving ----

void Monster::update(int followUp) {
    if (!active) return;
    if (startDelay > 0) {
        --startDelay;
        return;
    }
    if (dying) return;
    const int blocked = Level::checkBags(x, y, direction, number);
    if (!active) return;  // a falling bag got it
    if (dx == 0 && dy == 0 && followUp == 0) {
        chooseDirection();
        update(1);
        separate();
        return;
    }
    if (eater) {
        if ((vertical(direction) && dx == 0) || (!vertical(direction) && dy == 0))
            Level::dig(column, row, dx, dy, x, y, direction);
        return;
    }
    stepNormal(blocked);
}

void Monster::stepNormal(int blocked) {
    const int size = Tunnex::cellSize, s = Tunnex::step;
    if (blocked == 0) stuckCount = 0;
    if (blocked == direction) {
        if (++stuckCount >= stuckLimit) {
            stuckCount = 0;
            direction = opposite(direction);
        }
        return;
    }
    switch (direction) {
        case Tunnex::left:
            dx -= s;
            if (dx < 0) {
                --column;
                dx = size - s;
            }
            x -= s;
            break;
        case Tunnex::right:
            dx += s;
            if (dx >= size) {
                dx = 0;
                ++column;
            }
            x += s;
            break;
        case Tunnex::up:
            dy -= s;
            if (dy < 0) {
                --row;
                dy = size - s;
            }
            y -= s;
            break;
        case Tunnex::down:
            dy += s;
            if (dy >= size) {
                dy = 0;
                ++row;
            }
            y += s;
            break;
        default: break;
    }
    if (Level::bagFallingInColumn(column) && direction == Tunnex::up && row != Tunnex::rows - 1 && dy == 0)
        direction = Tunnex::down;
    separate();
}

// ---- The chase ----

void Monster::chooseDirection() {
    const int old = direction;
    if (Tunnex::player->dead) {
        direction = Tunnex::none;
        return;
    }
    if (eater) {
        chooseAsEater();
    } else if (!chaseInLine()) {
        fillPreference();
        if (Tunnex::randomPercent() < 30) {
            std::swap(preference[0], preference[1]);
            std::swap(preference[2], preference[3]);
        }
        if (Level::bonusMode || Tunnex::randomPercent() < 10) {
            swapFirstLast();
            swapMiddle();
        }
        pickPreferred();
    }
    if (direction != Tunnex::none && direction == opposite(old)) startDelay = 1;
}

// The eater digs straight at the player, turning only where it would have to reverse.
void Monster::chooseAsEater() {
    if (direction == Tunnex::right || direction == Tunnex::left) facing = direction;
    int v = towardPlayer(true), h = towardPlayer(false);
    if ((h == Tunnex::left && column == 0) || (h == Tunnex::right && column == Tunnex::columns - 1)) h = opposite(h);
    if ((v == Tunnex::up && row == 0) || (v == Tunnex::down && row == Tunnex::rows - 1)) v = opposite(v);
    bool turned = false;
    if (direction == opposite(v)) {
        direction = h;
        turned = true;
    }
    if (direction == opposite(h)) {
        direction = v;
        turned = true;
    }
    if (turned) return;
    direction = Tunnex::randomPercent() < 50 ? v : h;
}

// True when the monster goes straight for the player in its row or column.
bool Monster::chaseInLine() {
    const PlayerPtr& player = Tunnex::player;
    const bool sameColumn = player->column == column;
    if (!sameColumn && player->row != row) return false;
    int want = towardPlayer(sameColumn);
    if (Level::bonusMode) want = opposite(want);
    facing = want;
    if (!canMove(want)) return false;
    const bool chased = direction != opposite(want);
    if (chased) direction = want;
    if (Tunnex::randomPercent() < (15 - Tunnex::speed()) * 2) return false;
    return chased;
}

void Monster::fillPreference() {
    const PlayerPtr& player = Tunnex::player;
    const bool above = player->row < row;
    auto set = [this](int a, int b, int c, int d) {
        preference[0] = a;
        preference[1] = b;
        preference[2] = c;
        preference[3] = d;
    };
    if (player->column < column) {
        above ? set(3, 2, 4, 1) : set(3, 4, 2, 1);
    } else if (player->column > column) {
        above ? set(1, 2, 4, 3) : set(1, 4, 2, 3);
    } else {
        const bool other = Tunnex::randomPercent() >= 50;
        if (above) {
            other ? set(2, 3, 1, 4) : set(2, 1, 3, 4);
        } else {
            other ? set(4, 3, 1, 2) : set(4, 1, 3, 2);
        }
    }
}

void Monster::swapFirstLast() { std::swap(preference[0], preference[3]); }

void Monster::swapMiddle() { std::swap(preference[1], preference[2]); }

void Monster::pickPreferred() {
    for (int i = 0; i < 4; ++i)
        if (canMove(preference[i]) && direction != opposite(preference[i])) {
            direction = preference[i];
            return;
        }
    for (int i = 0; i < 4; ++i)
        if (canMove(preference[i])) {
            direction = preference[i];
            return;
        }
    direction = Tunnex::none;
}

// Two monsters on top of each other going the same way part.
void Monster::separate() {
    const int size = Tunnex::cellSize;
    for (int i = number - 1; i < Level::monsterLimit; ++i) {
        const MonsterPtr& other = Tunnex::monsters[i];
        if (other.get() == this || !other->active || other->dying || other->direction != direction) continue;
        if (!Tunnex::touches(x, y, other->x, other->y, size, size, size, size)) continue;
        direction = opposite(direction);
        startDelay = 2;
    }
}
