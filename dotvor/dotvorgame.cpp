#include "dotvorgame.h"
#include <algorithm>
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dotvor.h"
#include "drawingtarget.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "imagefont.h"
#include "keystate.h"
#include "screencanvas.h"
#include "sound.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImagePtr;

DotvorGamePtr DotvorGame::game;
int32_t DotvorGame::playMode = 0;
int32_t DotvorGame::gameMode = DotvorGame::classic;
bool DotvorGame::levelsRandom = false;
int32_t DotvorGame::mapWidth = 0, DotvorGame::mapHeight = 0;
int32_t DotvorGame::cellWidth = 0, DotvorGame::cellHeight = 0;
int32_t DotvorGame::score = 0;
int32_t DotvorGame::lives = 0;
int32_t DotvorGame::fruitsEaten = 0;
int32_t DotvorGame::ghostsEaten = 0;
bool DotvorGame::ghostTouchEats = false;
bool DotvorGame::levelEnded = false;
int32_t DotvorGame::introSteps = 0, DotvorGame::levelEndSteps = 0, DotvorGame::gameOverSteps = 0;
int32_t DotvorGame::fruitDelay = 0;
int32_t DotvorGame::frightenSteps = 0;
int64_t DotvorGame::timeLimit = 0, DotvorGame::timeElapsed = 0, DotvorGame::pelletMoveTimer = 0;
int32_t DotvorGame::animTick = 0;
DWORD DotvorGame::animStamp = 0;
bool DotvorGame::animChanged = false;
int32_t DotvorGame::wallSet = 0;
int32_t DotvorGame::viewX = 0, DotvorGame::viewY = 0;
bool DotvorGame::newFrame = false;
int32_t DotvorGame::lastPointerX = -1, DotvorGame::lastPointerY = -1;
int32_t DotvorGame::playerSpeed = 3, DotvorGame::ghostSpeedNormal = 3, DotvorGame::ghostSpeedKill = 3,
        DotvorGame::ghostSpeedFrightened = 2, DotvorGame::ghostSpeedEyes = 4, DotvorGame::fruitSpeed = 10;
MapBasePtr DotvorGame::map;
DotvorBasePtr DotvorGame::player;
SpookyBasePtr DotvorGame::ghosts[4];
FruitBasePtr DotvorGame::fruit;
SpriteBasePtr DotvorGame::sprites[spriteSlots];
vector_3dPtr DotvorGame::ghostStartA, DotvorGame::ghostStartB, DotvorGame::ghostStartC, DotvorGame::ghostStartD;
GameImageArrayPtr DotvorGame::playerImages, DotvorGame::poweredImages, DotvorGame::ghostImages,
    DotvorGame::scoreImages;
AnimationPtr DotvorGame::deathFrames, DotvorGame::changeFrames;
AnimationPtr DotvorGame::fruitFrames[fruitKinds + 1];

namespace {

const char16_t* const soundNames[] = {
    u"/dtv/sound/eat the dot",   u"/dtv/sound/restart a ghost", u"/dtv/sound/newlevel",
    u"/dtv/sound/die",           u"/dtv/sound/eat the fruit",   u"/dtv/sound/eat the ghost",
    u"/dtv/sound/move the fruit", u"/dtv/sound/got the life",   u"/dtv/sound/menu",
    u"/dtv/sound/eat the super dot", u"/dtv/sound/game"};
const char16_t* const fruitNames[] = {u"cherry", u"vine", u"orange", u"plum", u"apple", u"pear", u"strawberries"};
const char16_t* const ghostColours[] = {u"red", u"green", u"orange", u"yellow"};
const char16_t* const ghostExtras[] = {u"eye1.png", u"eye2.png", u"eye3.png_mr", u"eye3.png",
                                       u"eyeD.png", u"eyeU.png", u"eyeR.png", u"eyeR.png_mr"};
const int32_t scorePoints[] = {200, 400, 800, 1000, 1600, 2000, 3000, 4000, 5000};
// The tile set of each map.
constexpr int32_t mapWallSets[] = {3, 1, 2, 3, 0, 1, 3, 2, 0, 1, 1, 1, 0};

constexpr int32_t ghostTableSlots = 44;
// The maze clock ticks this often (milliseconds).
constexpr int32_t animMillis = 200;

DStringPtr mapName(int32_t index) {
    return DStringPtr(index < 10 ? u"/dtv/maps/map0" : u"/dtv/maps/map") + index + u".txt";
}

}  // namespace

