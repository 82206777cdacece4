#include "bxmplatform.h"
#include "bonus.h"
#include "bricklist.h"
#include "brick.h"
#include "brixmoor.h"
#include "enemy.h"
#include "gamelib.h"
#include "screencanvas.h"
#include "sound.h"

using dfc::lang::DStringPtr;

namespace {

const char16_t* const lookNames[] = {u"small", u"desmall", u"bigger", u"debigger",
                                     u"armed", u"dearmed", u"turbo", u"deturbo"};

}  // namespace

Platform::Platform()
    : x((ScreenCanvas::screenWidth - 30) / 2),
      y(ScreenCanvas::screenHeight - 17),
      bonuses(new BonusArray(3)),
      bulletBall1(new Ball(Ball::bullet)),
      bulletBall2(new Ball(Ball::bullet)),
      bomb(new Ball(Ball::bomb)) {
    for (int i = 0; i < bonusCount; ++i) bonuses[i] = new Bonus();
    bulletBall1->speed = bulletBall2->speed = 5;
    bomb->speed = 3;
    bomb->vy = 16;
    bomb->vx = 0;
}

void Platform::loadAnimations() {
    for (int i = 0; i < lookCount; ++i) looks[i] = Animation::fromProperty(lookNames[i]);
    flamesRight = Animation::fromProperty(u"flames");
    flamesLeft = Animation::fromProperty(u"flames2");
    casingLeft = Animation::fromProperty(u"gilzLeft1");
    casingRight = Animation::fromProperty(u"gilzRight1");
    glue = Animation::fromProperty(u"Clue");
    exitSign = Animation::fromProperty(u"exit");
    if (exitSign) exitSign->finished = true;
    turboStill = Brixmoor::stillOf(looks[turboLook]);
    armedStill = Brixmoor::stillOf(looks[dearmedLook]);
    deturboStill = Brixmoor::stillOf(looks[deturboLook]);
    smallStill = Brixmoor::stillOf(looks[desmallLook]);
    normalStill = Brixmoor::stillOf(looks[biggerLook]);
    bigStill = Brixmoor::stillOf(looks[debiggerLook]);
    body = normalStill;
    underlay = turboStill;
    transition = looks[desmallLook];
    bulletBall1->topWall = bulletBall2->topWall = Brixmoor::brickList->top;
}

void Platform::move(bool right) {
    if (right) {
        if (x + width / 2 < Brixmoor::brickList->fieldWidth + BrickList::fieldLeft) x += speed;
        movedRight = true;
        if (turbo) Brixmoor::spawnParticles(1, Particles::fireSpark, x - 20, y + body->height + 3, 0);
    } else {
        if (BrickList::fieldLeft < x - width / 2) x -= speed;
        movedLeft = true;
        if (turbo) Brixmoor::spawnParticles(1, Particles::fireSpark, x + 20, y + body->height + 1, 0);
    }
}

void Platform::reset() {
    armedGuns = sticky = turbo = false;
    if (glue) glue->finished = false;
    if (bulletA) bulletA->setActive(false);
    if (bulletB) bulletB->setActive(false);
    bomb->setActive(false);
    for (int i = 0; i < bonusCount; ++i) bonuses[i]->start(0, 0, 0);
    x = ScreenCanvas::screenWidth / 2;
    y = ScreenCanvas::screenHeight - height - bottomGap;
    setState(plain);
    width = body->width;
    BallPtr first = balls[0];
    first->setLook(Ball::small);
    first->serve(first->radius + x, y - 1);
    ballsInPlay = 1;
}

// Turbo has no look change of its own: it lights the jets and plays no transition.
void Platform::setState(int newState) {
    transforming = newState != turboJets;
    state = newState;
    switch (newState) {
        case plain:
            body = normalStill;
            if (transition) transition->finished = true;
            transforming = false;
            speed = 3;
            underlay = turboStill;
            size = normalSize;
            return;
        case shrink:
            body = smallStill;
            transition = looks[smallLook];
            if (size > smallSize) --size;
            break;
        case smallToNormal:
            body = normalStill;
            transition = looks[desmallLook];
            if (size < normalSize) ++size;
            break;
        case grow:
            body = bigStill;
            transition = looks[biggerLook];
            if (size < bigSize) ++size;
            break;
        case bigToNormal:
            body = normalStill;
            transition = looks[debiggerLook];
            if (size > normalSize) --size;
            break;
        case arm: transition = looks[armedLook]; break;
        case turboJets:
            turbo = true;
            restart(flamesRight);
            return;
    }
    // A look whose animation list is missing changes at once.
    if (transition) {
        restart(transition);
    } else {
        transforming = false;
    }
}

