#include "entity.h"
#include "dmath.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "entityarray.h"
#include "floodpass.h"
#include "riverrules.h"
#include "screencanvas.h"
#include "sound.h"
#include "stringmanager.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;

AnimationArrayPtr Entity::leftAnimations;
AnimationArrayPtr Entity::rightAnimations;
DintArrayPtr Entity::points;
AnimationPtr Entity::airExplosion;
AnimationPtr Entity::groundExplosion;
GameImagePtr Entity::enemyBullet;

namespace {

constexpr int riverWidth = Floodpass::riverWidth;

AnimationPtr sharing(const AnimationPtr& source) {
    AnimationPtr copy = new Animation();
    if (!source) return copy;
    copy->frames = source->frames;
    copy->delay = source->delay;
    return copy;
}

int frameCount(const AnimationPtr& animation) {
    return animation && animation->frames ? animation->frames->length : 0;
}

bool onLastFrame(const AnimationPtr& animation) { return animation->current >= frameCount(animation) - 1; }

void restart(const AnimationPtr& animation) {
    if (animation) animation->reset();
}

}  // namespace

Entity::Entity(int kind, int x, int y, int screen)
    : kind(kind), startX(x), startY(y), x(x), y(y), screen(screen) {
    speed = RiverRules::speedOf(kind);
    if (kind == bridge || kind == fuelDepot) layer = 0;
    facingLeft = RiverRules::startsFacingLeft(kind);
    explosion = sharing(kind == 12 || kind == 13 ? groundExplosion : airExplosion);
    if (!leftAnimations) return;
    const AnimationPtr left = leftAnimations[kind], right = rightAnimations[kind];
    restart(left);
    restart(right);
    if ((kind == 1 || kind == 2) && left) left->playing = false;
    if ((kind == 3 || kind == 4) && right) right->playing = false;
    if (frameCount(left) > 0 && left->frames[0]) {
        width = left->frames[0]->width;
        height = left->frames[0]->height;
    }
}

// ---- Behaviour ----

void Entity::update() {
    if (state == active) {
        move();
        if (Floodpass::planeState == Floodpass::planeFlying) meetPlane();
        if (state == active && Floodpass::shotState == Floodpass::shotFlying) meetShot();
    } else if (state == exploding) {
        if (onLastFrame(explosion)) state = gone;
    } else if (state == gone && kind == bridge && y < Floodpass::planeY) {
        Floodpass::bridgesPassed += 1;
        Floodpass::restartRow = Floodpass::rowCounter;
        state = passed;
    }
    moveBullet();
}

void Entity::move() {
    if (RiverRules::isPlane(kind)) {
        movePlane();
    } else if (RiverRules::isBalloon(kind)) {
        ++moveTick;
        turnAtRandom(30);
        if (RiverRules::wandersOn(moveTick)) {
            moveTick = 0;
            step();
        }
    } else if (RiverRules::isPatrol(kind)) {
        ++moveTick;
        turnAtRandom(20);
        if (RiverRules::wandersOn(moveTick)) {
            moveTick = 0;
            movePatrol();
        }
    } else if (RiverRules::isShooter(kind)) {
        moveShooter();
    }
}

// Enemy planes cross the river and come round again; only leaving on the left is heard.
void Entity::movePlane() {
    const int next = RiverRules::fly(x, width, speed, facingLeft);
    if (facingLeft && next > x) Sound::play(Floodpass::enemyFlySound, 1);
    x = next;
}

void Entity::turnAtRandom(int chance) {
    if (++decisionTick < 20) return;
    decisionTick = 0;
    if (Floodpass::random100() < chance) facingLeft = Floodpass::planeX < x;
}

void Entity::step() {
    const RiverRules::Heading next = RiverRules::step(x, width, speed, facingLeft);
    x = next.x;
    facingLeft = next.left;
}

