#include "brixmoor.h"
#include <algorithm>
#include "ball.h"
#include "bricklist.h"
#include "bxmplatform.h"
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "enemy.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"
#include "ticks.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DObjectArray;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

int32_t Brixmoor::gameState = Brixmoor::loading;
BrixmoorPtr Brixmoor::theGame;
PlatformPtr Brixmoor::platform;
BrickListPtr Brixmoor::brickList;
GameMenuPtr Brixmoor::mainMenu;
GameMenuPtr Brixmoor::scoreMenu;
ParticlesPtr Brixmoor::particles;
AnimationArrayPtr Brixmoor::bonusAnimations;
AnimationArrayPtr Brixmoor::monsterAnimations;
AnimationPtr Brixmoor::fireBallSmall;
AnimationPtr Brixmoor::fireBall;
AnimationPtr Brixmoor::fireBallBig;
GameImagePtr Brixmoor::ballSmallImage;
GameImagePtr Brixmoor::ballImage;
GameImagePtr Brixmoor::ballBigImage;
GameImagePtr Brixmoor::bulletImage;
GameImagePtr Brixmoor::bombImage;
DStringPtr Brixmoor::scoreLabel;
DStringPtr Brixmoor::pauseLabel;
int32_t Brixmoor::openLevel = 1;
bool Brixmoor::gamePaused = false;
DWORD Brixmoor::stateTimer = 0;

namespace {

const char16_t* const soundNames[] = {
    u"/bxm/sound/menu",    u"/bxm/sound/game",        u"/bxm/sound/Respawn",
    u"/bxm/sound/die",     u"/bxm/sound/boom",        u"/bxm/sound/HitBrick",
    u"/bxm/sound/HitPlatform", u"/bxm/sound/HitUndestroyBrick", u"/bxm/sound/HitRegenBrick",
    u"/bxm/sound/shoot",   u"/bxm/sound/HitWall"};

// The splash band behind the menus, darkened.
constexpr int32_t menuShade = static_cast<int32_t>(0xFFFFFF60);

}  // namespace

Brixmoor::Brixmoor() { theGame = this; }

int32_t Brixmoor::score() const { return brickList->hitsTaken; }

void Brixmoor::setScore(int value) { brickList->hitsTaken = value; }

// ---- Loading ----

void Brixmoor::start() {
    const DWORD began = GetTickCount();
    gameState = loading;
    splashImage = GameLib::showSplash(u"/bxm/splash.jpg", 10);
    loadOptions();
    loadResources();
    makeMenus();
    loadBallImages();
    loadAnimations();
    makePlayThings();
    particles = new Particles();
    resetField();
    loadLabels();
    // The splash stays at least its time, however fast the loading.
    while (millisSince(began) < statePause) Sleep(10);
    GameLib::advanceLoadingBar();
    gameState = menu;
    Sound::play(menuTune, 1);
}

// A stored round beyond the last one (from a damaged record) is taken as the last.
void Brixmoor::loadOptions() {
    SoundOptions(GameTables::brixmoorId).load();
    openLevel = std::clamp(GameMenu::loadOption(GameTables::brixmoorId + u"openlevel", 1), 1, int(lastRound));
}

void Brixmoor::loadResources() {
    GameLib::loadImageSet(u"/bxm/all");
    bonusAnimations = new AnimationArray(13);
    monsterAnimations = new AnimationArray(3);
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    lifeIcon = GameImage::load(u"lifeIcon.png");
    abyssImage = GameImage::load(u"abyss.png");
}

void Brixmoor::makeMenus() {
    mainMenu = new GameMenu();
    mainMenu->blendImage(splashImage, menuShade);
    mainMenu->layoutText(u"/bxm/help.txt", new DObjectArray(0));
    buildMenu();
    scoreMenu = new GameMenu();
    scoreMenu->loadHighScores(GameTables::brixmoorId, 1);
    scoreMenu->blendImage(splashImage, menuShade);
    scoreMenu->mode = GameMenu::scorePage;
}

