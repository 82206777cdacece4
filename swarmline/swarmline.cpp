#include "swarmline.h"
#include <algorithm>
#include "alienship.h"
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DintArray2dPtr;
using dfc::lang::DintArrayPtr;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

int32_t Swarmline::ALIEN_HALF_W = 6;
int32_t Swarmline::ALIEN_HALF_H = 6;
int32_t Swarmline::ALIEN_W = 13;
int32_t Swarmline::ALIEN_H = 12;
int32_t Swarmline::EXPL_HALF_W = 8;
int32_t Swarmline::EXPL_HALF_H = 6;
int32_t Swarmline::RUN_ACCEL = 1200;
int32_t Swarmline::SHOTS_PER_DIVE = 3;
int32_t Swarmline::KIND_W = 8;
int32_t Swarmline::KIND_H = 8;
int32_t Swarmline::SHIP_HALF_W = 8;
int32_t Swarmline::SHIP_W = 18;
int32_t Swarmline::SHIP_H = 21;

SwarmlinePtr Swarmline::theGame;
int32_t Swarmline::gameState = STATE_MENU;
int32_t Swarmline::stateTimer = 0;
int32_t Swarmline::menuMode = mainMenu;
int32_t Swarmline::previousMenuMode = mainMenu;
int32_t Swarmline::level = 1;
int32_t Swarmline::score = 0;
int32_t Swarmline::lives = 4;
int32_t Swarmline::canvasWidth = 0;
int32_t Swarmline::canvasHeight = 0;
int32_t Swarmline::shipX = 0;
int32_t Swarmline::shipY = 0;
int32_t Swarmline::shipMaxX = 0;
bool Swarmline::shipDead = false;
bool Swarmline::shipExplosionDone = false;
int32_t Swarmline::fireTimer = 0;
DintArrayPtr Swarmline::playerShot;
DintArray2dPtr Swarmline::alienShots;
AlienShipArray2dPtr Swarmline::formation;
AlienShipArrayPtr Swarmline::aliens;
int32_t Swarmline::aliveCount = 0;
int32_t Swarmline::swayOffset = 0;
int32_t Swarmline::swayDirection = 0;
int32_t Swarmline::swayLimit = 0;
int32_t Swarmline::alienBottom = 0;
int32_t Swarmline::alienRightLimit = 0;
int64_t Swarmline::diveTimer = 0;
int64_t Swarmline::diveBase = 0;
int64_t Swarmline::diveSpan = 0;
int32_t Swarmline::maxDivers = 1;
AlienShipArrayPtr Swarmline::diveCandidates;
int32_t Swarmline::candidateCount = 0;
int32_t Swarmline::alienShotTimer = 0;
DImagePtr Swarmline::background;
int32_t Swarmline::backgroundScroll = 0;
DintArray2dPtr Swarmline::stars;
GameImageArrayPtr Swarmline::planets;
int32_t Swarmline::planetIndex = 0;
int32_t Swarmline::planetX = 0;
int32_t Swarmline::planetY = 0;
int32_t Swarmline::planetTimer = 0;
GameImagePtr Swarmline::lifeImage;
GameImagePtr Swarmline::levelImage;
GameImagePtr Swarmline::shipImage;
GameImagePtr Swarmline::bulletImage;
AlienImageTablePtr Swarmline::alienImages;
AlienAnimationArrayPtr Swarmline::flyAnimations;
AnimationPtr Swarmline::shipAnimation;
AnimationPtr Swarmline::shipExplosion;
AnimationPtr Swarmline::shotAnimation;
AnimationPtr Swarmline::alienExplosion;
DImagePtr Swarmline::splashImage;
GameMenuPtr Swarmline::menu;
DStringArrayPtr Swarmline::menuTexts;

