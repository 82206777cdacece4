#include "gametanks.h"
#include <algorithm>
#include "damagelog.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "dioexception.h"
#include "drawingtarget.h"
#include "gamelib.h"
#include "gamemain.h"
#include "gametables.h"
#include "imageatlas.h"
#include "imagefont.h"
#include "keystate.h"
#include "screencanvas.h"
#include "screencover.h"
#include "sound.h"
#include "stringmanager.h"
#include "tanktunables.h"
#include "ticks.h"

using dfc::io::DIOExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DintArray2d;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImageArray;
using dfc::microedition::lcdui::DImagePtr;

namespace {

constexpr int32_t shootSound = 3, blowSound = 4;
// The largest ring of blocks round the base.
constexpr int32_t baseWallRows = 9;
// Draws before a bonus is left where it fell.
constexpr int32_t bonusDraws = 64;

// The ground bit of a tile's ground number 1-5; 0 for none.
int32_t groundBit(int32_t ground) { return ground >= 1 && ground <= 5 ? 1 << (ground - 1) : 0; }

int32_t turned(int32_t direction, int32_t by) { return (direction + by + 4) % 4; }

}  // namespace

// ---- Setting up ----

void GameTanks::init(GameMain* main) {
    gameMain = main;
    levelCounter = score = killCounters = 0;
    levelOverX = ScreenCanvas::screenWidth / 2;
    makeObjects();
    loadImages();
    loaded = true;
}

void GameTanks::makeObjects() {
    player = new GTNK();
    enemies = new GTNKArray(enemyCount);
    enemyBullets = new GBULArray(enemyCount);
    playerBullets = new GBULArray(playerBulletCount);
    for (int32_t i = 0; i < enemyCount; ++i) {
        enemies[i] = new GTNK();
        enemyBullets[i] = new GBUL();
    }
    for (int32_t i = 0; i < playerBulletCount; ++i) playerBullets[i] = new GBUL();
    images = new DImageArray(2);
    starts = new DintArray2d(startRows, 3);
    baseWalls = new DintArray2d(baseWallRows, 2);
}

GameImageArrayPtr GameTanks::numbered(const char16_t* prefix, int32_t count) {
    GameImageArrayPtr result = new GameImageArray(count);
    for (int32_t i = 0; i < count; ++i) result[i] = GameImage::load(DStringPtr(prefix) + i);
    return result;
}

// Index: animation offset (0 or 4) + type x 8 + direction. Pictures face left; on tiles wider
// than 16 pixels the up and down views are pictures of their own.
GameImageArrayPtr GameTanks::tankImages(const char16_t* prefix, int32_t types) {
    const bool separate = GameImage::load(u"ptnk00")->width > 16;
    GameImageArrayPtr result = new GameImageArray(types * 8);
    for (int32_t type = 0; type < types; ++type)
        for (int32_t frame = 0; frame < 2; ++frame) {
            const DStringPtr name = DStringPtr(prefix) + frame + type;
            const DStringPtr large = DStringPtr(prefix) + u"x" + type;
            const int32_t index = frame * 4 + type * 8;
            result[index + GTNK::LEFT] = GameImage::load(name);
            result[index + GTNK::RIGHT] = GameImage::load(name + u"_mr");
            result[index + GTNK::UP] = GameImage::load(separate ? large + u"-dn" : name + u"_dn");
            result[index + GTNK::DOWN] = GameImage::load(separate ? large + u"-up" : name + u"_up");
        }
    return result;
}

void GameTanks::loadImages() {
    yogImage = GameImage::load(u"yog");
    tile = std::max(4, yogImage->width);
    enemyImages = tankImages(u"etnk", 8);
    playerImages = tankImages(u"ptnk", 4);
    panelIcons = numbered(u"stnk", 4);
    bonusImages = numbered(u"bonus", 6);
    arrivalImages = numbered(u"etsp", 2);
    shieldImages = numbered(u"ptsh", 2);
    explosionImages = numbered(u"expl", 4);
    waterImages = numbered(u"water", 2);
    blockImages = numbered(u"block", 2);
    houseImages = new GameImageArray(6);
    for (int32_t i = 0; i < 3; ++i) {
        houseImages[i] = GameImage::load(DStringPtr(u"house0") + i);
        houseImages[3 + i] = GameImage::load(DStringPtr(u"house1") + i);
    }
    bulletImages = new GameImageArray(4);
    bulletImages[GTNK::LEFT] = GameImage::load(u"bullet");
    bulletImages[GTNK::UP] = GameImage::load(u"bullet_dn");
    bulletImages[GTNK::RIGHT] = GameImage::load(u"bullet_mr");
    bulletImages[GTNK::DOWN] = GameImage::load(u"bullet_up");
    const char16_t* grounds[] = {u"road", u"grass", u"water0", u"ruine", u"icebg", u"spice"};
    groundImages = new GameImageArray(6);
    for (int32_t i = 0; i < 6; ++i) groundImages[i] = GameImage::load(grounds[i]);
    maskImage = GameImage::load(u"mask");
    baseImage = GameImage::load(u"gerb_OK");
    baseLostImage = GameImage::load(u"gerb_GO");
    lifeIcon = GameImage::load(u"ptnk00");
}

