#pragma once
#include <cstdint>
#include "dimagearray.h"
#include "dprimitives.h"
#include "drawncells.h"
#include "gamegrid.h"
#include "gameimage.h"
#include "gameimagearray.h"
#include "gamemain.ptr"
#include "gametanks.ptr"
#include "gbul.h"
#include "gbularray.h"
#include "gitm.h"
#include "gitmarray.h"
#include "gtnk.h"
#include "gtnkarray.h"
#include "tanklevelrecord.h"

class GameMain;

// The battle: the field read from the level file, the player's tank and twenty enemies a
// level, their bullets, the bonus a marked enemy drops, the base both sides can destroy, the
// rules that decide a level, and the battle screen with its bottom panel.
class GameTanks : public dfc::lang::DObject {
public:
    static constexpr int32_t enemyCount = 20;
    static constexpr int32_t playerOwner = 20;
    static constexpr int32_t playerBulletCount = 10;
    static constexpr int32_t panelHeight = 32;
    static constexpr int32_t startRows = 6;
    // The bonuses, by kind.
    static constexpr int32_t starBonus = 0, clockBonus = 1, grenadeBonus = 2, helmetBonus = 3, tankBonus = 4,
                             spadeBonus = 5;
    // A countdown that will not run out while a game lasts.
    static constexpr int64_t never = 3600000;

    virtual void init(GameMain* gameMain);
    virtual void release();
    virtual void newGame();
    virtual void nextLevel();
    virtual void endLevel(bool won);
    virtual void loadLevel();
    virtual void paintCell(int32_t x, int32_t y, int32_t waterFrame);
    virtual void redraw(bool withPanel, int32_t waterFrame);
    virtual void paint();
    virtual void countKill(int32_t kind);
    virtual bool updateTanks();
    // False when the bullet is to be removed.
    virtual bool updateBullet(const GBULPtr& bullet);
    virtual void aimAtTarget(int32_t roll, int32_t enemy);
    virtual void moveTank(const GTNKPtr& tank, int32_t direction);
    virtual int32_t findFreeTank();
    virtual int32_t nextSpawnPoint();
    virtual void placeBonus();
    virtual void takeBonus();
    virtual bool isBonusShown();
    virtual void collectBaseWalls();
    virtual void fortifyBase(bool on);

    // Makes the tanks and bullets, without pictures (init adds those).
    void makeObjects();
    // The field of a record: the grid, items, starts, base and the enemies' types. False,
    // with a diagnostic, when the record has no player start or no base.
    bool buildField(const TankLevelRecordPtr& record);
    // The bonus of the current kind acts on the player.
    void applyBonus(int32_t kind);
    // Points of the kills counted so far: 10 x (kind 0 + 2 x kind 1 + 3 x kind 2 + 4 x kind 3).
    int32_t killPoints() const;
    int32_t kills(int32_t kind) const { return (killCounters >> (8 * kind)) & 0xFF; }
    // Where the field's left or top edge goes on the screen: centred when it fits, else keeping
    // the player at the middle of the view and stopping at the field's edges.
    static int32_t scrollX(int32_t screenWidth, int32_t fieldWidth, int32_t player);
    static int32_t scrollY(int32_t viewHeight, int32_t fieldHeight, int32_t player);
    // The most enemies on the field at once.
    int32_t arrivalCap() const { return 6 + levelCounter / 20; }
    // The range of the enemies' roll at the current level, never below 1.
    int32_t rollRange() const;
    // One enemy's decisions from its roll (steps 3 to 8 of its turn).
    void steerEnemy(int32_t enemy, int32_t roll);

    GameMain* gameMain = nullptr;
    GameGridPtr grid = new GameGrid();
    GITMArrayPtr items;
    dfc::lang::DintArray2dPtr starts;
    dfc::lang::DintArray2dPtr baseWalls;
    int32_t baseWallCount = 0;
    GTNKPtr player;
    GTNKArrayPtr enemies;
    GBULArrayPtr playerBullets;
    GBULArrayPtr enemyBullets;
    dfc::microedition::lcdui::DImageArrayPtr images;

    int32_t levelCounter = 0;
    int32_t score = 0;
    int32_t killCounters = 0;
    int64_t bonusTimer = 0;
    int64_t freezeTimer = 0;
    int64_t shieldTimer = 0;
    int64_t spadeTimer = 0;
    int64_t spawnCountdown = 0;
    uint32_t levelEndTick = 0;
    int64_t battleClock = 0;
    int32_t baseX = 20;
    int32_t baseY = 40;
    int32_t bonusKind = 0;
    int32_t bonusX = 0;
    int32_t bonusY = 0;
    int32_t spawnCounter = 0;
    int32_t spawnPoints = 0;
    bool redrawPanel = false;
    bool levelOver = false;
    bool levelWon = false;
    bool paused = false;
    bool levelLoaded = false;
    bool playerDead = false;
    bool newGameStarted = false;
    bool loaded = false;
    int32_t levelOverX = 0;
    // The tile size in pixels: the width of "yog".
    int32_t tile = 16;

private:
    void loadImages();
    GameImageArrayPtr tankImages(const char16_t* prefix, int32_t types);
    GameImageArrayPtr numbered(const char16_t* prefix, int32_t count);
    void placeTile(int32_t tileByte, int32_t x, int32_t y);
    void addItem(int32_t kind, int32_t x, int32_t y);
    void addStart(int32_t row, int32_t x, int32_t y, int32_t direction);
    void resetPlayer();
    void placeEnemy(int32_t enemy, int32_t row);
    void makeFieldImage();
    void repaintBlock(int32_t x, int32_t y);
    void stepBullets();
    void arrivals();
    void playerTurn();
    void steerPlayer();
    void enemiesTurn();
    void playerHit();
    void enemyHit(int32_t enemy, const GBULPtr& bullet);
    void clashBullets(const GBULPtr& bullet, bool* keep);
    void releaseTank(const GTNKPtr& tank);
    void destroyAll();
    void markTank(const GTNKPtr& tank, int32_t owner);
    GBULPtr freeExplosion();
    void paintTank(const GTNKPtr& tank, const GameImageArrayPtr& frames, int32_t ox, int32_t oy);
    void paintBullet(const GBULPtr& bullet, int32_t ox, int32_t oy);
    void paintCover(int32_t ox, int32_t oy);
    void paintPanel();
    DrawnCells::Look lookOf(int32_t x, int32_t y, int32_t waterFrame) const;
    bool coversScreen(int32_t ox, int32_t oy) const;
    int32_t screenOf(int32_t subPixels) const { return subPixels * tile / 16; }

    GameImageArrayPtr enemyImages;
    GameImageArrayPtr playerImages;
    GameImageArrayPtr panelIcons;
    GameImageArrayPtr bonusImages;
    GameImageArrayPtr arrivalImages;
    GameImageArrayPtr shieldImages;
    GameImageArrayPtr bulletImages;
    GameImageArrayPtr explosionImages;
    GameImageArrayPtr groundImages;
    GameImageArrayPtr waterImages;
    GameImageArrayPtr blockImages;
    GameImageArrayPtr houseImages;
    GameImagePtr yogImage;
    GameImagePtr maskImage;
    GameImagePtr baseImage;
    GameImagePtr baseLostImage;
    GameImagePtr lifeIcon;
    DrawnCells drawnCells;
};