namespace {

const char16_t* const soundNames[] = {
    u"/swl/sound/menu",        u"/swl/sound/game",  u"/swl/sound/levelbegin",  u"/swl/sound/enemyshipblow",
    u"/swl/sound/heroblow",    u"/swl/sound/shootbee", u"/swl/sound/shoot",    u"/swl/sound/enemyvilet",
    u"/swl/sound/enemycomeback", u"/swl/sound/supershipblow"};

// The direction pictures of a kind, in direction order: facing down first, then round
// clockwise through left, up and right.
const char16_t* const directionSuffixes[] = {
    u"_1.png_lv", u"_2.png_lv", u"_3.png_lv", u"_4.png_lv", u"_1.png_up", u"_2.png_up", u"_3.png_up", u"_4.png_up",
    u"_1.png",    u"_2.png",    u"_3.png",    u"_4.png",    u"_1.png_dn", u"_2.png_dn", u"_3.png_dn", u"_4.png_dn"};

// The formation animation: flapping, then a look round.
const char16_t* const formationSuffixes[] = {
    u"_1.png", u"_5.png", u"_1.png", u"_5.png", u"_1.png",    u"_5.png",    u"_1.png",    u"_5.png",
    u"_1.png", u"_3.png", u"_1.png_dn", u"_3.png_dn", u"_1.png_lv", u"_3.png_lv", u"_1.png_up", u"_3.png_up"};

// The splash band behind the menus, darkened.
constexpr int32_t menuShade = static_cast<int32_t>(0xFFFFFF60);
// The screen height from which the large layout's tuning applies.
constexpr int32_t largeScreen = 320;
// The swoop's braking and falling on the small and the large screen.
constexpr int32_t smallRunAccel = 1200, largeRunAccel = 500;

// This game keeps its levels under its id followed by "S" and "M".
SoundOptions soundOptions() { return SoundOptions(GameTables::swarmlineId + u"S", GameTables::swarmlineId + u"M"); }

// The animation of a frame list in the loaded properties; an empty one when the list or a
// frame is missing (the look-up has said which), so that play goes on without the picture.
AnimationPtr animationFromList(const char16_t* key, int32_t delay) {
    AnimationPtr animation = Animation::fromProperty(key);
    if (!animation) animation = Animation::AnimationFromCount(0);
    animation->delay = delay;
    return animation;
}

// The first frame of an animation, or an empty picture.
GameImagePtr firstFrame(const AnimationPtr& animation) {
    if (animation->frames->length == 0) return new GameImage();
    return animation->frames[0];
}

GameImagePtr currentFrame(const AnimationPtr& animation) {
    if (animation->current >= animation->frames->length) return new GameImage();
    return animation->frames[animation->current];
}

int32_t nextRandom() { return GameLib::sharedRandom->nextInt(); }

int32_t randomBelow(int32_t n) { return GameLib::sharedRandom->nextAbsMod(n); }

bool largeLayout() { return ScreenCanvas::screenHeight >= largeScreen; }

}  // namespace

Swarmline::Swarmline() { theGame = this; }

// ---- Loading ----

// Each loading step ends with a step of the bar, shown at once: the mode's own paint would
// draw a menu that is not made yet over the splash.
void Swarmline::start() {
    gameState = STATE_MENU;
    splashImage = GameLib::showSplash(u"/swl/splash.jpg", 10);
    soundOptions().load();
    GameLib::advanceLoadingBar();
    GameLib::loadImageSet(u"/swl/all");
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    loadShipImages();
    loadAlienImages();
    loadAnimations();
    buildFormation();
    listAliens();
    buildMenuTexts();
    makeMenu();
    Sound::play(menuTune, 1);
}

void Swarmline::loadShipImages() {
    canvasWidth = ScreenCanvas::screenWidth;
    canvasHeight = ScreenCanvas::screenHeight;
    lifeImage = GameImage::load(u"life.png");
    levelImage = GameImage::load(u"level.png");
    shipImage = GameImage::load(u"ship.png");
    SHIP_W = shipImage->width;
    SHIP_HALF_W = shipImage->width / 2;
    SHIP_H = shipImage->height;
    GameLib::advanceLoadingBar();
    bulletImage = GameImage::load(u"bullet.png");
    alienShots = new DintArray2d(ALIEN_SHOTS, 2);
    playerShot = new DintArray(2);
    GameLib::advanceLoadingBar();
}

void Swarmline::loadAlienImages() {
    alienImages = new AlienImageTable(KINDS);
    for (int kind = 0; kind < KINDS; ++kind) {
        GameImageArrayPtr images = new GameImageArray(DIRECTIONS);
        const DStringPtr prefix = DStringPtr(u"fly") + (kind + 1);
        for (int d = 0; d < DIRECTIONS; ++d) images[d] = GameImage::load(prefix + directionSuffixes[d]);
        alienImages[kind] = images;
    }
    GameLib::advanceLoadingBar();
}

void Swarmline::loadAnimations() {
    StringManager::loadProperties(u"/swl/anim");
    shipAnimation = animationFromList(u"mainship", SHIP_ANIMATION_DELAY);
    shipExplosion = animationFromList(u"explosion_ship", SHIP_EXPLOSION_DELAY);
    shotAnimation = animationFromList(u"bullet", SHOT_ANIMATION_DELAY);
    shotAnimation->reset();
    alienExplosion = animationFromList(u"explosion_enemy", ALIEN_EXPLOSION_DELAY);
    shipMaxX = canvasWidth - SHIP_HALF_W;
    shipX = canvasWidth / 2;
    shipY = canvasHeight - firstFrame(shipAnimation)->height - shipImage->height;
    StringManager::loadProperties(u"/res");
    loadFormationAnimations();
    EXPL_HALF_W = firstFrame(alienExplosion)->width / 2;
    EXPL_HALF_H = firstFrame(alienExplosion)->height / 2;
    GameLib::advanceLoadingBar();
}

