#include "rockvale.h"
#include <cstdlib>
#include "ce_system.h"
#include "dgraphics.h"
#include "dimage.h"
#include "dstringarray.h"
#include "flyingo.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "ship.h"
#include "sound.h"
#include "soundoptions.h"
#include "starfield.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImagePtr;

int32_t Rockvale::gameState = Rockvale::menuState;
DWORD Rockvale::lastStepTime = 0;
int32_t Rockvale::currentWave = 1;
bool Rockvale::boundsOn = false;
bool Rockvale::invulnerable = false;
int32_t Rockvale::menuMode = Rockvale::mainMenu;
int32_t Rockvale::previousMenuMode = Rockvale::mainMenu;
ShipPtr Rockvale::ship;
RockvalePtr Rockvale::theGame;

namespace {

const char16_t* const soundNames[] = {u"/rkv/sound/menu",      u"/rkv/sound/game",   u"/rkv/sound/shoot",
                                      u"/rkv/sound/explose",   u"/rkv/sound/hit",    u"/rkv/sound/rocket",
                                      u"/rkv/sound/rockethit", u"/rkv/sound/limit"};

// The splash behind the menus, darkened.
constexpr int32_t menuShade = -160;
// A saucer turns away from something this near (squared pixels).
constexpr int32_t evadeDistance = 50000;
// The ship fires at most every this many steps.
constexpr int32_t fireEvery = 4;

int screenWidth() { return ScreenCanvas::screenWidth; }
int screenHeight() { return ScreenCanvas::screenHeight; }

int distanceOf(const DintArrayPtr& report) { return report ? report[2] : Rockvale::farAway; }

}  // namespace

Rockvale::Rockvale() : effects(new Explosions()), shots(new FlyingOArray(shotSlots)) { theGame = this; }

// ---- Loading ----

void Rockvale::start() {
    gameState = menuState;
    const DImagePtr splash = GameLib::showSplash(u"/rkv/splash.jpg", 20);
    GameLib::sharedRandom->setSeed(GetTickCount());
    loadOptions();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    GameLib::loadImageSet(u"/rkv/all");
    effects->loadImages();
    GameLib::advanceLoadingBar();
    menu = new GameMenu();
    StringManager::loadProperties(u"/res");
    Ship::requireShotSpeeds();
    createMenu(mainMenu);
    previousMenuMode = mainMenu;
    youWinText = StringManager::getProperty(u"youwin");
    gameOverText = StringManager::getProperty(u"gameover");
    levelText = StringManager::getText(u"level");
    lifePanel = GameImage::load(u"lifePanel");
    GameLib::advanceLoadingBar();
    StarField::create();
    StarField::loadBackdrops();
    ship = new Ship();
    ship->loadImages();
    ship->reset();
    GameLib::advanceLoadingBar();
    menu->blendImage(splash, menuShade);
    Sound::play(menuTune, 1);
}

void Rockvale::loadOptions() {
    boundsOn = GameMenu::loadOption(GameTables::rockvaleId + u"B", 0) != 0;
    SoundOptions(GameTables::rockvaleId).load();
}

// ---- Menus ----

void Rockvale::createMenu(int mode) {
    previousMenuMode = menuMode;
    menuMode = mode;
    menu->selected = 0;
    menu->firstVisible = 0;
    if (mode == mainMenu || mode == pauseMenu) {
        DStringArrayPtr items = new DStringArray(itemCount);
        MenuItems::setStandard(items, mode == pauseMenu);
        items[boundsItem] = StringManager::getProperty(boundsOn ? u"boundson" : u"boundsoff");
        menu->setContent(items, nullptr);
        menu->mode = GameMenu::listPage;
    } else if (mode == helpPage) {
        menu->layoutText(u"/rkv/help.txt", nullptr);
        menu->mode = GameMenu::helpPage;
    } else if (mode == scorePage) {
        menu->setContent(nullptr, nullptr);
        menu->loadHighScores(1, GameTables::rockvaleId);
        menu->mode = GameMenu::scorePage;
    }
    menu->closeRequested = false;
    KeyState::fire = false;
}

void Rockvale::update() {
    if (gameState == menuState) {
        updateMenu();
        return;
    }
    pauseLatch.hold();
    gameStep();
}

