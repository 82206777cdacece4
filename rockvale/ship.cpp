#include "ship.h"
#include "ce_system.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gametables.h"
#include "rockvale.h"
#include "screencanvas.h"
#include "starfield.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;

namespace {

// The suffixes in quarter-turn order, counter-clockwise.
const char16_t* const quarterSuffixes[] = {u"", u"_up", u"_lv", u"_dn"};
// The picture groups of loadImages, by quarter turn.
constexpr int groupOfQuarter[] = {0, 2, 1, 3};

int screenWidth() { return ScreenCanvas::screenWidth; }
int screenHeight() { return ScreenCanvas::screenHeight; }

int cosTable(int index) { return GameTables::rockvaleCosTable[index]; }

// The text key of a shot speed: axis "dx" or "dy", index 1 to 4.
DStringPtr shotSpeedKey(const char16_t* axis, int i) { return DStringPtr(axis) + i + u"k"; }

}  // namespace

Ship::Ship() : facingSuffix(u""), images(new GameImageArray(16)) {}

int Ship::quarterOf(const DStringPtr& suffix) {
    for (int q = 0; q < 4; ++q)
        if (suffix == quarterSuffixes[q]) return q;
    return -1;
}

void Ship::loadImages() {
    const char16_t* const groups[] = {u"", u"_lv", u"_up", u"_dn"};
    for (int g = 0; g < 4; ++g)
        for (int i = 1; i <= 4; ++i) images[g * 4 + i - 1] = GameImage::load(DStringPtr(u"spaceship") + i + groups[g]);
}

void Ship::reset() {
    step = 4;
    facingSuffix = u"";
    thrustLevel = 0;
    maxThrust = GameTables::rockvaleIndexTable->length - 1;
    x = screenWidth() / 2;
    y = screenHeight() / 2;
    GameImagePtr image = GameImage::load(DStringPtr(u"spaceship") + step + facingSuffix);
    imageWidth = image->width;
    imageHeight = image->height;
    spin = 0;
    int turns = GameLib::sharedRandom->nextAbsMod(16);
    if (turns % 2 == 0) turns += 1;
    for (int i = 0; i < turns; ++i) turnLeft();
    // The build-up starts over too: three impulses from level 0 leave the ship at rest.
    vx = vy = 0;
    thrustLevel = 0;
    for (int i = 0; i < 3; ++i) thrust();
    isHit = visible = false;
}

int Ship::xComponent(int forStep, const DStringPtr& suffix) {
    switch (quarterOf(suffix)) {
        case 0: return cosTable(forStep - 1);
        case 1: return -cosTable(forStep + 3);
        case 2: return -cosTable(forStep - 1);
        case 3: return cosTable(forStep + 3);
        default: return 0;
    }
}

int Ship::yComponent(int forStep, const DStringPtr& suffix) {
    switch (quarterOf(suffix)) {
        case 0: return -cosTable(forStep + 3);
        case 1: return -cosTable(forStep - 1);
        case 2: return cosTable(forStep + 3);
        case 3: return cosTable(forStep - 1);
        default: return 0;
    }
}

void Ship::shotVector(const DintArrayPtr& vector) {
    const int q = quarter();
    if (step == 4 && (q == 1 || q == 3)) {
        vector[0] = q == 1 ? -4 : 4;
        vector[1] = 0;
        return;
    }
    const int i = (q == 1 || q == 3) ? 4 - step : step;
    const int dx = StringManager::getInt(shotSpeedKey(u"dx", i), 0);
    const int dy = StringManager::getInt(shotSpeedKey(u"dy", i), 0);
    vector[0] = xComponent(step, facingSuffix) < 0 ? -dx : dx;
    vector[1] = yComponent(step, facingSuffix) < 0 ? -dy : dy;
}

void Ship::requireShotSpeeds() {
    for (int i = 1; i <= 4; ++i) {
        StringManager::requireKey(shotSpeedKey(u"dx", i));
        StringManager::requireKey(shotSpeedKey(u"dy", i));
    }
}