void Swarmline::loadFormationAnimations() {
    flyAnimations = new AlienAnimationArray(KINDS);
    const int32_t frameCount = sizeof formationSuffixes / sizeof formationSuffixes[0];
    for (int kind = 0; kind < KINDS; ++kind) {
        DStringArrayPtr names = new DStringArray(frameCount);
        const DStringPtr prefix = DStringPtr(u"fly") + (kind + 1);
        for (int i = 0; i < frameCount; ++i) names[i] = prefix + formationSuffixes[i];
        AnimationPtr animation = Animation::AnimationFromNames(names);
        animation->delay = FLY_DELAY;
        flyAnimations[kind] = animation;
    }
    const GameImagePtr first = firstFrame(flyAnimations[0]);
    KIND_W = ALIEN_W = first->width;
    KIND_H = ALIEN_H = first->height;
    ALIEN_HALF_W = first->width / 2;
    ALIEN_HALF_H = first->height / 2;
}

// Columns are made from the middle outwards; each level start gives the rows their kinds.
void Swarmline::buildFormation() {
    diveCandidates = new AlienShipArray(DIVE_CANDIDATES);
    const DintArrayPtr sizes = GameTables::swarmlineTableA;
    formation = new AlienShipArray2d(ROWS);
    for (int row = ROWS - 1; row >= 0; --row) {
        const int32_t size = sizes[row];
        AlienShipArrayPtr aliensOfRow = new AlienShipArray(size);
        for (int column = size / 2; column < size; ++column) aliensOfRow[column] = new AlienShip();
        for (int column = size / 2 - 1; column >= 0; --column) aliensOfRow[column] = new AlienShip();
        for (int column = 0; column < size; ++column) {
            AlienShipPtr alien = aliensOfRow[column];
            alien->setImage(alienImages[row]);
            alien->setAnimations(flyAnimations[row], alienExplosion);
            alien->points = GameTables::swarmlineTableC[row];
            alien->row = row;
            alien->column = column;
        }
        formation[row] = aliensOfRow;
    }
    GameLib::advanceLoadingBar();
}

void Swarmline::listAliens() {
    int32_t total = 0;
    for (int row = 0; row < ROWS; ++row) total += formation[row]->length;
    aliens = new AlienShipArray(total);
    int32_t next = 0;
    for (int row = 0; row < ROWS; ++row)
        for (int column = 0; column < formation[row]->length; ++column) aliens[next++] = formation[row][column];
    aliveCount = total;
}

// The option items show the levels in force.
void Swarmline::buildMenuTexts() {
    DStringArrayPtr keys = GameTables::swarmlineMenuItems;
    keys[soundItem] = GameMenu::soundOptionKey(Sound::getSoundLevel());
    keys[musicItem] = GameMenu::musicOptionKey(Sound::getMusicLevel());
    menuTexts = MenuItems::textsOf(keys);
    GameLib::advanceLoadingBar();
}

void Swarmline::makeMenu() {
    menu = new GameMenu();
    menu->blendImage(splashImage, menuShade);
    createMenu(mainMenu);
    gameState = STATE_MENU;
    stars = new DintArray2d(STAR_LAYERS * STARS_PER_LAYER, 2);
    planets = new GameImageArray(4);
    for (int i = 0; i < 4; ++i) planets[i] = GameImage::load(DStringPtr(u"planet_") + (i + 1) + u".png");
    // Set both ways: a later start may be on the other screen.
    RUN_ACCEL = largeLayout() ? largeRunAccel : smallRunAccel;
    GameLib::advanceLoadingBar();
}

// ---- Levels ----

int32_t Swarmline::kindOf(int32_t level, int32_t row) {
    const int32_t k = (level - row - 2) % KINDS;
    return k < 0 ? k + KINDS : k;
}

void Swarmline::startLevel() {
    Sound::play(levelBeginSound, 1);
    if (level == 1) {
        score = 0;
        lives = 4;
    }
    if (level > LAST_LEVEL) {
        endGame();
        return;
    }
    maxDivers = level / 2 + 1;
    diveTimer = 0;
    diveSpan = diveBase = 300 - 8 * level;
    shipDead = false;
    shipExplosionDone = false;
    SHOTS_PER_DIVE = level / 4 + 2;
    gameState = STATE_LEVEL_INTRO;
    stateTimer = LEVEL_INTRO_TIME;
    shipAnimation->reset();
    for (int i = 0; i < ALIEN_SHOTS; ++i) alienShots[i][0] = FREE;
    playerShot[0] = FREE;
    for (int i = 0; i < aliens->length; ++i) aliens[i]->state = AlienShip::IN_FORMATION;
    aliveCount = aliens->length;
    for (int row = 0; row < ROWS; ++row) GameTables::swarmlineTableB[row] = GameTables::swarmlineTableA[row];
    layOutFormation();
    loadBackground();
    scatterStars();
}