int32_t& DotvorGame::level() { return GameTables::dotvorCounters[0]; }

// ---- Set-up ----

void DotvorGame::init() {
    try {
        Sound::loadSounds(soundNames);
        StringManager::loadProperties(u"/dtv/dotvor_anim");
        loadPictures();
        MapBase::loadTiles();
    } catch (DExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"Can't create dotvor game ") + DFailureReason::of(e));
    }
    const GameImagePtr& floor = MapBase::tiles[0][0];
    cellWidth = cellHeight = floor ? floor->width : 0;
    setSpeeds();
    introSteps = levelEndSteps = gameOverSteps = 0;
    level() = 0;
    GameTables::dotvorCounters[1] = 0;
    fruitsEaten = ghostsEaten = 0;
    levelsRandom = false;
}

void DotvorGame::loadPictures() {
    playerImages = new GameImageArray(16);
    const char16_t* const sides[] = {u"right", u"left", u"top", u"bottom"};
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < 4; ++i)
            playerImages[side * 4 + i] =
                GameImage::load(DStringPtr(u"dotvor_") + sides[side] + ((i + 1) % 4 + 1) + u".png");
    poweredImages = new GameImageArray(16);
    const char16_t* const letters[] = {u"R", u"L", u"U", u"D"};
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < 4; ++i) {
            const int number = side < 2 ? (i + 1) % 4 + 1 : i + 1;
            poweredImages[side * 4 + i] = GameImage::load(DStringPtr(u"dotvor_m_") + letters[side] + number + u".png");
        }
    deathFrames = Animation::fromProperty(u"dotvor-death");
    changeFrames = Animation::fromProperty(u"dotvor-change");
    ghostImages = new GameImageArray(ghostTableSlots);
    for (int colour = 0; colour < 4; ++colour) {
        const DStringPtr base = ghostColours[colour];
        ghostImages[colour * 4] = GameImage::load(base + u"_forward.png");
        ghostImages[colour * 4 + 1] = GameImage::load(base + u"_upward.png");
        ghostImages[colour * 4 + 2] = GameImage::load(base + u"_right.png_mr");
        ghostImages[colour * 4 + 3] = GameImage::load(base + u"_right.png");
    }
    for (int i = 0; i < 8; ++i) ghostImages[16 + i] = GameImage::load(ghostExtras[i]);
    for (int kind = 1; kind <= fruitKinds; ++kind) fruitFrames[kind] = Animation::fromProperty(fruitNames[kind - 1]);
    scoreImages = new GameImageArray(spriteSlots);
    for (int i = 0; i < spriteSlots; ++i)
        scoreImages[i] = GameImage::load(DStringPtr(u"cipher") + scorePoints[i] + u".png");
    for (SpriteBasePtr& slot : sprites) slot = nullptr;
}

void DotvorGame::setSpeeds() {
    const int32_t s = cellWidth;
    if (s > 9) {
        playerSpeed = ghostSpeedNormal = ghostSpeedKill = s / 3;
        ghostSpeedFrightened = 2 * s / 9;
        ghostSpeedEyes = 4 * s / 9;
        fruitSpeed = 10 * s / 9;
    } else {
        playerSpeed = ghostSpeedNormal = ghostSpeedKill = 3;
        ghostSpeedFrightened = 2;
        ghostSpeedEyes = 4;
        fruitSpeed = 10;
    }
}

void DotvorGame::release() {
    playerImages = nullptr;
    ghostImages = nullptr;
    for (SpriteBasePtr& slot : sprites) slot = nullptr;
    player = nullptr;
    for (SpookyBasePtr& ghost : ghosts) ghost = nullptr;
    map = nullptr;
}

int32_t DotvorGame::randomInt(int32_t n) { return GameLib::sharedRandom->nextAbsMod(n); }

int32_t DotvorGame::randomPercent() { return GameLib::sharedRandom->nextAbsMod(100); }

// ---- Games and levels ----

bool DotvorGame::newGame() {
    if (cellWidth < 1 || cellHeight < 1) return refuse(u"no floor picture gives the cell size");
    if (mapWidth < 1 || mapHeight < 1) return refuse(u"the first map gives no maze size");
    map = new MapBase(mapWidth, mapHeight, cellWidth, cellHeight);
    level() = 0;
    GameTables::dotvorCounters[1] = 0;
    score = 0;
    levelEndSteps = 0;
    lives = 5;
    fruitsEaten = ghostsEaten = 0;
    levelEnded = false;
    if (!loadLevel(-1)) return false;
    centreView();
    return true;
}