void Brixmoor::loadBallImages() {
    ballSmallImage = GameImage::load(u"ballSmall.png");
    ballImage = GameImage::load(u"ball1.png");
    ballBigImage = GameImage::load(u"ballBig.png");
    bulletImage = GameImage::load(u"bullet.png");
    bombImage = GameImage::load(u"bomba-monstr_0.png");
    GameLib::advanceLoadingBar();
}

void Brixmoor::loadAnimations() {
    StringManager::loadProperties(u"/bxm/anim");
    fireBallSmall = Animation::fromProperty(u"ballFireSmall");
    fireBall = Animation::fromProperty(u"ballFire");
    fireBallBig = Animation::fromProperty(u"ballFireBig");
    for (int i = 0; i < 3; ++i) monsterAnimations[i] = Animation::fromProperty(DStringPtr(u"monst") + i);
    GameLib::advanceLoadingBar();
    bonusAnimations[0] = nullptr;
    for (int i = 1; i <= 12; ++i) {
        AnimationPtr capsule = Animation::fromProperty(DStringPtr(u"bxm_bon") + i);
        if (capsule) capsule->reset();
        bonusAnimations[i] = capsule;
    }
    GameLib::advanceLoadingBar();
}

void Brixmoor::makePlayThings() {
    level = 1;
    balls = new BallArray(ballCount);
    enemies = new EnemyArray(enemyCount);
    platform = new Platform();
    for (int i = 0; i < ballCount; ++i) balls[i] = new Ball(Ball::playing);
    GameLib::advanceLoadingBar();
    brickList = new BrickList();
    for (int i = 0; i < enemyCount; ++i) enemies[i] = new Enemy();
    setScore(0);
    platform->balls = balls;
    platform->loadAnimations();
    for (int i = 0; i < ballCount; ++i) {
        balls[i]->sideWall = BrickList::fieldLeft;
        balls[i]->topWall = brickList->top;
    }
    GameLib::advanceLoadingBar();
}

void Brixmoor::loadLabels() {
    StringManager::loadProperties(u"/res");
    scoreLabel = StringManager::getText(u"score") + u" ";
    pauseLabel = StringManager::getProperty(u"pause");
}

void Brixmoor::buildMenu() {
    DStringArrayPtr items = new DStringArray(itemCount);
    MenuItems::setStandard(items, gamePaused);
    mainMenu->setItems(items);
    mainMenu->firstVisible = 0;
    mainMenu->selected = 0;
}

// ---- States ----

void Brixmoor::update() {
    switch (gameState) {
        case menu: updateMenu(); break;
        case scores: updateScores(); break;
        case help: updateHelp(); break;
        case roundChoice: updateRoundChoice(); break;
        case ready: gameState = play; break;
        case play: updatePlay(); break;
        case lifeLost:
        case roundStart: updateTimed(); break;
        case roundCheck: checkRound(); break;
        default: break;
    }
}