void Swarmline::layOutFormation() {
    int32_t y = (ROW_GAP + KIND_H) * 5 + 4;
    swayLimit = canvasWidth;
    alienBottom = canvasHeight;
    alienRightLimit = canvasWidth;
    for (int row = ROWS - 1; row >= 0; --row) {
        const int32_t kind = kindOf(level, row);
        for (int column = 0; column < formation[row]->length; ++column) {
            formation[row][column]->setImage(alienImages[kind]);
            formation[row][column]->setAnimations(flyAnimations[kind], alienExplosion);
        }
        layOutRow(row, y);
        // The rows are stacked by the frame's width.
        y -= KIND_W + ROW_GAP;
    }
}

// The right half from the middle outwards, then the left half; the top row's pair stands
// apart, with its column 0 to the right of column 1.
void Swarmline::layOutRow(int32_t row, int32_t y) {
    const AlienShipArrayPtr aliensOfRow = formation[row];
    const int32_t size = aliensOfRow->length, pitch = COLUMN_GAP + KIND_W;
    int32_t x = row == 0 ? (canvasWidth - 2 * KIND_W) / 2 : (pitch + canvasWidth) / 2;
    for (int column = size / 2; column < size; ++column) {
        AlienShipPtr alien = aliensOfRow[column];
        alien->x = alien->homeX = x;
        alien->y = alien->homeY = y;
        alien->side = 1;
        x += row == 0 ? 2 * KIND_W : pitch;
    }
    const int32_t secondRow = GameTables::swarmlineTableA[1];
    x = row == 0 ? pitch * secondRow / 4 + canvasWidth / 2 : canvasWidth / 2 - COLUMN_GAP / 2 - KIND_W / 2;
    for (int column = size / 2 - 1; column >= 0; --column) {
        AlienShipPtr alien = aliensOfRow[column];
        alien->x = alien->homeX = x;
        alien->y = alien->homeY = y;
        alien->side = 0;
        swayLimit = std::min(swayLimit, x - ALIEN_W);
        x -= row == 0 ? pitch * secondRow / 2 : pitch;
    }
}

// A level without a background picture (level 0 from the level code) plays on black.
void Swarmline::loadBackground() {
    const int32_t n = (level - 1) % 3 + 1;
    background = nullptr;
    backgroundScroll = 0;
    try {
        background = DImage::createImage(DStringPtr(u"/swl/img/") + n + u".jpg");
    } catch (DExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"Swarmline: no background ") + n + u": " + DFailureReason::of(e));
    }
    if (background && background->getHeight() < 1) background = nullptr;
}

void Swarmline::scatterStars() {
    for (int i = STAR_LAYERS * STARS_PER_LAYER - 1; i >= 0; --i) {
        stars[i][0] = randomBelow(canvasWidth) << 16;
        stars[i][1] = randomBelow(canvasHeight) << 16;
    }
    planetIndex = 0;
    planetX = randomBelow(canvasWidth) << 16;
    planetY = -(planets[0]->height << 16);
    planetTimer = 0;
}

void Swarmline::shipDestroyed() {
    shipDead = true;
    shipExplosionDone = false;
    shipExplosion->reset();
    playerShot[0] = FREE;
    for (int i = 0; i < ALIEN_SHOTS; ++i) alienShots[i][0] = FREE;
    fireTimer = FIRE_DELAY;
    Sound::play(heroBlowSound, 1);
    if (lives > 0) {
        lives -= 1;
        return;
    }
    gameState = STATE_SHIP_LOST;
    stateTimer = SHORT_PAUSE;
}

void Swarmline::addPoints(int32_t points) {
    const int32_t before = score;
    score += points;
    if (before >= EXTRA_SHIP_SCORE || score < EXTRA_SHIP_SCORE) return;
    lives += 1;
    Sound::play(extraShipSound, 1);
}

// ---- Menus ----

void Swarmline::createMenu(int mode) {
    previousMenuMode = menuMode;
    menuMode = mode;
    menu->selected = 0;
    menu->firstVisible = 0;
    switch (mode) {
        case mainMenu:
        case pauseMenu:
            MenuItems::setEnds(menuTexts, mode == pauseMenu);
            menu->setItems(menuTexts);
            menu->mode = GameMenu::listPage;
            break;
        case helpMenu:
            menu->layoutText(u"/swl/help.txt", nullptr);
            menu->mode = GameMenu::helpPage;
            menu->closeRequested = false;
            break;
        case scoresMenu:
            menu->loadHighScores(GameTables::swarmlineId, 1);
            menu->mode = GameMenu::scorePage;
            menu->closeRequested = false;
            break;
        default: break;
    }
    KeyState::fire = false;
}

