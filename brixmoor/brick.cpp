#include "brick.h"
#include <algorithm>
#include "ball.h"
#include "bricklist.h"
#include "brixmoor.h"
#include "bxmplatform.h"
#include "dgraphics.h"
#include "drawingtarget.h"
#include "imageatlas.h"
#include "screencanvas.h"
#include "sound.h"

using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;

Brick::Brick(int atX, int atY, int atColumn, int atRow) : x(atX), y(atY), column(atColumn), row(atRow) {}

void Brick::startAnimation(int index) {
    if (!animations[index]) animations[index] = Brixmoor::shareFrames(Brixmoor::brickList->animations[index]);
    animation = animations[index];
    if (!animation) return;
    animation->finished = false;
    animation->reset();
}

void Brick::setKind(int newKind, int newHits) {
    kind = newKind;
    hits = newHits;
    const BrickListPtr& field = Brixmoor::brickList;
    switch (kind) {
        case empty: image = nullptr; break;
        case twoHit: image = field->kind1Images[2 - hits]; break;
        case threeHit: image = field->kind2Images[3 - hits]; break;
        case destroyed:
            image = field->kindImages[0];
            Sound::play(Brixmoor::hitBrickSound, 1);
            break;
        case regrowWaiting:
            image = nullptr;
            Sound::play(Brixmoor::hitRegenBrickSound, 1);
            startAnimation(crumble);
            break;
        case regrowComing:
            image = nullptr;
            startAnimation(regrow);
            break;
        default:
            if (kind >= regrowing && kind <= armoured) image = field->kindImages[kind];
            break;
    }
}

void Brick::hit(BallPtr ball) {
    const int kindBefore = kind;
    if (chippedBy(ball)) {
        chip(ball, kindBefore);
    } else {
        breakUp(ball, kindBefore);
    }
    if (kindBefore == detonator) {
        kind = destroyed;
        if (BrickPtr target = Brixmoor::brickList->firstBomb()) target->explode();
    }
    redrawInField(kind, hits);
    if (ball && bonus > 0) {
        Brixmoor::platform->spawnBonus(bonus, x, y);
        bonus = 0;
    }
}

// Small balls, bullets and bombs wear bricks down; bigger and burning balls break weaker
// bricks at once, and only a burning ball breaks a solid one.
bool Brick::chippedBy(const BallPtr& ball) const {
    if (!ball) return false;
    if (ball->kind != Ball::playing) return true;
    const int look = ball->look;
    if (look == Ball::normalFire || look == Ball::bigFire) return false;
    if (kind == solid) return true;
    if ((look == Ball::normal || look == Ball::big) && hits <= 3) return false;
    return !(look == Ball::smallFire && hits <= 2);
}

void Brick::chip(const BallPtr& ball, int kindBefore) {
    if (kindBefore == solid) {
        Sound::play(Brixmoor::hitUndestroyBrickSound, 1);
        return;
    }
    const int look = ball->look;
    int damage = 1;
    if (look == Ball::normal && hits > 3) damage = 2;
    if ((look == Ball::big && hits > 3) || (look == Ball::smallFire && hits > 2)) damage = 3;
    const BrickListPtr& field = Brixmoor::brickList;
    hits = std::max(0, hits - damage);
    if (kindBefore != regrowing) field->toClear = std::max(0, field->toClear - damage);
    field->hitsTaken += 1;
    if (kindBefore == regrowing) {
        kind = regrowWaiting;
    } else if (hits == 0) {
        spawnChips(kindBefore);
        kind = destroyed;
    } else {
        Sound::play(Brixmoor::hitUndestroyBrickSound, 1);
        if (kindBefore == armoured && !animation) startAnimation(glint);
    }
}

