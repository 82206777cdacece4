#include "runner.h"
#include "goldrift.h"
#include "sound.h"

void Runner::reset() {
    offsetX = offsetY = 0;
    dirY = 0;
    dirX = GameLib::sharedRandom->nextInt() <= 0 ? -1 : 0;
    state = appearing;
    cellEntered = true;
    frame = 0;
    timer = Goldrift::appearTime;
    isEnemy = true;
    lastDistance = -1;
}

void Runner::moveHorizontal(int dx) {
    const int oldX = col * Goldrift::tileWidth + offsetX, oldY = row * Goldrift::tileHeight + offsetY;
    dirX = dx;
    offsetX += dx * (isEnemy ? enemySpeed : heroSpeed);
    if ((dx < 0 && offsetX < 0 && !Goldrift::isFree(col - 1, row, false)) ||
        (dx > 0 && offsetX > 0 && !Goldrift::isFree(col + 1, row, false))) {
        offsetX = 0;
        if (state != climbing) stopHere();
    } else {
        crossColumns();
    }
    frame += 1;
    if (state != climbing) offsetY = 0;
    if (!isEnemy) heroMoved(oldX, oldY, false);
}

void Runner::moveVertical(int dy, bool falling) {
    const int oldX = col * Goldrift::tileWidth + offsetX, oldY = row * Goldrift::tileHeight + offsetY;
    dirY = dy;
    offsetY += falling ? fallSpeed : climbSpeed * dy;
    const int way = falling ? 1 : dy;
    if ((way < 0 && offsetY < 0 && !Goldrift::isFree(col, row - 1, falling)) ||
        (way > 0 && offsetY > 0 && !Goldrift::isFree(col, row + 1, falling))) {
        offsetY = 0;
        stopHere();
    } else {
        crossRows();
    }
    offsetX = 0;
    // Off the top of a ladder: standing on the floor above it.
    if (state == climbing && Goldrift::cellAt(cell) != u'H' && dy < 0 && offsetY < 0) {
        offsetY = 0;
        stopHere();
    }
    frame += 1;
    if (!isEnemy) heroMoved(oldX, oldY, true);
}

void Runner::stopHere() {
    timer = 0;
    state = standing;
    cellEntered = true;
}

void Runner::crossColumns() {
    const int half = Goldrift::tileWidth / 2;
    while (offsetX > half) {
        offsetX -= Goldrift::tileWidth;
        col += 1;
        cell += 1;
        cellEntered = true;
    }
    while (offsetX < -half) {
        offsetX += Goldrift::tileWidth;
        col -= 1;
        cell -= 1;
        cellEntered = true;
    }
}

void Runner::crossRows() {
    const int half = Goldrift::tileHeight / 2;
    while (offsetY > half) {
        offsetY -= Goldrift::tileHeight;
        row += 1;
        cell += Goldrift::gridWidth;
        cellEntered = true;
    }
    while (offsetY < -half) {
        offsetY += Goldrift::tileHeight;
        row -= 1;
        cell -= Goldrift::gridWidth;
        cellEntered = true;
    }
}

void Runner::heroMoved(int oldX, int oldY, bool vertical) {
    if (col * Goldrift::tileWidth + offsetX == oldX && row * Goldrift::tileHeight + offsetY == oldY) return;
    if (!vertical && state == walking) Sound::play(Goldrift::walkSound, 1);
    if (!vertical && state == hanging) Sound::play(Goldrift::handrailSound, 1);
    if (vertical && state == falling) Sound::play(Goldrift::fallSound, 1);
    if (vertical && state == climbing) Sound::play(Goldrift::ladderSound, 1);
    Goldrift::followHero();
}