void Swarmline::update() {
    switch (gameState) {
        case STATE_MENU: updateMenu(); break;
        case STATE_PLAY: updatePlay(); break;
        default: updateTimed(); break;
    }
}

void Swarmline::updateMenu() {
    if (menu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
    menu->handleKeys();
    if (menu->selectionMade && (menuMode == mainMenu || menuMode == pauseMenu)) {
        menu->selectionMade = false;
        chooseItem(menu->selected);
        return;
    }
    if ((menuMode == helpMenu || menuMode == scoresMenu) && menu->closeRequested) leaveMenuPage();
}

void Swarmline::storeEnteredName() {
    menu->loadHighScores(GameTables::swarmlineId, 1);
    menu->insertHighScore(GameMenu::lastEnteredName, score);
    menu->saveHighScores(GameTables::swarmlineId, 1);
    createMenu(scoresMenu);
    previousMenuMode = mainMenu;
    KeyState::fire = false;
    KeyState::doubleTap = KeyState::pointerDown = false;
}

void Swarmline::chooseItem(int32_t item) {
    const bool paused = menuMode == pauseMenu;
    switch (item) {
        case startItem:
            if (paused) {
                gameState = STATE_PLAY;
                KeyState::fire = false;
                Sound::resumeAll();
            } else {
                startGame();
            }
            break;
        case scoresItem: createMenu(scoresMenu); break;
        case helpItem: createMenu(helpMenu); break;
        case soundItem: changeLevel(SoundOptions::effects); break;
        case musicItem: changeLevel(SoundOptions::music); break;
        case exitItem:
            if (paused) {
                Sound::stopAll();
                createMenu(mainMenu);
            } else {
                GameLib::returnToShell();
            }
            break;
        default: break;
    }
}

void Swarmline::startGame() {
    level = 1;
    startLevel();
    gameState = STATE_LEVEL_INTRO;
    stateTimer = LEVEL_INTRO_TIME;
    KeyState::fire = false;
    Sound::stopAll();
    Sound::play(levelBeginSound, 1);
    Sound::play(gameTune, -1);
}

void Swarmline::changeLevel(SoundOptions::Kind kind) {
    const int32_t item = kind == SoundOptions::music ? musicItem : soundItem;
    menuTexts[item] = soundOptions().step(kind);
}

void Swarmline::leaveMenuPage() {
    HelpLayout::clear();
    createMenu(previousMenuMode);
    menu->closeRequested = false;
}

void Swarmline::updateTimed() {
    if (stateTimer >= 1) {
        stateTimer -= GameLib::framePeriod;
        return;
    }
    switch (gameState) {
        case STATE_LEVEL_INTRO: gameState = STATE_PLAY; break;
        case STATE_GAME_OVER: endGame(); break;
        case STATE_SHIP_LOST:
            gameState = STATE_GAME_OVER;
            stateTimer = GAME_OVER_TIME;
            break;
        case STATE_LEVEL_CLEARED:
            level += 1;
            startLevel();
            break;
        default: break;
    }
}

void Swarmline::endGame() {
    Sound::stopAll();
    gameState = STATE_MENU;
    menuMode = mainMenu;
    createMenu(scoresMenu);
    if (menu->isHighScore(score))
        menu->enterName();
    else
        createMenu(mainMenu);
}

// ---- Play ----

void Swarmline::updatePlay() {
    if (KeyState::numberEntered) {
        KeyState::numberEntered = false;
        level = KeyState::enteredNumber;
        startLevel();
        return;
    }
    // A pause ends the frame: nothing that follows may override the menu.
    if (pauseRequested()) {
        KeyState::pauseKey = false;
        createMenu(pauseMenu);
        gameState = STATE_MENU;
        Sound::pauseAll();
        return;
    }
    fireShot(steerShip());
    scrollScenery();
    if (fireTimer > 0) fireTimer -= TIMER_STEP;
    if (waitForShip()) return;
    movePlayerShot();
    moveAlienShots();
    sway();
    scheduleDives();
    for (int i = 0; i < aliens->length; ++i) aliens[i]->update();
    testHits();
}

bool Swarmline::pauseRequested() const {
    if (KeyState::leftSoft || KeyState::rightSoft || KeyState::pauseKey) return true;
    const DImagePtr& icon = GameMenu::pauseImage;
    return icon && KeyState::pointerDown && KeyState::pointerX <= icon->getWidth() &&
           KeyState::pointerY <= icon->getHeight();
}

bool Swarmline::steerShip() {
    bool shot = false;
    int32_t toStylus = 0;
    if (KeyState::pointerDragged) {
        KeyState::pointerDragged = false;
        toStylus = KeyState::pointerX - shipX;
    } else if (KeyState::doubleTap) {
        KeyState::doubleTap = KeyState::pointerDragged = KeyState::pointerDown = false;
        shot = true;
    } else if (KeyState::pointerDown) {
        toStylus = KeyState::pointerX - shipX;
    }
    if (shipDead) return shot;
    if (KeyState::right || toStylus > 3 || KeyState::minusOneKey) {
        if (shipX < shipMaxX) shipX = std::min(shipX + PLAYER_SPEED, shipMaxX);
    } else if (KeyState::left || toStylus < -3 || KeyState::minusTwoKey) {
        if (shipX > SHIP_HALF_W) shipX = std::max(shipX - PLAYER_SPEED, SHIP_HALF_W);
    }
    return shot;
}

// The shot may leave while the ship still explodes; it waits there until the ship is back.
void Swarmline::fireShot(bool stylusShot) {
    if (!(KeyState::fire || KeyState::up || stylusShot) || playerShot[0] != FREE || fireTimer >= 1) return;
    Sound::play(shootSound, 1);
    playerShot[0] = shipX;
    playerShot[1] = shipY - bulletImage->height;
}

void Swarmline::scrollScenery() {
    if (background) {
        backgroundScroll -= 65536;
        if (backgroundScroll < 0) backgroundScroll += background->getHeight() << 16;
    }
    moveStars();
    movePlanet();
}

void Swarmline::moveStars() {
    for (int i = 0; i < STAR_LAYERS * STARS_PER_LAYER; ++i) {
        stars[i][1] += GameTables::swarmlineTableD[i / STARS_PER_LAYER];
        if ((stars[i][1] >> 16) <= canvasHeight) continue;
        stars[i][0] = randomBelow(canvasWidth) << 16;
        stars[i][1] = 0;
    }
}

// A planet that has passed waits above the screen for the delay, then drifts in.
void Swarmline::movePlanet() {
    if (planetTimer >= 1) {
        planetTimer -= TIMER_STEP;
        return;
    }
    if ((planetY >> 16) > canvasHeight) {
        planetTimer = PLANET_DELAY;
        planetIndex = randomBelow(4);
        const GameImagePtr planet = planets[planetIndex];
        planetX = (randomBelow(canvasWidth) - planet->width / 2) << 16;
        planetY = -(planet->height << 16);
    }
    planetY += PLANET_SPEED;
}

bool Swarmline::waitForShip() {
    if (!shipDead) return false;
    if (!shipExplosionDone) return true;
    shipDead = shipExplosionDone = false;
    playerShot[0] = FREE;
    for (int i = 0; i < aliens->length; ++i) {
        AlienShipPtr alien = aliens[i];
        if (alien->state == AlienShip::EXPLODING) alien->state = AlienShip::GONE;
        if (alien->state == AlienShip::GONE) continue;
        alien->state = AlienShip::IN_FORMATION;
        alien->x = alien->homeX + swayOffset;
        alien->y = alien->homeY;
        alien->direction = 0;
    }
    return true;
}

void Swarmline::movePlayerShot() {
    if (playerShot[0] == FREE) return;
    playerShot[1] -= PLAYER_SHOT_SPEED;
    if (playerShot[1] >= 0) return;
    playerShot[0] = FREE;
    fireTimer = FIRE_DELAY;
}

void Swarmline::moveAlienShots() {
    for (int i = 0; i < ALIEN_SHOTS; ++i) {
        if (alienShots[i][0] == FREE) continue;
        alienShots[i][1] += ALIEN_SHOT_SPEED;
        const int32_t x = alienShots[i][0], y = alienShots[i][1];
        if (y >= shipY && x >= shipX - SHIP_HALF_W && x <= shipX + SHIP_HALF_W) {
            alienShots[i][0] = FREE;
            shipDestroyed();
        } else if (y > canvasHeight) {
            alienShots[i][0] = FREE;
        }
    }
}

void Swarmline::sway() {
    if (swayDirection == 0) {
        swayOffset -= 1;
        if (-swayOffset > swayLimit) swayDirection = 1;
    } else {
        swayOffset += 1;
        if (swayOffset > swayLimit) swayDirection = 0;
    }
}

// Returning aliens count as divers until only a few are left.
int32_t Swarmline::activeDivers() const {
    int32_t active = 0;
    for (int i = 0; i < aliens->length; ++i) {
        const int32_t state = aliens[i]->state;
        if (state == AlienShip::LOOPING || state == AlienShip::ATTACKING ||
            (state == AlienShip::RETURNING && aliveCount > FEW_ALIENS))
            ++active;
    }
    return active;
}

void Swarmline::scheduleDives() {
    const int32_t active = activeDivers();
    diveTimer -= TIMER_STEP;
    if (active >= maxDivers || diveTimer > 0) return;
    if (aliveCount <= FEW_ALIENS) maxDivers = FEW_ALIENS;
    nextRandom();
    const int32_t count = gatherCandidates();
    if (count > 0) {
        const int32_t i = std::clamp((((nextRandom() & 15) + 1) * (count - 1)) >> 4, 0, count - 1);
        AlienShipPtr alien = diveCandidates[i];
        if (alien->state == AlienShip::IN_FORMATION ||
            (alien->state == AlienShip::RETURNING && aliveCount <= FEW_ALIENS))
            alien->startDive();
    }
    const int64_t b = nextRandom() >> 24;
    diveTimer = (((b + 1) * diveSpan) >> 8) + diveBase;
}

// Rows 3 and 4 always send divers; row 2 unless both are whole; rows 1 and 0 once the rows
// below them are empty, or when only a few aliens are left.
int32_t Swarmline::gatherCandidates() {
    const DintArrayPtr alive = GameTables::swarmlineTableB, sizes = GameTables::swarmlineTableA;
    const bool few = aliveCount <= FEW_ALIENS;
    const bool admitted[ROWS] = {
        few || (alive[1] == 0 && alive[2] == 0 && alive[3] == 0 && alive[4] == 0),
        few || (alive[2] == 0 && alive[3] == 0 && alive[4] == 0),
        !(alive[3] >= sizes[3] && alive[4] >= sizes[4]),
        true,
        true};
    candidateCount = 0;
    for (int row = 0; row < ROWS; ++row) {
        if (!admitted[row]) continue;
        const AlienShipArrayPtr aliensOfRow = formation[row];
        const auto available = [&](int column) {
            const int32_t state = aliensOfRow[column]->state;
            return state != AlienShip::EXPLODING && state != AlienShip::GONE;
        };
        for (int column = 0; column < aliensOfRow->length; ++column) {
            if (!available(column)) continue;
            diveCandidates[candidateCount++] = aliensOfRow[column];
            break;
        }
        for (int column = aliensOfRow->length - 1; column >= 0; --column) {
            if (!available(column)) continue;
            diveCandidates[candidateCount++] = aliensOfRow[column];
            break;
        }
    }
    return candidateCount;
}

// An alien the shot has just hit does not ram the ship as well, and a ship already lost is
// not lost again in the same frame.
void Swarmline::testHits() {
    for (int i = 0; i < aliens->length && aliveCount > 0; ++i) {
        AlienShipPtr alien = aliens[i];
        if (alien->state == AlienShip::EXPLODING || alien->state == AlienShip::GONE) continue;
        if (testShot(alien)) continue;
        testRam(alien);
    }
    if (aliveCount > 0) return;
    gameState = STATE_LEVEL_CLEARED;
    stateTimer = SHORT_PAUSE;
}

bool Swarmline::testShot(const AlienShipPtr& alien) {
    if (playerShot[0] == FREE ||
        !alien->hitTest(playerShot[0], playerShot[1], bulletImage->width, bulletImage->height))
        return false;
    addPoints(alien->points);
    playerShot[0] = FREE;
    fireTimer = FIRE_DELAY;
    killAlien(alien);
    return true;
}

void Swarmline::testRam(const AlienShipPtr& alien) {
    if (shipDead || !alien->hitTest(shipX - SHIP_HALF_W, shipY, SHIP_W, SHIP_H)) return;
    addPoints(alien->points);
    killAlien(alien);
    shipDestroyed();
}

void Swarmline::killAlien(const AlienShipPtr& alien) {
    GameTables::swarmlineTableB[alien->row] -= 1;
    aliveCount -= 1;
}

// ---- Drawing ----

void Swarmline::paint() {
    switch (gameState) {
        case STATE_MENU: menu->paint(); break;
        case STATE_LEVEL_INTRO: paintIntro(); break;
        case STATE_GAME_OVER: paintGameOver(); break;
        default: paintPlay(); break;
    }
}

void Swarmline::paintPlay() {
    paintBackground();
    paintStars();
    if (planetTimer < 1) planets[planetIndex]->drawAt(planetX >> 16, planetY >> 16);
    paintShip();
    paintShots();
    for (int i = 0; i < aliens->length; ++i) aliens[i]->paint();
    paintHud();
}

void Swarmline::paintBackground() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    if (!background) {
        g->setColor(0x000000);
        g->fillRect(0, 0, canvasWidth, canvasHeight);
        return;
    }
    const int32_t width = background->getWidth(), height = background->getHeight();
    for (int32_t y = -((backgroundScroll >> 16) % height); y < canvasHeight; y += height)
        for (int32_t x = 0; x < canvasWidth; x += width)
            g->drawImage(background, x, y, DGraphics::LEFT | DGraphics::TOP);
}