void GameTanks::release() {
    if (grid) grid->release();
    if (player) player->deactivate();
    player = nullptr;
    enemies = nullptr;
    playerBullets = enemyBullets = nullptr;
    images = nullptr;
    drawnCells.clear();
    items = nullptr;
    enemyImages = playerImages = panelIcons = bonusImages = arrivalImages = shieldImages = nullptr;
    bulletImages = explosionImages = groundImages = waterImages = blockImages = houseImages = nullptr;
    yogImage = maskImage = baseImage = baseLostImage = lifeIcon = nullptr;
    gameMain = nullptr;
    loaded = false;
}

void GameTanks::newGame() {
    levelOver = levelWon = paused = levelLoaded = playerDead = false;
    newGameStarted = true;
    redrawPanel = true;
    bonusTimer = 0;
    levelEndTick = 0;
    levelCounter = 1;
    score = 0;
    player->active = false;
    for (int32_t i = 0; i < playerBulletCount; ++i) playerBullets[i]->active = false;
    for (int32_t i = 0; i < enemyCount; ++i) enemyBullets[i]->active = false;
}

void GameTanks::nextLevel() {
    if (levelWon) {
        ++levelCounter;
        if (gameMain && levelCounter > gameMain->openLevel) {
            gameMain->openLevel = levelCounter;
            gameMain->saveOpenLevel();
        }
    }
    redrawPanel = true;
    bonusTimer = 0;
    levelEndTick = 0;
    playerDead = levelOver = paused = newGameStarted = levelWon = levelLoaded = false;
    for (int32_t i = 0; i < playerBulletCount; ++i) playerBullets[i]->active = false;
    for (int32_t i = 0; i < enemyCount; ++i) enemyBullets[i]->active = false;
}

void GameTanks::endLevel(bool won) {
    levelWon = won;
    levelOver = true;
    paintPanel();
    levelEndTick = GetTickCount();
}

// ---- The field ----

void GameTanks::loadLevel() {
    levelLoaded = false;
    spawnCountdown = TankTunables::newUnitTime;
    bonusTimer = 0;
    freezeTimer = 0;
    shieldTimer = TankTunables::shieldAtStart;
    spadeTimer = 0;
    battleClock = 0;
    TankLevelRecordPtr record;
    try {
        record = TankLevelRecord::read(GameLib::openResource(u"/tanks/dat/mapbcl.bin"), levelCounter);
    } catch (DIOExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"tanks: the level file cannot be opened: ") + DFailureReason::of(e));
        return;
    }
    if (!record || !buildField(record)) return;
    // Made here, not by the first paint, so that a step never runs without it.
    makeFieldImage();
    redraw(false, 0);
    levelLoaded = true;
}

bool GameTanks::buildField(const TankLevelRecordPtr& record) {
    for (int32_t row = 0; row < startRows; ++row) starts[row][0] = starts[row][1] = starts[row][2] = -1;
    spawnPoints = 0;
    baseX = baseY = -1;
    grid->init(record->widthTiles * 4, record->heightTiles * 4);
    grid->clear();
    items = new GITMArray(record->widthTiles * record->heightTiles);
    for (int32_t row = 0; row < record->heightTiles; ++row)
        for (int32_t column = 0; column < record->widthTiles; ++column)
            placeTile(record->tile(column, row), column * 4, row * 4);
    if (starts[0][0] < 0 || baseX < 0) {
        DamageLog::name(DStringPtr(u"tanks: level ") + levelCounter + u" has no player start or no base");
        baseX = baseY = -1;
        return false;
    }
    grid->setBits(GameGrid::base, baseX, baseY);
    collectBaseWalls();
    for (int32_t i = 0; i < enemyCount; ++i) {
        int32_t type = record->type(i);
        if (type > 7) {
            DamageLog::name(u"tanks: enemy types past 7", DStringPtr(u"tanks: enemy type ") + type + u" of level " +
                                                              levelCounter + u" taken as " + (type & 7) +
                                                              u"; other types past 7 go unnamed");
            type &= 7;
        }
        enemies[i]->init(type);
    }
    killCounters = 0;
    resetPlayer();
    for (int32_t row = 1; row < startRows; ++row)
        if (starts[row][0] != -1) placeEnemy(enemyCount - row, row);
    return true;
}

