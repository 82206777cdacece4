#include "dotvorbase.h"
#include <algorithm>
#include <cstdlib>
#include "dotvorgame.h"
#include "sound.h"

using G = DotvorGame;

namespace {

constexpr int32_t fruitModePoints[] = {0, 200, 400, 800, 200, 400, 800, 200};
constexpr int32_t otherModePoints[] = {0, 400, 800, 1000, 2000, 3000, 4000, 5000};
constexpr int32_t popUpPoints[] = {200, 400, 800, 1000, 1600, 2000, 3000, 4000, 5000};
// Steering actions.
constexpr int32_t left = 0, right = 1, up = 2, down = 3, fire = 4;

}  // namespace

DotvorBase::DotvorBase() {
    if (G::playerImages) image = G::playerImages[0];
    setPosition(10 * G::cellWidth, 10 * G::cellHeight);
    direction->set(-1, 0);
}

int32_t DotvorBase::fruitPoints(int32_t kind, int32_t mode) {
    if (kind < 1 || kind > G::fruitKinds) return 0;
    return mode == G::fruitHunt ? fruitModePoints[kind] : otherModePoints[kind];
}

int32_t DotvorBase::popUpSlot(int32_t points) {
    for (int32_t slot = 0; slot < G::spriteSlots; ++slot)
        if (popUpPoints[slot] == points) return slot;
    return -1;
}

void DotvorBase::paint(int dx, int dy) {
    const int x = position->x + dx + G::cellWidth / 2, y = position->y + dy + G::cellHeight / 2;
    G::drawCentred(image, x, y);
    G::drawCentred(powerImage, x, y);
}

void DotvorBase::update() {
    if (dyingCountdown > 0) {
        die();
        return;
    }
    if (G::frightenSteps != 0) G::frightenSteps -= 1;
    meetFruit();
    if (!meetGhosts()) return;
    cell->set(cellX(), cellY());
    if (hasDecided() && !lastCell->is(cell->x, cell->y)) enterCell();
    nextMove->set(direction->x, direction->y);
    lastCell->set(cell->x, cell->y);
    steer();
    move(nextMove);
    setDirection(nextMove);
    showPower();
}

// The death plays frame by frame; at its end a life goes and, with lives left, the level
// starts again on the same maze.
void DotvorBase::die() {
    if (GameImagePtr shown = G::frame(G::deathFrames, G::frameCount(G::deathFrames) - dyingCountdown)) image = shown;
    dyingCountdown -= 1;
    if (dyingCountdown > 0) return;
    G::lives -= 1;
    if (G::lives >= 0) G::game->startLevel();
}

void DotvorBase::meetFruit() {
    if (!G::fruit || !collides(G::fruit->position)) return;
    const int32_t points = fruitPoints(G::fruit->kind, G::gameMode);
    G::fruitsEaten += 1;
    addScore(points);
    G::fruit = nullptr;
    G::fruitDelay = (G::gameMode == G::fruitHunt ? 3 : 30) * G::stepsPerSecond;
    Sound::play(G::fruitSound, 1);
}

bool DotvorBase::meetGhosts() {
    for (const SpookyBasePtr& ghost : G::ghosts) {
        if (!ghost || ghost->eyes || !collides(ghost->position)) continue;
        if (ghost->frightened && G::gameMode == G::ghostHunt) G::ghostsEaten += 1;
        if (!ghost->frightened && !G::ghostTouchEats) {
            Sound::play(G::dieSound, 1);
            // Even without death frames the death takes a step: the life must go.
            dyingCountdown = std::max(1, G::frameCount(G::deathFrames));
            return false;
        }
        ghost->eyes = true;
        ghost->frightened = false;
        addScore(ghostScore);
        ghostScore = std::min(ghostScore * 2, G::highestGhostScore);
        Sound::play(G::ghostSound, 1);
    }
    return true;
}

void DotvorBase::enterCell() {
    CellBasePtr entered = G::map->getCell(cell);
    if (!entered) return;
    switch (entered->content) {
        case CellBase::tunnel: takeTunnel(); break;
        case CellBase::dot: eatDot(); break;
        case CellBase::energiser: eatEnergiser(); break;
        default: break;
    }
}