void Swarmline::paintStars() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    for (int i = 0; i < STAR_LAYERS * STARS_PER_LAYER; ++i) {
        g->setColor(GameTables::swarmlineColours[i / STARS_PER_LAYER]);
        const int32_t x = stars[i][0] >> 16, y = stars[i][1] >> 16;
        g->drawLine(x, y, x, y);
    }
}

void Swarmline::paintShip() {
    if (shipDead) {
        const GameImagePtr frame = currentFrame(shipExplosion);
        shipExplosion->paint(shipX - frame->width / 2, shipY - frame->height / 2);
        shipExplosionDone = shipExplosion->finished;
        return;
    }
    shipImage->drawAt(shipX - SHIP_HALF_W, shipY);
    const GameImagePtr flame = currentFrame(shipAnimation);
    shipAnimation->paint(shipX - flame->width / 2, shipY + shipImage->height);
}

void Swarmline::paintShots() {
    if (playerShot[0] == FREE && fireTimer < 1 && !shipDead)
        bulletImage->drawAt(shipX - bulletImage->width / 2, shipY - bulletImage->height);
    for (int i = 0; i < ALIEN_SHOTS; ++i)
        if (alienShots[i][0] != FREE) bulletImage->drawAt(alienShots[i][0] - bulletImage->width / 2, alienShots[i][1]);
    if (playerShot[0] == FREE) return;
    const GameImagePtr frame = currentFrame(shotAnimation);
    shotAnimation->paint(playerShot[0] - frame->width / 2, playerShot[1]);
}

