#include "firebolt.h"
#include <algorithm>
#include "animation.h"
#include "dstringarray.h"
#include "gametables.h"
#include "sound.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"
#include "tunnex.h"

using dfc::lang::DStringArray;
using dfc::lang::DStringPtr;

void Firebolt::reset() {
    x = y = 0;
    direction = 0;
    flying = false;
    reload = 0;
    // The flight shows the first two bullet pictures in turn.
    dfc::lang::DStringArrayPtr names = new DStringArray(2);
    for (int i = 0; i < 2; ++i) names[i] = DStringPtr(GameTables::tunnexBulletFrames[i]);
    flight = Animation::AnimationFromNames(names);
    flight->delay = 2;
    flight->reset();
}

void Firebolt::release() { flight = nullptr; }

// A bolt fired out of the field from its edge stops at once.
void Firebolt::fire(int fromX, int fromY, int d) {
    if (reload != 0 || flying) return;
    const int size = Tunnex::cellSize;
    flying = true;
    Sound::play(Tunnex::shootSound, 1);
    direction = d;
    x = fromX + (d == Tunnex::right ? size : 0);
    y = fromY + (d == Tunnex::down ? size : 0);
    row = y / size;
    column = x / size;
    dx = x % size;
    dy = y % size;
    if (column >= Tunnex::columns || row >= Tunnex::rows) stop();
}

void Firebolt::update() {
    if (reload > 0) {
        --reload;
        return;
    }
    if (!flying) return;
    Level::markDirty(column, row);
    if (fly()) hitMonsters();
}

bool Firebolt::fly() {
    const int size = Tunnex::cellSize, s = Tunnex::step;
    switch (direction) {
        case Tunnex::left:
            x -= s;
            dx -= s;
            Level::markDirty(column + 1, row);
            if (dx >= 0) return true;
            --column;
            dx = size - s;
            if (column >= 0 && Level::openRight(column, row)) return true;
            Level::markDirty(std::max(column, 0), row);
            break;
        case Tunnex::right:
            x += s;
            dx += s;
            Level::markDirty(column + 1, row);
            if (dx <= size) return true;
            ++column;
            dx = s;
            if (column + 1 < Tunnex::columns && Level::openLeft(column + 1, row)) return true;
            Level::markDirty(std::min(column + 1, Tunnex::columns - 1), row);
            break;
        case Tunnex::up:
            y -= s;
            dy -= s;
            Level::markDirty(column, row + 1);
            if (dy >= 0) return true;
            --row;
            dy = size - s;
            if (row >= 0 && Level::openDown(column, row)) return true;
            Level::markDirty(column, std::max(row, 0));
            break;
        case Tunnex::down:
            y += s;
            dy += s;
            Level::markDirty(column, row + 1);
            if (dy <= size) return true;
            ++row;
            dy = s;
            if (row + 1 < Tunnex::rows && Level::openUp(column, row + 1)) return true;
            Level::markDirty(column, std::min(row + 1, Tunnex::rows - 1));
            break;
        default: break;
    }
    stop();
    return false;
}

// Monsters still waiting at the entrance or already dying are not hit.
void Firebolt::hitMonsters() {
    for (int i = 0; i < Level::monsterLimit; ++i) {
        const MonsterPtr& monster = Tunnex::monsters[i];
        if (!monster->active || monster->dying || !Tunnex::touchesActor(x, y, monster->x, monster->y)) continue;
        Level::markSprite(x, y);
        x = monster->x;
        y = monster->y;
        monster->kill();
        stop();
        Tunnex::player->scoreFirebolt();
        return;
    }
}

void Firebolt::paint() {
    if (!flying) return;
    flight->paint(x + Tunnex::fieldX, y + Tunnex::fieldY);
    Level::markSprite(x, y);
}

void Firebolt::stop() {
    reload = Tunnex::speed() * 15 + 5;
    flying = false;
    Level::markSprite(x, y);
}
