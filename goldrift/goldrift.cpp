#include "goldrift.h"
#include <algorithm>
#include "damagelog.h"
#include "dexception.h"
#include "dgraphics.h"
#include "drawingtarget.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imageatlas.h"
#include "imagefont.h"
#include "keystate.h"
#include "mapfile.h"
#include "menuitems.h"
#include "pathfield.h"
#include "runner.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::io::DInputStreamPtr;
using dfc::lang::DcharArray;
using dfc::lang::DcharArrayPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DintArray2d;
using dfc::lang::DshortArray2d;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

GoldriftPtr Goldrift::theGame;
int32_t Goldrift::gameState = Goldrift::menuState;
int32_t Goldrift::pauseTime = 0;
int32_t Goldrift::level = 1;
int32_t Goldrift::openLevel = 1;
int32_t Goldrift::lives = Goldrift::startLives;
int32_t Goldrift::score = 0;
bool Goldrift::invulnerable = false;
int32_t Goldrift::goldLeft = 0;
int32_t Goldrift::exitCell = -1;
int32_t Goldrift::stepPhase = 0;
int32_t Goldrift::shineDiagonal = 0;
bool Goldrift::pathsReset = true;
RunnerPtr Goldrift::hero;
RunnerArrayPtr Goldrift::enemies;
int32_t Goldrift::enemyCount = 0;
dfc::lang::DintArray2dPtr Goldrift::holes;
int32_t Goldrift::cameraX = 0, Goldrift::cameraY = 0;
DcharArrayPtr Goldrift::grid;
int32_t Goldrift::gridWidth = 0, Goldrift::gridHeight = 0;
dfc::lang::DshortArray2dPtr Goldrift::paths;
dfc::lang::DshortArrayPtr Goldrift::distance;
dfc::lang::DshortArrayPtr Goldrift::frontier;
int32_t Goldrift::tileWidth = 16, Goldrift::tileHeight = 16, Goldrift::viewWidth = 0, Goldrift::viewHeight = 0;
int32_t Goldrift::ringColumns = 0, Goldrift::ringRows = 0, Goldrift::ringWidth = 0, Goldrift::ringHeight = 0;
DImagePtr Goldrift::ringImage;
GameMenuPtr Goldrift::menu;
int32_t Goldrift::menuMode = Goldrift::mainMode, Goldrift::previousMode = Goldrift::mainMode;

namespace {

const char16_t* const soundNames[] = {
    u"/gdr/sound/menu",      u"/gdr/sound/levelbegin", u"/gdr/sound/walk",       u"/gdr/sound/rukohod",
    u"/gdr/sound/ladder",    u"/gdr/sound/fall",       u"/gdr/sound/bricksjig",  u"/gdr/sound/deadhero",
    u"/gdr/sound/deadenemy", u"/gdr/sound/brickzarast", u"/gdr/sound/enemyrespawn", u"/gdr/sound/levelexit",
    u"/gdr/sound/gold",      u"/gdr/sound/game"};

const char16_t* const poseKeys[Goldrift::poseCount] = {u"go_r", u"go_l", u"ladder", u"handrail_r", u"handrail_l",
                                                        u"fall_r", u"fall_l"};

// The menus darken the splash picture behind them by this much.
constexpr int32_t menuShade = -160;

DImagePtr splash;
GameImagePtr backgrounds[5];
GameImagePtr brickImage, armourImage, doorOpenImage, doorClosedImage;
GameImagePtr digImage, digImageLeft, cutImage, cutImageLeft, holeImage;
GameImagePtr goldImages[3];
GameImagePtr ladderImage, handrailImage;
GameImagePtr heroIdle, heroIdleLeft, enemyIdle, enemyIdleLeft;
AnimationPtr heroPoses[Goldrift::poseCount], enemyPoses[Goldrift::poseCount];
// The menu's item texts, looked up anew at every start.
DStringArrayPtr itemTexts;

}  // namespace

Goldrift::Goldrift() { theGame = this; }

// ---- Loading ----

