#pragma once
#include <cstdint>
#include "animation.h"
#include "ce_types.h"
#include "dgraphics.h"
#include "dimage.h"
#include "dprimitives.h"
#include "entityarray.h"
#include "floodpass.ptr"
#include "gameimage.h"
#include "gameinterface.h"
#include "gamemenu.ptr"
#include "riverrules.h"
#include "soundoptions.h"

// The river shooter: the plane flies up a river that scrolls down the screen, steers between
// the banks at one of three speeds, fires one shot at a time, refuels over depots and blows
// up bridges, which become its restart points. Levels are lists of river screens and unlock
// one by one. The game keeps its state in the statics below, which start fills and stop
// lets go of.
class Floodpass : public GameInterface {
public:
    // Game states.
    static constexpr int32_t menuState = 0, playState = 1, overState = 2, completeState = 3, levelStartState = 4;
    // Menu pages.
    static constexpr int32_t mainPage = 0, pausePage = 1, helpPage = 2, scoresPage = 3, levelPage = 4;
    // Main and pause page items.
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };
    // The sounds, in the order they are loaded.
    enum SoundIndex {
        menuTune, gameTune, bornSound, deathSound, explosionSound, bridgeSound, shootSound, fuelSound,
        enemyFlySound, enemyHeliSound, soundCount
    };
    static constexpr int32_t cellSize = RiverRules::cellSize, columns = RiverRules::columns,
                             riverWidth = RiverRules::riverWidth;
    static constexpr int32_t slow = RiverRules::slow, normal = RiverRules::normal, fast = RiverRules::fast;
    static constexpr int32_t steerStep = RiverRules::steerStep;
    static constexpr int32_t fullFuel = RiverRules::fullFuel, refuelStep = RiverRules::refuelStep;
    static constexpr int32_t startLives = 3;
    static constexpr int32_t invulnerableFrames = 100, blinkPeriod = 6;
    static constexpr int32_t statePause = 1500;
    static constexpr int32_t planeFlying = 0, planeExploding = 1;
    static constexpr int32_t shotFlying = 0, shotNone = 2;
    // The high-score table every use goes through.
    static constexpr int32_t scoreTable = 1;

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    static void setState(int newState);
    static void playStep();
    static void handleMenu();
    static void createMenu(int newPage);
    static void nextLevel();
    static void resetLevel(int row);
    // Level-map rows end - 1 down to end - count into the drawing target, from (x, y) down.
    static void drawRows(int x, int y, int end, int count);
    // Whether a corner of the box (left x, top world y) lies off the water.
    static bool hitsLand(int x, int y, int width, int height);
    static bool isWater(int tile) { return RiverRules::isWater(tile); }
    // Builds the current level's map and entities; false, with a diagnostic, when the level
    // cannot be flown (too short for the screen).
    static bool buildLevel();
    // Boxes by left x, top world y and size; touching boxes overlap.
    static bool overlaps(int x1, int y1, int x2, int y2, int w1, int h1, int w2, int h2);
    static int random100();
    // The tile word at a level-map row and column, both kept inside the map.
    static int tileAt(int row, int column);
    // The plane is hit: it explodes and a life is gone.
    static void losePlane();
    static int boxLeft() { return RiverRules::planeBox(planeX, planeY, planeWidth, planeHeight).x; }
    static int boxTop() { return RiverRules::planeBox(planeX, planeY, planeWidth, planeHeight).y; }
    static void releaseStatics();
    // Scrolls the river by the speed; false when the level ended on the way.
    static bool scroll();

    static int32_t state, page, previousPage;
    static DWORD timer;
    static int32_t levelIndex, openLevel, score, lives;
    static int32_t presencePercent;
    // The plane: river x of its left edge, world y of its top edge.
    static int32_t planeX, planeY, planeState, speed, fuel, invulnerableCounter;
    static bool invulnerable;
    static int32_t planeWidth, planeHeight, boxWidth, boxHeight;
    static int32_t shotState, shotX, shotY, shotSpeed;
    // Scrolling: T (world y of the river's top edge on screen), rows drawn and so on.
    static int32_t top, subRow, ringOffset, nextRingRow, rowCounter, totalRows, restartRow, bridgesPassed,
        firstEntity;
    static int32_t riverX0, visibleRows, visibleHeight;
    static dfc::microedition::lcdui::DImagePtr ring;
    static dfc::microedition::lcdui::DGraphicsPtr ringGraphics;
    static dfc::lang::DintArrayPtr levelMap;
    static EntityArrayPtr entities;
    static GameImagePtr planeImage, lifeImage, barrelImage, fuelBarImage, shotImage;
    static int32_t fuelBarHeight;
    static AnimationPtr bankLeft, bankRight, planeExplosion;
    static dfc::microedition::lcdui::DImagePtr splash, panelLeft, panelRight, pauseButton, scoreTab;
    static GameMenuPtr menu;
    // Set when the river could not be read: the game goes back to the shell.
    static bool brokenData;

private:
    static void loadOptions();
    static void makeGeometry();
    static void makeMenu();
    static void loadPlane();
    static void loadPanels();

    static void updatePlay();
    static bool pauseRequested();
    static void updateEnd();
    static void updateLevelStart();
    static void startLevel(int index);

    static void chooseItem(int item);
    static void stepSoundLevel(SoundOptions::Kind kind);
    static void storeEnteredName();

    static void readDrag();
    static void steer();
    static void changeSpeed();
    static void fire();
    static bool addRow();
    // drawRows with the background ring as the drawing target, from its left edge.
    static void drawIntoRing(int y, int end, int count);
    static void updateEntities();
    static void updatePlane();
    static void moveShot();

    static void paintPlay();
    static bool riverCoversScreen();
    static void paintEntities(int layer);
    static void paintPlane();
    static void paintHud();
    static void paintScore();
    static void paintEnd();
    static void paintLevelStart();
};
