#include "spookybase.h"
#include <cstdlib>
#include "dotvorgame.h"
#include "gamelib.h"
#include "sound.h"
#include "ticks.h"

using G = DotvorGame;

SpookyBase::SpookyBase(int32_t kind, int32_t startDelay) : kind(kind), startDelay(startDelay) {
    setPosition(80, 80);
    direction->set(0, -1);
    moving = true;
    GameLib::sharedRandom->setSeed(GetTickCount());
}

vector_3dPtr SpookyBase::home() const { return kind == 0 || kind == 3 ? G::ghostStartA : G::ghostStartB; }

void SpookyBase::paint(int dx, int dy) { G::drawAt(image, position->x + dx, position->y + dy); }

void SpookyBase::update() {
    if (G::frightenSteps == 0) frightened = false;
    if (startDelay > 0) {
        startDelay -= 1;
        updateImage();
        return;
    }
    chooseSpeed();
    nextMove->set(direction->x, direction->y);
    // A ghost goes on until it has left the cell of its last decision; a new one walks
    // straight up out of its house until a wall stops it.
    if (hasLeftDecisionCell() || !moving || nextMove->isZero()) decide();
    move(nextMove);
    setDirection(nextMove);
    updateImage();
}

void SpookyBase::chooseSpeed() {
    if (frightened) {
        speed = G::ghostSpeedFrightened;
    } else if (eyes) {
        speed = G::ghostSpeedEyes;
        if (eyesSoundCounter == 15) {
            Sound::play(G::ghostHomeSound, 1);
            eyesSoundCounter = 0;
        } else {
            eyesSoundCounter += 1;
        }
    } else {
        speed = G::gameMode == G::ghostHunt ? G::ghostSpeedKill : G::ghostSpeedNormal;
    }
}

bool SpookyBase::hasLeftDecisionCell() const {
    if (!hasDecided()) return false;
    const int32_t dx = lastCell->x * G::cellWidth - position->x, dy = lastCell->y * G::cellHeight - position->y;
    return std::abs(dx) >= G::cellWidth || std::abs(dy) >= G::cellHeight;
}

// The ghost comes out one cell beyond the far end of the tunnel; a tunnel without a far end
// is a dead end.
void SpookyBase::takeTunnel() {
    pointPtr far = G::map->farTunnel(cell->x, cell->y, direction->x, direction->y);
    if (!far) return;
    cell->set(far->x + direction->x, far->y + direction->y);
    setPosition(cell->x * G::cellWidth, cell->y * G::cellHeight);
}

void SpookyBase::decide() {
    cell->set(cellX(), cellY());
    if (hasDecided() && !lastCell->is(cell->x, cell->y)) {
        CellBasePtr here = G::map->getCell(cell);
        if (here && here->content == CellBase::tunnel) takeTunnel();
    }
    CellBasePtr previous = hasDecided() ? G::map->cellAt(lastCell) : CellBasePtr();
    bool open[4], back[4], allowed[4], wish[4] = {true, true, true, true};
    int32_t exits = 0;
    for (int i = 0; i < 4; ++i) {
        CellBasePtr neighbour = G::map->getCell(cell->x + ways[i][0], cell->y + ways[i][1]);
        open[i] = neighbour && neighbour->isOpen() && (eyes || neighbour->content != CellBase::door);
        back[i] = neighbour && neighbour.get() == previous.get();
        if (open[i]) exits += 1;
    }
    for (int i = 0; i < 4; ++i) allowed[i] = open[i] && (!back[i] || exits < 2);
    aim(wish, open, back, allowed);
    choose(wish, allowed);
    lastCell->set(cell->x, cell->y);
    vector_3dPtr homePoint = home();
    if (eyes && homePoint && lastCell->is(G::cellX(homePoint->x), G::cellY(homePoint->y))) {
        eyes = false;
        nextMove->set(0, -1);
    }
}

void SpookyBase::aim(bool wish[4], const bool open[4], const bool back[4], const bool allowed[4]) {
    const vector_3dPtr& target = G::player ? G::player->position : position;
    if (frightened) {
        offset->set(position->x - target->x, position->y - target->y);
        if (-G::cellHeight <= offset->y && offset->y <= G::cellWidth) {
            offset->y = 0;
        } else {
            offset->x = 0;
        }
    } else if (eyes) {
        vector_3dPtr homePoint = home();
        if (homePoint) offset->set(homePoint->x - position->x, homePoint->y - position->y);
        auto possible = [&](int i) { return open[i] && !back[i]; };
        const bool sidewaysBlocked = (offset->x < 0 && !possible(0)) || (offset->x > 0 && !possible(1));
        const bool verticalBlocked = (offset->y < 0 && !possible(2)) || (offset->y > 0 && !possible(3));
        if (sidewaysBlocked && verticalBlocked) offset->x = offset->x < 0 ? 1 : offset->x > 0 ? -1 : 0;
        const bool homeward = (offset->y < 0 && allowed[2]) || (offset->y > 0 && allowed[3]);
        if (homeward && offset->x == 0) wish[0] = wish[1] = false;
    } else {
        offset->set(target->x - position->x, target->y - position->y);
        if (offset->y > G::cellWidth || offset->y < -G::cellHeight) offset->x = 0;
        if (-2 < offset->y && offset->y < 2) wish[2] = wish[3] = false;
    }
}

// First a way that suits the target, drawn at random; failing that any allowed way.
void SpookyBase::choose(bool wish[4], const bool allowed[4]) {
    nextMove->set(0, 0);
    auto suits = [&](int i) {
        switch (i) {
            case 0: return offset->x <= 0;
            case 1: return offset->x >= 0;
            case 2: return offset->y <= 0;
            default: return offset->y >= 0;
        }
    };
    while (nextMove->isZero() && (wish[0] || wish[1] || wish[2] || wish[3])) {
        const int r = GameLib::sharedRandom->nextAbsMod(4);
        if (wish[r] && allowed[r] && suits(r)) nextMove->set(ways[r][0], ways[r][1]);
        wish[r] = false;
    }
    bool fresh[4] = {true, true, true, true};
    while (nextMove->isZero() && (fresh[0] || fresh[1] || fresh[2] || fresh[3])) {
        const int r = GameLib::sharedRandom->nextAbsMod(4);
        if (fresh[r] && allowed[r]) nextMove->set(ways[r][0], ways[r][1]);
        fresh[r] = false;
    }
}

void SpookyBase::move(const vector_3dPtr& want) { walk(want, speed, false, slide); }

void SpookyBase::updateImage() {
    int32_t block = frightened ? 16 : kind * 4;
    if (0 < G::frightenSteps && G::frightenSteps < blinkSteps && G::frightenSteps % 6 < 3) block = 0;
    int32_t index;
    if (eyes) {
        index = direction->x > 0 ? 22 : direction->x < 0 ? 23 : direction->y < 0 ? 21 : 20;
    } else {
        index = block + (direction->x > 0 ? 3 : direction->x < 0 ? 2 : direction->y < 0 ? 1 : 0);
    }
    if (G::ghostImages) image = G::ghostImages[index];
}