void GameTanks::placeTile(int32_t tileByte, int32_t x, int32_t y) {
    grid->setBits(groundBit(tileByte & 7), x, y);
    const int32_t code = tileByte >> 3;
    if (code == TankLevelRecord::coverCode) {
        grid->setBits(GameGrid::cover, x, y);
    } else if (code >= TankLevelRecord::firstWallCode && code <= TankLevelRecord::lastWallCode) {
        grid->clearBits(0x0F, x, y);
        grid->setBits(0x04, x, y);
        addItem(code - TankLevelRecord::firstWallCode, x, y);
    } else if (code == TankLevelRecord::playerStart) {
        addStart(0, x, y, GTNK::UP);
    } else if (code == TankLevelRecord::enemyStart) {
        addStart(spawnPoints + 1, x, y, GTNK::DOWN);
    } else if (code == TankLevelRecord::baseCode) {
        if (baseX >= 0)
            DamageLog::name(DStringPtr(u"tanks: a second base in level ") + levelCounter + u" left out");
        else baseX = x, baseY = y;
    } else if (code >= TankLevelRecord::firstYogCode) {
        addItem(code - 5, x, y);
    }
}

void GameTanks::addItem(int32_t kind, int32_t x, int32_t y) {
    int32_t index = 0;
    while (index < items->length && items[index]) ++index;
    if (index == items->length) return;
    items[index] = new GITM();
    items[index]->init(kind, x, y);
    grid->setBlockOwner(GameGrid::item, index, x, y);
}

// Row 0 is the player's; the enemies' rows count up to 5, and starts past them are dropped.
void GameTanks::addStart(int32_t row, int32_t x, int32_t y, int32_t direction) {
    if (row >= startRows || (row == 0 && starts[0][0] != -1)) {
        DamageLog::name(DStringPtr(u"tanks: a start point too many in level ") + levelCounter + u" left out");
        return;
    }
    starts[row][0] = x;
    starts[row][1] = y;
    starts[row][2] = direction;
    if (row > 0) spawnPoints = row;
}

void GameTanks::resetPlayer() {
    if (!player->active || newGameStarted) {
        if (newGameStarted) player->armour = 3;
        player->speed = 2;
        player->type = 0;
        newGameStarted = false;
    }
    player->place(starts[0][0], starts[0][1], starts[0][2]);
    player->active = true;
}

void GameTanks::placeEnemy(int32_t enemy, int32_t row) {
    const GTNKPtr& tank = enemies[enemy];
    tank->place(starts[row][0], starts[row][1], starts[row][2]);
    tank->setState(GTNK::BORN);
    grid->setBlockOwner(GameGrid::tank, enemy, tank->x, tank->y);
}

void GameTanks::collectBaseWalls() {
    baseWallCount = 0;
    for (int32_t dy = -4; dy <= 4; dy += 4)
        for (int32_t dx = -4; dx <= 4; dx += 4) {
            const int32_t x = baseX + dx, y = baseY + dy;
            if ((dx == 0 && dy == 0) || !grid->blockInside(x, y)) continue;
            const int32_t index = grid->ownerAt(GameGrid::item, x, y);
            if (index < 0 || index >= items->length || !items[index]) continue;
            baseWalls[baseWallCount][0] = index;
            baseWalls[baseWallCount][1] = items[index]->kind;
            ++baseWallCount;
        }
}

// A block a tank stands on is left alone: walling it in would hold the tank for good.
void GameTanks::fortifyBase(bool on) {
    for (int32_t row = 0; row < baseWallCount; ++row) {
        const GITMPtr& wall = items[baseWalls[row][0]];
        if (grid->testBlock(GameGrid::tank, wall->x, wall->y)) continue;
        wall->init(on ? GITM::wallBlock : baseWalls[row][1], wall->x, wall->y);
        grid->releaseBlock(GameGrid::item, wall->x, wall->y);
        grid->setBlockOwner(GameGrid::item, baseWalls[row][0], wall->x, wall->y);
        repaintBlock(wall->x, wall->y);
    }
}

void GameTanks::makeFieldImage() {
    const int32_t width = grid->width * tile / 4, height = grid->height * tile / 4;
    const DImagePtr& field = images[0];
    if (!field || field->getWidth() != width || field->getHeight() != height)
        images[0] = DImage::createImage(width, height);
}

// Drawn only when the block's pictures differ from those it was last drawn with.
void GameTanks::paintCell(int32_t x, int32_t y, int32_t waterFrame) {
    const int32_t across = (grid->width + 3) / 4, down = (grid->height + 3) / 4;
    drawnCells.follow(images[0], across * down);
    const DrawnCells::Look look = lookOf(x, y, waterFrame);
    if (!drawnCells.change(y / 4 * across + x / 4, look)) return;
    const int32_t px = x * tile / 4, py = y * tile / 4;
    for (const GameImagePtr* picture : {&look.ground, &look.emblem, &look.item})
        if (*picture) (*picture)->drawAt(px, py);
}