void Platform::restart(const AnimationPtr& animation) {
    if (!animation) return;
    animation->finished = false;
    animation->reset();
}

void Platform::startGunFire() {
    if (bulletInFlight() || gunFiring) return;
    gunFiring = true;
    gunLeftX = x - armedStill->width / 2 - 6;
    gunRightX = x + armedStill->width / 2 - 6;
    gunLeftY = gunRightY = y;
    restart(casingLeft);
    restart(casingRight);
}

void Platform::fireBullets() {
    const AnimationPtr& arming = looks[armedLook];
    if (bulletInFlight() || !armedGuns || (arming && !arming->finished)) return;
    Sound::play(Brixmoor::shootSound, 1);
    bulletA = bulletBall1;
    launchBullet(bulletA, 4 - armedStill->width / 2);
    bulletB = bulletBall2;
    launchBullet(bulletB, armedStill->width / 2 - 4);
}

void Platform::launchBullet(BallPtr ball, int dx) {
    ball->vx = 0;
    ball->setPosition(x + dx, ScreenCanvas::screenHeight - 2 * ball->radius - height);
    ball->setActive(true);
}

void Platform::stepBullets() {
    bulletA = stepBullet(bulletA);
    bulletB = stepBullet(bulletB);
}

BallPtr Platform::stepBullet(BallPtr inFlight) {
    if (!inFlight) return nullptr;
    inFlight->fly();
    if (inFlight->gone) {
        inFlight->gone = false;
        return nullptr;
    }
    if (!bulletHits(inFlight)) return inFlight;
    inFlight->visible = inFlight->flying = false;
    return nullptr;
}

bool Platform::bulletHits(BallPtr ball) {
    const BrickListPtr& field = Brixmoor::brickList;
    const int column = field->columnAt(ball->x), row = field->rowAt(ball->y);
    if (row >= 0 && row < BrickList::rows && column >= 0 && column < BrickList::columns) {
        BrickPtr brick = field->brickAt(row, column);
        if (brick->kind > Brick::empty) {
            brick->hit(ball);
            field->repaintBeside(row, column);
            return true;
        }
    }
    EnemyArrayPtr enemies = Brixmoor::theGame->enemies;
    for (int i = 0; i < enemies->length; ++i) {
        EnemyPtr enemy = enemies[i];
        if (!enemy->alive || !enemy->touches(ball)) continue;
        Brixmoor::spawnParticles(10, Particles::spark, ball->x, ball->y, 0);
        enemy->kill();
        field->hitsTaken += 1;
        Sound::play(Brixmoor::hitBrickSound, 1);
        return true;
    }
    return false;
}

void Platform::spawnBonus(int kind, int atX, int atY) {
    for (int i = 0; i < bonusCount; ++i)
        if (bonuses[i]->kind == 0) {
            bonuses[i]->start(kind, atX, atY);
            return;
        }
}

int Platform::catchBonuses(int lives, int ballCount) {
    for (int i = 0; i < bonusCount; ++i) {
        const int kind = bonuses[i]->update(x - body->width / 2, y, body->width, body->height);
        // A capsule caught while the paddle changes its look is lost.
        if (kind > 0 && !transforming) applyBonus(kind, lives, ballCount);
    }
    return lives;
}

void Platform::applyBonus(int kind, int& lives, int ballCount) {
    switch (kind) {
        case 1:
            setState(arm);
            armedGuns = true;
            break;
        case 2:
            if (glue && !glue->finished) {
                restart(glue);
                sticky = true;
            }
            break;
        case 3: changeSize(false); break;
        case 4: changeSize(true); break;
        case 5: faster(); break;
        case 6:
            for (int i = 0; i < balls->length; ++i) balls[i]->fireOn();
            break;
        case 7: ++lives; break;
        case 8:
            for (int i = 0; i < balls->length; ++i) balls[i]->grow();
            break;
        case 9:
            for (int i = 0; i < balls->length; ++i) balls[i]->shrink();
            break;
        case 10: slower(); break;
        case 11: moreBalls(ballCount); break;
        case 12: setState(turboJets); break;
    }
}

void Platform::changeSize(bool larger) {
    if (larger) {
        if (size == smallSize) setState(smallToNormal);
        else if (size == normalSize) setState(grow);
    } else {
        if (size == normalSize) setState(shrink);
        else if (size == bigSize) setState(bigToNormal);
    }
}