// A patrol turns back at the bank ahead of it, looked up in its own top row.
void Entity::movePatrol() {
    const int column = (facingLeft ? x : x + width - 1) / Floodpass::cellSize;
    const int row = (y - 1) / Floodpass::cellSize;
    if (!Floodpass::isWater(Floodpass::tileAt(row, column) & 0xFF)) facingLeft = !facingLeft;
    step();
}

void Entity::fire() {
    bulletY = y;
    bulletX = facingLeft ? x : x + width;
    bulletStartX = bulletX;
    bulletDx = facingLeft ? -bulletSpeed : bulletSpeed;
    bulletState = flying;
    Sound::play(Floodpass::shootSound, 1);
}

void Entity::moveShooter() {
    if (++decisionTick >= 10) {
        decisionTick = 0;
        if (bulletState != flying) fire();
    }
    if (!onRoad) return;
    step();
    if (speed == 0) facingLeft = x > Floodpass::planeX;
}

bool Entity::touchesPlane() const {
    return Floodpass::overlaps(Floodpass::boxLeft(), Floodpass::boxTop(), x, y, Floodpass::boxWidth,
                               Floodpass::boxHeight, width, height);
}

void Entity::meetPlane() {
    if (!touchesPlane()) return;
    if (kind == fuelDepot) {
        if (Floodpass::fuel < Floodpass::fullFuel) {
            Floodpass::fuel += Floodpass::refuelStep;
            Sound::play(Floodpass::fuelSound, 1);
        }
        return;
    }
    if (!Floodpass::invulnerable) Floodpass::losePlane();
    blowUp();
    Sound::play(kind == bridge ? Floodpass::bridgeSound : Floodpass::explosionSound, 1);
    if (kind == bridge) breakRoad();
}

void Entity::meetShot() {
    const int sx = Floodpass::shotX, sy = Floodpass::shotY;
    if (!(x < sx && sx < x + width && y - height < sy && sy < y)) return;
    blowUp();
    Sound::play(Floodpass::explosionSound, 1);
    Floodpass::shotState = Floodpass::shotNone;
    if (kind == bridge) breakRoad();
}

void Entity::blowUp() {
    state = exploding;
    explosion->reset();
    Floodpass::score += points ? points[kind] : 0;
}

void Entity::breakRoad() {
    const EntityArrayPtr& list = Floodpass::entities;
    if (!list) return;
    for (int i = list->length - 1; i >= 0; --i) {
        const EntityPtr other = list[i];
        if (!other->onRoad || other->state != active || other->startY != startY) continue;
        if (Floodpass::overlaps(other->x, other->y, x, y, other->width, other->height, width, height)) {
            other->blowUp();
            Sound::play(Floodpass::explosionSound, 1);
        } else {
            other->speed = 0;
        }
    }
}

// A bullet flies half a screen at most, inside the river; the plane's box stops it.
void Entity::moveBullet() {
    if (bulletState != flying) return;
    bulletX += bulletDx;
    if (bulletX < 0 || bulletX > riverWidth ||
        dfc::lang::DMath::abs(bulletStartX - bulletX) > ScreenCanvas::screenWidth / 2) {
        bulletState = none;
        return;
    }
    if (Floodpass::planeState != Floodpass::planeFlying) return;
    const int left = Floodpass::boxLeft(), boxTop = Floodpass::boxTop();
    if (left < bulletX && bulletX < left + Floodpass::boxWidth - 1 && boxTop - Floodpass::boxHeight - 1 < bulletY &&
        bulletY < boxTop) {
        Sound::play(Floodpass::explosionSound, 1);
        bulletState = none;
        if (!Floodpass::invulnerable) Floodpass::losePlane();
    }
}

// ---- Drawing ----

