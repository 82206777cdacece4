#include "rockvale_fixture.h"
#include "ce_system.h"
#include "screencanvas.h"
#include "ship.h"

using dfc::lang::DStringPtr;

void RockvaleTest::step(Rockvale& game) {
    Rockvale::lastStepTime = GetTickCount() - Rockvale::stepMillis;
    game.update();
}

bool RockvaleTest::stepUntil(Rockvale& game, int state, int limit) {
    for (int i = 0; i < limit && Rockvale::gameState != state; ++i) step(game);
    return Rockvale::gameState == state;
}

void RockvaleTest::emptyWave(Rockvale& game, int rocks, int saucers, int rocketSlots) {
    game.setupWave(1, 0);
    game.rocks = new FlyingOArray(rocks);
    game.saucers = new FlyingOArray(saucers);
    game.rockets = new FlyingOArray(rocketSlots);
    game.effects->clear();
    Ship& ship = *Rockvale::ship;
    ship.lives = 3;
    ship.step = 4;
    ship.facingSuffix = u"";
    ship.vx = ship.vy = 0;
    ship.spin = 0;
    ship.x = ScreenCanvas::screenWidth / 2;
    ship.y = ScreenCanvas::screenHeight / 2;
    game.fireCooldown = 0;
    game.delaySteps = 0;
    Rockvale::gameState = Rockvale::playing;
}

FlyingOPtr RockvaleTest::rock(int size, int x, int y, int vx, int vy) {
    return new FlyingO(x, y, vx, vy, 1, size, 1, nullptr, 0);
}

FlyingOPtr RockvaleTest::saucer(int type, int x, int y) {
    FlyingOPtr s = new FlyingO(x, y, 0, 0, 1, 150, 150, DStringPtr(u"ufo") + type, 0);
    s->steerCounter = 0;
    return s;
}

FlyingOPtr RockvaleTest::shot(int x, int y) { return new FlyingO(x, y, 0, 0, 4, 50, 50, u"bb4", 0); }
