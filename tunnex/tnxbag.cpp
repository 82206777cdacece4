#include "tnxbag.h"
#include "animation.h"
#include "gameimage.h"
#include "sound.h"
#include "tnxlevel.h"
#include "tnxplayer.h"
#include "tunnex.h"

namespace {

bool tunnelBelow(int column, int row) {
    return row < Tunnex::rows - 1 && (Level::cellAt(column, row + 1) & Level::crossing) != 0;
}

int lastFrame(const AnimationPtr& animation) { return animation->frames ? animation->frames->length - 1 : 0; }

}  // namespace

void Bag::reset() {
    wobbleTimer = wobbleTime;
    goldTimer = goldTime;
    wobbling = falling = breaking = gold = active = false;
    rowsFallen = 0;
    push = 0;
    moveDelay = 0;
}

void Bag::place(int atRow, int atColumn) {
    row = atRow;
    column = atColumn;
    x = Tunnex::cellSize * column;
    y = Tunnex::cellSize * row;
    dx = dy = 0;
    active = true;
}

void Bag::vanish() {
    Level::markSprite(x, y);
    active = false;
}

void Bag::update() {
    column = x / Tunnex::cellSize;
    if (moveDelay > 0) {
        --moveDelay;
        return;
    }
    if (breaking || gold) {
        Level::markDirty(column, row);
        return;
    }
    if (falling) {
        fall();
        return;
    }
    if (tunnelBelow(column, row) && dx == 0 && push == 0) {
        wobbling = true;
        return;
    }
    if (push == 0) return;
    moveDelay = 1;
    Level::markDirty(column, row);
    if (wobbling) {
        push = 0;
        return;
    }
    if (push == Tunnex::right) {
        pushRight();
    } else {
        pushLeft();
    }
}

void Bag::pushRight() {
    if (column == Tunnex::columns - 1 || (dx == 0 && Level::bagAt(column + 1, row))) {
        push = 0;
        return;
    }
    Level::markDirty(column + 1, row);
    x += Tunnex::step;
    dx += Tunnex::step;
    if (dx < Tunnex::cellSize) return;
    dx = 0;
    ++column;
    push = 0;
}

// The column follows x, so that the bag lands in the cell it was pushed into.
void Bag::pushLeft() {
    if (dx == 0 && (column == 0 || Level::bagAt(column - 1, row))) {
        push = 0;
        return;
    }
    Level::markDirty(column - 1, row);
    x -= Tunnex::step;
    dx -= Tunnex::step;
    if (dx < 0) dx = Tunnex::cellSize - Tunnex::step;
    if (dx != 0) return;
    column = x / Tunnex::cellSize;
    push = 0;
}

void Bag::fall() {
    const int size = Tunnex::cellSize;
    Level::markDirty(column, row);
    Level::markDirty(column, row + 1);
    if (row != Tunnex::rows - 1) {
        if (dy == 0) Level::carve(column, row - 1, 0, size, Tunnex::down);
        dy += Tunnex::step;
        y += Tunnex::step;
        Level::carve(column, row, 0, dy, Tunnex::down);
    }
    if (dy < size) return;
    dy = 0;
    ++rowsFallen;
    ++row;
    if (tunnelBelow(column, row)) return;
    land();
}

void Bag::land() {
    wobbling = falling = false;
    if (rowsFallen < 2) {
        rowsFallen = 0;
        wobbleTimer = wobbleTime;
    } else {
        breaking = true;
    }
}

void Bag::paint(bool showResting) {
    if (!resting() || dx != 0) Level::markSprite(x, y);
    const int atX = x + Tunnex::fieldX, atY = y + Tunnex::fieldY;
    if (breaking) {
        paintBreaking();
    } else if (gold) {
        paintGold();
    } else if (falling) {
        Tunnex::fallingSackImage->drawAt(atX, atY);
    } else if (wobbling) {
        paintWobbling();
    } else if (showResting) {
        Tunnex::sackImage->drawAt(atX, atY);
    }
}

void Bag::paintBreaking() {
    const AnimationPtr& breakUp = Tunnex::breakAnimation;
    if (goldTimer == goldTime) {
        Sound::play(Tunnex::breakBagSound, 1);
        breakUp->reset();
        gold = true;
    }
    --goldTimer;
    breakUp->paint(x + Tunnex::fieldX, y + Tunnex::fieldY);
    if (breakUp->current != lastFrame(breakUp)) return;
    breaking = false;
    breakUp->playing = false;
}

void Bag::paintGold() {
    Tunnex::goldImage->drawAt(x + Tunnex::fieldX, y + Tunnex::fieldY);
    if (--goldTimer <= 0) vanish();
}

// The player standing right below and facing up holds the bag.
void Bag::paintWobbling() {
    const PlayerPtr& player = Tunnex::player;
    const int atX = x + Tunnex::fieldX, atY = y + Tunnex::fieldY;
    if (!player->dead && player->column == column && player->row == row + 1 && player->direction == Tunnex::up) {
        Tunnex::sackImage->drawAt(atX, atY);
        return;
    }
    const AnimationPtr& wobble = Tunnex::wobbleAnimation;
    if (wobbleTimer == wobbleTime) wobble->reset();
    wobble->paint(atX, atY);
    if (--wobbleTimer > 0) return;
    Sound::play(Tunnex::dropBagSound, 1);
    wobbling = false;
    falling = true;
}
