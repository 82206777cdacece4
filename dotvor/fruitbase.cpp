#include "fruitbase.h"
#include <cstdlib>
#include "dotvorgame.h"
#include "gamelib.h"
#include "sound.h"

using G = DotvorGame;

namespace {

constexpr int32_t ways[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};

}  // namespace

FruitBase::FruitBase() : speed(G::fruitSpeed / 10) {
    setPosition(10 * G::cellWidth, 10 * G::cellHeight);
}

void FruitBase::paint(int dx, int dy) {
    if (kind == 0) return;
    G::drawCentred(image, position->x + dx + G::cellWidth / 2, position->y + dy + G::cellHeight / 2);
}

void FruitBase::update() {
    age += 1;
    if (walkSoundCounter == 10) {
        Sound::play(G::fruitMoveSound, 1);
        walkSoundCounter = 0;
    } else {
        walkSoundCounter += 1;
    }
    if (hasLeftDecisionCell() || !moving || direction->isZero()) decide();
    move(direction);
    setDirection(direction);
}

// One pixel earlier than the ghosts.
bool FruitBase::hasLeftDecisionCell() const {
    if (!hasDecided()) return false;
    const int32_t dx = lastCell->x * G::cellWidth - position->x, dy = lastCell->y * G::cellHeight - position->y;
    return std::abs(dx) >= G::cellWidth - 1 || std::abs(dy) >= G::cellHeight - 1;
}

void FruitBase::decide() {
    int32_t x = cellX(), y = cellY();
    if (hasDecided() && !lastCell->is(x, y)) {
        CellBasePtr here = G::map->getCell(x, y);
        pointPtr far = here && here->content == CellBase::tunnel ? G::map->farTunnel(x, y, direction->x, direction->y)
                                                                 : pointPtr();
        if (far) {
            x = far->x;
            y = far->y;
            setPosition(x * G::cellWidth, y * G::cellHeight);
        }
    }
    CellBasePtr previous = hasDecided() ? G::map->cellAt(lastCell) : CellBasePtr();
    bool open[4], allowed[4], left[4] = {true, true, true, true};
    int32_t exits = 0;
    for (int i = 0; i < 4; ++i) {
        CellBasePtr neighbour = G::map->getCell(x + ways[i][0], y + ways[i][1]);
        open[i] = neighbour && neighbour->isWalkable();
        if (open[i]) exits += 1;
    }
    for (int i = 0; i < 4; ++i) {
        CellBasePtr neighbour = G::map->getCell(x + ways[i][0], y + ways[i][1]);
        allowed[i] = open[i] && (neighbour.get() != previous.get() || exits < 2);
    }
    direction->set(0, 0);
    while (direction->isZero() && (left[0] || left[1] || left[2] || left[3])) {
        const int r = GameLib::sharedRandom->nextAbsMod(4);
        if (allowed[r]) direction->set(ways[r][0], ways[r][1]);
        left[r] = false;
    }
    lastCell->set(x, y);
}

void FruitBase::move(const vector_3dPtr& want) { walk(want, speed, true, 1); }

void FruitBase::setDirection(const vector_3dPtr& d) {
    direction->set(d->x, d->y);
    const AnimationPtr& frames = kind >= 1 && kind <= G::fruitKinds ? G::fruitFrames[kind] : AnimationPtr();
    if (const int32_t count = G::frameCount(frames)) image = G::frame(frames, (age / 2) % count);
}