void Swarmline::paintHud() {
    const DImagePtr& icon = GameMenu::pauseImage;
    const int32_t scoreX = icon ? icon->getWidth() + 2 : 0;
    ScreenCanvas::font(ScreenCanvas::numberFont0)->drawString(DString::valueOf(score), scoreX, 0, 0);
    for (int i = 0; i < level; ++i) levelImage->drawAt(canvasWidth - (i + 1) * levelImage->width, 0);
    for (int i = 0; i < lives; ++i) lifeImage->drawAt(canvasWidth - (i + 1) * lifeImage->width, levelImage->height);
    if (icon) ScreenCanvas::screenGraphics->drawImage(icon, 0, 0, DGraphics::LEFT | DGraphics::TOP);
}

void Swarmline::paintIntro() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    g->setColor(0x000000);
    g->fillRect(0, 0, canvasWidth, canvasHeight);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int32_t h = banner->getHeight(), anchor = DGraphics::HCENTER | DGraphics::TOP;
    const int32_t y1 = canvasHeight / 2 - 2 * h - 3, y2 = y1 + h + 3, y3 = y2 + h + 3;
    banner->drawString(StringManager::getText(u"level") + u" " + level, canvasWidth / 2, y1, anchor);
    banner->drawString(StringManager::getText(u"score") + u" " + score, canvasWidth / 2, y2, anchor);
    const int32_t step = shipImage->width + 3;
    for (int i = 0; i < lives; ++i) shipImage->drawAt((canvasWidth - step * lives) / 2 + i * step, y3);
}

