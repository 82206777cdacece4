#include "floodpass.h"
#include <algorithm>
#include "damagelog.h"
#include "dmath.h"
#include "drawingtarget.h"
#include "dstringarray.h"
#include "entity.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imageatlas.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "screencover.h"
#include "screens.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DMath;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

int32_t Floodpass::state = Floodpass::menuState;
int32_t Floodpass::page = Floodpass::mainPage;
int32_t Floodpass::previousPage = Floodpass::mainPage;
DWORD Floodpass::timer = 0;
int32_t Floodpass::levelIndex = 0;
int32_t Floodpass::openLevel = 1;
int32_t Floodpass::score = 0;
int32_t Floodpass::lives = Floodpass::startLives;
int32_t Floodpass::presencePercent = 10;
int32_t Floodpass::planeX = 0;
int32_t Floodpass::planeY = 0;
int32_t Floodpass::planeState = Floodpass::planeFlying;
int32_t Floodpass::speed = Floodpass::normal;
int32_t Floodpass::fuel = Floodpass::fullFuel;
int32_t Floodpass::invulnerableCounter = 0;
bool Floodpass::invulnerable = false;
int32_t Floodpass::planeWidth = 0;
int32_t Floodpass::planeHeight = 0;
int32_t Floodpass::boxWidth = 0;
int32_t Floodpass::boxHeight = 0;
int32_t Floodpass::shotState = Floodpass::shotNone;
int32_t Floodpass::shotX = 0;
int32_t Floodpass::shotY = 0;
int32_t Floodpass::shotSpeed = 6;
int32_t Floodpass::top = 0;
int32_t Floodpass::subRow = 0;
int32_t Floodpass::ringOffset = 0;
int32_t Floodpass::nextRingRow = 0;
int32_t Floodpass::rowCounter = 0;
int32_t Floodpass::totalRows = 0;
int32_t Floodpass::restartRow = 0;
int32_t Floodpass::bridgesPassed = 0;
int32_t Floodpass::firstEntity = 0;
int32_t Floodpass::riverX0 = 0;
int32_t Floodpass::visibleRows = 0;
int32_t Floodpass::visibleHeight = 0;
DImagePtr Floodpass::ring;
DGraphicsPtr Floodpass::ringGraphics;
DintArrayPtr Floodpass::levelMap;
EntityArrayPtr Floodpass::entities;
GameImagePtr Floodpass::planeImage;
GameImagePtr Floodpass::lifeImage;
GameImagePtr Floodpass::barrelImage;
GameImagePtr Floodpass::fuelBarImage;
GameImagePtr Floodpass::shotImage;
int32_t Floodpass::fuelBarHeight = 0;
AnimationPtr Floodpass::bankLeft;
AnimationPtr Floodpass::bankRight;
AnimationPtr Floodpass::planeExplosion;
DImagePtr Floodpass::splash;
DImagePtr Floodpass::panelLeft;
DImagePtr Floodpass::panelRight;
DImagePtr Floodpass::pauseButton;
DImagePtr Floodpass::scoreTab;
GameMenuPtr Floodpass::menu;
bool Floodpass::brokenData = false;

namespace {

const char16_t* const soundNames[] = {u"/fdp/snd/menu",  u"/fdp/snd/game",        u"/fdp/snd/born",
                                      u"/fdp/snd/death", u"/fdp/snd/expl",        u"/fdp/snd/expl_bridge",
                                      u"/fdp/snd/shoot", u"/fdp/snd/fuel",        u"/fdp/snd/enemyfly",
                                      u"/fdp/snd/enemyheli"};

constexpr int leftTop = DGraphics::LEFT | DGraphics::TOP;
constexpr int centreTop = DGraphics::HCENTER | DGraphics::TOP;

int lastFrame(const AnimationPtr& animation) { return animation->frames ? animation->frames->length - 1 : -1; }

// Without its list the plane would vanish while it turns.
AnimationPtr bankingFrames(const char16_t* key) {
    StringManager::requireKey(key);
    AnimationPtr animation = Animation::fromProperty(key);
    if (!animation) animation = new Animation();
    animation->delay = 4;
    return animation;
}

}  // namespace

// ---- Loading ----

