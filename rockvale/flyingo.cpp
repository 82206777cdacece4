#include "flyingo.h"
#include "gamelib.h"
#include "rockvale.h"
#include "screencanvas.h"
#include "ship.h"

using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;

namespace {

int screenWidth() { return ScreenCanvas::screenWidth; }
int screenHeight() { return ScreenCanvas::screenHeight; }
int nextRandom() { return GameLib::sharedRandom->nextInt(); }

// A turning rock's picture suffix for each quarter of its turn.
const char16_t* const quarterSuffixes[] = {u"", u"_up", u"_lv", u"_dn"};

}  // namespace

FlyingO::FlyingO(int atX, int atY, int withVx, int withVy, int speed, int a, int b, const DStringPtr& name,
                 int delay) {
    hitSize = a == 1 ? 350 : a == 2 ? 250 : 200;
    classify(a, b, name);
    place(atX, atY);
    launch(withVx, withVy, speed);
    frame = GameLib::sharedRandom->nextAbsMod(4);
    frameDelay = delay < 0 ? GameLib::sharedRandom->nextAbsMod(5) : delay;
}

void FlyingO::classify(int a, int b, const DStringPtr& name) {
    if (a + b == 100) {
        kind = shot;
        imageName = name;
        return;
    }
    if (a + b == 300) {
        imageName = name;
        const int type = name->length() > 3 ? name->charAt(3) - u'0' : 0;
        kind = type;
        if (type == 3) {
            kind = shootingSaucer;
            hitSize = 430;
            energy = 4;
            rocketTimer = 0;
        } else {
            hitSize = type == 2 ? 250 : 200;
        }
        return;
    }
    imageName = DStringPtr(u"a") + a + b + u"0";
    kind = (a + b) % 3 == 0 ? frameRock : turningRock;
}

// A random place keeps clear of the middle of the screen: the middle bands go to the edges.
void FlyingO::place(int atX, int atY) {
    if (atX != randomPlace) {
        x = atX;
        y = atY;
        return;
    }
    const int w = screenWidth(), h = screenHeight();
    x = GameLib::sharedRandom->nextAbsMod(w);
    y = GameLib::sharedRandom->nextAbsMod(h);
    if (h / 3 < y && y < h / 2) {
        y = 10;
    } else if (h / 2 < y && y < 2 * h / 3) {
        y = h - 10;
    } else if (w / 3 < x && x < w / 2) {
        x = 10;
    } else if (w / 2 < x && x < 2 * w / 3) {
        x = w - 10;
    }
}

// A random launch grows faster with the wave and never stands still on either axis.
void FlyingO::launch(int withVx, int withVy, int speed) {
    if (withVx == randomLaunch) {
        const int wave = Rockvale::currentWave;
        vx = (wave + (nextRandom() % 8) * 10) / 20;
        vy = (wave + (nextRandom() % 8) * 10) / 20;
        speedFactor = 1;
        if (vx == 0) vx = 2;
        if (vy == 0) vy = 3;
    } else if (kind == shootingSaucer) {
        vx = withVx >> 1;
        vy = withVy >> 1;
        speedFactor = speed;
    } else {
        vx = withVx;
        vy = withVy;
        speedFactor = speed;
    }
}

int32_t FlyingO::distanceTo(int px, int py) const {
    const int dx = x - px, dy = y - py;
    return dx * dx + dy * dy;
}

void FlyingO::move() {
    x += speedFactor * vx;
    y += speedFactor * vy;
    if (kind == shot) return;
    if (Rockvale::boundsOn)
        bounce();
    else
        wrap();
    animate();
}

// Out by a quarter of the picture, in at the other edge. The shooting saucer goes wholly out
// first and comes in wholly outside the other edge, so that it does not jump to and fro.
void FlyingO::wrap() {
    const int w = screenWidth(), h = screenHeight();
    if (kind == shootingSaucer) {
        const int mx = width >> 1, my = height >> 1;
        if (x > w + 1 + mx) x -= width + w + 1;
        if (x < -1 - mx) x += width + w + 1;
        if (y >= h + 1 + my) y -= height + h + 1;
        if (y < -1 - my) y += height + h + 1;
        return;
    }
    const int mx = width >> 2, my = height >> 2;
    if (x > w + 1 + mx) x -= w + 1;
    if (x < -1 - mx) x += w + 1;
    if (y >= h + 1 + my) y -= h + 1;
    if (y < -1 - my) y += h + 1;
}

void FlyingO::bounce() {
    const int w = screenWidth(), h = screenHeight();
    if (x > w) {
        x = w;
        vx = -vx;
    }
    if (x < 0) {
        x = 0;
        vx = -vx;
    }
    if (y >= h) {
        y = h - 1;
        vy = -vy;
    }
    if (y < 0) {
        y = 1;
        vy = -vy;
    }
}

void FlyingO::animate() {
    frameTick += 1;
    if (frameTick > frameDelay) {
        frameTick = 0;
        frame += 1;
    }
    steerCounter += 1;
    switch (kind) {
        case plainSaucer:
        case fastSaucer:
        case frameRock:
            if (frame > 15) frame = 0;
            break;
        case shootingSaucer:
            if (frame > 10) frame = 0;
            break;
        case turningRock:
            if (frame > 15) frame = 0;
            turnName();
            break;
        default: break;
    }
}

void FlyingO::turnName() {
    const DStringPtr stem = imageName->substring(0, 4);
    imageName = stem + quarterSuffixes[(frame >> 2) & 3];
}

void FlyingO::advanceName() {
    const DStringPtr stem = imageName->substring(0, 3);
    if (kind == turningRock)
        imageName = stem + (frame & 3) + imageName->substring(4);
    else if (kind == frameRock)
        imageName = stem + frame;
}

bool FlyingO::paint(const GameImagePtr& image, int imageWidth, int imageHeight) {
    width = imageWidth;
    height = imageHeight;
    if (!image || image->width <= 0) return true;
    const int w = screenWidth(), h = screenHeight();
    const int x0 = x - imageWidth / 2, y0 = y - imageHeight / 2;
    if (x0 + imageWidth <= 0 || x0 >= w || y0 + imageHeight <= 0 || y0 >= h) return false;
    image->drawAt(x0, y0);
    if (!Rockvale::boundsOn && kind != shot && kind != shootingSaucer) drawCopy(image, x0, y0);
    return true;
}

void FlyingO::drawCopy(const GameImagePtr& image, int x0, int y0) {
    const int w = screenWidth(), h = screenHeight();
    int copyX = x0, copyY = y0;
    if (x0 < 0) copyX = x0 + w;
    else if (x0 + width > w) copyX = x0 - w;
    if (y0 < 0) copyY = y0 + h;
    else if (y0 + height > h) copyY = y0 - h;
    if (copyX != x0 || copyY != y0) image->drawAt(copyX, copyY);
}

void FlyingO::evade(const DintArrayPtr& report) {
    const int r1 = nextRandom() % 2, r2 = nextRandom() % 2;
    if (int64_t(report[0]) * report[1] < 0) {
        vx = r1 - report[3];
        vy = r2 - report[4];
    } else {
        vx = r1 + report[3];
        vy = r2 + report[4];
    }
    if (kind > plainSaucer && nextRandom() % 2 + 1 > 0) {
        const ShipPtr& ship = Rockvale::ship;
        if (ship->x < x && vx < 0) vx = -vx;
        if (ship->y < y && vy > 0) vy = -vy;
    }
    if (kind == shootingSaucer) {
        vx >>= 1;
        vy >>= 1;
    }
}