void Ship::hit() {
    if (Rockvale::invulnerable || isHit) return;
    if (lives <= 0) return;
    lives -= 1;
    spin = GameLib::sharedRandom->nextInt() % 20;
    hitTime = blinkTime = GetTickCount();
    isHit = visible = true;
}

void Ship::turnLeft() {
    step += 1;
    thrustLevel = 0;
    if (step == 5) {
        step = 1;
        facingSuffix = quarterSuffixes[(quarter() + 1) & 3];
    }
    thrust();
}

void Ship::turnRight() {
    step -= 1;
    thrustLevel = 0;
    if (step == 0) {
        step = 4;
        facingSuffix = quarterSuffixes[(quarter() + 3) & 3];
    }
    thrust();
}

void Ship::thrust() {
    thrustLevel += 1;
    if (thrustLevel > maxThrust) {
        thrustLevel = maxThrust;
        return;
    }
    const int power = GameTables::rockvaleIndexTable[thrustLevel];
    const int newVx = vx + power * xComponent(step, facingSuffix) / 1000;
    const int newVy = vy + power * yComponent(step, facingSuffix) / 1000;
    if (newVx * newVx + newVy * newVy >= speedLimit) return;
    vx = newVx;
    vy = newVy;
}

bool Ship::move() {
    if (isHit && millisSince(hitTime) > hitMillis) isHit = false;
    if (spin > 0) {
        turnLeft();
        spin -= 1;
    } else if (spin < 0) {
        turnRight();
        spin += 1;
    }
    StarField::drift(vx, vy);
    x += vx;
    y += vy;
    if (Rockvale::boundsOn)
        bounce();
    else
        wrap();
    return vx != 0 || vy != 0;
}

// Out by a quarter of the picture beyond an edge, in again at the other.
void Ship::wrap() {
    const int w = screenWidth(), h = screenHeight();
    const int mx = imageWidth >> 2, my = imageHeight >> 2;
    if (x > w + 1 + mx) x -= w + 1;
    if (x < -1 - mx) x += w + 1;
    if (y >= h + 1 + my) y -= h + 1;
    if (y < -1 - my) y += h + 1;
}

void Ship::bounce() {
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
        y = h;
        vy = -vy;
    }
    if (y < 0) {
        y = 0;
        vy = -vy;
    }
}

GameImagePtr Ship::currentImage() {
    const int q = quarter();
    if (q < 0 || step < 1 || step > 4) return nullptr;
    return images[groupOfQuarter[q] * 4 + step - 1];
}

void Ship::paint() {
    if (lives < 1) return;
    GameImagePtr image = currentImage();
    if (!image || image->width <= 0) {
        const auto& g = ScreenCanvas::screenGraphics;
        g->setColor(0xFF0000);
        g->drawString(DStringPtr(u"spaceship") + step + facingSuffix + u" - not found", x, y + 15,
                      DGraphics::HCENTER | DGraphics::BASELINE);
        return;
    }
    const int x0 = x - image->width / 2, y0 = y - image->height / 2;
    if (isHit && millisSince(blinkTime) > blinkMillis) {
        visible = !visible;
        blinkTime = GetTickCount();
    }
    if (!isHit || visible) drawWithCopy(image, x0, y0);
    redraw = false;
}

// In wrap mode a picture across an edge shows its other part at the opposite edge.
void Ship::drawWithCopy(const GameImagePtr& image, int x0, int y0) {
    image->drawAt(x0, y0);
    if (Rockvale::boundsOn) return;
    const int w = screenWidth(), h = screenHeight();
    int copyX = x0, copyY = y0;
    if (x0 < 0) copyX = x0 + w;
    else if (x0 + image->width > w) copyX = x0 - w;
    if (y0 < 0) copyY = y0 + h;
    else if (y0 + image->height > h) copyY = y0 - h;
    if (copyX != x0 || copyY != y0) image->drawAt(copyX, copyY);
}