bool DotvorGame::refuse(const DStringPtr& why) {
    DamageLog::name(DStringPtr(u"Dotvor cannot be played: ") + why);
    return false;
}

bool DotvorGame::loadLevel(int32_t) {
    if (levelEndSteps != 0) {
        levelEndSteps -= 1;
        if (levelEndSteps != 0) return false;
    }
    level() += 1;
    if (!loadMap(mapIndex(level()))) {
        endGame();
        return false;
    }
    prepareLevel();
    return true;
}

void DotvorGame::prepareLevel() {
    placeEnergiser();
    placeGhostsAtRandom();
    pelletMoveTimer = 0;
    timeElapsed = 0;
    startLevel();
    fruitsEaten = 0;
}

int32_t DotvorGame::mapIndex(int32_t levelNumber) {
    if (levelsRandom) return randomPercent() * (mapCount - 1) / 100;
    const int32_t index = (levelNumber - 1) % mapCount;
    return index < 0 ? 0 : index;
}

bool DotvorGame::loadMap(int32_t index) {
    const DStringPtr name = mapName(index);
    DStringPtr fault;
    try {
        map->load(name);
        fault = map->fault();
    } catch (DExceptionPtr& e) {
        fault = DFailureReason::of(e);
    }
    if (fault) return refuse(name + u": " + fault);
    wallSet = mapWallSets[index];
    MapBase::tileSet = wallSet;
    map->chooseTiles();
    return true;
}

// Random places come only from cells the player can reach: an energiser or a ghost shut
// away would make the level impossible.
bool DotvorGame::drawCell(const MapBase::Cells& cells, int32_t* x, int32_t* y) {
    if (cells.empty()) return false;
    const auto& chosen = cells[randomInt(int32_t(cells.size()))];
    *x = chosen.first;
    *y = chosen.second;
    return true;
}

void DotvorGame::placeEnergiser() {
    energiserCell = nullptr;
    if (gameMode != timeRun) return;
    int32_t x, y;
    if (!drawCell(map->reachableEmptyCells(), &x, &y)) return;
    energiserCell = map->getCell(x, y);
    energiserCell->content = CellBase::energiser;
}

void DotvorGame::placeGhostsAtRandom() {
    if (gameMode != ghostHunt) return;
    const MapBase::Cells cells = map->emptyCellsAwayFromStart(huntRestartMoves);
    for (const vector_3dPtr& start : {ghostStartA, ghostStartB, ghostStartC, ghostStartD}) {
        int32_t x, y;
        if (drawCell(cells, &x, &y)) start->set(x * cellWidth, y * cellHeight);
    }
}

void DotvorGame::startLevel() {
    Sound::play(newLevelSound, 1);
    levelEnded = false;
    for (SpriteBasePtr& slot : sprites) slot = nullptr;
    frightenSteps = 0;
    player = new DotvorBase();
    player->setPosition(map->playerStart->x, map->playerStart->y);
    constexpr int32_t kinds[] = {0, 1, 3, 2};
    const int32_t delays[] = {5 * stepsPerSecond, 15 * stepsPerSecond, 2 * 15 * stepsPerSecond,
                              3 * 15 * stepsPerSecond};
    const vector_3dPtr starts[] = {ghostStartA, ghostStartB, ghostStartC, ghostStartD};
    for (int i = 0; i < 4; ++i) {
        ghosts[i] = new SpookyBase(kinds[i], delays[i]);
        ghosts[i]->setPosition(starts[i]->x, starts[i]->y);
    }
    fruit = nullptr;
    fruitDelay = (gameMode == fruitHunt ? 3 : 30) * stepsPerSecond;
    introSteps = levelEndSteps = gameOverSteps = 2 * stepsPerSecond;
    if (gameMode == ghostHunt) {
        frightenSteps = INT32_MAX;
        for (const SpookyBasePtr& ghost : ghosts) {
            ghost->startDelay = 0;
            ghost->frightened = true;
        }
        for (int i = 1; i <= 3; ++i)
            if (ghostsEaten >= i) ghosts[i]->frightened = false;
        timeLimit = std::max<int64_t>((61 - level()) * 1000LL, shortestKillTime);
    }
    if (gameMode == timeRun) timeLimit = (level() + 1) * 30000LL;
}