void Entity::paint(int x0) {
    const int screenY = Floodpass::top - y;
    if (state == active) {
        const AnimationPtr animation = facingLeft ? leftAnimations[kind] : rightAnimations[kind];
        if (animation) animation->paint(x0 + x, screenY);
    } else if (state == exploding) {
        if (kind == bridge) {
            paintBridgeExplosion(x0, screenY);
        } else {
            explosion->paint(x0 + x, screenY);
        }
    } else if (kind == bridge && rightAnimations[bridge]) {
        rightAnimations[bridge]->paint(x0 + x, screenY);
    }
    if (bulletState == flying && enemyBullet) enemyBullet->drawAt(x0 + bulletX, Floodpass::top - bulletY);
}

// The bridge's length is lined with explosion frames picked at random; an explosion
// without frames (or with empty ones) still advances, a pixel at a time at least.
void Entity::paintBridgeExplosion(int x0, int screenY) {
    const int count = frameCount(explosion);
    const int f = count > 0 && explosion->frames[0] ? explosion->frames[0]->width : 0;
    const int stride = f > 0 ? f : 1;
    for (int d = 0; count > 0 && d < width - f / 2; d += stride) {
        const GameImagePtr frame = explosion->frames[Floodpass::random100() % count];
        if (frame) frame->drawAt(x0 + x + d, screenY);
    }
    explosion->current += 1;
    if (explosion->current >= count) explosion->current = count > 0 ? count - 1 : 0;
}

// ---- Kinds ----

void Entity::fillKinds(const AnimationArrayPtr& table, bool right) {
    const char16_t side = right ? u'R' : u'L';
    auto named = [&](const char16_t* stem, int number) {
        DStringPtr key = DStringPtr(stem) + DStringPtr(new dfc::lang::DString(&side, 1));
        if (number > 0) key = key + number;
        // A craft without its list would have no size: it could not be hit, yet a gun would fire.
        StringManager::requireKey(key);
        return Animation::fromProperty(key);
    };
    for (int i = 0; i < 4; ++i) {
        table[14 + i] = named(u"tank", i + 1);
        table[18 + i] = table[14 + i];
    }
    table[22] = table[23] = named(u"train", 0);
    table[7] = table[8] = named(u"gun", 0);
    table[1] = table[3] = named(u"airplainEnemy", 1);
    table[2] = table[4] = named(u"airplainEnemy", 3);
    table[12] = named(u"ship", 1);
    table[13] = named(u"ship", 2);
    for (int i = 0; i < 3; ++i) table[9 + i] = named(u"helicopter", i + 1);
    table[5] = named(u"balloon", 1);
    table[6] = named(u"balloon", 2);
}

void Entity::loadKinds() {
    leftAnimations = new AnimationArray(kindCount);
    rightAnimations = new AnimationArray(kindCount);
    fillKinds(leftAnimations, false);
    fillKinds(rightAnimations, true);
    // A depot without its list would have no size, and no plane could take on fuel.
    StringManager::requireKey(u"fuel");
    leftAnimations[fuelDepot] = rightAnimations[fuelDepot] = Animation::fromProperty(u"fuel");
    AnimationPtr deck = Animation::AnimationFromCount(1), ruin = Animation::AnimationFromCount(1);
    deck->addFrame(GameImage::load(u"bridge.png"));
    ruin->addFrame(GameImage::load(u"bridge_destruction.png"));
    leftAnimations[bridge] = deck;
    rightAnimations[bridge] = ruin;
    points = new DintArray(kindCount, 0, 800, 800, 800, 800, 300, 300, 0, 0, 100, 100, 100, 200, 200, 600, 600, 600,
                           600, 600, 600, 600, 600, 0, 0, 0);
    airExplosion = Animation::fromProperty(u"airExplosion");
    groundExplosion = Animation::fromProperty(u"groundExplosion");
    enemyBullet = GameImage::load(u"bullet_enemy.png");
}

void Entity::releaseKinds() {
    leftAnimations = rightAnimations = nullptr;
    points = nullptr;
    airExplosion = groundExplosion = nullptr;
    enemyBullet = nullptr;
}
