#include "ball.h"
#include <algorithm>
#include "brixmoor.h"
#include "screencanvas.h"
#include "sound.h"

Ball::Ball(int kind) : kind(kind) {
    setPosition(ScreenCanvas::screenWidth / 2, ScreenCanvas::screenHeight - 21);
    if (kind == playing) {
        imageNormal = Brixmoor::ballImage;
        imageSmall = Brixmoor::ballSmallImage;
        imageBig = Brixmoor::ballBigImage;
        image = imageNormal;
        fireNormal = Brixmoor::shareFrames(Brixmoor::fireBall);
        fireSmall = Brixmoor::shareFrames(Brixmoor::fireBallSmall);
        fireBig = Brixmoor::shareFrames(Brixmoor::fireBallBig);
        fire = fireNormal;
    } else {
        image = kind == bullet ? Brixmoor::bulletImage : Brixmoor::bombImage;
    }
    radius = image->width / 2;
}

void Ball::setLook(int newLook) {
    look = newLook;
    switch (look) {
        case small: image = imageSmall; break;
        case normal: image = imageNormal; break;
        case big: image = imageBig; break;
        case smallFire: fire = fireSmall; break;
        case normalFire: fire = fireNormal; break;
        case bigFire: fire = fireBig; break;
    }
    radius = shownWidth() / 2 + 1;
    if (onFire() && fire) fire->reset();
}

void Ball::fireOn() {
    if (!onFire()) setLook(look + smallFire);
}

void Ball::fireOff() {
    if (onFire()) setLook(look - smallFire);
}

void Ball::grow() {
    if (look != big && look != bigFire) setLook(look + 1);
}

void Ball::shrink() {
    if (look != small && look != smallFire) setLook(look - 1);
}

void Ball::setActive(bool on) {
    flying = visible = live = on;
    gone = !on;
}

// A burning look whose animation list is missing shows the plain picture instead.
void Ball::paint() {
    if (!visible) return;
    if (onFire() && fire) {
        fire->paint(x - radius, y - radius);
    } else {
        image->drawAt(x - radius, y - radius);
    }
}

void Ball::serve(int atX, int atY) {
    setPosition(atX, atY);
    radius = shownWidth() / 2 + 1;
    vy = -15;
    vx = 1;
    speed = 3;
    visible = live = true;
    flying = false;
}

void Ball::setPosition(int atX, int atY) {
    x = atX;
    y = atY;
    xFixed = atX * 16;
    yFixed = atY * 16;
}

void Ball::move() {
    xFixed += speed * vx;
    yFixed += speed * vy;
    x = xFixed >> 4;
    y = yFixed >> 4;
    if (onFire() || kind == bullet) Brixmoor::spawnParticles(1, Particles::fireSpark, x, y, 0);
}

bool Ball::step(int paddleX, int paddleTop, int paddleLeft, int paddleRight, bool sticky) {
    const int oldY = y;
    move();
    if (!flying) {
        setPosition(holdOffset + paddleX, paddleTop - radius);
        return false;
    }
    if (y >= ScreenCanvas::screenHeight) {
        setActive(false);
        return true;
    }
    if ((x - radius <= sideWall && vx < 0) || (x + radius >= ScreenCanvas::screenWidth - sideWall && vx >= 1)) {
        vx = -vx;
        bounceOffWall();
    }
    if (y - radius < topWall && vy < 0) {
        vy = -vy;
        bounceOffWall();
    }
    if (paddleLeft <= x + radius && x - radius <= paddleRight && y + radius >= paddleTop && oldY <= paddleTop)
        bounceOffPaddle(paddleX, paddleTop, paddleLeft, paddleRight, sticky);
    speedUp();
    return false;
}

void Ball::bounceOffWall() {
    Sound::play(Brixmoor::hitWallSound, 1);
    Brixmoor::spawnParticles(5, look < smallFire ? Particles::spark : Particles::fireSpark, x, y, 0);
}

// Where the ball meets the paddle decides how steeply it leaves: the further out, the flatter.
void Ball::bounceOffPaddle(int paddleX, int paddleTop, int paddleLeft, int paddleRight, bool sticky) {
    Sound::play(Brixmoor::hitPlatformSound, 1);
    y = paddleTop - radius;
    yFixed = y * 16;
    const int half = (paddleRight - paddleLeft) >> 1;
    vx = (x - half - paddleLeft) >> 1;
    if (vx == 0) vx = x - paddleLeft < half ? 1 : -1;
    vx = std::clamp(vx, -15, 15);
    vy = -vyForVx(vx);
    if (sticky) {
        flying = false;
        holdOffset = x - paddleX;
    }
}

// One unit faster after more than speed * 256 steps.
void Ball::speedUp() {
    if (++steps > speed * 256) {
        steps = 0;
        ++speed;
    }
}

bool Ball::fallOnPaddle(int paddleTop, int paddleLeft, int paddleRight) {
    const int oldY = y;
    move();
    if (x + radius >= paddleLeft && x - radius <= paddleRight && y + radius >= paddleTop && oldY <= paddleTop) {
        setActive(false);
        return true;
    }
    if (y >= ScreenCanvas::screenHeight - radius) setActive(false);
    return false;
}

void Ball::fly() {
    move();
    if (y <= topWall) setActive(false);
}

int Ball::vyForVx(int forVx) {
    static constexpr int8_t climb[] = {16, 16, 16, 16, 15, 15, 15, 14, 14, 13, 13, 12, 11, 10, 8, 5, 2};
    const int size = std::abs(forVx);
    return size < int(sizeof climb) ? climb[size] : 1;
}

int Ball::shownWidth() const {
    if (onFire() && fire && fire->frames && fire->frames->length > 0 && fire->frames[0]) return fire->frames[0]->width;
    return image ? image->width : 0;
}