void Floodpass::start() {
    splash = GameLib::showSplash(u"/fdp/splash.jpg", 10);
    loadOptions();
    GameLib::loadImageSet(u"/fdp/all");
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    makeGeometry();
    GameLib::advanceLoadingBar();
    makeMenu();
    GameLib::advanceLoadingBar();
    StringManager::loadProperties(u"/fdp/res");
    Entity::loadKinds();
    brokenData = !Screens::load();
    // A level the stored option names may have gone with a changed river.
    openLevel = std::clamp(openLevel, 1, std::max(1, Screens::levelCount()));
    GameLib::advanceLoadingBar();
    loadPlane();
    GameLib::advanceLoadingBar();
    invulnerable = false;
    ImageAtlas::imageAtlas->clear();
    StringManager::loadProperties(u"/res");
    loadPanels();
    GameLib::advanceLoadingBar();
    Sound::play(menuTune, 1);
}

void Floodpass::loadOptions() {
    SoundOptions(GameTables::floodpassId).load();
    openLevel = GameMenu::loadOption(GameTables::floodpassId + u"openlevel", 1);
}

void Floodpass::makeGeometry() {
    visibleRows = ScreenCanvas::screenHeight / cellSize;
    visibleHeight = visibleRows * cellSize;
    riverX0 = (ScreenCanvas::screenWidth - riverWidth) >> 1;
    shotSpeed = 6 * ScreenCanvas::screenHeight / 208;
    ring = DImage::createImage(riverWidth, visibleHeight + cellSize);
    ringGraphics = ring->getGraphics();
}

void Floodpass::makeMenu() {
    menu = new GameMenu();
    HelpLayout::clear();
    GameMenu::loadArrowImages();
    menu->loadHighScores(scoreTable, GameTables::floodpassId);
    menu->blendImage(splash, -160);
    state = menuState;
    page = previousPage = mainPage;
    createMenu(mainPage);
}

void Floodpass::loadPlane() {
    planeImage = GameImage::load(u"airplane.png");
    lifeImage = GameImage::load(u"life176.png");
    barrelImage = GameImage::load(u"barell176.png");
    fuelBarImage = GameImage::load(u"indicator176.png");
    fuelBarHeight = fuelBarImage->height;
    planeWidth = planeImage->width;
    planeHeight = planeImage->height;
    const RiverRules::Box box = RiverRules::planeBox(0, 0, planeWidth, planeHeight);
    boxWidth = box.width;
    boxHeight = box.height;
    bankLeft = bankingFrames(u"airplaneL");
    bankRight = bankingFrames(u"airplaneR");
    planeExplosion = Entity::airExplosion ? Entity::airExplosion : AnimationPtr(new Animation());
    shotImage = GameImage::load(u"bullet.png");
}

void Floodpass::loadPanels() {
    panelLeft = DImage::createImage(DStringPtr(u"/fdp/panel_l.png"));
    panelRight = DImage::createImage(panelLeft, DImage::TRANS_MIRROR);
    pauseButton = DImage::createImage(DStringPtr(u"/fdp/pause.png"));
    // Only a screen wider than the river shows the panels that the score's tab belongs to.
    scoreTab = ScreenCanvas::screenWidth > riverWidth ? DImage::createImage(DStringPtr(u"/fdp/scoretab.png")) : nullptr;
}

// ---- States ----

void Floodpass::setState(int newState) {
    state = newState;
    if (newState == overState || newState == completeState) {
        timer = GetTickCount();
        Sound::stopAll();
    } else if (newState == levelStartState) {
        timer = GetTickCount();
        presencePercent = 10 + 60 * levelIndex / std::max(1, Screens::levelCount());
        KeyState::anyKey = KeyState::pointerDown = KeyState::fire = false;
    }
}

void Floodpass::update() {
    if (brokenData) {
        GameLib::returnToShell();
        return;
    }
    switch (state) {
        case menuState: handleMenu(); break;
        case playState: updatePlay(); break;
        case overState:
        case completeState: updateEnd(); break;
        case levelStartState: updateLevelStart(); break;
        default: break;
    }
}

void Floodpass::updatePlay() {
    if (pauseRequested()) {
        KeyState::leftSoft = KeyState::rightSoft = KeyState::pauseKey = false;
        state = menuState;
        createMenu(pausePage);
        Sound::pauseAll();
    }
    playStep();
}