// ---- The step ----

void DotvorGame::update() {
    const bool pauseKey = pauseLatch.take();
    if (KeyState::numberEntered) {
        KeyState::numberEntered = false;
        if (KeyState::enteredNumber == 0) {
            ghostTouchEats = !ghostTouchEats;
        } else {
            levelEnded = true;
            level() = KeyState::enteredNumber - 1;
            loadLevel(-1);
            if (playMode == 0) return;
        }
    }
    const DImagePtr& sign = GameMenu::pauseImage;
    const int signWidth = sign ? sign->getWidth() : 0, signHeight = sign ? sign->getHeight() : 0;
    if (KeyState::leftSoft || KeyState::rightSoft || pauseKey ||
        (KeyState::pointerDown && KeyState::pointerX > ScreenCanvas::screenWidth - signWidth &&
         KeyState::pointerY < signHeight)) {
        KeyState::leftSoft = KeyState::rightSoft = KeyState::pauseKey = false;
        KeyState::pointerDown = false;
        Sound::pauseAll();
        Dotvor::showMenuPage(Dotvor::pausePage);
        playMode = 0;
        return;
    }
    if (checkGameOver()) return;
    applyLevelRules();
    if (levelEnded && !loadLevel(-1)) return;
    if (introSteps > 0) {
        introSteps -= 1;
        if (introSteps != 0) return;
    }
    stepFruit();
    if (millisSince(animStamp) > animMillis) {
        animTick += 1;
        animStamp = GetTickCount();
        animChanged = true;
    }
    stepActors();
}

bool DotvorGame::checkGameOver() {
    if (!player || lives >= 0 || gameOverSteps == 0) return false;
    gameOverSteps -= 1;
    if (gameOverSteps != 0) return false;
    Sound::stopAll();
    playMode = 0;
    player = nullptr;
    if (score < 0) score = 0;
    GameMenuPtr menu = GameTables::dotvorMenu;
    menu->loadHighScores(gameMode, GameTables::dotvorId);
    if (menu->isHighScore(score)) {
        menu->enterName();
    } else {
        Dotvor::showMenuPage(Dotvor::mainPage);
    }
    return true;
}

// The clocks stand still while a finished level waits for the next map: a time-out then
// must neither cost a life nor undo the level.
void DotvorGame::applyLevelRules() {
    if (map->dotsLeft < 1) levelEnded = true;
    if (gameMode == fruitHunt && fruitsEaten >= level() * 3) levelEnded = true;
    if (levelEnded || (gameMode != timeRun && gameMode != ghostHunt)) return;
    if (playMode == 1) timeElapsed += stepMillis;
    if (gameMode == ghostHunt) {
        // Two ghosts can be eaten in one step.
        if (ghostsEaten >= 4) {
            levelEnded = true;
            ghostsEaten = 0;
        } else if (timeElapsed >= timeLimit) {
            timeElapsed = 0;
            lives -= 1;
            if (lives >= 0) startLevel();
        }
        return;
    }
    if (!energiserCell) return;
    if (timeElapsed < timeLimit) {
        if (pelletMoveTimer <= 0) {
            pelletMoveTimer = 30000;
            moveEnergiser();
        }
    } else {
        levelEnded = true;
    }
    pelletMoveTimer -= stepMillis;
}

void DotvorGame::moveEnergiser() {
    int32_t x, y;
    if (!drawCell(map->reachableEmptyCells(), &x, &y)) return;
    if (energiserCell->content == CellBase::energiser) {
        energiserCell->content = CellBase::empty;
        const rectanglePtr& area = energiserCell->area;
        map->clearCell(area->left / cellWidth, area->top / cellHeight);
    }
    energiserCell = map->getCell(x, y);
    energiserCell->content = CellBase::energiser;
}

// A fruit starts on a tunnel cell, or anywhere the player can go in a maze without one.
void DotvorGame::stepFruit() {
    if (!fruit && fruitDelay < 1) {
        MapBase::Cells cells = map->tunnelCells();
        if (cells.empty()) cells = map->reachableEmptyCells();
        int32_t x, y;
        if (drawCell(cells, &x, &y)) {
            fruit = new FruitBase();
            fruit->kind = 1 + randomInt(fruitKinds);
            fruit->setPosition(x * cellWidth, y * cellHeight);
        }
    } else {
        fruitDelay -= 1;
    }
    if (FruitBasePtr current = fruit) current->update();
}