void Brixmoor::updateMenu() {
    mainMenu->handleKeys();
    if (mainMenu->selectionMade) {
        const bool wasPaused = gamePaused;
        gamePaused = false;
        chooseItem(mainMenu->selected, wasPaused);
        if (!theGame) return;  // left for the shell
    }
    if (gameState == menu && mainMenu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
}

void Brixmoor::chooseItem(int item, bool wasPaused) {
    switch (item) {
        case startItem:
            if (wasPaused) {
                continueGame();
            } else {
                startGame();
            }
            break;
        case scoresItem: gameState = scores; break;
        case helpItem:
            gameState = help;
            mainMenu->mode = GameMenu::helpPage;
            break;
        case soundItem: changeSoundLevel(SoundOptions::effects); break;
        case musicItem: changeSoundLevel(SoundOptions::music); break;
        case exitItem: leave(wasPaused); break;
    }
}

void Brixmoor::startGame() {
    buildMenu();
    for (int i = 0; i < ballCount; ++i) balls[i]->setActive(false);
    lives = 5;
    if (openLevel == 1) {
        setScore(0);
        beginRound(1);
    } else {
        offerRounds();
    }
}

void Brixmoor::continueGame() {
    gameState = play;
    KeyState::right = KeyState::left = KeyState::rightSoft = KeyState::fire = KeyState::leftSoft = false;
    buildMenu();
    Sound::resumeAll();
}

// The rounds reached so far, the highest first, then the way back.
void Brixmoor::offerRounds() {
    gameState = roundChoice;
    mainMenu->setItems(MenuItems::levelChoice(openLevel));
    mainMenu->closeRequested = false;
    mainMenu->mode = GameMenu::listPage;
}

void Brixmoor::changeSoundLevel(SoundOptions::Kind kind) {
    const int item = kind == SoundOptions::music ? musicItem : soundItem;
    mainMenu->items[item] = SoundOptions(GameTables::brixmoorId).step(kind);
}

void Brixmoor::leave(bool wasPaused) {
    if (!wasPaused) {
        GameLib::returnToShell();
        return;
    }
    Sound::stopAll();
    mainMenu->closeRequested = true;
    gamePaused = false;
    buildMenu();
    gameState = menu;
}

void Brixmoor::storeEnteredName() {
    scoreMenu->loadHighScores(GameTables::brixmoorId, 1);
    scoreMenu->insertHighScore(GameMenu::lastEnteredName, score());
    scoreMenu->saveHighScores(GameTables::brixmoorId, 1);
    mainMenu->mode = GameMenu::listPage;
    setScore(0);
    level = 1;
    lives = 5;
    gameState = scores;
    scoreMenu->closeRequested = false;
    KeyState::fire = false;
}

void Brixmoor::updateScores() {
    scoreMenu->closeRequested = false;
    scoreMenu->handleKeys();
    if (!scoreMenu->closeRequested) return;
    gameState = menu;
    mainMenu->closeRequested = false;
    mainMenu->mode = GameMenu::listPage;
    mainMenu->selected = scoresItem;
}

void Brixmoor::updateHelp() {
    mainMenu->handleKeys();
    if (!mainMenu->closeRequested) return;
    mainMenu->closeRequested = false;
    gameState = menu;
    mainMenu->mode = GameMenu::listPage;
    mainMenu->selected = helpItem;
    mainMenu->firstVisible = 0;
}

void Brixmoor::updateRoundChoice() {
    mainMenu->handleKeys();
    if (!mainMenu->selectionMade) return;
    const int chosen = mainMenu->selected;
    buildMenu();
    if (chosen == openLevel) {
        gameState = menu;
        return;
    }
    setScore(0);
    beginRound(openLevel - chosen);
}

void Brixmoor::updatePlay() {
    if (pauseRequested()) {
        gamePaused = true;
        KeyState::pauseKey = false;
        buildMenu();
        gameState = menu;
        Sound::pauseAll();
        return;
    }
    readInput();
    stepPlay();
}

// A soft key, the pause key, or the stylus on the pause sign in the top right corner.
bool Brixmoor::pauseRequested() const {
    if (KeyState::leftSoft || KeyState::rightSoft || KeyState::pauseKey) return true;
    const DImagePtr& sign = GameMenu::pauseImage;
    const int width = sign ? sign->getWidth() : 0, height = sign ? sign->getHeight() : 0;
    return KeyState::pointerDown && KeyState::pointerX > ScreenCanvas::screenWidth - width &&
           KeyState::pointerY < height;
}

void Brixmoor::updateTimed() {
    if (millisSince(stateTimer) <= statePause) return;
    if (gameState == lifeLost) {
        gameState = play;
        if (lives < 1) {
            gamePaused = false;
            buildMenu();
            endGame();
            return;
        }
    } else {
        gameState = ready;
    }
    KeyState::anyKey = false;
    stateTimer = GetTickCount();
}

// Bomb bricks lit by a blast were counted off when they lit; they do not hold the round.
void Brixmoor::checkRound() {
    const int left = brickList->standingHits();
    if (left > 0) {
        brickList->toClear = left;
        gameState = play;
        return;
    }
    for (int i = 0; i < ballCount; ++i) balls[i]->setActive(false);
    if (level == lastRound) {
        endGame();
        return;
    }
    goToRound(level + 1);
}

void Brixmoor::raiseOpenLevel() {
    if (level <= openLevel) return;
    openLevel = level;
    GameMenu::saveOption(GameTables::brixmoorId + u"openlevel", openLevel);
}

// The open round rises only once the round has loaded: a round that cannot be played is
// never offered in the round choice.
void Brixmoor::goToRound(int round) {
    level = round;
    KeyState::anyKey = false;
    resetField();
    if (!loadLevel()) return;
    raiseOpenLevel();
    gameState = roundStart;
    stateTimer = GetTickCount();
}

void Brixmoor::beginRound(int round) {
    goToRound(round);
    if (gameState != roundStart) return;
    Sound::stopAll();
    Sound::play(respawnSound, 1);
    Sound::play(gameTune, -1);
}

bool Brixmoor::loadLevel() {
    try {
        brickList->loadRound(level);
        return true;
    } catch (DExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"Brixmoor: round ") + level + u" cannot be played: " + DFailureReason::of(e));
        endGame();
        return false;
    }
}

