#pragma once
#include <cstdint>
#include "animation.h"
#include "ce_types.h"
#include "dimage.h"
#include "dprimitives.h"
#include "dstringarray.h"
#include "gameimage.h"
#include "gameinterface.h"
#include "gamelib.h"
#include "gamemenu.ptr"
#include "goldrift.ptr"
#include "pathfield.h"
#include "runnerarray.h"
#include "soundoptions.h"

// The ladder-and-gold game: the level grid from the map files, holes dug into bricks that grow
// back, ladders and handrails, gold and the exit, enemies steered by a distance field from the
// hero, the scrolling view kept in a wrap-around picture, and the menus from the title to the
// high-score table. The game's state lives in the statics below; start fills them and stop
// lets go of them.
class Goldrift : public GameInterface {
public:
    enum State { menuState = 1, playState = 2, introState = 3, gameOverState = 4 };
    enum Mode { mainMode = 0, pauseMode = 1, helpMode = 3, scoresMode = 4, levelMode = 5 };
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };
    // The sounds, in the order they are loaded.
    enum SoundIndex {
        menuTune, levelBeginSound, walkSound, handrailSound, ladderSound, fallSound, cutSound, heroDeadSound,
        enemyDeadSound, regrowSound, respawnSound, exitOpenSound, goldSound, gameTune, soundCount
    };
    // The runners' pictures: walking, climbing, hanging and falling, the hero's then the enemy's.
    enum AnimationIndex { goRight, goLeft, onLadder, handrailRight, handrailLeft, fallRight, fallLeft, poseCount };

    static constexpr int32_t lastLevel = 75, maxEnemies = 10, holeSlots = 50, startLives = 5;
    static constexpr int32_t goldScore = 10, buryScore = 15;
    // Timers, in the units a play step takes 60 of.
    static constexpr int32_t stepTime = 60, holeTime = 8000, holeEdge = 200, trapTime = 4000, buryTime = 15000,
                             appearTime = 1000, wanderTime = 700, shakeTime = 800, digTime = 200;
    // Screen waits in milliseconds, 25 a frame.
    static constexpr int32_t introTime = 2000, gameOverTime = 4000, holdMillis = 200;
    // Layers of the distance field added per play step.
    static constexpr int32_t layersPerStep = 20;

    Goldrift();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    // Loads level n; false, with a diagnostic and the main menu up, when its map cannot be read.
    static bool readMap(int n);
    static char16_t cellAt(int index) { return grid[index]; }
    static void setCell(int index, char16_t ch);
    static bool isFree(int col, int row, bool falling);
    static bool canStand(int c, int dir);
    static void findPaths();
    static void enterCell(const RunnerPtr& runner);
    static void loseLife();
    // One step of play: the shine, the holes, the hero, the distance field and the enemies.
    static void playStep();
    // Cuts a hole below-beside the hero, the way it faces; false when it cannot.
    static bool cutHole();
    static void followHero();
    static void drawCell(int col, int row);
    static void drawColumn(int col);
    static void drawRow(int row);
    static void drawTile(int x, int y, char16_t ch, int col, int row);
    static void drawRunner(const RunnerPtr& runner);
    static void createMenu(int mode);
    // The frames listed under the key of the loaded properties; null, with a diagnostic, when
    // the list is missing or empty (a runner in that pose is then not drawn). A list the damage
    // of a text or of the atlas, named before, lost has no diagnostic of its own.
    static AnimationPtr poseAnimation(const dfc::lang::DStringPtr& key);
    static void releaseStatics();

    static GoldriftPtr theGame;
    static int32_t gameState;
    static int32_t pauseTime;
    static int32_t level;
    static int32_t openLevel;
    static int32_t lives;
    static int32_t score;
    static bool invulnerable;
    static int32_t goldLeft;
    static int32_t exitCell;
    static int32_t stepPhase;
    static int32_t shineDiagonal;
    static bool pathsReset;
    static RunnerPtr hero;
    static RunnerArrayPtr enemies;
    static int32_t enemyCount;
    // Per slot: the cell (-1 for a free slot) and the time left.
    static dfc::lang::DintArray2dPtr holes;
    static int32_t cameraX, cameraY;
    static dfc::lang::DcharArrayPtr grid;
    static int32_t gridWidth, gridHeight;
    // Moves from each cell to the hero (-1 not reached yet), and the search's layer.
    static dfc::lang::DshortArray2dPtr paths;
    static dfc::lang::DshortArrayPtr distance;
    static dfc::lang::DshortArrayPtr frontier;
    static int32_t tileWidth, tileHeight, viewWidth, viewHeight;
    static int32_t ringColumns, ringRows, ringWidth, ringHeight;
    static dfc::microedition::lcdui::DImagePtr ringImage;
    static GameMenuPtr menu;
    static int32_t menuMode, previousMode;

    bool stylusHeld = false;
    DWORD stylusDownTime = 0;

private:
    static void loadImages();
    static void loadAnimations();
    static void makeMenu();
    static dfc::lang::DStringArrayPtr menuTexts();
    static void setGeometry(int width, int height);

    void updateMenu();
    void chooseMain(int item);
    void choosePause(int item);
    static void changeLevel(SoundOptions::Kind kind);
    static void newGame(int startLevel);
    static void storeEnteredName();
    void updatePlay();
    bool pauseRequested() const;
    static void endGame();

    static bool stepHoles();
    static void stepHero();
    static void stepEnemies();
    static void stepEnemy(const RunnerPtr& enemy);
    static void stepBuried(const RunnerPtr& enemy);
    static void stepTrapped(const RunnerPtr& enemy);
    static void decide(const RunnerPtr& enemy, int v);
    static void wander(const RunnerPtr& enemy);
    // The distance field over the grid and the arrays of `paths`.
    static PathField field();
    static void catchHero();
    static void reachExit();

    void controls();
    void readStylus();
    // Moves the hero toward a held stylus; -1 or 1 when that was a move up or down, else 0.
    int stylusRequest();
    static void climbUp();
    static void climbDown();
    static void walk(int dx);

    static void scan(int width, int height);
    static void placeCamera();
    static void paintPlay();
    static void paintShine();
    static void paintRing();
    static void paintHud();
    static void paintBanner(const dfc::lang::DStringPtr& title, bool withLives);
    static int32_t iconWidth();
    static int32_t iconHeight();
};