// A soft key, the pause key, or the stylus on the pause button in the top left corner.
bool Floodpass::pauseRequested() {
    if (KeyState::leftSoft || KeyState::rightSoft || KeyState::pauseKey) return true;
    const int x = KeyState::pointerX, y = KeyState::pointerY;
    return KeyState::pointerDown && x >= 0 && x <= pauseButton->getWidth() && y >= 0 && y <= pauseButton->getHeight();
}

void Floodpass::updateEnd() {
    if (millisSince(timer) <= statePause) return;
    menu->loadHighScores(scoreTable, GameTables::floodpassId);
    if (menu->isHighScore(score)) {
        page = previousPage = mainPage;
        ScreenCanvas::screenGraphics->setClip(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
        menu->enterName();
    } else {
        createMenu(mainPage);
    }
    state = menuState;
    KeyState::anyKey = false;
}

void Floodpass::updateLevelStart() {
    if (millisSince(timer) <= statePause) return;
    if (!buildLevel()) {
        GameLib::returnToShell();
        return;
    }
    state = playState;
    Sound::stopAll();
    Sound::play(gameTune, -1);
    timer = GetTickCount();
    KeyState::pointerDown = KeyState::fire = KeyState::anyKey = false;
}

void Floodpass::startLevel(int index) {
    levelIndex = index;
    lives = startLives;
    score = 0;
    setState(levelStartState);
}

void Floodpass::nextLevel() {
    if (lives < 0) {
        levelIndex = 0;
        setState(overState);
        return;
    }
    levelIndex += 1;
    if (levelIndex >= Screens::levelCount()) {
        levelIndex = 0;
        setState(completeState);
        return;
    }
    if (levelIndex + 1 > openLevel) {
        openLevel = levelIndex + 1;
        GameMenu::saveOption(GameTables::floodpassId + u"openlevel", openLevel);
    }
    setState(levelStartState);
}

// ---- Menu ----

void Floodpass::createMenu(int newPage) {
    previousPage = page;
    page = newPage;
    menu->selected = 0;
    menu->firstVisible = 0;
    menu->closeRequested = false;
    menu->mode = GameMenu::listPage;
    if (newPage == mainPage || newPage == pausePage) {
        DStringArrayPtr items = new DStringArray(itemCount);
        MenuItems::setStandard(items, newPage == pausePage);
        menu->setItems(items);
    } else if (newPage == helpPage) {
        if (HelpLayout::lineCount == 0) menu->layoutText(u"/fdp/help.txt", nullptr);
        menu->mode = GameMenu::helpPage;
    } else if (newPage == scoresPage) {
        menu->loadHighScores(scoreTable, GameTables::floodpassId);
        KeyState::anyKey = KeyState::fire = KeyState::pointerDown = false;
        menu->mode = GameMenu::scorePage;
    } else if (newPage == levelPage) {
        menu->setItems(MenuItems::levelChoice(openLevel));
    }
}

void Floodpass::handleMenu() {
    menu->handleKeys();
    switch (page) {
        case mainPage:
        case pausePage:
            if (menu->mode == GameMenu::namePage) {
                if (GameMenu::nameEntered) storeEnteredName();
            } else if (menu->selectionMade) {
                menu->selectionMade = false;
                chooseItem(menu->selected);
            }
            break;
        case helpPage:
            if (menu->closeRequested) createMenu(previousPage);
            break;
        case scoresPage:
            if (KeyState::fire || KeyState::pointerDown || menu->closeRequested) {
                KeyState::fire = KeyState::pointerDown = false;
                createMenu(previousPage);
            }
            break;
        case levelPage:
            if (!menu->selectionMade) break;
            menu->selectionMade = false;
            if (menu->closeRequested) {
                createMenu(mainPage);
            } else {
                startLevel(openLevel - menu->selected - 1);
            }
            break;
        default: break;
    }
}

void Floodpass::chooseItem(int item) {
    switch (item) {
        case startItem:
            if (page == pausePage) {
                state = playState;
                Sound::resumeAll();
            } else if (openLevel != 1) {
                createMenu(levelPage);
            } else {
                startLevel(0);
            }
            break;
        case scoresItem: createMenu(scoresPage); break;
        case helpItem:
            KeyState::anyKey = false;
            createMenu(helpPage);
            break;
        case soundItem: stepSoundLevel(SoundOptions::effects); break;
        case musicItem: stepSoundLevel(SoundOptions::music); break;
        case exitItem:
            if (page == pausePage) {
                createMenu(mainPage);
            } else {
                GameLib::returnToShell();
            }
            break;
        default: break;
    }
}

void Floodpass::stepSoundLevel(SoundOptions::Kind kind) {
    const int item = kind == SoundOptions::music ? musicItem : soundItem;
    menu->items[item] = SoundOptions(GameTables::floodpassId).step(kind);
}

void Floodpass::storeEnteredName() {
    menu->loadHighScores(scoreTable, GameTables::floodpassId);
    menu->insertHighScore(GameMenu::lastEnteredName, score);
    menu->saveHighScores(scoreTable, GameTables::floodpassId);
    menu->mode = GameMenu::listPage;
    menu->closeRequested = false;
    KeyState::fire = KeyState::anyKey = false;
    createMenu(scoresPage);
}

// ---- Level ----

bool Floodpass::buildLevel() {
    const int levels = Screens::levelCount();
    if (levelIndex < 0 || levelIndex >= levels) {
        DamageLog::name(DStringPtr(u"Floodpass: there is no level ") + (levelIndex + 1));
        return false;
    }
    const DintArrayPtr list = Screens::levels[levelIndex];
    const int count = list->length;
    if (count * Screens::rows < visibleRows + 1) {
        DamageLog::name(DStringPtr(u"Floodpass: level ") + (levelIndex + 1) + u" is shorter than the screen");
        return false;
    }
    Screens::currentLevel = list;
    totalRows = Screens::rows * count;
    levelMap = new DintArray(Screens::cellsPerScreen * count);
    int objects = 0;
    // A screen's top file row is the highest map row of its block; columns keep their order.
    for (int i = 0; i < count; ++i) {
        const int screen = list[i];
        objects += Screens::templateCount(screen);
        for (int fileRow = 0; fileRow < Screens::rows; ++fileRow) {
            const int mapRow = Screens::rows * i + Screens::rows - 1 - fileRow;
            for (int column = 0; column < columns; ++column)
                levelMap[mapRow * columns + column] =
                    Screens::cells[screen * Screens::cellsPerScreen + fileRow * columns + column];
        }
    }
    entities = new EntityArray(objects);
    int next = 0;
    for (int i = 0; i < count; ++i) {
        const int screen = list[i], base = Screens::rows * cellSize * (i + 1);
        for (int j = Screens::templateCount(screen) - 1; j >= 0; --j) {
            const EntityPtr pattern = Screens::templateOf(screen, j);
            EntityPtr entity = new Entity(pattern->kind, pattern->x, base - pattern->y, 0);
            entity->onRoad = pattern->onRoad;
            const bool always = pattern->kind == Entity::bridge || pattern->kind == Entity::fuelDepot;
            if (!always && random100() >= presencePercent) entity->state = Entity::gone;
            entities[next++] = entity;
        }
    }
    resetLevel(visibleRows);
    bridgesPassed = 0;
    restartRow = rowCounter;
    return true;
}

void Floodpass::resetLevel(int row) {
    subRow = ringOffset = 0;
    nextRingRow = visibleHeight;
    riverX0 = (ScreenCanvas::screenWidth - riverWidth) >> 1;
    firstEntity = 0;
    rowCounter = row;
    drawIntoRing(0, row, visibleRows);
    rowCounter = row + 1;
    drawIntoRing(visibleHeight, row + 1, 1);
    planeX = RiverRules::startX(planeWidth);
    speed = normal;
    planeState = planeFlying;
    fuel = fullFuel;
    shotState = shotNone;
    planeY = RiverRules::startY(row, visibleRows, planeHeight);
    top = cellSize * row;
    // The craft move and meet the plane before a frame counts its protection: it holds from
    // the (re)start on, so nothing takes the plane before the player can steer it.
    invulnerableCounter = 0;
    invulnerable = true;
}

int Floodpass::tileAt(int row, int column) {
    if (!levelMap) return 0;
    const int rows = levelMap->length / columns;
    return levelMap[std::clamp(row, 0, rows - 1) * columns + std::clamp(column, 0, columns - 1)];
}

void Floodpass::drawRows(int x, int y, int end, int count) {
    const int tiles = Screens::land ? Screens::land->length : 0;
    for (int k = 0; k < count; ++k) {
        const int row = end - 1 - k, rowY = y + k * cellSize;
        if (row < 0 || row >= totalRows) continue;
        for (int column = 0; column < columns; ++column) {
            const int word = levelMap[row * columns + column];
            const int first = word & 0xFF, second = (word >> 8) & 0xFF;
            if (first != Screens::noTile && first < tiles)
                Screens::land[first]->drawAtVariant(x + column * cellSize, rowY);
            if (second != Screens::noTile && second < tiles) Screens::land[second]->drawAt(x + column * cellSize, rowY);
        }
    }
}

void Floodpass::drawIntoRing(int y, int end, int count) {
    const DrawingTarget ring(ringGraphics);
    drawRows(0, y, end, count);
}

bool Floodpass::hitsLand(int x, int y, int width, int height) {
    const int right = x + width - 1, bottom = y - height + 1;
    const int corners[4][2] = {{x, y}, {right, y}, {x, bottom}, {right, bottom}};
    for (const auto& corner : corners)
        if (!isWater(tileAt(corner[1] / cellSize, corner[0] / cellSize) & 0xFF)) return true;
    return false;
}

bool Floodpass::overlaps(int x1, int y1, int x2, int y2, int w1, int h1, int w2, int h2) {
    return RiverRules::overlaps(x1, y1, x2, y2, w1, h1, w2, h2);
}

int Floodpass::random100() { return GameLib::sharedRandom->nextAbsMod(100); }

void Floodpass::losePlane() {
    planeState = planeExploding;
    planeExplosion->reset();
    lives -= 1;
}

// ---- Play ----

void Floodpass::playStep() {
    readDrag();
    if (planeState == planeFlying) {
        steer();
        changeSpeed();
        fire();
    }
    if (!scroll()) return;
    updateEntities();
    if (invulnerableCounter < invulnerableFrames) {
        ++invulnerableCounter;
        invulnerable = true;
    } else {
        invulnerable = false;
    }
    updatePlane();
    if (state == overState) return;
    moveShot();
}

void Floodpass::readDrag() {
    if (!KeyState::pointerDragged) return;
    const int dx = KeyState::pointerX - KeyState::prevPointerX, dy = KeyState::pointerY - KeyState::prevPointerY;
    if (DMath::abs(dy) <= DMath::abs(dx) || DMath::abs(dy) <= 3) return;
    if (dy < 0) {
        KeyState::up = true;
    } else {
        KeyState::down = true;
    }
    KeyState::pointerDragged = false;
}

void Floodpass::steer() {
    const int pull = KeyState::pointerX - riverX0 - (planeX + planeWidth / 2);
    if (KeyState::left || (KeyState::pointerDown && pull < -3)) {
        planeX = std::max(0, planeX - steerStep);
        if (!bankLeft->playing && bankLeft->current != lastFrame(bankLeft)) bankLeft->reset();
    } else {
        bankLeft->playing = false;
        bankLeft->current = 0;
    }
    if (KeyState::right || (KeyState::pointerDown && pull > 3)) {
        planeX = std::min(riverWidth - planeWidth - 1, planeX + steerStep);
        if (!bankRight->playing && bankRight->current != lastFrame(bankRight)) bankRight->reset();
    } else {
        bankRight->playing = false;
        bankRight->current = 0;
    }
}

void Floodpass::changeSpeed() {
    if (KeyState::up || KeyState::minusOneKey) {
        speed = speed == slow ? normal : fast;
        KeyState::up = KeyState::minusOneKey = false;
    } else if (KeyState::down || KeyState::minusTwoKey) {
        speed = speed == fast ? normal : slow;
        KeyState::down = KeyState::minusTwoKey = false;
    }
}

void Floodpass::fire() {
    if (!KeyState::fire && !KeyState::doubleTap) return;
    if (shotState != shotFlying) {
        shotX = planeX + (planeWidth - shotImage->width) / 2;
        shotY = planeY;
        shotState = shotFlying;
        Sound::play(shootSound, 1);
    }
    KeyState::fire = KeyState::doubleTap = false;
}

bool Floodpass::scroll() {
    subRow += speed;
    ringOffset += speed;
    top += speed;
    planeY += speed;
    if (riverX0 + planeX < 0) riverX0 += speed;
    if (planeWidth + riverX0 + planeX > ScreenCanvas::screenWidth) riverX0 -= speed;
    if (ringOffset >= visibleHeight) {
        ringOffset -= visibleHeight;
        ringGraphics->drawImage(ring, 0, -cellSize, leftTop);
        subRow -= cellSize;
        if (!addRow()) return false;
        nextRingRow = visibleHeight;
        drawIntoRing(visibleHeight, rowCounter, 1);
    }
    if (subRow >= cellSize) {
        subRow -= cellSize;
        if (!addRow()) return false;
        nextRingRow -= cellSize;
        drawIntoRing(nextRingRow, rowCounter, 1);
    }
    return true;
}

bool Floodpass::addRow() {
    rowCounter += 1;
    if (rowCounter < totalRows) return true;
    nextLevel();
    return false;
}

void Floodpass::updateEntities() {
    const int bottom = top - visibleHeight;
    for (int i = firstEntity; i < entities->length; ++i) {
        const EntityPtr entity = entities[i];
        if (entity->y <= bottom) {
            firstEntity = i;
            continue;
        }
        if (entity->y - entity->height >= top) break;
        entity->update();
    }
}

void Floodpass::updatePlane() {
    if (planeState == planeFlying) {
        fuel -= speed;
        if ((fuel < 0 || hitsLand(boxLeft(), boxTop(), boxWidth, boxHeight)) && !invulnerable) {
            losePlane();
            Sound::play(deathSound, 1);
        }
        return;
    }
    if (planeExplosion->current < lastFrame(planeExplosion)) return;
    planeState = planeFlying;
    if (lives < 0) {
        setState(overState);
        return;
    }
    Sound::play(bornSound, 1);
    resetLevel(restartRow);
}

void Floodpass::moveShot() {
    if (shotState != shotFlying) return;
    shotY += shotSpeed;
    if (shotY > top) shotState = shotNone;
}

// ---- Drawing ----

void Floodpass::paint() {
    switch (state) {
        case menuState: menu->paint(); break;
        case playState: paintPlay(); break;
        case overState:
        case completeState: paintEnd(); break;
        case levelStartState: paintLevelStart(); break;
        default: break;
    }
}

void Floodpass::paintPlay() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    if (!riverCoversScreen()) {
        g->setColor(0x000000);
        g->fillRect(0, 0, width, height);
    }
    g->drawImage(panelLeft, 0, 0, leftTop);
    g->drawImage(panelRight, width, 0, DGraphics::RIGHT | DGraphics::TOP);
    g->drawImage(pauseButton, 0, 0, leftTop);
    g->setClip(riverX0, 0, riverWidth, visibleHeight);
    g->drawImage(ring, riverX0, ringOffset, leftTop);
    if (ringOffset > 0) g->drawImage(ring, riverX0, ringOffset - cellSize - visibleHeight, leftTop);
    paintEntities(0);
    paintEntities(1);
    paintPlane();
    g->setClip(0, 0, width, height);
    paintHud();
}