// ---- Input and play ----

void Brixmoor::readInput() {
    stateTimer = GetTickCount();
    if (KeyState::right || KeyState::minusOneKey) {
        platform->move(true);
    } else if (KeyState::left || KeyState::minusTwoKey) {
        platform->move(false);
    }
    if (KeyState::pointerDown) {
        const int offset = KeyState::pointerX - platform->x;
        if (offset > 3) platform->move(true);
        if (offset < -3) platform->move(false);
    }
    if (KeyState::up || KeyState::fire || KeyState::doubleTap) {
        KeyState::doubleTap = KeyState::anyKey = false;
        for (int i = 0; i < ballCount; ++i) balls[i]->flying = true;
        if (platform->state == Platform::arm) platform->startGunFire();
        platform->fireBullets();
    }
    if (KeyState::numberEntered) {
        KeyState::numberEntered = false;
        jumpToRound(KeyState::enteredNumber);
    }
}

// The two digits after the code sequence; numbers that are no round are ignored.
void Brixmoor::jumpToRound(int round) {
    if (round < 1 || round > lastRound) return;
    lives = 5;
    goToRound(round);
}

void Brixmoor::stepPlay() {
    particles->step();
    if (brickList->toClear < 1) {
        gameState = roundCheck;
        KeyState::anyKey = false;
        stateTimer = GetTickCount();
        return;
    }
    lives = platform->catchBonuses(lives, ballCount);
    moveBalls();
    platform->stepBullets();
    moveEnemies();
}

void Brixmoor::moveBalls() {
    for (int i = 0; i < ballCount; ++i) moveBall(balls[i]);
    compactBalls();
}

void Brixmoor::moveBall(const BallPtr& ball) {
    const int x = platform->x, y = platform->y, half = platform->width / 2;
    if (!ball->flying) {
        if (platform->sticky) {
            ball->step(x, y, x - half, x + half, true);
        } else {
            ball->setPosition(x + ball->radius, y - 1);
        }
        return;
    }
    if (!ball->live || walk->walk(ball)) return;
    if (ball->step(x, y, x - half, x + half, platform->sticky)) loseBall();
}

// The visible balls move to the front of the pool, in their order.
void Brixmoor::compactBalls() {
    for (int i = 0; i < ballCount; ++i) {
        if (balls[i]->visible) continue;
        int next = i + 1;
        while (next < ballCount && !balls[next]->visible) ++next;
        if (next >= ballCount) return;
        const BallPtr hidden = balls[i];
        balls[i] = BallPtr(balls[next]);
        balls[next] = hidden;
    }
}

void Brixmoor::moveEnemies() {
    for (int i = 0; i < enemyCount; ++i) {
        EnemyPtr enemy = enemies[i];
        if (!enemy->alive) {
            enemy->spawn();
            continue;
        }
        enemy->update();
        for (int b = 0; b < ballCount; ++b) {
            BallPtr ball = balls[b];
            if (!ball->live || !enemy->touches(ball)) continue;
            if (enemy->kind == Enemy::gulper && ball->look < Ball::smallFire) {
                swallow(enemy, ball);
            } else {
                enemy->kill();
                ball->vx = -ball->vx;
                ball->vy = -ball->vy;
                brickList->hitsTaken += 1;
                Sound::play(hitBrickSound, 1);
                spawnParticles(10, Particles::spark, ball->x, ball->y, 0);
            }
            break;
        }
        if (!theGame || gameState != play) return;
    }
}