// The player comes out half a cell short of the cell beyond the far tunnel end; a tunnel
// without a far end is a dead end.
void DotvorBase::takeTunnel() {
    pointPtr far = G::map->farTunnel(cell->x, cell->y, direction->x, direction->y);
    if (!far) return;
    cell->set(far->x + direction->x, far->y + direction->y);
    setPosition(cell->x * G::cellWidth - (G::cellWidth / 2) * direction->x,
                cell->y * G::cellHeight - (G::cellHeight / 2) * direction->y);
}

void DotvorBase::eatDot() {
    addScore(15);
    G::map->getCell(cell)->content = CellBase::empty;
    G::map->clearCell(cell->x, cell->y);
    G::map->dotsLeft -= 1;
    Sound::play(G::dotSound, 1);
}

void DotvorBase::eatEnergiser() {
    addScore(100);
    G::map->getCell(cell)->content = CellBase::empty;
    G::map->clearCell(cell->x, cell->y);
    G::map->dotsLeft -= 1;
    G::frightenSteps = std::max(1, G::stepsPerSecond * (20 - G::level()));
    powerCountdown = G::frameCount(G::changeFrames);
    ghostScore = firstGhostScore;
    for (const SpookyBasePtr& ghost : G::ghosts)
        if (ghost && !ghost->eyes) ghost->frightened = true;
    Sound::play(G::energiserSound, 1);
}

// A turn is taken only towards an open neighbour; the slide lines the player up with it.
void DotvorBase::steer() {
    auto walkable = [](int32_t x, int32_t y) {
        CellBasePtr neighbour = G::map->getCell(x, y);
        return neighbour && neighbour->isWalkable();
    };
    switch (G::readDirection()) {
        case left:
            if (walkable(cell->x - 1, cell->y)) nextMove->set(-1, 0);
            break;
        case right:
            if (walkable(cell->x + 1, cell->y)) nextMove->set(1, 0);
            break;
        case up:
            if (walkable(cell->x, cell->y - 1)) nextMove->set(0, -1);
            break;
        case down:
        case fire:
            if (walkable(cell->x, cell->y + 1)) nextMove->set(0, 1);
            break;
        default: break;
    }
}

void DotvorBase::showPower() {
    if (powerCountdown <= 0) return;
    if (powerCountdown > 2) image = nullptr;
    powerImage = G::frame(G::changeFrames, G::frameCount(G::changeFrames) - powerCountdown);
    powerCountdown -= 1;
    if (powerCountdown == 0) powerImage = nullptr;
}

void DotvorBase::move(const vector_3dPtr& want) { walk(want, G::playerSpeed, true, slide); }

void DotvorBase::setDirection(const vector_3dPtr& d) {
    if (!d->is(direction->x, direction->y)) animCounter = 0;
    direction->set(d->x, d->y);
    animCounter %= 12;
    const int32_t block = d->x == 1 ? 0 : d->x == -1 ? 4 : d->y == 1 ? 12 : d->y == -1 ? 8 : 0;
    const int32_t step = animCounter < 3 ? 2 : animCounter < 6 ? 1 : animCounter < 9 ? 0 : 3;
    const GameImageArrayPtr& pictures = G::frightenSteps > 0 ? G::poweredImages : G::playerImages;
    if (pictures) image = pictures[block + step];
    if (moving) animCounter += 2;
}

void DotvorBase::addScore(int32_t points) {
    if (G::score / lifeEvery != (G::score + points) / lifeEvery) {
        Sound::play(G::lifeSound, 1);
        G::lives += 1;
    }
    G::score += points;
    const int32_t slot = popUpSlot(points);
    if (slot >= 0) G::sprites[slot] = new SpriteBase(slot, position);
}

bool DotvorBase::collides(const vector_3dPtr& at) {
    return std::abs(position->x - at->x) < G::cellWidth / 2 && std::abs(position->y - at->y) < G::cellHeight / 2;
}
