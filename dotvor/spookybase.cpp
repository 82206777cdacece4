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
    const HomingRule::Exits exits = exitsHere();
    choose(aim(exits), exits);
    lastCell->set(cell->x, cell->y);
    vector_3dPtr homePoint = home();
    if (eyes && homePoint && lastCell->is(G::cellX(homePoint->x), G::cellY(homePoint->y))) {
        eyes = false;
        nextMove->set(0, -1);
    }
}

HomingRule::Exits SpookyBase::exitsHere() const {
    CellBasePtr previous = hasDecided() ? G::map->cellAt(lastCell) : CellBasePtr();
    HomingRule::Exits exits;
    for (int i = 0; i < 4; ++i) {
        CellBasePtr neighbour = G::map->getCell(cell->x + HomingRule::ways[i][0], cell->y + HomingRule::ways[i][1]);
        exits.open[i] = neighbour && neighbour->isOpen() && (eyes || neighbour->content != CellBase::door);
        exits.back[i] = neighbour && neighbour.get() == previous.get();
    }
    return exits;
}

HomingRule::Choice SpookyBase::aim(const HomingRule::Exits& exits) {
    if (eyes && !frightened) {
        vector_3dPtr homePoint = home();
        if (homePoint) offset->set(homePoint->x - position->x, homePoint->y - position->y);
        return HomingRule::choose(exits, offset->x, offset->y);
    }
    HomingRule::Choice choice = {{true, true, true, true}, {}};
    const vector_3dPtr& target = G::player ? G::player->position : position;
    if (frightened) {
        offset->set(position->x - target->x, position->y - target->y);
        if (-G::cellHeight <= offset->y && offset->y <= G::cellWidth) {
            offset->y = 0;
        } else {
            offset->x = 0;
        }
    } else {
        offset->set(target->x - position->x, target->y - position->y);
        if (offset->y > G::cellWidth || offset->y < -G::cellHeight) offset->x = 0;
        if (-2 < offset->y && offset->y < 2) choice.wish[2] = choice.wish[3] = false;
    }
    for (int way = 0; way < 4; ++way)
        choice.fits[way] = choice.wish[way] && exits.allowed(way) && HomingRule::suits(way, offset->x, offset->y);
    return choice;
}

// First a way that suits the target, drawn at random; failing that any allowed way.
void SpookyBase::choose(HomingRule::Choice choice, const HomingRule::Exits& exits) {
    nextMove->set(0, 0);
    auto draw = [&](bool flags[4], const bool takes[4]) {
        while (nextMove->isZero() && (flags[0] || flags[1] || flags[2] || flags[3])) {
            const int r = GameLib::sharedRandom->nextAbsMod(4);
            if (flags[r] && takes[r]) nextMove->set(HomingRule::ways[r][0], HomingRule::ways[r][1]);
            flags[r] = false;
        }
    };
    draw(choice.wish, choice.fits);
    bool fresh[4] = {true, true, true, true};
    const bool allowed[4] = {exits.allowed(0), exits.allowed(1), exits.allowed(2), exits.allowed(3)};
    draw(fresh, allowed);
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