void Platform::faster() {
    for (int i = 0; i < balls->length && balls[i]->live; ++i) balls[i]->speed += 1;
}

void Platform::slower() {
    for (int i = 0; i < balls->length && balls[i]->live && balls[i]->speed >= 3; ++i) balls[i]->speed -= 1;
}

void Platform::moreBalls(int ballCount) {
    const int rounds = dfc::util::DRandom::absMod(GameLib::sharedRandom->next(32), 2) + 1;
    for (int round = 0; round < rounds; ++round) {
        Brixmoor::theGame->compactBalls();
        if (!splitBalls(ballCount)) return;
    }
}

bool Platform::splitBalls(int ballCount) {
    const int inPlay = ballsInPlay;
    int free = 0;
    for (int i = 0; i < inPlay; ++i) {
        BallPtr source = balls[i];
        if (!source->live) continue;
        if (free < i) free = i;
        while (free < ballCount && balls[free]->visible) ++free;
        if (free >= ballCount) return false;
        BallPtr copy = balls[free++];
        copy->setPosition(source->x + 1, source->y);
        copy->flying = source->flying;
        copy->radius = source->radius;
        copy->speed = source->speed;
        // Signed remainders: the copies spread either way, never straight along the source.
        int dx = GameLib::sharedRandom->next(32) % 6, dy = GameLib::sharedRandom->next(32) % 6;
        copy->vx = source->vx + (dx == 0 ? 1 : dx);
        copy->vy = source->vy + (dy == 0 ? -1 : dy);
        copy->live = copy->visible = true;
        ++ballsInPlay;
    }
    return true;
}

void Platform::paint() {
    if (sticky) paintGlue();
    paintBody();
    underlay->drawAt(x - underlay->width / 2, y + body->height);
    if (armedGuns && !transforming) armedStill->drawAt(x - armedStill->width / 2, y);
    if (turbo) paintFlames();
    if (bulletA) bulletA->paint();
    if (bulletB) bulletB->paint();
    if (gunFiring) paintCasings();
    if (bomb->flying) dropBomb();
    if (exitSign && !exitSign->finished) {
        const GameImagePtr frame = Brixmoor::currentFrame(exitSign);
        exitSign->paint((ScreenCanvas::screenWidth - (frame ? frame->width : 0)) / 2, 0);
    }
    for (int i = 0; i < bonusCount; ++i) bonuses[i]->paint();
}

// The glue spreads while its animation plays, then stays as its last frame.
void Platform::paintGlue() {
    if (!glue) return;
    const GameImagePtr first = Brixmoor::firstFrame(glue);
    const int left = x - underlay->width / 2, top = y - (first ? first->height : 0) / 2;
    if (!glue->finished) {
        glue->paint(left, top);
    } else if (GameImagePtr last = Brixmoor::lastFrame(glue)) {
        last->drawAt(left - 1, top);
    }
}

void Platform::paintBody() {
    if (!transforming) {
        body->drawAt(x - body->width / 2, y);
        width = body->width;
    } else if (state < arm) {
        const GameImagePtr frame = Brixmoor::currentFrame(transition);
        const int frameWidth = frame ? frame->width : 0;
        transition->paint(x - frameWidth / 2, y);
        width = frameWidth;
    } else {
        body->drawAt(x - body->width / 2, y);
        width = body->width;
        const GameImagePtr frame = Brixmoor::currentFrame(transition);
        transition->paint(x - (frame ? frame->width : 0) / 2, y + body->height);
    }
    if (transforming) transforming = !transition->finished;
}

void Platform::paintFlames() {
    if (movedRight && flamesRight) flamesRight->paint(x - 24, y + body->height + 1);
    if (movedLeft && flamesLeft) flamesLeft->paint(x + 14, y + body->height + 1);
    movedRight = movedLeft = false;
}

void Platform::paintCasings() {
    if (!casingLeft || casingLeft->finished) {
        gunFiring = false;
        return;
    }
    casingLeft->paint(gunLeftX, gunLeftY);
    if (casingRight) casingRight->paint(gunRightX, gunRightY);
    if (casingLeft->finished) gunFiring = false;
}

// The creatures' bomb falls in the paint; landing on the paddle costs the ball in play.
void Platform::dropBomb() {
    if (bomb->fallOnPaddle(y, x - underlay->width / 2, x + underlay->width / 2)) {
        ballsInPlay = 1;
        Brixmoor::theGame->loseBall();
    }
    bomb->paint();
}