void Goldrift::start() {
    splash = GameLib::showSplash(u"/gdr/splash.jpg", 10);
    SoundOptions(GameTables::goldriftId).load();
    StringManager::loadProperties(u"/res");
    GameLib::loadImageSet(u"/gdr/all");
    openLevel = std::clamp(GameMenu::loadOption(GameTables::goldriftId + u"openlevel", 1), 1, int(lastLevel));
    GameLib::advanceLoadingBar();
    loadImages();
    GameLib::advanceLoadingBar();
    loadAnimations();
    StringManager::loadProperties(u"/res");
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    setGeometry(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    GameLib::advanceLoadingBar();
    hero = new Runner();
    hero->isEnemy = false;
    enemies = new RunnerArray(maxEnemies);
    enemyCount = 0;
    holes = new DintArray2d(holeSlots, 2);
    for (int i = 0; i < holeSlots; ++i) holes[i][0] = -1;
    GameLib::advanceLoadingBar();
    makeMenu();
    createMenu(mainMode);
    gameState = menuState;
    Sound::play(menuTune, 1);
    stylusHeld = false;
    stylusDownTime = 0;
}

void Goldrift::loadImages() {
    backgrounds[0] = GameImage::load(u"background.png");
    for (int i = 1; i < 5; ++i) backgrounds[i] = GameImage::load(DStringPtr(u"background") + (i + 1) + u".png");
    brickImage = GameImage::load(u"brick.png");
    armourImage = GameImage::load(u"brick_armour.png");
    doorOpenImage = GameImage::load(u"door_open2.png");
    doorClosedImage = GameImage::load(u"door_close.png");
    digImage = GameImage::load(u"brick_disappear1.png");
    digImageLeft = GameImage::load(u"brick_disappear1.png_mr");
    cutImage = GameImage::load(u"brick_disappear2.png");
    cutImageLeft = GameImage::load(u"brick_disappear2.png_mr");
    holeImage = GameImage::load(u"brick_disappear3.png");
    for (int i = 0; i < 3; ++i) goldImages[i] = GameImage::load(DStringPtr(u"gold") + (i + 1) + u".png");
    ladderImage = GameImage::load(u"ladder.png");
    handrailImage = GameImage::load(u"handrail.png");
    heroIdle = GameImage::load(u"hero_idle.png");
    enemyIdle = GameImage::load(u"enemy_idle.png");
    heroIdleLeft = GameImage::load(u"hero_idle.png_mr");
    enemyIdleLeft = GameImage::load(u"enemy_idle.png_mr");
}

void Goldrift::loadAnimations() {
    StringManager::loadProperties(u"/gdr/anim");
    for (int i = 0; i < poseCount; ++i) {
        heroPoses[i] = poseAnimation(DStringPtr(u"anim_hero_") + poseKeys[i]);
        enemyPoses[i] = poseAnimation(DStringPtr(u"anim_enemy_") + poseKeys[i]);
    }
}

AnimationPtr Goldrift::poseAnimation(const DStringPtr& key) {
    // A missing key or picture has been named by the text or the atlas that lacks it.
    AnimationPtr animation = Animation::fromProperty(key);
    if (!animation || animation->frames->length == 0) return nullptr;
    return animation;
}

// The tile is the background picture's size; without one the game still runs on 16 x 16.
void Goldrift::setGeometry(int width, int height) {
    tileWidth = backgrounds[0]->width > 0 ? backgrounds[0]->width : 16;
    tileHeight = backgrounds[0]->height > 0 ? backgrounds[0]->height : 16;
    viewWidth = width;
    viewHeight = height;
    ringColumns = width / tileWidth + 2;
    ringWidth = ringColumns * tileWidth;
    ringRows = height / tileHeight + 2;
    ringHeight = ringRows * tileHeight;
    ringImage = DImage::createImage(ringWidth, ringHeight);
}

void Goldrift::makeMenu() {
    menu = new GameMenu();
    menu->blendImage(splash, menuShade);
    itemTexts = menuTexts();
}

// The item keys stay as the shared table has them; the texts are this start's own.
DStringArrayPtr Goldrift::menuTexts() {
    DStringArrayPtr texts = MenuItems::textsOf(GameTables::goldriftMenuItems);
    texts[soundItem] = SoundOptions::label(SoundOptions::effects);
    texts[musicItem] = SoundOptions::label(SoundOptions::music);
    return texts;
}

void Goldrift::createMenu(int mode) {
    previousMode = menuMode;
    menuMode = mode;
    menu->selected = 0;
    menu->firstVisible = 0;
    menu->selectionMade = false;
    menu->closeRequested = false;
    if (mode == mainMode || mode == pauseMode) {
        DStringArrayPtr items = new DStringArray(itemCount);
        for (int i = 0; i < itemCount; ++i) items[i] = itemTexts[i];
        MenuItems::setEnds(items, mode == pauseMode);
        menu->setItems(items);
        menu->mode = GameMenu::listPage;
    } else if (mode == helpMode) {
        menu->layoutText(u"/gdr/help.txt", nullptr);
        menu->mode = GameMenu::helpPage;
    } else if (mode == scoresMode) {
        menu->loadHighScores(GameTables::goldriftId, 1);
        menu->mode = GameMenu::scorePage;
    } else if (mode == levelMode) {
        menu->setItems(MenuItems::levelChoice(openLevel));
        menu->mode = GameMenu::listPage;
    }
    KeyState::fire = false;
    menu->lineHeight = 18;
}

// ---- Menus ----

void Goldrift::update() {
    switch (gameState) {
        case menuState: updateMenu(); break;
        case playState: updatePlay(); break;
        case introState:
            pauseTime -= GameLib::framePeriod;
            if (pauseTime <= 0) gameState = playState;
            break;
        case gameOverState:
            pauseTime -= GameLib::framePeriod;
            if (pauseTime <= 0) endGame();
            break;
        default: break;
    }
}

void Goldrift::updateMenu() {
    menu->handleKeys();
    if (menu->mode == GameMenu::namePage) {
        if (GameMenu::nameEntered) storeEnteredName();
        return;
    }
    if (menuMode == helpMode || menuMode == scoresMode) {
        if (!menu->closeRequested) return;
        if (menuMode == helpMode) {
            HelpLayout::clear();
        }
        createMenu(previousMode);
        return;
    }
    if (!menu->selectionMade) return;
    menu->selectionMade = false;
    const int chosen = menu->selected;
    if (menuMode == mainMode) {
        chooseMain(chosen);
    } else if (menuMode == pauseMode) {
        choosePause(chosen);
    } else if (chosen == openLevel) {
        createMenu(mainMode);
    } else {
        newGame(openLevel - chosen);
    }
}

void Goldrift::chooseMain(int item) {
    switch (item) {
        case startItem:
            if (openLevel == 1) {
                newGame(1);
            } else {
                createMenu(levelMode);
            }
            break;
        case scoresItem: createMenu(scoresMode); break;
        case helpItem: createMenu(helpMode); break;
        case soundItem: changeLevel(SoundOptions::effects); break;
        case musicItem: changeLevel(SoundOptions::music); break;
        case exitItem: GameLib::returnToShell(); break;
        default: break;
    }
}

void Goldrift::choosePause(int item) {
    switch (item) {
        case startItem:
            gameState = playState;
            KeyState::fire = false;
            Sound::resumeAll();
            break;
        case exitItem:
            createMenu(mainMode);
            Sound::stopAll();
            break;
        default: chooseMain(item); break;
    }
}

void Goldrift::changeLevel(SoundOptions::Kind kind) {
    const int item = kind == SoundOptions::music ? musicItem : soundItem;
    itemTexts[item] = SoundOptions(GameTables::goldriftId).step(kind);
    menu->items[item] = itemTexts[item];
}

void Goldrift::newGame(int startLevel) {
    gameState = introState;
    pauseTime = introTime;
    KeyState::fire = false;
    Sound::stopCurrent();
    Sound::play(levelBeginSound, 1);
    score = 0;
    level = startLevel;
    lives = startLives;
    if (!readMap(level)) return;
    Sound::play(gameTune, -1);
}

void Goldrift::storeEnteredName() {
    GameMenu::nameEntered = false;
    menu->loadHighScores(GameTables::goldriftId, 1);
    menu->insertHighScore(GameMenu::lastEnteredName, score);
    menu->saveHighScores(GameTables::goldriftId, 1);
    menuMode = mainMode;
    createMenu(scoresMode);
}

// The game is over (no lives left, or the last level done): the score may make the table.
void Goldrift::endGame() {
    gameState = menuState;
    Sound::stopAll();
    menu->loadHighScores(GameTables::goldriftId, 1);
    if (menu->isHighScore(score)) {
        menuMode = mainMode;
        menu->enterName();
    } else {
        createMenu(mainMode);
    }
}

// ---- Play ----

void Goldrift::updatePlay() {
    if (KeyState::numberEntered) {
        KeyState::numberEntered = false;
        const int n = KeyState::enteredNumber;
        if (n == 0) {
            invulnerable = !invulnerable;
        } else if (n >= 1 && n <= lastLevel) {
            level = n;
            readMap(n);
        }
    }
    if (gameState != playState) return;
    stepPhase ^= 1;
    const bool stepFrame = stepPhase == 0;
    if (stepFrame) playStep();
    if (gameState != playState) return;
    if (pauseRequested()) {
        KeyState::leftSoft = KeyState::rightSoft = KeyState::pauseKey = false;
        Sound::pauseAll();
        createMenu(pauseMode);
        gameState = menuState;
        return;
    }
    if (stepFrame && hero->state != Runner::falling) controls();
}

bool Goldrift::pauseRequested() const {
    if (KeyState::leftSoft || KeyState::rightSoft || KeyState::pauseKey) return true;
    return KeyState::pointerDown && KeyState::pointerX < iconWidth() &&
           KeyState::pointerY >= ScreenCanvas::screenHeight - iconHeight();
}

int32_t Goldrift::iconWidth() { return GameMenu::pauseImage ? GameMenu::pauseImage->getWidth() : 0; }

int32_t Goldrift::iconHeight() { return GameMenu::pauseImage ? GameMenu::pauseImage->getHeight() : 0; }

void Goldrift::playStep() {
    shineDiagonal += 1;
    if (shineDiagonal > 2 * (gridWidth + gridHeight)) shineDiagonal = 0;
    if (!stepHoles()) return;
    stepHero();
    if (gameState != playState) return;
    findPaths();
    stepEnemies();
}

// False when a brick grew back on the hero: the rest of the frame is skipped.
bool Goldrift::stepHoles() {
    for (int i = 0; i < holeSlots; ++i) {
        const int c = holes[i][0];
        if (c < 0) continue;
        const int time = holes[i][1] -= stepTime;
        const char16_t ch = grid[c];
        if (time > 0 && time < holeEdge && ch == u'd') {
            setCell(c, u'D');
            continue;
        }
        if (time > holeEdge && time < holeTime - holeEdge && ch == u'D') {
            setCell(c, u'd');
            continue;
        }
        if (time > 0) continue;
        // An invulnerable hero keeps the hole open until he has left it.
        if (invulnerable && hero->cell == c) continue;
        setCell(c, u'#');
        for (int e = 0; e < enemyCount; ++e) {
            const RunnerPtr& enemy = enemies[e];
            if (enemy->cell != c || enemy->state == Runner::buried) continue;
            enemy->state = Runner::buried;
            enemy->timer = buryTime;
            score += buryScore;
            Sound::play(enemyDeadSound, 1);
        }
        if (hero->cell == c) {
            loseLife();
            return false;
        }
        if (!Sound::isPlaying()) Sound::play(regrowSound, 1);
        holes[i][0] = -1;
    }
    return true;
}

void Goldrift::stepHero() {
    if (hero->state == Runner::digging) {
        hero->timer -= stepTime;
        if (hero->timer < 0) {
            hero->timer = 0;
            hero->state = Runner::standing;
        }
    }
    if (hero->state == Runner::falling) hero->moveVertical(1, true);
    if (!hero->cellEntered) return;
    hero->cellEntered = false;
    enterCell(hero);
    pathsReset = true;
}

void Goldrift::stepEnemies() {
    for (int i = 0; i < enemyCount && gameState == playState; ++i) stepEnemy(enemies[i]);
}

void Goldrift::stepEnemy(const RunnerPtr& enemy) {
    if (enemy->state == Runner::buried) {
        stepBuried(enemy);
    } else if (enemy->state == Runner::appearing) {
        if (enemy->timer > 0) {
            enemy->timer -= stepTime;
        } else {
            enemy->state = Runner::standing;
            enemy->cellEntered = true;
            enemy->timer = 0;
        }
    } else {
        const int v = distance[enemy->cell];
        if (enemy->state != Runner::trapped) {
            if (enemy->timer > 0) {
                enemy->timer -= stepTime;
            } else if ((GameLib::sharedRandom->next(32) & 0x2f) == 0) {
                enemy->timer = wanderTime;
            }
        }
        if (enemy->state == Runner::standing) enemy->timer = 0;
        if (enemy->state == Runner::falling) {
            enemy->moveVertical(1, true);
        } else if (enemy->state == Runner::trapped) {
            stepTrapped(enemy);
        } else {
            decide(enemy, v);
        }
    }
    if (!enemy->cellEntered) return;
    enemy->cellEntered = false;
    enterCell(enemy);
}

// Out of the brick at the first cell above that is not one, unless the hero stands there.
void Goldrift::stepBuried(const RunnerPtr& enemy) {
    if (enemy->timer > 0) {
        enemy->timer -= stepTime;
        return;
    }
    while (enemy->row > 0 && grid[enemy->cell] == u'#') {
        enemy->row -= 1;
        enemy->cell -= gridWidth;
    }
    if (hero->cell == enemy->cell) {
        enemy->timer = buryTime;
        return;
    }
    enemy->state = Runner::appearing;
    enemy->dirX = enemy->dirY = 0;
    enemy->timer = appearTime;
    Sound::play(respawnSound, 1);
}

void Goldrift::stepTrapped(const RunnerPtr& enemy) {
    enemy->timer -= stepTime;
    if (enemy->timer < 0) {
        if (enemy->row > 0 && grid[enemy->cell - gridWidth] == u'#') {
            enemy->state = Runner::buried;
            enemy->timer = buryTime;
            score += buryScore;
            Sound::play(enemyDeadSound, 1);
        } else {
            enemy->timer = 0;
            enemy->state = Runner::standing;
            enemy->row -= 1;
            enemy->cell -= gridWidth;
        }
    }
    // It shakes before it climbs out.
    if (enemy->timer >= 0 && enemy->timer <= shakeTime) enemy->dirX = -enemy->dirX;
}

void Goldrift::decide(const RunnerPtr& enemy, int v) {
    Runner& e = *enemy;
    if (!e.cellEntered && e.lastDistance == v && e.state != Runner::standing) {
        if (e.dirX == 0 && e.dirY != 0) {
            e.moveVertical(e.dirY, false);
        } else if (e.dirX != 0) {
            e.moveHorizontal(e.dirX);
        }
        return;
    }
    e.lastDistance = int16_t(v);
    if (v == -1) {
        wander(enemy);
        return;
    }
    const char16_t own = grid[e.cell];
    const bool canClimb = own == u'H' || (own == u'-' && e.row > 0 && grid[e.cell - gridWidth] == u'H');
    if (e.row < gridHeight - 1 && distance[e.cell + gridWidth] == v - 1) {
        e.state = Runner::climbing;
        e.dirX = 0;
        e.dirY = 1;
    } else if (e.row > 0 && canClimb && distance[e.cell - gridWidth] == v - 1) {
        e.state = Runner::climbing;
        e.dirX = 0;
        e.dirY = -1;
    } else if (e.col < gridWidth - 1 && distance[e.cell + 1] == v - 1) {
        if (e.state != Runner::hanging) e.state = Runner::walking;
        e.dirY = 0;
        e.dirX = e.timer <= 0 ? 1 : -1;
    } else if (e.col > 0 && distance[e.cell - 1] == v - 1) {
        if (e.state != Runner::hanging) e.state = Runner::walking;
        e.dirY = 0;
        e.dirX = e.timer <= 0 ? -1 : 1;
    }
}

// The hero is out of reach so far: along the floor, turning back at each decision.
void Goldrift::wander(const RunnerPtr& enemy) {
    Runner& e = *enemy;
    if (!isFree(e.col + 1, e.row, false) && !isFree(e.col - 1, e.row, false)) {
        if (!isFree(e.col, e.row + 1, false)) return;
        e.dirX = 0;
        e.dirY = 1;
        e.state = Runner::climbing;
        return;
    }
    e.dirX = e.dirX == 0 ? (GameLib::sharedRandom->next(32) > 0 ? 1 : -1) : -e.dirX;
    e.dirY = 0;
    e.state = Runner::walking;
}

// ---- The hero's controls ----

void Goldrift::controls() {
    Runner& h = *hero;
    readStylus();
    const bool held = stylusHeld && millisSince(stylusDownTime) > holdMillis;
    int vertical = 0;
    if (!KeyState::doubleTap && held) vertical = stylusRequest();
    if (KeyState::doubleTap) {
        KeyState::pointerDragged = true;
        KeyState::pointerDown = false;
        stylusHeld = false;
        const int x = h.col * tileWidth - cameraX + h.offsetX, y = h.row * tileHeight - cameraY + h.offsetY;
        const bool onHero = KeyState::pointerX >= x && KeyState::pointerX < x + heroIdle->width &&
                            KeyState::pointerY >= y && KeyState::pointerY < y + heroIdle->height;
        const int centre = x + heroIdle->width / 2;
        if (!onHero && KeyState::pointerX > centre && h.dirX < 0) h.dirX = 1;
        if (!onHero && KeyState::pointerX < centre && h.dirX > 0) h.dirX = -1;
        cutHole();
        KeyState::doubleTap = false;
    }
    if (KeyState::up) {
        climbUp();
    } else if (KeyState::down) {
        climbDown();
    } else if (vertical == 0) {
        if (h.state == Runner::climbing) h.frame = 0;
        if (KeyState::right) {
            walk(1);
        } else if (KeyState::left) {
            walk(-1);
        } else if (!held) {
            if (h.state == Runner::walking) h.state = Runner::standing;
            if (h.state == Runner::hanging) h.frame = 0;
        }
    }
    if (!(KeyState::fire || KeyState::key7 || KeyState::key9 || KeyState::star || KeyState::pound ||
          KeyState::minusTwoKey))
        return;
    if (KeyState::key9 || KeyState::pound || KeyState::minusTwoKey) h.dirX = 1;
    if (KeyState::key7 || KeyState::star) h.dirX = -1;
    KeyState::fire = KeyState::key7 = KeyState::key9 = false;
    cutHole();
}

void Goldrift::readStylus() {
    if (KeyState::pointerDown || KeyState::pointerDragged) {
        if (!stylusHeld) {
            stylusHeld = true;
            stylusDownTime = GetTickCount();
        }
    } else {
        stylusHeld = false;
    }
}

int Goldrift::stylusRequest() {
    Runner& h = *hero;
    const int width = heroIdle->width, height = heroIdle->height;
    const int x = h.col * tileWidth - cameraX + h.offsetX, y = h.row * tileHeight - cameraY + h.offsetY;
    const int px = KeyState::pointerX, py = KeyState::pointerY;
    const int cx = x + width / 2, cy = y + height / 2;
    const bool inRows = py >= y && py < y + height, inColumns = px >= x && px < x + width;
    int vertical = 0;
    if (inRows && inColumns) return 0;
    if (inRows) {
        if (h.state == Runner::climbing) h.frame = 0;
        walk(px > cx ? 1 : -1);
        return 0;
    }
    if (inColumns) {
        vertical = py < cy ? -1 : 1;
    } else {
        const int dx = px - cx, dy = py - cy;
        if (std::abs(dy) < std::abs(dx) || (grid[h.cell] != u'H' && h.state != Runner::climbing)) {
            if (h.state == Runner::climbing) h.frame = 0;
            walk(dx > 0 ? 1 : -1);
            return 0;
        }
        vertical = dy <= 0 ? -1 : 1;
    }
    if (vertical < 0) {
        climbUp();
    } else {
        climbDown();
    }
    return vertical;
}

void Goldrift::climbUp() {
    Runner& h = *hero;
    const char16_t own = grid[h.cell];
    if (own == u'H' || h.state == Runner::climbing) {
        h.state = Runner::climbing;
        h.moveVertical(-1, false);
    } else if (own == u'-' && h.row > 0 && grid[h.cell - gridWidth] == u'H') {
        h.row -= 1;
        h.cell -= gridWidth;
        h.offsetY = 3 + tileHeight / 2;
        h.state = Runner::climbing;
        h.moveVertical(-1, false);
    }
}

void Goldrift::climbDown() {
    Runner& h = *hero;
    if (h.row + 1 >= gridHeight) {
        if (h.state == Runner::hanging) h.state = Runner::falling;
        return;
    }
    if (grid[h.cell + gridWidth] == u'H' || h.state == Runner::climbing) {
        h.state = Runner::climbing;
        h.moveVertical(1, false);
    } else if (h.state == Runner::hanging) {
        h.state = Runner::falling;
    } else if (isFree(h.col, h.row + 1, true)) {
        h.state = Runner::falling;
    }
}

void Goldrift::walk(int dx) {
    if (hero->state != Runner::hanging) hero->state = Runner::walking;
    hero->moveHorizontal(dx);
}

// With dirX 0 (a fresh hero) the cut goes right, the way his picture faces.
bool Goldrift::cutHole() {
    Runner& h = *hero;
    const int col = h.col + (h.dirX < 0 ? -1 : 1), row = h.row + 1;
    if (col < 0 || col >= gridWidth || row >= gridHeight) return false;
    const int target = row * gridWidth + col;
    const char16_t above = grid[target - gridWidth];
    if (grid[target] != u'#' || !(above == u' ' || above == u'-' || above == u'd')) return false;
    for (int i = 0; i < holeSlots; ++i) {
        if (holes[i][0] >= 0) continue;
        holes[i][0] = target;
        holes[i][1] = holeTime;
        setCell(target, u'D');
        h.state = Runner::digging;
        h.timer = digTime;
        Sound::play(cutSound, 1);
        return true;
    }
    return false;
}

// ---- Cells ----

void Goldrift::setCell(int index, char16_t ch) {
    grid[index] = ch;
    drawCell(index % gridWidth, index / gridWidth);
}

bool Goldrift::isFree(int col, int row, bool falling) {
    if (col < 0 || row < 0 || col >= gridWidth || row >= gridHeight) return false;
    const char16_t ch = grid[row * gridWidth + col];
    if (PathField::isSolid(ch)) return false;
    return !(falling && ch == u'H');
}

bool Goldrift::canStand(int c, int dir) { return field().canStand(c, dir); }

void Goldrift::enterCell(const RunnerPtr& runner) {
    Runner& r = *runner;
    if (r.state == Runner::buried) return;
    const int c = r.cell;
    if (!r.isEnemy && grid[c] == u'E') {
        reachExit();
        return;
    }
    if (!r.isEnemy && grid[c] == u'$') {
        Sound::play(goldSound, 1);
        score += goldScore;
        goldLeft -= 1;
        if (goldLeft == 0 && exitCell >= 0) {
            setCell(exitCell, u'E');
            Sound::play(exitOpenSound, 1);
        }
        setCell(c, u' ');
    }
    if (grid[c] == u'G') {
        if (!r.isEnemy) {
            Sound::play(goldSound, 1);
            score += goldScore;
        }
        setCell(c, u' ');
    }
    const char16_t own = grid[c];
    if (own == u'-') {
        if (!(r.isEnemy && r.state == Runner::standing)) {
            r.state = Runner::hanging;
            r.offsetY = 0;
        }
    } else if (r.state == Runner::hanging) {
        r.state = Runner::walking;
    }
    if (r.row + 1 < gridHeight) {
        const char16_t below = grid[c + gridWidth];
        bool trappedBelow = false;
        for (int i = 0; i < enemyCount; ++i)
            trappedBelow = trappedBelow || (enemies[i]->cell == c + gridWidth && enemies[i]->state == Runner::trapped);
        if (!PathField::isSolid(below) && below != u'H' && own != u'-' && own != u'H' && !trappedBelow)
            r.state = Runner::falling;
    }
    if (r.isEnemy && PathField::isHole(own)) {
        r.state = Runner::trapped;
        r.timer = trapTime;
        r.offsetX = r.offsetY = 0;
        // Now and then it lets go of gold it carried, onto empty floor only.
        if ((GameLib::sharedRandom->next(32) & 15) < 2 && r.row > 0 && grid[c - gridWidth] == u' ')
            setCell(c - gridWidth, u'G');
    }
    catchHero();
}

void Goldrift::catchHero() {
    for (int i = 0; i < enemyCount; ++i) {
        const Runner& e = *enemies[i];
        if (e.state == Runner::appearing || e.state == Runner::buried || e.cell != hero->cell) continue;
        loseLife();
        return;
    }
}

void Goldrift::reachExit() {
    level += 1;
    if (level <= lastLevel) {
        gameState = introState;
        pauseTime = introTime;
        Sound::stopCurrent();
        Sound::play(levelBeginSound, 1);
        readMap(level);
        return;
    }
    endGame();
}

void Goldrift::loseLife() {
    if (invulnerable) return;
    if (lives > 0) {
        lives -= 1;
        gameState = introState;
        pauseTime = introTime;
        readMap(level);
        Sound::play(heroDeadSound, 1);
        return;
    }
    Sound::play(heroDeadSound, 1);
    gameState = gameOverState;
    pauseTime = gameOverTime;
}

// ---- The distance field ----

PathField Goldrift::field() { return PathField(grid->data, gridWidth, gridHeight, distance->data, frontier->data); }

void Goldrift::findPaths() {
    if (pathsReset) {
        for (int i = 0; i < enemyCount; ++i) enemies[i]->lastDistance = -1;
        field().restart(hero->cell);
        pathsReset = false;
        return;
    }
    field().expand(layersPerStep);
}

// ---- The map ----

bool Goldrift::readMap(int n) {
    MapFilePtr map = new MapFile();
    DStringPtr fault;
    try {
        DInputStreamPtr in = GameLib::openResource(DStringPtr(u"/gdr/maps/") + n + u".txt");
        if (!map->read(in)) fault = map->fault;
        in->close();
    } catch (DExceptionPtr& e) {
        fault = DStringPtr(u"the map cannot be opened");
    }
    int width = map->width, height = map->height;
    if (!fault) {
        if ((width + 1) * tileWidth < ringWidth) width = ringWidth / tileWidth - 1;
        if ((height + 1) * tileHeight < ringHeight) height = ringHeight / tileHeight - 1;
        if (width * height > MapFile::maxCells) fault = DStringPtr(u"the map is too big for the screen");
    }
    if (fault) {
        DamageLog::name(DStringPtr(u"Goldrift: level ") + n + u" cannot be played: " + fault);
        Sound::stopAll();
        gameState = menuState;
        createMenu(mainMode);
        return false;
    }
    if (n > openLevel) {
        openLevel = std::min(n, int(lastLevel));
        GameMenu::saveOption(GameTables::goldriftId + u"openlevel", openLevel);
    }
    gridWidth = width;
    gridHeight = height;
    grid = new DcharArray(width * height);
    for (int row = 0; row < height; ++row)
        for (int col = 0; col < width; ++col)
            grid[row * width + col] =
                col < map->width && row < map->height ? char16_t(map->cells[row * map->width + col]) : u'B';
    paths = new DshortArray2d(2, width * height);
    distance = paths[0];
    frontier = paths[1];
    pathsReset = true;
    shineDiagonal = 0;
    hero->reset();
    hero->isEnemy = false;
    scan(width, height);
    for (int i = 0; i < holeSlots; ++i) holes[i][0] = -1;
    placeCamera();
    for (int col = cameraX / tileWidth; col < (cameraX + ringWidth) / tileWidth; ++col) drawColumn(col);
    return true;
}

void Goldrift::scan(int width, int height) {
    goldLeft = 0;
    enemyCount = 0;
    exitCell = -1;
    for (int i = 0; i < width * height; ++i) {
        const char16_t ch = grid[i];
        if (ch == u'$') {
            goldLeft += 1;
        } else if (ch == u'E') {
            grid[i] = u'X';
            exitCell = i;
        } else if (ch == u'P') {
            hero->cell = i;
            hero->col = i % width;
            hero->row = i / width;
            grid[i] = u' ';
        } else if (ch == u'A' && enemyCount < maxEnemies) {
            if (!enemies[enemyCount]) enemies[enemyCount] = new Runner();
            Runner& enemy = *enemies[enemyCount++];
            enemy.reset();
            enemy.cell = i;
            enemy.col = i % width;
            enemy.row = i / width;
            grid[i] = u' ';
        }
    }
}

void Goldrift::placeCamera() {
    cameraX = std::clamp(hero->col * tileWidth - (viewWidth - tileWidth) / 2, 0,
                         std::max(0, gridWidth * tileWidth - viewWidth));
    cameraY = std::clamp(hero->row * tileHeight - (viewHeight - tileHeight) / 2, 0,
                         std::max(0, gridHeight * tileHeight - viewHeight));
}

void Goldrift::followHero() {
    if (!ringImage) return;
    const Runner& h = *hero;
    int p = h.col * tileWidth + h.offsetX, half = (viewWidth - tileWidth) / 2;
    int limit = gridWidth * tileWidth;
    const int oldColumn = cameraX / tileWidth;
    cameraX = p < half ? 0 : p < limit - (viewWidth + tileWidth) / 2 ? p - half : limit - viewWidth;
    const int column = cameraX / tileWidth;
    if (column < oldColumn) drawColumn(column);
    if (column > oldColumn) drawColumn(column + ringWidth / tileWidth - 1);

    p = h.row * tileHeight + h.offsetY;
    half = (viewHeight - tileHeight) / 2;
    limit = gridHeight * tileHeight;
    const int oldRow = cameraY / tileHeight;
    cameraY = p < half ? 0 : p < limit - (viewHeight + tileHeight) / 2 ? p - half : limit - viewHeight;
    const int row = cameraY / tileHeight;
    if (row < oldRow) drawRow(row);
    if (row > oldRow) drawRow(row + ringHeight / tileHeight - 1);
}

// ---- Drawing ----

void Goldrift::drawCell(int col, int row) {
    if (!ringImage || col < 0 || row < 0 || col >= gridWidth || row >= gridHeight) return;
    const int firstColumn = cameraX / tileWidth, firstRow = cameraY / tileHeight;
    if (col < firstColumn || col > firstColumn + ringColumns - 1 || row < firstRow || row > firstRow + ringRows - 1)
        return;
    const DrawingTarget ring(ringImage->getGraphics());
    drawTile(col * tileWidth % ringWidth, row * tileHeight % ringHeight, grid[row * gridWidth + col], col, row);
}

void Goldrift::drawColumn(int col) {
    if (col < 0 || col >= gridWidth || col * tileWidth + tileWidth < cameraX || col * tileWidth >= cameraX + ringWidth)
        return;
    const DrawingTarget ring(ringImage->getGraphics());
    const int firstRow = cameraY / tileHeight;
    for (int k = 0; k * tileHeight < ringHeight && firstRow + k < gridHeight; ++k) {
        const int row = firstRow + k;
        drawTile(col * tileWidth % ringWidth, row * tileHeight % ringHeight, grid[row * gridWidth + col], col, row);
    }
}

void Goldrift::drawRow(int row) {
    if (row < 0 || row >= gridHeight || row * tileHeight + tileHeight < cameraY ||
        row * tileHeight >= cameraY + ringHeight)
        return;
    const DrawingTarget ring(ringImage->getGraphics());
    const int firstColumn = cameraX / tileWidth;
    for (int k = 0; k * tileWidth < ringWidth && firstColumn + k < gridWidth; ++k) {
        const int col = firstColumn + k;
        drawTile(col * tileWidth % ringWidth, row * tileHeight % ringHeight, grid[row * gridWidth + col], col, row);
    }
}

void Goldrift::drawTile(int x, int y, char16_t ch, int col, int row) {
    GameImage::drawFrameVariant(x, y, backgrounds[level % 5]);
    const int s = col + row;
    switch (ch) {
        case u' ':
        case u'd': break;
        case u'B': GameImage::drawFrame(x, y, armourImage); break;
        case u'H': GameImage::drawFrame(x, y, ladderImage); break;
        case u'-': GameImage::drawFrame(x, y, handrailImage); break;
        case u'E': GameImage::drawFrame(x, y, doorOpenImage); break;
        case u'X': GameImage::drawFrame(x, y, doorClosedImage); break;
        case u'D': GameImage::drawFrame(x, y, holeImage); break;
        case u'$':
        case u'G': {
            const GameImagePtr& gold = goldImages[s == shineDiagonal - 1 ? 1 : s == shineDiagonal + 1 ? 2 : 0];
            GameImage::drawFrame(x, y + tileHeight - gold->height, gold);
            break;
        }
        case u'~':
            if (s == shineDiagonal - 1 || s == shineDiagonal + 1) {
                GameImage::drawFrame(x, y, holeImage);
            } else if (s != shineDiagonal) {
                GameImage::drawFrameVariant(x, y, brickImage);
            }
            break;
        default: GameImage::drawFrame(x, y, brickImage); break;
    }
}

void Goldrift::drawRunner(const RunnerPtr& runner) {
    Runner& r = *runner;
    if (r.state == Runner::buried) return;
    const bool left = r.dirX < 0;
    const AnimationPtr* poses = r.isEnemy ? enemyPoses : heroPoses;
    AnimationPtr animation;
    GameImagePtr picture;
    switch (r.state) {
        case Runner::walking: animation = poses[left ? goLeft : goRight]; break;
        case Runner::falling: animation = poses[left ? fallLeft : fallRight]; break;
        case Runner::climbing: animation = poses[onLadder]; break;
        case Runner::hanging: animation = poses[left ? handrailLeft : handrailRight]; break;
        case Runner::digging: picture = left ? digImageLeft : digImage; break;
        default: picture = r.isEnemy ? (left ? enemyIdleLeft : enemyIdle) : (left ? heroIdleLeft : heroIdle); break;
    }
    if (!picture) {
        const int frames = animation ? animation->frames->length : 0;
        if (frames == 0) {
            r.frame = 0;
            return;
        }
        r.frame %= 2 * frames;
        picture = animation->frames[r.frame / 2];
    }
    const int x = r.col * tileWidth - cameraX + r.offsetX;
    const int y =
        r.row * tileHeight - cameraY + r.offsetY + (r.state == Runner::hanging ? 0 : tileHeight - picture->height);
    GameImage::drawFrame(x, y, picture);
    if (r.state != Runner::digging) return;
    if (left) {
        GameImage::drawFrame(x - cutImageLeft->width, y + picture->height, cutImageLeft);
    } else {
        GameImage::drawFrame(x + picture->width, y + picture->height, cutImage);
    }
}

void Goldrift::paint() {
    switch (gameState) {
        case menuState: menu->paint(); break;
        case playState: paintPlay(); break;
        case introState: paintBanner(StringManager::getText(u"level") + u" " + level, true); break;
        case gameOverState: paintBanner(StringManager::getText(u"gameover"), false); break;
        default: break;
    }
}

void Goldrift::paintPlay() {
    paintShine();
    paintRing();
    paintHud();
    for (int i = 0; i < enemyCount; ++i) drawRunner(enemies[i]);
    drawRunner(hero);
    if (GameMenu::pauseImage)
        ScreenCanvas::screenGraphics->drawImage(GameMenu::pauseImage, 0, ScreenCanvas::screenHeight,
                                                DGraphics::LEFT | DGraphics::BOTTOM);
}

void Goldrift::paintShine() {
    for (int s = shineDiagonal - 2; s <= shineDiagonal + 1; ++s)
        for (int col = 0; col < gridWidth; ++col) {
            const int row = s - col;
            if (row < 0 || row >= gridHeight) continue;
            const char16_t ch = grid[row * gridWidth + col];
            if (ch == u'$' || ch == u'G' || ch == u'~') drawCell(col, row);
        }
}

void Goldrift::paintRing() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    const int ox = cameraX % ringWidth, oy = cameraY % ringHeight, anchor = DGraphics::TOP | DGraphics::LEFT;
    g->drawImage(ringImage, -ox, -oy, anchor);
    g->drawImage(ringImage, ringWidth - ox, -oy, anchor);
    g->drawImage(ringImage, -ox, ringHeight - oy, anchor);
    g->drawImage(ringImage, ringWidth - ox, ringHeight - oy, anchor);
}