void Swarmline::paintGameOver() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    g->setColor(0x000000);
    g->fillRect(0, 0, canvasWidth, canvasHeight);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int32_t h = banner->getHeight(), anchor = DGraphics::HCENTER | DGraphics::TOP;
    banner->drawString(StringManager::getText(u"gameover"), canvasWidth / 2, canvasHeight / 2 - 2 * h - 3, anchor);
    banner->drawString(StringManager::getText(u"score") + u" " + score, canvasWidth / 2, canvasHeight / 2 - h, anchor);
}

// ---- Leaving ----

void Swarmline::stop() {
    Sound::stopAll();
    if (menu) menu->detach();
    releaseStatics();
}

void Swarmline::releaseStatics() {
    planets = nullptr;
    background = nullptr;
    menu = nullptr;
    playerShot = nullptr;
    alienShots = nullptr;
    stars = nullptr;
    aliens = nullptr;
    lifeImage = levelImage = shipImage = bulletImage = nullptr;
    shipAnimation = shipExplosion = shotAnimation = alienExplosion = nullptr;
    menuTexts = nullptr;
    formation = nullptr;
    alienImages = nullptr;
    diveCandidates = nullptr;
    flyAnimations = nullptr;
    splashImage = nullptr;
    gameState = STATE_MENU;
    menuMode = previousMenuMode = mainMenu;
    swayOffset = swayDirection = 0;
    fireTimer = alienShotTimer = 0;
    theGame = nullptr;
}