DrawnCells::Look GameTanks::lookOf(int32_t x, int32_t y, int32_t waterFrame) const {
    DrawnCells::Look look;
    const int32_t cell = grid->at(x, y);
    const int32_t ground = cell & GameGrid::groundBits;
    look.ground = groundImages[0];
    for (int32_t bit = 0; bit < 5; ++bit)
        if (ground & (1 << bit)) {
            look.ground = bit == 1 ? waterImages[waterFrame & 1] : groundImages[bit + 1];
            break;
        }
    if (cell & GameGrid::base) look.emblem = levelOver && !levelWon ? baseLostImage : baseImage;
    const int32_t index = grid->ownerAt(GameGrid::item, x, y);
    if (index < 0 || index >= items->length || !items[index]) return look;
    const GITMPtr& item = items[index];
    const int32_t wear = std::clamp(item->hitPoints - 1, 0, 2);
    if (item->kind == GITM::wallBlock) look.item = blockImages[item->hitPoints >= GITM::wallHitPoints ? 0 : 1];
    else if (item->kind <= GITM::secondHouse) look.item = houseImages[(item->kind - 1) * 3 + wear];
    else look.item = yogImage;
    return look;
}

void GameTanks::repaintBlock(int32_t x, int32_t y) {
    if (!images[0] || !groundImages) return;
    const DrawingTarget field(images[0]->getGraphics());
    paintCell(x, y, 0);
}

void GameTanks::redraw(bool withPanel, int32_t waterFrame) {
    if (withPanel) paintPanel();
    if (!groundImages || !grid->created) return;
    makeFieldImage();
    const DrawingTarget field(images[0]->getGraphics());
    for (int32_t y = 0; y < grid->height; y += 4)
        for (int32_t x = 0; x < grid->width; x += 4) paintCell(x, y, waterFrame);
}

// ---- The battle step ----

int32_t GameTanks::rollRange() const {
    return std::max(1, TankTunables::aiLevel + TankTunables::aiPerLevel * levelCounter);
}

void GameTanks::countKill(int32_t kind) {
    const int32_t shift = 8 * (kind & 3);
    const int32_t count = ((killCounters >> shift) & 0xFF) + 1;
    killCounters = (killCounters & ~(0xFF << shift)) | ((count & 0xFF) << shift);
}

int32_t GameTanks::killPoints() const { return 10 * (kills(0) + 2 * kills(1) + 3 * kills(2) + 4 * kills(3)); }

bool GameTanks::updateTanks() {
    if (paused) return true;
    battleClock += GTNK::stepMillis;
    for (int64_t* timer : {&shieldTimer, &freezeTimer, &spadeTimer, &bonusTimer})
        if (*timer >= 0) *timer -= GTNK::stepMillis;
    spawnCountdown -= GTNK::stepMillis;
    stepBullets();
    const bool playerReady = player->update();
    int32_t destroyed = 0;
    for (int32_t i = 0; i < enemyCount; ++i) {
        const GTNKPtr& enemy = enemies[i];
        enemy->update();
        if (enemy->isDestroyed) ++destroyed;
    }
    if (destroyed == enemyCount && !levelOver) endLevel(true);
    arrivals();
    if (playerReady && player->active && !playerDead && (!levelOver || levelWon)) playerTurn();
    if (!levelOver && freezeTimer < 0) enemiesTurn();
    if (!levelOver) return true;
    return millisSince(levelEndTick) <= TankTunables::gameTimeLast;
}

void GameTanks::stepBullets() {
    const DrawingTarget field(images[0] ? images[0]->getGraphics() : ImageAtlas::currentGraphics);
    auto stepOne = [this](const GBULPtr& bullet) {
        if (!bullet->active || !bullet->step() || bullet->state == GBUL::BURSTING) return;
        if (!updateBullet(bullet)) bullet->active = false;
    };
    for (int32_t i = playerBulletCount - 1; i >= 0; --i) stepOne(playerBullets[i]);
    for (int32_t i = 0; i < enemyCount; ++i) stepOne(enemyBullets[i]);
}

void GameTanks::arrivals() {
    int32_t onField = 0;
    for (int32_t i = 0; i < enemyCount; ++i)
        if (enemies[i]->hasBeenBorn && !enemies[i]->isDestroyed) ++onField;
    if (spawnCountdown >= 0) return;
    if (onField >= arrivalCap()) {
        spawnCountdown = TankTunables::newUnitTime;
        return;
    }
    const int32_t point = nextSpawnPoint(), enemy = findFreeTank();
    if (point >= 0 && enemy >= 0) {
        spawnCountdown = TankTunables::newUnitTime;
        placeEnemy(enemy, point);
        redraw(true, 0);
    } else if (enemy < 0) {
        spawnCountdown = never;
    }
}