void Goldrift::paintHud() {
    const int y = viewHeight - heroIdle->height - 2;
    const int x0 = GameMenu::pauseImage ? iconWidth() + 2 : 2;
    const int anchor = DGraphics::TOP | DGraphics::LEFT;
    heroIdle->drawAt(x0, y);
    const DStringPtr times(u"x");
    const ImageFontPtr label = ScreenCanvas::font(ScreenCanvas::hudFont0);
    const ImageFontPtr numbers = ScreenCanvas::font(ScreenCanvas::numberFont0);
    label->drawString(times, x0 + heroIdle->width + 3, y, anchor);
    numbers->drawString(DString::valueOf(lives), x0 + heroIdle->width + label->stringWidth(times) + 4, y, anchor);
    numbers->drawString(DString::valueOf(score), viewWidth - 2, y, DGraphics::TOP | DGraphics::RIGHT);
}

void Goldrift::paintBanner(const DStringPtr& title, bool withLives) {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    g->setColor(0x000000);
    g->fillRect(0, 0, viewWidth, viewHeight);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int h = banner->getHeight(), x = ScreenCanvas::screenWidth / 2;
    const int y = ScreenCanvas::screenHeight / 2 - 2 * h - 3, anchor = DGraphics::HCENTER | DGraphics::TOP;
    banner->drawString(title, x, y, anchor);
    banner->drawString(StringManager::getText(u"score") + u" " + score, x, y + h + 3, anchor);
    if (!withLives || lives < 1) return;
    const int width = heroIdleLeft->width, row = lives * width + (lives - 1) * 3;
    for (int i = 0; i < lives; ++i) heroIdleLeft->drawAt((viewWidth - row) / 2 + i * (width + 3), y + 2 * (h + 3));
}

// ---- Leaving ----

void Goldrift::stop() {
    Sound::stopAll();
    if (menu) menu->detach();
    releaseStatics();
}

void Goldrift::releaseStatics() {
    grid = nullptr;
    paths = nullptr;
    distance = frontier = nullptr;
    hero = nullptr;
    enemies = nullptr;
    enemyCount = 0;
    menu = nullptr;
    splash = nullptr;
    for (GameImagePtr& image : backgrounds) image = nullptr;
    for (GameImagePtr& image : goldImages) image = nullptr;
    brickImage = armourImage = doorOpenImage = doorClosedImage = nullptr;
    digImage = digImageLeft = cutImage = cutImageLeft = holeImage = nullptr;
    ladderImage = handrailImage = nullptr;
    heroIdle = heroIdleLeft = enemyIdle = enemyIdleLeft = nullptr;
    for (int i = 0; i < poseCount; ++i) heroPoses[i] = enemyPoses[i] = nullptr;
    itemTexts = nullptr;
    holes = nullptr;
    ringImage = nullptr;
    gameState = menuState;
    menuMode = previousMode = mainMode;
    invulnerable = false;
    stepPhase = 0;
    theGame = nullptr;
}