// The gulper keeps the ball it swallows. The last ball in play costs a life: with lives to
// spare a fresh ball is served, with the last one the game loses it as a fallen ball.
void Brixmoor::swallow(const EnemyPtr& enemy, const BallPtr& ball) {
    if (platform->ballsInPlay == 1) {
        if (lives <= 1) {
            platform->ballsInPlay = 1;
            loseBall();
            return;
        }
        lives -= 1;
        Sound::play(dieSound, 1);
        BallPtr fresh;
        for (int i = 0; i < ballCount && !fresh; ++i)
            if (!balls[i]->visible) fresh = balls[i];
        if (!fresh) return;
        fresh->flying = fresh->visible = false;
        fresh->live = true;
        fresh->radius = ball->radius;
        fresh->serve(ball->radius + platform->x, platform->y - 1);
    } else {
        platform->ballsInPlay -= 1;
    }
    ball->live = false;
    enemy->carried = ball;
    enemy->kind = Enemy::carrier;
}

void Brixmoor::loseBall() {
    platform->ballsInPlay -= 1;
    if (platform->ballsInPlay >= 1) return;
    lives -= 1;
    Sound::play(dieSound, 1);
    resetField();
    gameState = lifeLost;
    stateTimer = GetTickCount();
}

void Brixmoor::resetField() {
    particles->clear();
    for (int i = 0; i < enemyCount; ++i)
        if (enemies[i]->alive) enemies[i]->kill();
    for (int i = 0; i < ballCount; ++i) {
        BallPtr ball = balls[i];
        ball->speed = 2;
        ball->steps = 0;
        ball->setActive(false);
        ball->setLook(Ball::small);
    }
    platform->reset();
}

void Brixmoor::endGame() {
    Sound::stopAll();
    scoreMenu->loadHighScores(GameTables::brixmoorId, 1);
    if (scoreMenu->isHighScore(score())) {
        mainMenu->enterName();
    } else {
        setScore(0);
        lives = 5;
        level = 1;
        gamePaused = false;
        buildMenu();
    }
    gameState = menu;
}

// ---- Drawing ----

void Brixmoor::paint() {
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    switch (gameState) {
        case loading:
            g->setColor(0x721112);
            g->fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
            if (splashImage)
                g->drawImage(splashImage, ScreenCanvas::screenWidth / 2, ScreenCanvas::screenHeight / 2,
                             DGraphics::HCENTER | DGraphics::VCENTER);
            break;
        case menu:
        case help:
        case roundChoice: mainMenu->paint(); break;
        case scores: scoreMenu->paint(); break;
        case play: paintPlay(); break;
        case ready:
        case lifeLost:
        case roundStart: paintBanner(); break;
        default: break;
    }
}