void DotvorGame::stepActors() {
    if (lives >= 0) {
        // The player may start the level again, which replaces it: it is held while it steps.
        if (DotvorBasePtr current = player) {
            current->update();
        } else {
            GameLib::diagnose(u"Error player is null!");
        }
    }
    for (int i = 0; i < 4; ++i)
        if (SpookyBasePtr ghost = ghosts[i]) ghost->update();
    for (SpriteBasePtr& slot : sprites)
        if (slot) slot->update();
}

// A map that cannot be played ends the game with a diagnostic; back to the main page.
void DotvorGame::endGame() {
    Sound::stopAll();
    playMode = 0;
    player = nullptr;
    Dotvor::showMenuPage(Dotvor::mainPage);
}

// ---- Drawing ----

void DotvorGame::paint() {
    if (!map) return;
    if (map->dotsLeft < 1 && levelEndSteps != 0) return;
    if (introSteps > 0) {
        paintIntro();
    } else if (lives < 0) {
        paintGameOver();
    } else {
        paintPlay();
    }
}

void DotvorGame::paintIntro() {
    fillScreen(backgroundColour);
    const ImageFontPtr title = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int x = ScreenCanvas::screenWidth / 2, line = title->getHeight() + 3;
    const int anchor = DGraphics::HCENTER | DGraphics::TOP;
    int y = (ScreenCanvas::screenHeight - 30) / 2;
    title->drawString(StringManager::getText(u"level") + u" " + level(), x, y, anchor);
    y += line;
    title->drawString(StringManager::getText(u"score") + u" " + score, x, y, anchor);
    y += line;
    const GameImagePtr picture = playerImages ? GameImagePtr(playerImages[2]) : GameImagePtr();
    if (!picture || lives <= 0) return;
    const int spacing = cellWidth + 4, rowWidth = lives * spacing - 4;
    const DrawingTarget target(screen());
    for (int i = 0; i < lives; ++i) drawAt(picture, x - rowWidth / 2 + i * spacing, y);
}

void DotvorGame::paintGameOver() {
    fillScreen(backgroundColour);
    const ImageFontPtr title = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int x = ScreenCanvas::screenWidth / 2, line = title->getHeight() + 3;
    const int anchor = DGraphics::HCENTER | DGraphics::TOP;
    const int y = ScreenCanvas::screenHeight / 2 - 2 * title->getHeight() - 3;
    title->drawString(StringManager::getProperty(u"gameover"), x, y, anchor);
    title->drawString(StringManager::getText(u"score") + u" " + score, x, y + line, anchor);
}

void DotvorGame::paintPlay() {
    const int screenWidth = ScreenCanvas::screenWidth;
    const int mazeWidth = (mapWidth + 2) * cellWidth;
    if (mazeWidth > screenWidth && player) {
        const int half = screenWidth / 2, centre = player->position->x + cellWidth / 2;
        viewX = centre <= half ? 0 : centre < mazeWidth - half ? half - centre : screenWidth - mazeWidth;
    }
    map->paint(viewX, viewY, wallSet, backgroundColour);
    paintActors();
    paintCounter();
    // A missing pause sign is not drawn.
    if (const DImagePtr& sign = GameMenu::pauseImage)
        screen()->drawImage(sign, screenWidth, 0, DGraphics::RIGHT | DGraphics::TOP);
}

void DotvorGame::paintActors() {
    const DrawingTarget target(screen());
    if (fruit) fruit->paint(viewX, viewY);
    for (const SpookyBasePtr& ghost : ghosts)
        if (ghost) ghost->paint(viewX, viewY);
    if (player && lives >= 0) player->paint(viewX, viewY);
    for (const SpriteBasePtr& slot : sprites)
        if (slot) slot->paint(viewX, viewY);
}

void DotvorGame::paintCounter() {
    int64_t shown;
    if (gameMode == timeRun || gameMode == ghostHunt) {
        shown = (timeLimit - timeElapsed) / 1000;
    } else if (gameMode == fruitHunt) {
        shown = level() * 3 - fruitsEaten;
    } else {
        return;
    }
    ScreenCanvas::font(ScreenCanvas::numberFont1)
        ->drawString(DStringPtr(u"") + int(std::max<int64_t>(shown, 0)), 2, viewY, DGraphics::LEFT | DGraphics::TOP);
}