// Whether the side panels and the river between them leave none of the screen showing.
bool Floodpass::riverCoversScreen() {
    ScreenCover cover;
    cover.add(panelLeft, 0, 0);
    if (panelRight) cover.add(panelRight, ScreenCanvas::screenWidth - panelRight->getWidth(), 0);
    cover.add(ring, riverX0, ringOffset, riverX0, 0, riverWidth, visibleHeight);
    if (ringOffset > 0)
        cover.add(ring, riverX0, ringOffset - cellSize - visibleHeight, riverX0, 0, riverWidth, visibleHeight);
    return cover.whole();
}

void Floodpass::paintEntities(int layer) {
    const int bottom = top - visibleHeight;
    for (int i = firstEntity; i < entities->length; ++i) {
        const EntityPtr entity = entities[i];
        if (entity->y <= bottom) continue;
        if (entity->y - entity->height >= top) break;
        if (entity->layer == layer) entity->paint(riverX0);
    }
}

void Floodpass::paintPlane() {
    const int x = riverX0 + planeX, y = top - planeY;
    if (planeState == planeFlying) {
        const bool hidden = invulnerable && (invulnerableCounter / blinkPeriod) % 2 == 1;
        if (!hidden) {
            if (!KeyState::left && !KeyState::right) {
                planeImage->drawAt(x, y);
            } else {
                const AnimationPtr& banking = KeyState::left ? bankLeft : bankRight;
                banking->paint(x, y);
                if (banking->current >= lastFrame(banking)) banking->playing = false;
            }
        }
    } else {
        planeExplosion->paint(x, y);
    }
    if (shotState == shotFlying) shotImage->drawAt(riverX0 + shotX, top - shotY);
}