void GameTanks::playerTurn() {
    if (grid->testBlock(GameGrid::bonus, player->x, player->y) & 0xFFFF) {
        applyBonus(bonusKind);
        takeBonus();
    }
    if (spadeTimer < -1) {
        fortifyBase(false);
        spadeTimer = -1;
    }
    grid->releaseBlock(GameGrid::tank, player->x, player->y);
    steerPlayer();
    if ((KeyState::fire || KeyState::doubleTap) && !playerBullets[0]->active) {
        KeyState::fire = KeyState::doubleTap = false;
        playerBullets[0]->launch(player->x + GTNK::_XCO(player->direction), player->y + GTNK::_YCO(player->direction),
                                 player->direction, player->type, true, grid->width, grid->height, tile);
        Sound::play(shootSound, 1);
    }
    markTank(player, playerOwner);
}

void GameTanks::steerPlayer() {
    if (KeyState::pointerDown) {
        const int32_t fieldWidth = grid->width * tile / 4, fieldHeight = grid->height * tile / 4;
        const int32_t px = screenOf(player->pixelX()), py = screenOf(player->pixelY());
        const int32_t centreX = scrollX(ScreenCanvas::screenWidth, fieldWidth, px) + px + tile / 2;
        const int32_t centreY = scrollY(ScreenCanvas::screenHeight - panelHeight, fieldHeight, py) + py + tile / 2;
        const int32_t dx = KeyState::pointerX - centreX, dy = KeyState::pointerY - centreY;
        if (std::abs(dx) <= std::abs(dy)) {
            if (dy > 5) moveTank(player, GTNK::DOWN);
            else if (dy < -5) moveTank(player, GTNK::UP);
        } else if (dx > 5) {
            moveTank(player, GTNK::RIGHT);
        } else if (dx < -5) {
            moveTank(player, GTNK::LEFT);
        }
        return;
    }
    if (KeyState::up) moveTank(player, GTNK::UP);
    else if (KeyState::down) moveTank(player, GTNK::DOWN);
    else if (KeyState::left) moveTank(player, GTNK::LEFT);
    else if (KeyState::right) moveTank(player, GTNK::RIGHT);
}

void GameTanks::markTank(const GTNKPtr& tank, int32_t owner) {
    if (tank->state == GTNK::MOVING)
        grid->setBlockOwner(GameGrid::tank, owner, tank->x + GTNK::_XMO(tank->direction),
                            tank->y + GTNK::_YMO(tank->direction));
    else
        grid->setBlockOwner(GameGrid::tank, owner, tank->x, tank->y);
}

void GameTanks::enemiesTurn() {
    for (int32_t i = 0; i < enemyCount; ++i) {
        const GTNKPtr& enemy = enemies[i];
        if (!enemy->hasBeenBorn || enemy->isDestroyed || enemy->state != GTNK::NORMAL) continue;
        grid->releaseBlock(GameGrid::tank, enemy->x, enemy->y);
        steerEnemy(i, GameLib::sharedRandom->nextAbsMod(rollRange()));
    }
}

void GameTanks::steerEnemy(int32_t i, int32_t roll) {
    const GTNKPtr& enemy = enemies[i];
    aimAtTarget(roll, i);
    if (enemy->state == GTNK::NORMAL && roll < TankTunables::aiLevel) moveTank(enemy, enemy->direction);
    if (enemy->state == GTNK::NORMAL && roll < TankTunables::aiLevel / 3)
        moveTank(enemy, turned(enemy->direction, roll % 2 ? -1 : 1));
    if (!enemyBullets[i]->active && enemy->canFire()) {
        enemyBullets[i]->launch(enemy->x + GTNK::_XCO(enemy->direction), enemy->y + GTNK::_YCO(enemy->direction),
                                enemy->direction, enemy->type, false, grid->width, grid->height, tile);
        Sound::play(shootSound, 1);
    }
    if (enemy->state == GTNK::NORMAL) moveTank(enemy, enemy->direction);
    markTank(enemy, i);
}

void GameTanks::aimAtTarget(int32_t roll, int32_t i) {
    if (roll < TankTunables::aiLevel) return;
    const GTNKPtr& enemy = enemies[i];
    const int32_t reach = TankTunables::aiDistance + levelCounter * TankTunables::aiDistancePerLevel;
    auto aimAt = [&](int32_t targetX, int32_t targetY) {
        const int32_t dx = enemy->x - targetX, dy = enemy->y - targetY;
        if (std::abs(dy) < reach && std::abs(dx) < 3) {
            moveTank(enemy, dy >= 0 ? GTNK::UP : GTNK::DOWN);
            return true;
        }
        if (std::abs(dx) < reach && std::abs(dy) < 3) {
            moveTank(enemy, dx >= 0 ? GTNK::LEFT : GTNK::RIGHT);
            return true;
        }
        return false;
    };
    if (!aimAt(baseX, baseY)) aimAt(player->x, player->y);
}

void GameTanks::moveTank(const GTNKPtr& tank, int32_t direction) {
    const int32_t x = tank->x + GTNK::_XMO(direction), y = tank->y + GTNK::_YMO(direction);
    tank->turn(direction);
    if (grid->blockInside(x, y) && !grid->testBlock(GameGrid::blocksTank, x, y)) tank->setState(GTNK::MOVING);
}