void Brixmoor::paintPlay() {
    ScreenCanvas::screenGraphics->drawImage(brickList->buffer, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    brickList->tickAll();
    platform->paint();
    reserveBall();
    paintHud();
}

// When every ball in sight is inside a creature, a ball still in play goes back on the paddle.
void Brixmoor::reserveBall() {
    int carriers = 0, carriedRadius = 0;
    for (int i = 0; i < enemyCount; ++i) {
        EnemyPtr enemy = enemies[i];
        enemy->paint();
        if (enemy->carried) {
            ++carriers;
            carriedRadius = enemy->carried->radius;
        }
    }
    int shown = 0;
    for (int i = 0; i < ballCount; ++i) {
        balls[i]->paint();
        if (balls[i]->visible) ++shown;
    }
    if (carriers != shown) return;
    for (int i = 0; i < ballCount; ++i) {
        BallPtr ball = balls[i];
        if (!ball->live || !ball->flying) continue;
        ball->flying = false;
        ball->visible = ball->live = true;
        ball->radius = carriedRadius;
        ball->serve(platform->x + carriedRadius, platform->y - 1);
        return;
    }
}

void Brixmoor::paintHud() {
    const int left = BrickList::fieldLeft, top = brickList->top, width = ScreenCanvas::screenWidth;
    lifeIcon->drawAt(left + 1, top - lifeIcon->height + 12);
    const DStringPtr times = u"x";
    const int timesX = left + lifeIcon->width + 2;
    const ImageFontPtr label = ScreenCanvas::font(ScreenCanvas::hudFont0);
    const ImageFontPtr numbers = ScreenCanvas::font(ScreenCanvas::numberFont0);
    label->drawString(times, timesX, top, 0);
    numbers->drawString(DString::valueOf(lives), timesX + label->stringWidth(times), top, 0);
    const DImagePtr& sign = GameMenu::pauseImage;
    const int signWidth = sign ? sign->getWidth() : 0;
    const int margin = left < signWidth + 2 ? signWidth + 2 : left;
    numbers->drawString(DString::valueOf(score()), width - margin, top, DGraphics::TOP | DGraphics::RIGHT);
    particles->paint();
    if (sign) ScreenCanvas::screenGraphics->drawImage(sign, width, 0, DGraphics::TOP | DGraphics::RIGHT);
}

void Brixmoor::paintBanner() {
    ScreenCanvas::screenGraphics->drawImage(brickList->picture, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int h = banner->getHeight(), x = ScreenCanvas::screenWidth / 2, middle = ScreenCanvas::screenHeight / 2;
    const int anchor = DGraphics::HCENTER | DGraphics::TOP;
    const DStringPtr title =
        lives < 1 ? StringManager::getProperty(u"gameover") : StringManager::getText(u"level") + u" " + level;
    banner->drawString(title, x, middle - 2 * h - 3, anchor);
    banner->drawString(scoreLabel + score(), x, middle - h, anchor);
}

// ---- Leaving ----

void Brixmoor::stop() {
    if (mainMenu) mainMenu->detach();
    Sound::stopAll();
    releaseStatics();
}

void Brixmoor::releaseStatics() {
    particles = nullptr;
    mainMenu = nullptr;
    platform = nullptr;
    scoreMenu = nullptr;
    brickList = nullptr;
    bonusAnimations = nullptr;
    monsterAnimations = nullptr;
    fireBallSmall = fireBall = fireBallBig = nullptr;
    ballSmallImage = ballImage = ballBigImage = bulletImage = bombImage = nullptr;
    scoreLabel = pauseLabel = nullptr;
    gameState = loading;
    gamePaused = false;
    theGame = nullptr;
}

// ---- Helpers shared by the ball, bricks, paddle and creatures ----

void Brixmoor::spawnParticles(int count, int kind, int x, int y, int colour) {
    if (particles) particles->spawn(count, kind, x, y, colour);
}

int Brixmoor::randomRange(int low, int high) { return low + GameLib::sharedRandom->nextAbsMod(high - low + 1); }

AnimationPtr Brixmoor::shareFrames(const AnimationPtr& source) {
    if (!source) return nullptr;
    AnimationPtr copy = new Animation();
    copy->frames = source->frames;
    return copy;
}

GameImagePtr Brixmoor::firstFrame(const AnimationPtr& animation) {
    if (!animation || !animation->frames || animation->frames->length == 0) return nullptr;
    return animation->frames[0];
}

GameImagePtr Brixmoor::lastFrame(const AnimationPtr& animation) {
    if (!animation || !animation->frames || animation->frames->length == 0) return nullptr;
    return animation->frames[animation->frames->length - 1];
}

GameImagePtr Brixmoor::currentFrame(const AnimationPtr& animation) {
    if (!animation || !animation->frames || animation->current >= animation->frames->length) return nullptr;
    return animation->frames[animation->current];
}

GameImagePtr Brixmoor::stillOf(const AnimationPtr& animation) {
    GameImagePtr first = firstFrame(animation);
    return first ? first : GameImagePtr(new GameImage());
}