void DotvorGame::centreView() {
    const int screenWidth = ScreenCanvas::screenWidth, screenHeight = ScreenCanvas::screenHeight;
    const int width = map->pixelWidth(), height = map->pixelHeight();
    viewX = (screenWidth - width) >> 1;
    viewY = (screenHeight - height) >> 1;
    if (width <= screenWidth) {
        viewX -= 7;
        return;
    }
    if (!player) return;
    const int low = 20 * screenWidth / 100, high = 80 * screenWidth / 100;
    const int x = player->position->x + viewX;
    if (x > high) viewX -= x - high;
    if (x < low) viewX += low - x;
    const int lowY = 20 * screenHeight / 100, highY = 80 * screenHeight / 100;
    const int y = player->position->y + viewY;
    if (y > highY) viewY -= y - highY;
    if (y < lowY) viewY += lowY - y;
}

// ---- Steering ----

int32_t DotvorGame::readDirection() {
    if (KeyState::right) return 1;
    if (KeyState::left) return 0;
    if (KeyState::up) return 2;
    if (KeyState::down) return 3;
    if (KeyState::fire || KeyState::rightSoft) return 4;
    if (!KeyState::pointerDown) return -1;
    if (newFrame && KeyState::pointerX == lastPointerX && KeyState::pointerY == lastPointerY) return -1;
    newFrame = false;
    lastPointerX = KeyState::pointerX;
    lastPointerY = KeyState::pointerY;
    if (!player) return -1;
    const int sx = KeyState::pointerX - viewX, sy = KeyState::pointerY - viewY;
    const int px = player->position->x, py = player->position->y;
    const bool inRow = py < sy && sy < py + cellHeight, inColumn = px < sx && sx < px + cellWidth;
    if (inRow && inColumn) {
        KeyState::pointerDown = false;
        return -1;
    }
    if (inRow) return sx - px < 1 ? 0 : 1;
    if (inColumn) return sy - py > 0 ? 3 : 2;
    const int dx = sx - px, dy = sy - py;
    if (std::abs(dy) < std::abs(dx)) return dx < 1 ? 0 : 1;
    return dy > 0 ? 3 : 2;
}

// ---- Drawing routines and helpers ----

void DotvorGame::drawAt(const GameImagePtr& image, int x, int y) {
    if (image) image->drawAt(x, y);
}

void DotvorGame::drawCentred(const GameImagePtr& image, int x, int y) {
    if (image) image->drawAt(x - image->width / 2, y - image->height / 2);
}

void DotvorGame::fillScreen(int32_t colour) {
    screen()->setColor(colour);
    screen()->fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
}

const DGraphicsPtr& DotvorGame::screen() { return ScreenCanvas::screenGraphics; }

int32_t DotvorGame::frameCount(const AnimationPtr& animation) {
    return animation && animation->frames ? animation->frames->length : 0;
}

GameImagePtr DotvorGame::frame(const AnimationPtr& animation, int32_t index) {
    if (index < 0 || index >= frameCount(animation)) return nullptr;
    return animation->frames[index];
}

void DotvorGame::releaseStatics() {
    if (game) game->release();
    game = nullptr;
    map = nullptr;
    player = nullptr;
    fruit = nullptr;
    for (SpookyBasePtr& ghost : ghosts) ghost = nullptr;
    for (SpriteBasePtr& slot : sprites) slot = nullptr;
    ghostStartA = ghostStartB = ghostStartC = ghostStartD = nullptr;
    playerImages = poweredImages = ghostImages = scoreImages = nullptr;
    deathFrames = changeFrames = nullptr;
    for (AnimationPtr& frames : fruitFrames) frames = nullptr;
    MapBase::releaseStatics();
    playMode = 0;
    levelsRandom = ghostTouchEats = levelEnded = false;
    score = lives = fruitsEaten = ghostsEaten = 0;
    introSteps = levelEndSteps = gameOverSteps = 0;
    frightenSteps = fruitDelay = 0;
    timeLimit = timeElapsed = pelletMoveTimer = 0;
    lastPointerX = lastPointerY = -1;
    animTick = 0;
    animStamp = 0;
    animChanged = false;
}