int32_t GameTanks::findFreeTank() {
    for (int32_t i = enemyCount - 1; i >= 0; --i)
        if (!enemies[i]->hasBeenBorn) return i;
    return -1;
}

// A level without enemy start points sends no enemy.
int32_t GameTanks::nextSpawnPoint() {
    if (spawnPoints <= 0) return -1;
    ++spawnCounter;
    const int32_t point = spawnCounter % spawnPoints + 1;
    if (starts[point][0] == -1 || grid->testBlock(GameGrid::blocksTank, starts[point][0], starts[point][1]))
        return -1;
    return point;
}

// ---- Bullets ----

bool GameTanks::updateBullet(const GBULPtr& bullet) {
    if (!grid->inside(bullet->x, bullet->y)) return false;
    static constexpr int32_t besideX[] = {0, 1, 0, -1}, besideY[] = {-1, 0, 1, 0};
    const int32_t direction = std::clamp(bullet->direction, 0, 3);
    int32_t hitX = bullet->x, hitY = bullet->y;
    if (!(grid->at(hitX, hitY) & GameGrid::blocksBullet)) {
        hitX += besideX[direction];
        hitY += besideY[direction];
    }
    const int32_t cell = grid->at(hitX, hitY);
    const int32_t owner = grid->ownerField(hitX, hitY);
    bool burst = false;
    if (cell & GameGrid::base) {
        if (!levelOver) --player->armour;
        endLevel(false);
        repaintBlock(baseX, baseY);
        burst = true;
    } else if (cell & GameGrid::item) {
        if (owner < items->length && items[owner]) {
            const GITMPtr& item = items[owner];
            if (item->kind != GITM::wallBlock || bullet->power == 4) item->damage(bullet->power);
            if (!item->active) grid->releaseBlock(GameGrid::item, item->x, item->y);
            repaintBlock(item->x, item->y);
        }
        burst = true;
    } else if (cell & GameGrid::tank) {
        if (!bullet->byPlayer && owner == playerOwner) {
            playerHit();
            burst = true;
        } else if (bullet->byPlayer && owner < enemyCount) {
            enemyHit(owner, bullet);
            burst = true;
        }
    }
    if (burst) {
        bullet->burst();
        Sound::play(blowSound, 1);
    }
    bool keep = true;
    clashBullets(bullet, &keep);
    return keep;
}

void GameTanks::playerHit() {
    if (shieldTimer >= 0) return;
    releaseTank(player);
    --player->armour;
    if (player->armour < 1) {
        endLevel(false);
        playerDead = true;
        return;
    }
    player->speed = 2;
    player->type = 0;
    player->place(starts[0][0], starts[0][1], GTNK::UP);
    player->active = true;
    shieldTimer = TankTunables::shieldAtStart;
    paintPanel();
}

void GameTanks::enemyHit(int32_t n, const GBULPtr& bullet) {
    const GTNKPtr& enemy = enemies[n];
    if (enemy->state == GTNK::BORN) return;
    if (enemy->type >= 4) placeBonus();
    enemy->armour -= bullet->power;
    if (enemy->armour >= 1) return;
    releaseTank(enemy);
    enemy->setState(GTNK::DESTROYED);
    countKill(enemy->type);
}

// A shot meeting an opposing one within a unit: both go.
void GameTanks::clashBullets(const GBULPtr& bullet, bool* keep) {
    auto near = [&bullet](const GBULPtr& other) {
        return other->active && other->state == GBUL::FLYING && std::abs(other->x - bullet->x) < 2 &&
               std::abs(other->y - bullet->y) < 2;
    };
    if (!bullet->byPlayer) {
        for (int32_t i = 0; i < playerBulletCount; ++i)
            if (near(playerBullets[i])) {
                playerBullets[i]->active = false;
                bullet->burst();
                Sound::play(blowSound, 1);
            }
        return;
    }
    for (int32_t i = 0; i < enemyCount; ++i)
        if (near(enemyBullets[i])) {
            enemyBullets[i]->burst();
            Sound::play(blowSound, 1);
            *keep = false;
            return;
        }
}

void GameTanks::releaseTank(const GTNKPtr& tank) {
    if (tank->state == GTNK::MOVING)
        grid->releaseBlock(GameGrid::tank, tank->x + GTNK::_XMO(tank->direction),
                           tank->y + GTNK::_YMO(tank->direction));
    else
        grid->releaseBlock(GameGrid::tank, tank->x, tank->y);
}

// ---- Bonuses ----