void Brick::breakUp(const BallPtr& ball, int kindBefore) {
    if (image) spawnChips(kindBefore);
    if (kindBefore > empty && kindBefore != solid) {
        const BrickListPtr& field = Brixmoor::brickList;
        if (kindBefore != regrowing) field->toClear -= hits;
        field->hitsTaken += hits;
    }
    if (!ball && kindBefore == bomb) {
        kind = bombLit;
        hits = 6;
    } else if (ball && ball->look == Ball::bigFire) {
        hits = 0;
        kind = destroyed;
        detonate();
    } else if (ball && ball->look <= Ball::big && kindBefore == regrowing) {
        kind = regrowWaiting;
        hits = 0;
    } else {
        kind = destroyed;
        hits = 0;
    }
}

void Brick::explode() {
    const BrickListPtr& field = Brixmoor::brickList;
    field->toClear -= hits;
    field->hitsTaken += hits;
    kind = detonating;
    hits = 0;
    detonate();
}

void Brick::spawnChips(int kindBefore) {
    const int width = image ? image->width : 0, height = image ? image->height : 0;
    Brixmoor::spawnParticles(10, Particles::chip, x + width / 2, y + height / 2, kindBefore);
}

void Brick::detonate() {
    Sound::play(Brixmoor::boomSound, 1);
    Brixmoor::spawnParticles(10, Particles::fireSpark, x, y, 0);
    startAnimation(blast);
    const BrickListPtr& field = Brixmoor::brickList;
    for (int r = std::max(0, row - 1); r <= std::min(BrickList::rows - 1, row + 1); ++r)
        for (int c = std::max(0, column - 1); c <= std::min(BrickList::columns - 1, column + 1); ++c) {
            BrickPtr neighbour = field->brickAt(r, c);
            if ((r == row && c == column) || neighbour->kind <= empty) continue;
            neighbour->hit(nullptr);
            field->repaintBeside(r, c);
        }
}

void Brick::redraw(int newKind, int newHits) {
    const DGraphicsPtr& target = ImageAtlas::currentGraphics;
    if (image) {
        target->setClip(x, y, image->width, image->height);
        target->drawImage(Brixmoor::brickList->background, 0, 0, DGraphics::TOP | DGraphics::LEFT);
        target->setClip(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    }
    setKind(newKind, newHits);
    paint();
}

void Brick::redrawInField(int newKind, int newHits) {
    const DrawingTarget field(Brixmoor::brickList->bufferGraphics);
    redraw(newKind, newHits);
}

// The armoured brick shows one plate for each hit beyond the last.
void Brick::paint() {
    if (!image) return;
    image->drawAt(x, y);
    if (kind != armoured) return;
    const BrickListPtr& field = Brixmoor::brickList;
    for (int i = 0; i <= hits - 2 && i < 4; ++i) {
        const GameImagePtr plate = field->armourPieces[i];
        plate->drawAt(x + (i % 2) * plate->width, y + (i % 3 == 0 ? 0 : plate->height + 1));
    }
}

void Brick::paintAnimation() {
    if (animation && !animation->finished) {
        const GameImagePtr frame = Brixmoor::firstFrame(animation);
        const int width = frame ? frame->width : 0, height = frame ? frame->height : 0;
        const BrickListPtr& field = Brixmoor::brickList;
        animation->paint(x + field->brickWidth / 2 - width / 2, y + field->brickHeight / 2 - height / 2);
    }
    tick();
}

bool Brick::settled() {
    if (animation && animation->finished) animation = nullptr;
    return !animation;
}

void Brick::tick() {
    switch (kind) {
        case armoured:
            if (settled() && Brixmoor::randomRange(0, 400) == 0) startAnimation(glint);
            break;
        case detonating:
            // The bomb's picture stays in the field until its blast is over.
            if (animationDone()) {
                animation = nullptr;
                redrawInField(empty, 0);
            }
            break;
        case bombLit:
            if (hits > 0) {
                --hits;
            } else {
                detonate();
                kind = detonating;
            }
            break;
        case regrowComing:
            if (animationDone()) {
                animation = nullptr;
                redrawInField(regrowing, 1);
                bonus = 0;
            }
            break;
        case regrowWaiting:
            if (settled() && Brixmoor::randomRange(0, 2000) == 0) setKind(regrowComing, 1);
            break;
        case destroyed: redrawInField(empty, 0); break;
        default: break;
    }
}