void Rockvale::updateMenu() {
    menu->handleKeys();
    if (menu->selectionMade) {
        KeyState::leftSoft = false;
        if (menuMode == mainMenu || menuMode == pauseMenu) chooseItem(menu->selected);
        if (!theGame) return;  // left for the shell
    }
    if ((menuMode == helpPage || menuMode == scorePage) && menu->closeRequested) {
        // The help text is laid out anew each time the page opens.
        HelpLayout::clear();
        createMenu(previousMenuMode);
    }
    if (menu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
}

void Rockvale::chooseItem(int item) {
    const bool paused = menuMode == pauseMenu;
    switch (item) {
        case startItem:
            if (paused) {
                gameState = playing;
                delaySteps = 0;
                Sound::resumeAll();
            } else {
                startGame();
            }
            break;
        case scoresItem: createMenu(scorePage); break;
        case helpItem: createMenu(helpPage); break;
        case soundItem: changeLevel(SoundOptions::effects); break;
        case musicItem: changeLevel(SoundOptions::music); break;
        case boundsItem: flipBounds(); break;
        case exitItem:
            if (paused) {
                Sound::stopAll();
                createMenu(mainMenu);
            } else {
                GameLib::returnToShell();
            }
            break;
        default: GameLib::returnToShell(); break;
    }
}

void Rockvale::startGame() {
    score = 0;
    lastBonusScore = 0;
    currentWave = 1;
    newGameLives();
    setupWave(1, 0);
    gameState = waveIntro;
    Sound::stopAll();
    Sound::play(limitSound, 1);
    delaySteps = 10;
    Sound::play(gameTune, -1);
}

void Rockvale::newGameLives() { ship->lives = StringManager::getInt(u"Lives", 3); }

void Rockvale::changeLevel(SoundOptions::Kind kind) {
    const int item = kind == SoundOptions::music ? musicItem : soundItem;
    menu->items[item] = SoundOptions(GameTables::rockvaleId).step(kind);
}

void Rockvale::flipBounds() {
    boundsOn = !boundsOn;
    menu->items[boundsItem] = StringManager::getProperty(boundsOn ? u"boundson" : u"boundsoff");
    GameMenu::saveOption(GameTables::rockvaleId + u"B", boundsOn ? 1 : 0);
}

void Rockvale::storeEnteredName() {
    menu->loadHighScores(1, GameTables::rockvaleId);
    menu->insertHighScore(GameMenu::lastEnteredName, score);
    menu->saveHighScores(1, GameTables::rockvaleId);
    menu->mode = GameMenu::listPage;
    score = 0;
    lastBonusScore = 0;
    currentWave = 1;
    gameState = menuState;
    createMenu(scorePage);
    previousMenuMode = mainMenu;
    KeyState::fire = false;
}

// ---- The game step ----

void Rockvale::gameStep() {
    // A step time ahead of the clock (one left from an earlier run) holds nothing up.
    const int32_t since = millisSince(lastStepTime);
    if (since >= 0 && since < stepMillis) return;
    const bool pauseKey = pauseLatch.take();
    if (takeNumberEntry()) return;
    if (delaySteps > 0)
        --delaySteps;
    else
        countDown();
    effects->updateParticles();
    effects->updateExplosions();
    moveShots();
    moveRockets();
    if (gameState == playing) playStep();
    lastStepTime = GetTickCount();
    if (gameState == playing) readKeys(pauseKey);
}

// Two digits after the code: 01 to 20 start that wave with the lives in hand, 00 makes the
// ship immune or mortal again; other numbers are no wave.
bool Rockvale::takeNumberEntry() {
    if (!KeyState::numberEntered) return false;
    KeyState::numberEntered = false;
    const int number = KeyState::enteredNumber;
    if (number == 0) {
        invulnerable = !invulnerable;
        return false;
    }
    if (number > lastWave) return false;
    currentWave = number;
    setupWave(number, score);
    announceWave();
    lastStepTime = GetTickCount();
    return true;
}

void Rockvale::countDown() {
    if (gameState == waveIntro) {
        gameState = playing;
    } else if (gameState == gameOver || (gameState == waveCleared && currentWave >= lastWave)) {
        endGame();
    } else if (gameState == waveCleared) {
        nextWave();
    }
}

void Rockvale::endGame() {
    Sound::stopAll();
    menu->loadHighScores(1, GameTables::rockvaleId);
    if (menu->isHighScore(score)) {
        if (gameState == gameOver) StarField::background = nullptr;
        menu->enterName();
    } else {
        score = 0;
        currentWave = 1;
        createMenu(mainMenu);
    }
    gameState = menuState;
}

void Rockvale::nextWave() {
    currentWave += 1;
    setupWave(currentWave, score);
    announceWave();
}

void Rockvale::announceWave() {
    gameState = waveIntro;
    delaySteps = 10;
    Sound::play(limitSound, 1);
}

bool Rockvale::outside(const FlyingOPtr& o) const {
    return o->x < -outerMargin || o->x > screenWidth() + outerMargin || o->y < -outerMargin ||
           o->y > screenHeight() + outerMargin;
}

void Rockvale::moveShots() {
    int last = -1;
    for (int i = 0; i < shotCount; ++i) {
        FlyingOPtr s = shots[i];
        if (!s) continue;
        if (s->energy > 0 && !outside(s)) {
            s->move();
            last = i;
        } else {
            shots[i] = nullptr;
        }
    }
    if (last + 1 != 0) shotCount = last + 1;
}

void Rockvale::moveRockets() {
    if (!rockets) return;
    for (int i = 0; i < rockets->length; ++i) {
        FlyingOPtr r = rockets[i];
        if (!r) continue;
        if (r->energy <= 0 || outside(r)) {
            rockets[i] = nullptr;
            continue;
        }
        r->move();
        if (!collide(shots, r, i) || r->energy <= 0) rockets[i] = nullptr;
    }
}

void Rockvale::playStep() {
    fireCooldown += 1;
    ship->move();
    rocketsOnShip();
    moveSaucers();
    moveRocks();
    saucersAlive = countAlive(saucers);
    rocksAlive = countAlive(rocks);
    if (saucersAlive + rocksAlive == 0) {
        delaySteps = 30;
        gameState = waveCleared;
    }
    if (ship->lives <= 0) {
        delaySteps = 30;
        gameState = gameOver;
    }
}

void Rockvale::rocketsOnShip() {
    for (int i = 0; i < rockets->length; ++i) {
        FlyingOPtr r = rockets[i];
        if (!r || r->distanceTo(ship->x, ship->y) >= r->hitSize + 240) continue;
        Sound::play(rocketHitSound, 1);
        ship->hit();
        effects->open(ship->x, ship->y, r->x, r->y);
        rockets[i] = nullptr;
        gain(200);
    }
}

void Rockvale::moveSaucers() {
    for (int i = 0; i < saucers->length; ++i)
        if (saucers[i]) saucerStep(i);
}

bool Rockvale::saucerStep(int i) {
    const FlyingOPtr saucer = saucers[i];
    const bool shooting = saucer->kind == FlyingO::shootingSaucer;
    saucer->move();
    const DintArrayPtr rockReport = collide(rocks, saucer, i);
    if (!rockReport) {
        if (shooting) saucer->rocketTimer = 0;
        if (!shooting || saucer->energy <= 0) {
            saucers[i] = nullptr;
            return false;
        }
    }
    DintArrayPtr shotReport;
    if (shotCount > 0) {
        shotReport = collide(shots, saucer, i);
        if (!shotReport) {
            if (saucer->hitSize < 251 || saucer->energy <= 0) {
                saucers[i] = nullptr;
                gain(200);
                return false;
            }
            return true;
        }
    }
    DintArrayPtr rocketReport;
    if (!shooting) {
        rocketReport = collide(rockets, saucer, i);
        if (!rocketReport) {
            Sound::play(rocketHitSound, 1);
            saucers[i] = nullptr;
            gain(200);
            return false;
        }
    }
    if (saucer->distanceTo(ship->x, ship->y) < saucer->hitSize + 200) {
        Sound::play(hitSound, 1);
        ship->hit();
        saucer->energy -= 1;
        effects->open(saucer->x, saucer->y);
        if (!shooting) {
            saucers[i] = nullptr;
            gain(200);
            return false;
        }
        saucer->rocketTimer = 0;
        if (saucer->energy <= 0) {
            saucers[i] = nullptr;
            gain(500);
            return false;
        }
    }
    if (saucer->steerCounter > 9) {
        steerSaucer(saucer, rockReport, shotReport, rocketReport);
        saucer->steerCounter = 0;
    }
    saucer->rocketTimer += 1;
    if (shooting && saucer->rocketTimer > 29) aimRocket(i);
    return true;
}

// The nearest of the three reports, rocks first; a report that is missing is far away.
void Rockvale::steerSaucer(const FlyingOPtr& saucer, const DintArrayPtr& rockReport, const DintArrayPtr& shotReport,
                           const DintArrayPtr& rocketReport) {
    DintArrayPtr nearest = rockReport;
    if (distanceOf(shotReport) < distanceOf(nearest)) nearest = shotReport;
    if (distanceOf(rocketReport) < distanceOf(nearest)) nearest = rocketReport;
    if (!nearest || nearest[2] >= evadeDistance) return;
    if (nearest[3] != 0 || nearest[4] != 0) saucer->evade(nearest);
}

void Rockvale::aimRocket(int i) {
    const FlyingOPtr saucer = saucers[i];
    if (launchRocket(i, saucer->x, saucer->y, ship->x - saucer->x, ship->y - saucer->y)) {
        Sound::play(rocketSound, 1);
        saucer->rocketTimer = 0;
    } else {
        saucer->rocketTimer = 31;
    }
}

bool Rockvale::launchRocket(int saucerIndex, int x, int y, int dx, int dy) {
    const int adx = std::abs(dx), ady = std::abs(dy);
    DStringPtr name;
    int vx = 0, vy = 0;
    if (ady <= 1) {
        name = dx < 1 ? u"rocket0_up" : u"rocket0_dn";
        vx = dx < 1 ? -4 : 4;
    } else if (adx <= 1) {
        name = dy < 1 ? u"rocket0" : u"rocket0_lv";
        vy = dy < 1 ? -4 : 4;
    } else {
        static constexpr int slopes[] = {4, 10, 24};
        static constexpr int speeds[][2] = {{2, 3}, {2, 2}, {3, 2}};
        const int q = adx * 10 / ady;
        int line = -1;
        for (int c = 0; c < 3 && line < 0; ++c)
            if (slopes[c] - 1 <= q && q <= slopes[c] + 1) line = c;
        if (line < 0) return false;
        const int px = speeds[line][0], py = speeds[line][1];
        if ((dx < 0) == (dy < 0)) {
            name = DStringPtr(u"rocket") + (3 - line) + (dx < 0 ? u"_up" : u"_dn");
            vx = dx < 0 ? -px : px;
            vy = dx < 0 ? -py : py;
        } else {
            name = DStringPtr(u"rocket") + (line + 1) + (dx < 0 ? u"_lv" : u"");
            vx = dx < 0 ? -px : px;
            vy = dx < 0 ? py : -py;
        }
    }
    const int slot = firstEmpty(rockets);
    if (slot < 0) return false;
    rockets[slot] = new FlyingO(x, y, 2 * vx, 2 * vy, 1, 50, 50, name, 0);
    saucers[saucerIndex]->rocketTimer = 0;
    return true;
}

void Rockvale::moveRocks() {
    for (int i = 0; i < rocks->length; ++i)
        if (rocks[i]) rockStep(i);
}

// Once a collision has split or removed the rock, its step is over: the slot may hold a
// fragment now, which must not be hit or scored again for the same blow.
void Rockvale::rockStep(int i) {
    const FlyingOPtr rock = rocks[i];
    rock->move();
    rock->advanceName();
    const bool small = rock->hitSize < 250;
    if ((shotCount > 0 && !collide(shots, rock, i)) || !collide(rockets, rock, i)) {
        if (small) rocks[i] = nullptr;
        gain(200);
        return;
    }
    if (rock->distanceTo(ship->x, ship->y) + 40 >= rock->hitSize) return;
    Sound::play(hitSound, 1);
    ship->hit();
    effects->open(rock->x, rock->y);
    if (rock->hitSize == 350) {
        gain(100);
        splitRock(rock->x, rock->y, i);
    } else {
        rocks[i] = nullptr;
        gain(200);
    }
}

DintArrayPtr Rockvale::collide(const FlyingOArrayPtr& array, const FlyingOPtr& obj, int objIndex) {
    if (!obj) return nullptr;
    DintArrayPtr report = new DintArray(5, 0, 0, farAway, 0, 0);
    for (int j = 0; j < array->length; ++j) {
        const FlyingOPtr e = array[j];
        if (!e || e->x <= -outerMargin || e->y <= -outerMargin) continue;
        const int d = e->distanceTo(obj->x, obj->y);
        if (d < report[2]) {
            report[0] = e->x;
            report[1] = e->y;
            report[2] = d;
            report[3] = e->vx;
            report[4] = e->vy;
        }
        const int limit = obj->hitSize + e->hitSize + (obj->kind == FlyingO::shootingSaucer ? 50 : 0);
        if (d > limit || limit >= 700) continue;
        if (obj->hitSize < 230 || obj->kind % 2 == 0)
            obj->energy -= 1;
        else
            splitRock(obj->x, obj->y, objIndex);
        effects->open(obj->x, obj->y);
        if (e->hitSize > 229 && e->kind % 2 == 1) {
            splitRock(e->x, e->y, j);
        } else {
            e->energy -= 1;
            if (e->energy <= 0) array[j] = nullptr;
        }
        return nullptr;
    }
    return report;
}

void Rockvale::splitRock(int x, int y, int index) {
    Sound::play(exploseSound, 1);
    if (!rocks[index]) return;
    gain(100);
    const bool big = rocks[index]->hitSize == 350;
    const int size = big && GameLib::sharedRandom->nextInt() % 3 != 0 ? 2 : 3;
    FlyingOPtr first = fragment(size, x, y);
    rocks[index] = first;
    int sumVx = first->vx, sumVy = first->vy;
    if (size == 3 && big) {
        FlyingOPtr second = fragment(size, x, y);
        second->vy = -second->vy;
        const int slot = firstEmpty(rocks);
        if (slot >= 0) {
            rocks[slot] = second;
            rocksAlive += 1;
            sumVx += second->vx;
            sumVy += second->vy;
        }
    }
    const int slot = firstEmpty(rocks);
    if (slot < 0) return;
    const int variant = GameLib::sharedRandom->nextAbsMod(2) + 1;
    rocks[slot] = new FlyingO(x, y, -sumVx, -sumVy, 1, size, variant, nullptr, -1);
    rocksAlive += 1;
}

FlyingOPtr Rockvale::fragment(int size, int x, int y) {
    const int variant = GameLib::sharedRandom->nextAbsMod(2) + 1;
    return new FlyingO(x, y, FlyingO::randomLaunch, 0, 1, size, variant, nullptr, -1);
}

int Rockvale::firstEmpty(const FlyingOArrayPtr& array) const {
    for (int i = 0; i < array->length; ++i)
        if (!array[i]) return i;
    return -1;
}

int Rockvale::countAlive(const FlyingOArrayPtr& array) const {
    int alive = 0;
    for (int i = 0; i < array->length; ++i)
        if (array[i]) ++alive;
    return alive;
}

void Rockvale::gain(int points) {
    score += points;
    checkExtraLife();
}

void Rockvale::checkExtraLife() {
    if (score - lastBonusScore < extraLifeEvery) return;
    lastBonusScore = score;
    ship->lives += 1;
}

// ---- Waves ----

void Rockvale::setupWave(int wave, int newScore) {
    StarField::setBackground(wave);
    ship->reset();
    score = newScore;
    fireCooldown = 0;
    placeRocks();
    placeSaucers(wave);
    effects->clear();
    shotCount = 0;
    delaySteps = 0;
    for (int i = 0; i < shots->length; ++i) shots[i] = nullptr;
}

// Up to six units of rock: a big rock counts four, a medium two, a small one.
void Rockvale::placeRocks() {
    const int units = GameLib::sharedRandom->nextAbsMod(7);
    rocks = new FlyingOArray(units);
    int placed = 0;
    for (int slot = 0; placed < units; ++slot) {
        const int r = GameLib::sharedRandom->nextInt();
        const int left = units - placed;
        const int size = left >= 4 ? r % 2 + 2 : left >= 2 ? std::abs(r % 2) + 1 : 3;
        const int variant = size == 3 ? r % 2 + 2 : std::abs(r % 2) + 1;
        FlyingOPtr rock =
            new FlyingO(FlyingO::randomPlace, 0, FlyingO::randomLaunch, 0, 1, size, variant, nullptr, -1);
        if (slot < 5 && rock->vy > 0) rock->vy = -rock->vy;
        rocks[slot] = rock;
        placed += size == 1 ? 4 : size == 2 ? 2 : 1;
    }
    rocksAlive = countAlive(rocks);
}

// Plain saucers come one to three a wave, fast ones from wave 4, shooting ones from wave 7.
void Rockvale::placeSaucers(int wave) {
    const int counts[] = {wave % 3 == 0 ? 3 : wave % 3, wave >= 4 ? (wave - 4) / 6 + 1 : 0,
                          wave >= 7 ? (wave - 7) / 9 + 1 : 0};
    saucers = new FlyingOArray(counts[0] + counts[1] + counts[2]);
    rockets = new FlyingOArray(counts[2]);
    int slot = 0;
    for (int type = 1; type <= 3; ++type)
        for (int n = 0; n < counts[type - 1]; ++n) {
            FlyingOPtr saucer = new FlyingO(FlyingO::randomPlace, 0, FlyingO::randomLaunch, 0, 1, 150, 150,
                                            DStringPtr(u"ufo") + type, -1);
            if (n < 2 && saucer->vy > 0) saucer->vy = -saucer->vy;
            saucers[slot++] = saucer;
        }
    saucersAlive = countAlive(saucers);
}

// ---- Keys and stylus ----

void Rockvale::readKeys(bool pauseKey) {
    const DWORD now = GetTickCount();
    if (KeyState::right || KeyState::minusOneKey) {
        ship->turnRight();
        effects->addExhaust(true);
        lastStepTime = now;
    }
    if (KeyState::left || KeyState::minusTwoKey) {
        ship->turnLeft();
        effects->addExhaust(false);
        lastStepTime = now;
    }
    if (KeyState::pointerDown) {
        steerTo(KeyState::pointerX, KeyState::pointerY);
        lastStepTime = now;
    }
    if (KeyState::fire || KeyState::doubleTap || KeyState::rightSoft) {
        KeyState::doubleTap = false;
        if (fireCooldown >= fireEvery) fire();
        lastStepTime = now;
    }
    if (KeyState::up) {
        ship->thrust();
        if (ship->thrustLevel < ship->maxThrust) {
            effects->addExhaust(false);
            effects->addExhaust(true);
        }
        lastStepTime = now;
    }
    if (pauseRequested(pauseKey)) {
        pause();
        lastStepTime = now;
    }
}

// A soft key, the pause key, or the stylus on the pause sign in the top right corner (no
// sign, no place to tap).
bool Rockvale::pauseRequested(bool pauseKey) const {
    if (KeyState::leftSoft || KeyState::rightSoft || pauseKey) return true;
    const DImagePtr& sign = GameMenu::pauseImage;
    const int width = sign ? sign->getWidth() : 0, height = sign ? sign->getHeight() : 0;
    return KeyState::pointerDown && KeyState::pointerX > screenWidth() - width && KeyState::pointerY < height;
}

void Rockvale::pause() {
    Sound::pauseAll();
    KeyState::leftSoft = false;
    createMenu(pauseMenu);
    gameState = menuState;
}

void Rockvale::fire() {
    DintArrayPtr vector = new DintArray(2);
    ship->shotVector(vector);
    FlyingOPtr shot = new FlyingO(ship->x, ship->y, vector[0], vector[1], 4, 50, 50,
                                  DStringPtr(u"bb") + ship->step + ship->facingSuffix, 0);
    score -= shotCost;
    int slot = -1;
    if (shotCount == 0) {
        slot = 0;
        shotCount = 1;
    } else {
        for (int i = 0; i < shotCount && slot < 0; ++i)
            if (!shots[i] || shots[i]->x == -outerMargin) slot = i;
        if (slot < 0 && shotCount < shotSlots) slot = shotCount++;
    }
    if (slot >= 0) {
        shots[slot] = shot;
        Sound::play(shootSound, 1);
    }
    fireCooldown = 0;
}

void Rockvale::steerTo(int px, int py) {
    const int dx = px - ship->x, dy = py - ship->y;
    const int target = (dx < 0 ? 0 : 2) + (dy < 0 ? 0 : 1);
    static constexpr int facingOfQuarter[] = {2, 0, 1, 3};
    const int facing = facingOfQuarter[ship->quarter() & 3];
    auto left = [&] {
        ship->turnLeft();
        effects->addExhaust(false);
    };
    auto right = [&] {
        ship->turnRight();
        effects->addExhaust(true);
    };
    if (facing != target && (facing ^ target) != 3) {
        const bool turnLeft = (facing == 0 && target == 1) || (facing == 1 && target == 3) ||
                              (facing == 2 && target == 0) || (facing == 3 && target == 2);
        if (turnLeft) left();
        else right();
        return;
    }
    int wanted = 4;
    if (dx != 0) {
        const int64_t r = std::llabs(int64_t(65536) * dy / dx);
        wanted = r < 43790 ? 1 : r <= 98080 ? 2 : 3;
        if (target == 0 || target == 3) wanted = 4 - wanted;
    }
    if (facing == target) {
        if (wanted < ship->step) {
            right();
        } else if (wanted > ship->step) {
            left();
        } else if (std::abs(dx) > 10 || std::abs(dy) > 10) {
            ship->thrust();
            effects->addExhaust(false);
            effects->addExhaust(true);
        }
    } else if (wanted < ship->step) {
        left();
    } else {
        right();
    }
}

// ---- Drawing ----

void Rockvale::paint() {
    if (gameState == menuState) {
        menu->paint();
        return;
    }
    StarField::paint();
    if (gameState == gameOver) {
        paintOverlay(gameOverText);
    } else if (gameState == waveCleared) {
        paintOverlay(youWinText);
    } else {
        paintObjects(shots, shotCount);
        paintObjects(rockets, rockets->length);
        paintObjects(rocks, rocks->length);
        paintSaucers();
        if (gameState == waveIntro)
            paintOverlay(DStringPtr(u"**") + levelText + u" " + currentWave + u"**");
        else
            paintOverlay(nullptr);
    }
    if (GameMenu::pauseImage)
        ScreenCanvas::screenGraphics->drawImage(GameMenu::pauseImage, screenWidth(), 0,
                                                DGraphics::TOP | DGraphics::RIGHT);
}

void Rockvale::paintObjects(const FlyingOArrayPtr& array, int count) {
    for (int i = 0; i < count && i < array->length; ++i) {
        const FlyingOPtr o = array[i];
        if (!o || !o->imageName) continue;
        const GameImagePtr image = GameImage::load(o->imageName);
        o->paint(image, image->width, image->height);
    }
}

// The shooting saucer wears a blinking light and, as it loses energy, its damage.
void Rockvale::paintSaucers() {
    for (int i = 0; i < saucers->length; ++i) {
        const FlyingOPtr s = saucers[i];
        if (!s) continue;
        const bool shooting = s->kind == FlyingO::shootingSaucer;
        const GameImagePtr image = GameImage::load(shooting ? s->imageName : s->imageName + s->frame);
        if (!s->paint(image, image->width, image->height) || !shooting) continue;
        const GameImagePtr blink = GameImage::load(DStringPtr(u"ufo3_blink") + (s->frame % 2));
        s->paint(blink, blink->width, blink->height);
        const int left = s->x - blink->width / 2, top = s->y - blink->height / 2;
        if (s->energy < 4) GameImage::load(u"ufo3_damaged3")->drawAt(left + 17, top + 27);
        if (s->energy < 3) GameImage::load(u"ufo3_damaged2")->drawAt(left + 24, top + 4);
        if (s->energy < 2) GameImage::load(u"ufo3_damaged1")->drawAt(left + 2, top + 15);
    }
}

void Rockvale::paintOverlay(const DStringPtr& text) {
    ship->paint();
    effects->paint();
    if (text) paintMessage(text, screenWidth() / 2, screenHeight() / 2);
    paintHud();
}

void Rockvale::paintHud() {
    lifePanel->drawAt(0, 0);
    const ImageFontPtr numbers = ScreenCanvas::font(ScreenCanvas::numberFont1);
    numbers->drawString(DString::valueOf(score), 105, 3, DGraphics::TOP | DGraphics::RIGHT);
    numbers->drawString(DString::valueOf(ship->lives), 40, 3, DGraphics::TOP | DGraphics::RIGHT);
}

void Rockvale::paintMessage(const DStringPtr& text, int x, int y) {
    ScreenCanvas::font(ScreenCanvas::hudFont1)->drawString(text, x, y, DGraphics::HCENTER | DGraphics::VCENTER);
}

// ---- Leaving ----

void Rockvale::stop() {
    if (menu) menu->detach();
    Sound::stopAll();
    releaseStatics();
}

void Rockvale::releaseStatics() {
    if (theGame) {
        theGame->menu = nullptr;
        theGame->effects = nullptr;
        theGame->shots = theGame->rockets = theGame->saucers = theGame->rocks = nullptr;
        theGame->shotCount = 0;
    }
    StarField::release();
    ship = nullptr;
    gameState = menuState;
    menuMode = previousMenuMode = mainMenu;
    theGame = nullptr;
}