void GameTanks::placeBonus() {
    grid->clearBits(GameGrid::bonus, bonusX, bonusY);
    bonusTimer = TankTunables::bonusShown;
    bonusKind = GameLib::sharedRandom->nextAbsMod(8);
    if (bonusKind > 5) bonusKind = 0;
    for (int32_t draw = 0; draw < bonusDraws; ++draw) {
        bonusX = GameLib::sharedRandom->nextAbsMod(std::max(1, grid->width)) & 252;
        bonusY = GameLib::sharedRandom->nextAbsMod(std::max(1, grid->height)) & 252;
        const bool nearBase = std::abs(bonusX - baseX) < 8 && std::abs(bonusY - baseY) < 8;
        if (!nearBase && !grid->testBlock(GameGrid::water | GameGrid::item, bonusX, bonusY)) break;
    }
    grid->setBits(GameGrid::bonus, bonusX, bonusY);
}

bool GameTanks::isBonusShown() {
    if (bonusTimer > 0) return true;
    grid->clearBits(GameGrid::bonus, bonusX, bonusY);
    bonusTimer = 0;
    return false;
}

void GameTanks::takeBonus() {
    grid->clearBits(GameGrid::bonus, bonusX, bonusY);
    bonusTimer = 0;
    bonusKind = 0;
}

void GameTanks::applyBonus(int32_t kind) {
    switch (kind) {
        case starBonus: player->type = std::min(player->type + 1, 3); break;
        case clockBonus: freezeTimer = TankTunables::freezeTime; break;
        case grenadeBonus: destroyAll(); break;
        case helmetBonus: shieldTimer = TankTunables::shieldTime; break;
        case tankBonus:
            ++player->armour;
            paintPanel();
            break;
        case spadeBonus:
            spadeTimer = TankTunables::spadeTime;
            fortifyBase(true);
            break;
        default: break;
    }
}

void GameTanks::destroyAll() {
    for (int32_t i = 0; i < enemyCount; ++i) {
        const GTNKPtr& enemy = enemies[i];
        if (!enemy->hasBeenBorn || enemy->isDestroyed) continue;
        releaseTank(enemy);
        countKill(enemy->type);
        enemy->setState(GTNK::DESTROYED);
        const GBULPtr explosion = freeExplosion();
        if (!explosion) continue;
        explosion->launch(enemy->x + 1, enemy->y + 1, GTNK::LEFT, 0, true, grid->width, grid->height, tile);
        if (explosion->active) explosion->burst();
    }
    Sound::play(blowSound, 1);
}

// The player fires bullet 0 only; the others carry the grenade's explosions.
GBULPtr GameTanks::freeExplosion() {
    for (int32_t i = playerBulletCount - 1; i > 0; --i)
        if (!playerBullets[i]->active) return playerBullets[i];
    return nullptr;
}

// ---- The screen ----

int32_t GameTanks::scrollX(int32_t screenWidth, int32_t fieldWidth, int32_t player) {
    if (screenWidth >= fieldWidth) return (screenWidth - fieldWidth) / 2;
    return std::clamp(screenWidth / 2 - player, screenWidth - fieldWidth, 0);
}

int32_t GameTanks::scrollY(int32_t viewHeight, int32_t fieldHeight, int32_t player) {
    if (viewHeight >= fieldHeight) return 0;
    return std::clamp(viewHeight / 2 - player, viewHeight - fieldHeight, 0);
}

void GameTanks::paint() {
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    const int32_t fieldWidth = grid->width * tile / 4, fieldHeight = grid->height * tile / 4;
    const int32_t ox = scrollX(width, fieldWidth, screenOf(player->pixelX()));
    const int32_t oy = scrollY(height - panelHeight, fieldHeight, screenOf(player->pixelY()));
    const int32_t blink = battleClock % 500 < 251 ? 1 : 0;
    DGraphics& g = *ScreenCanvas::screenGraphics;
    if (redrawPanel) {
        redraw(false, blink);
        redraw(true, blink);
        redrawPanel = false;
    }
    if (!coversScreen(ox, oy)) {
        g.setColor(0x000000);
        g.fillRect(0, 0, width, height);
    }
    if (gameMain) gameMain->paintSidePanels();
    if (images[0]) g.drawImage(images[0], ox, oy, DGraphics::TOP | DGraphics::LEFT);
    const int32_t px = ox + screenOf(player->pixelX()), py = oy + screenOf(player->pixelY());
    if (shieldTimer > 0) shieldImages[blink]->drawAt(px, py);
    if (!playerDead) paintTank(player, playerImages, ox, oy);
    for (int32_t i = 0; i < playerBulletCount; ++i) paintBullet(playerBullets[i], ox, oy);
    for (int32_t i = 0; i < enemyCount; ++i) {
        const GTNKPtr& enemy = enemies[i];
        if (enemy->hasBeenBorn && !enemy->isDestroyed) {
            if (enemy->state == GTNK::BORN)
                arrivalImages[blink]->drawAt(ox + screenOf(enemy->pixelX()), oy + screenOf(enemy->pixelY()));
            else
                paintTank(enemy, enemyImages, ox, oy);
        }
        paintBullet(enemyBullets[i], ox, oy);
    }
    if (isBonusShown() && blink == 0)
        bonusImages[std::clamp(bonusKind, 0, 5)]->drawAt(ox + bonusX * tile / 4, oy + bonusY * tile / 4);
    paintCover(ox, oy);
    if (images[1]) g.drawImage(images[1], 0, height - images[1]->getHeight(), DGraphics::TOP | DGraphics::LEFT);
    if (levelOver && !levelWon) {
        const DStringPtr text = StringManager::getProperty(player->armour < 1 ? u"gameover" : u"basedestroy");
        if (text)
            ScreenCanvas::font(ScreenCanvas::hudFont0)
                ->drawString(text, levelOverX, height / 2, DGraphics::HCENTER | DGraphics::BOTTOM);
    }
}

