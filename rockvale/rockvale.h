#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dprimitives.h"
#include "explosions.h"
#include "flyingoarray.h"
#include "gameimage.h"
#include "gameinterface.h"
#include "gamemenu.ptr"
#include "pauselatch.h"
#include "rockvale.ptr"
#include "ship.ptr"
#include "soundoptions.h"

// The rock-field shooter: its menu pages, 20 waves of rocks and saucers set up at random,
// the play step (at most every 51 ms) with its collisions, scores, lives and extra lives,
// the player's keys and stylus, and the drawing with the head-up display. The game keeps
// its state in the statics below, which start fills and stop lets go of.
class Rockvale : public GameInterface {
public:
    // Game states.
    static constexpr int32_t menuState = 0, playing = 1, gameOver = 2, waveCleared = 3, waveIntro = 4;
    // Menu pages as createMenu builds them.
    static constexpr int32_t mainMenu = 0, pauseMenu = 1, helpPage = 2, scorePage = 3;
    // Menu items, the same places in the main and pause menus.
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, boundsItem, exitItem, itemCount };
    // The sounds, in the order they are loaded.
    enum SoundIndex { menuTune, gameTune, shootSound, exploseSound, hitSound, rocketSound, rocketHitSound, limitSound };
    static constexpr int32_t lastWave = 20;
    static constexpr int32_t stepMillis = 51;
    static constexpr int32_t shotSlots = 7;
    // Shots and rockets this far beyond the screen are gone.
    static constexpr int32_t outerMargin = 26;
    // The distance a missing report stands for: nothing near.
    static constexpr int32_t farAway = 60000;
    static constexpr int32_t extraLifeEvery = 5000;
    static constexpr int32_t shotCost = 30;

    Rockvale();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    virtual void setupWave(int wave, int newScore);
    virtual void paintObjects(const FlyingOArrayPtr& array, int count);
    // The nearest element's report (x, y, squared distance, vx, vy), or null when obj met one.
    virtual dfc::lang::DintArrayPtr collide(const FlyingOArrayPtr& array, const FlyingOPtr& obj, int objIndex);
    virtual void splitRock(int x, int y, int index);
    // Aims a rocket from the saucer at (x, y) along the firing line nearest to (dx, dy).
    virtual bool launchRocket(int saucerIndex, int x, int y, int dx, int dy);
    virtual void paintOverlay(const dfc::lang::DStringPtr& text);
    virtual void paintMessage(const dfc::lang::DStringPtr& text, int x, int y);

    void checkExtraLife();
    void createMenu(int mode);
    // Adds to the score and gives the extra life it may earn.
    void gain(int points);
    // Puts a shot on its way from the ship (30 points, whether there is room or not).
    void fire();
    // The ship steered towards the stylus point.
    void steerTo(int px, int py);
    // A fresh game's lives, "Lives" of the texts.
    void newGameLives();
    // Lets go of everything the game keeps in its statics.
    static void releaseStatics();

    GameMenuPtr menu;
    dfc::lang::DStringPtr youWinText;
    dfc::lang::DStringPtr gameOverText;
    dfc::lang::DStringPtr levelText;
    int32_t score = 0;
    int32_t delaySteps = 0;
    GameImagePtr lifePanel;
    int32_t fireCooldown = 0;
    ExplosionsPtr effects;
    FlyingOArrayPtr shots;
    int32_t shotCount = 0;
    FlyingOArrayPtr rockets;
    FlyingOArrayPtr saucers;
    int32_t saucersAlive = 0;
    FlyingOArrayPtr rocks;
    int32_t rocksAlive = 0;
    int32_t lastBonusScore = 0;
    // The pause key from the frames between two steps.
    PauseLatch pauseLatch;

    static int32_t gameState;
    static DWORD lastStepTime;
    static int32_t currentWave;
    static bool boundsOn;
    static bool invulnerable;
    static int32_t menuMode;
    static int32_t previousMenuMode;
    static ShipPtr ship;
    static RockvalePtr theGame;

private:
    void loadOptions();

    void updateMenu();
    void chooseItem(int item);
    void startGame();
    void changeLevel(SoundOptions::Kind kind);
    void flipBounds();
    void storeEnteredName();
    void gameStep();
    // True when the entry took the step.
    bool takeNumberEntry();
    void countDown();
    void endGame();
    void nextWave();
    void announceWave();
    void moveShots();
    void moveRockets();
    void playStep();
    void rocketsOnShip();
    void moveSaucers();
    // False when the saucer is gone.
    bool saucerStep(int i);
    void steerSaucer(const FlyingOPtr& saucer, const dfc::lang::DintArrayPtr& rockReport,
                     const dfc::lang::DintArrayPtr& shotReport, const dfc::lang::DintArrayPtr& rocketReport);
    void aimRocket(int i);
    void moveRocks();
    void rockStep(int i);
    // pauseKey: the pause key was down on a frame since the previous step.
    void readKeys(bool pauseKey);
    bool pauseRequested(bool pauseKey) const;
    void pause();
    void placeRocks();
    void placeSaucers(int wave);
    // A rock fragment at (x, y) of the size into slot; its velocity is random unless given.
    FlyingOPtr fragment(int size, int x, int y);
    int firstEmpty(const FlyingOArrayPtr& array) const;
    int countAlive(const FlyingOArrayPtr& array) const;
    bool outside(const FlyingOPtr& o) const;
    void paintSaucers();
    void paintHud();
};