void Floodpass::paintHud() {
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    const int w = lifeImage->width, h = lifeImage->height;
    if (lives >= 1) lifeImage->drawAt(width - w, height - h);
    if (lives >= 2) lifeImage->drawAt(width - 2 * w - 2, height - h);
    if (lives >= 3) lifeImage->drawAt(width - w / 2 - w - 1, height - 2 * h);
    barrelImage->drawAt(0, height - barrelImage->height);
    if (fuel > 0) {
        // The cut is taken from the bar's own height each time, and never beyond it.
        const int cut = std::min(fuelBarHeight, fuel * fuelBarHeight / fullFuel);
        fuelBarImage->height = cut;
        fuelBarImage->drawAt((barrelImage->width - fuelBarImage->width) / 2,
                             height - barrelImage->height - cut + fuelBarHeight + 3);
        fuelBarImage->height = fuelBarHeight;
    }
    paintScore();
}

// Beside the river the score stands on a tab of the right panel that reaches into the field
// only as far as the digits need, so that they never straddle the panel's edge.
void Floodpass::paintScore() {
    const int width = ScreenCanvas::screenWidth;
    const ImageFontPtr font = ScreenCanvas::font(ScreenCanvas::numberFont1);
    const DStringPtr text = DStringPtr(u"") + score;
    if (scoreTab) {
        const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
        const int tabWidth = std::max(panelRight->getWidth(), font->stringWidth(text) + 5);
        const int tabHeight = font->getHeight() + 4;
        g->setClip(width - tabWidth, 0, tabWidth, tabHeight);
        g->drawImage(scoreTab, width - tabWidth, tabHeight, DGraphics::LEFT | DGraphics::BOTTOM);
        g->setClip(0, 0, width, ScreenCanvas::screenHeight);
    }
    font->drawString(text, width - 2, 2, DGraphics::RIGHT | DGraphics::TOP);
}