// Whether the side panels, the field and the bottom panel leave none of the screen showing.
bool GameTanks::coversScreen(int32_t ox, int32_t oy) const {
    ScreenCover cover;
    if (gameMain) {
        const DImagePtr& left = gameMain->panelImages[GameMain::sideLeft];
        const DImagePtr& right = gameMain->panelImages[GameMain::sideRight];
        cover.add(left, 0, 0);
        if (right) cover.add(right, ScreenCanvas::screenWidth - right->getWidth(), 0);
    }
    cover.add(images[0], ox, oy);
    if (images[1]) cover.add(images[1], 0, ScreenCanvas::screenHeight - images[1]->getHeight());
    return cover.whole();
}

void GameTanks::paintTank(const GTNKPtr& tank, const GameImageArrayPtr& frames, int32_t ox, int32_t oy) {
    const int32_t index = (tank->animation & 4) + (tank->type & 7) * 8 + std::clamp(tank->direction, 0, 3);
    if (index < frames->length) frames[index]->drawAt(ox + screenOf(tank->pixelX()), oy + screenOf(tank->pixelY()));
}

void GameTanks::paintBullet(const GBULPtr& bullet, int32_t ox, int32_t oy) {
    if (!bullet->active) return;
    const int32_t x = ox + screenOf(bullet->pixelX()), y = oy + screenOf(bullet->pixelY());
    if (bullet->state == GBUL::FLYING) bulletImages[std::clamp(bullet->direction, 0, 3)]->drawAt(x, y);
    else explosionImages[std::clamp(bullet->frame, 0, 3)]->drawAt(x, y);
}

void GameTanks::paintCover(int32_t ox, int32_t oy) {
    for (int32_t y = 0; y < grid->height; y += 4)
        for (int32_t x = 0; x < grid->width; x += 4)
            if (grid->at(x, y) & GameGrid::cover) maskImage->drawAt(ox + x * tile / 4, oy + y * tile / 4);
}

// The panel's pieces, the waiting enemies and the player's lives.
void GameTanks::paintPanel() {
    if (!gameMain || !panelIcons) return;
    const int32_t width = ScreenCanvas::screenWidth;
    const DImagePtr& left = gameMain->panelImages[GameMain::bottomLeft];
    const DImagePtr& middle = gameMain->panelImages[GameMain::bottomMiddle];
    const DImagePtr& right = gameMain->panelImages[GameMain::bottomRight];
    const int32_t height = left && left->getHeight() > 0 ? left->getHeight() : panelHeight;
    if (!images[1]) images[1] = DImage::createImage(width, height);
    DGraphicsPtr g = images[1]->getGraphics();
    g->setColor(0x000000);
    g->fillRect(0, 0, width, height);
    const int32_t leftWidth = left ? left->getWidth() : 0;
    if (left) g->drawImage(left, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    if (middle) g->drawImage(middle, leftWidth, 0, DGraphics::TOP | DGraphics::LEFT);
    if (right) g->drawImage(right, width, 0, DGraphics::TOP | DGraphics::RIGHT);
    const int32_t iconX = leftWidth - (lifeIcon->width > 16 ? 8 : 0);
    {
        const DrawingTarget panel(g);
        const int32_t step = width / 128 + 8, firstX = width - width / 16 - step;
        for (int32_t i = 0; i < enemyCount; ++i) {
            if (enemies[i]->hasBeenBorn) continue;
            panelIcons[enemies[i]->type & 3]->drawAt(firstX - (i / 2) * step, height / 4 + (i % 2) * 12);
        }
        lifeIcon->drawAt(iconX, (height - lifeIcon->height) / 2);
    }
    const ImageFontPtr hud = ScreenCanvas::font(ScreenCanvas::hudFont0);
    const ImageFontPtr digits = ScreenCanvas::font(ScreenCanvas::numberFont0);
    const int32_t textX = iconX + lifeIcon->width + 2;
    hud->drawStringImpl(g, u"x", textX, height / 2, DGraphics::LEFT | DGraphics::VCENTER);
    digits->drawStringImpl(g, DStringPtr(u"") + std::max(0, player->armour), textX + hud->stringWidth(u"x") + 2,
                           height / 2, DGraphics::LEFT | DGraphics::VCENTER);
}
