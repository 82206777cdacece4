#include "starfield.h"
#include "damagelog.h"
#include "dexception.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gametables.h"
#include "screencanvas.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DintArray2d;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImageArray;
using dfc::microedition::lcdui::DImagePtr;

dfc::lang::DintArray2dPtr StarField::stars;
DImagePtr StarField::background;
dfc::microedition::lcdui::DImageArrayPtr StarField::backdrops;
int32_t StarField::backgroundScrollX = 0;
int32_t StarField::backgroundScrollY = 0;

namespace {

constexpr int32_t one = 65536;

}  // namespace

void StarField::create() {
    const int count = layers * starsPerLayer;
    stars = new DintArray2d(count, 2);
    for (int i = 0; i < count; ++i) {
        stars[i][0] = GameLib::sharedRandom->nextAbsMod(ScreenCanvas::screenWidth) * one;
        stars[i][1] = GameLib::sharedRandom->nextAbsMod(ScreenCanvas::screenHeight) * one;
    }
}

DStringPtr StarField::backdropName(int number) { return DStringPtr(u"/rkv/") + number + u".jpg"; }

void StarField::loadBackdrops() {
    backdrops = new DImageArray(backdropCount);
    for (int i = 0; i < backdropCount; ++i) {
        try {
            backdrops[i] = DImage::createImage(backdropName(i + 1));
        } catch (DExceptionPtr&) {
            backdrops[i] = nullptr;
        }
    }
}

void StarField::setBackground(int wave) {
    backgroundScrollX = backgroundScrollY = 0;
    const int number = (wave - 1) % backdropCount + 1;
    background = backdrops && number >= 1 ? DImagePtr(backdrops[number - 1]) : nullptr;
    if (!background) DamageLog::name(u"Rockvale: no background " + backdropName(number));
}

int32_t StarField::wrapped(int32_t value, int32_t limit) {
    if (limit <= 0) return 0;
    value %= limit;
    return value < 0 ? value + limit : value;
}

void StarField::drift(int vx, int vy) {
    if (stars) {
        const int32_t w = ScreenCanvas::screenWidth * one, h = ScreenCanvas::screenHeight * one;
        for (int i = 0; i < stars->length; ++i) {
            const int32_t layerScale = 1 << (2 * (i / starsPerLayer));
            DintArrayPtr star = stars[i];
            star[0] = wrapped(star[0] - vx * 8192 * layerScale, w);
            star[1] = wrapped(star[1] - vy * 8192 * layerScale, h);
        }
    }
    if (background) {
        backgroundScrollX = wrapped(backgroundScrollX + vx * 16384, background->getWidth() * one);
        backgroundScrollY = wrapped(backgroundScrollY + vy * 16384, background->getHeight() * one);
    }
}

void StarField::paint() {
    paintBackground();
    if (!stars) return;
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    for (int i = 0; i < stars->length; ++i) {
        g->setColor(GameTables::rockvaleColours[i / starsPerLayer]);
        const int x = stars[i][0] >> 16, y = stars[i][1] >> 16;
        g->drawLine(x, y, x, y);
    }
}

void StarField::paintBackground() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    const int w = ScreenCanvas::screenWidth, h = ScreenCanvas::screenHeight;
    if (!background || background->getWidth() <= 0 || background->getHeight() <= 0) {
        g->setColor(0x000000);
        g->fillRect(0, 0, w, h);
        return;
    }
    const int tileW = background->getWidth(), tileH = background->getHeight();
    for (int y = -(backgroundScrollY >> 16); y < h; y += tileH)
        for (int x = -(backgroundScrollX >> 16); x < w; x += tileW)
            g->drawImage(background, x, y, DGraphics::TOP | DGraphics::LEFT);
}

void StarField::release() {
    stars = nullptr;
    background = nullptr;
    backdrops = nullptr;
}