void Floodpass::paintEnd() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    g->setColor(0x000000);
    g->fillRect(0, 0, width, height);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int fh = banner->getHeight();
    banner->drawString(StringManager::getProperty(state == overState ? u"gameover" : u"gamecomplete"), width / 2,
                       height / 2 - 2 * fh - 3, centreTop);
    banner->drawString(StringManager::getText(u"score") + u" " + score, width / 2, height / 2 - fh, centreTop);
}

void Floodpass::paintLevelStart() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    g->setColor(0x000000);
    g->fillRect(0, 0, width, height);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int fh = banner->getHeight(), y0 = height / 2 - 2 * fh - 3;
    banner->drawString(StringManager::getText(u"level") + u" " + (levelIndex + 1), width / 2, y0, centreTop);
    banner->drawString(StringManager::getText(u"score") + u" " + score, width / 2, y0 + fh + 3, centreTop);
    const int w = lifeImage->width;
    for (int i = 0; i < lives; ++i) lifeImage->drawAt((width - (w + 3) * lives) / 2 + (w + 3) * i, y0 + 2 * (fh + 3));
}

// ---- Leaving ----

void Floodpass::stop() {
    Sound::stopAll();
    if (menu) menu->detach();
    GameMenu::arrowUp = GameMenu::arrowDown = GameMenu::pauseImage = nullptr;
    Sound::release();
    if (ImageAtlas::imageAtlas) ImageAtlas::imageAtlas->clear();
    releaseStatics();
}

void Floodpass::releaseStatics() {
    levelMap = nullptr;
    entities = nullptr;
    ring = nullptr;
    ringGraphics = nullptr;
    planeImage = lifeImage = barrelImage = fuelBarImage = shotImage = nullptr;
    bankLeft = bankRight = planeExplosion = nullptr;
    Entity::releaseKinds();
    Screens::release();
    menu = nullptr;
    splash = panelLeft = panelRight = pauseButton = scoreTab = nullptr;
    state = menuState;
    page = previousPage = mainPage;
    brokenData = false;
}
