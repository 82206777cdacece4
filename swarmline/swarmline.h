#pragma once
#include <cstdint>
#include "alienanimationarray.h"
#include "alienimagetable.h"
#include "alienshiparray.h"
#include "alienshiparray2d.h"
#include "animation.h"
#include "dimage.h"
#include "dprimitives.h"
#include "dstringarray.h"
#include "gameimage.h"
#include "gameimagearray.h"
#include "gameinterface.h"
#include "gamemenu.ptr"
#include "soundoptions.h"
#include "swarmline.ptr"

// The alien-wave shooter: its resources and menu, the screens from the menu through the level
// intro and play to the game over, the formation and its dives, the player's ship and shot,
// the aliens' shots, scoring and the scenery. The game keeps its state in the statics below,
// which start fills and stop lets go of.
class Swarmline : public GameInterface {
public:
    // Screen states.
    static constexpr int32_t STATE_MENU = 0, STATE_PLAY = 1, STATE_LEVEL_INTRO = 2, STATE_GAME_OVER = 3,
                             STATE_SHIP_LOST = 4, STATE_LEVEL_CLEARED = 5;
    // Menu pages.
    static constexpr int32_t mainMenu = 0, pauseMenu = 1, helpMenu = 2, scoresMenu = 3;
    // The sounds, in the order they are loaded.
    enum SoundIndex {
        menuTune, gameTune, levelBeginSound, alienBlowSound, heroBlowSound, alienShotSound, shootSound,
        alienLeavesSound, alienBackSound, extraShipSound, soundCount
    };
    // Menu items.
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };

    // Fixed tuning: speeds in pixels per frame (16.16 where large), timers in milliseconds.
    static constexpr int32_t LOOP_SPEED = 100000, LOOP_GRAVITY = 5000, LOOP_DX = 65536, LOOP_SPIN = 20000;
    static constexpr int32_t PULLUP_LIMIT = 100000, PULLUP_ACCEL = 5000, STEER_BACK = 5000, STEER = 2000;
    static constexpr int32_t TIMER_STEP = 30, PLAYER_SHOT_SPEED = 8, ALIEN_SHOT_SPEED = 4, RUN_SPEED = 2,
                             PLAYER_SPEED = 3;
    static constexpr int32_t FIRE_DELAY = 200, LEVEL_INTRO_TIME = 2000, GAME_OVER_TIME = 2000,
                             ALIEN_FIRE_DELAY = 200, SHORT_PAUSE = 700;
    static constexpr int32_t FREE = -1, FEW_ALIENS = 3, COLUMN_GAP = 10, ROW_GAP = 4;
    // The inset of an alien's hit box, on both screens.
    static constexpr int32_t HIT_MARGIN = 2;
    static constexpr int32_t FLY_DELAY = 5, ALIEN_EXPLOSION_DELAY = 2, SHIP_EXPLOSION_DELAY = 4,
                             SHOT_ANIMATION_DELAY = 2, SHIP_ANIMATION_DELAY = 2;
    static constexpr int32_t DIVE_CANDIDATES = 10, LAST_LEVEL = 20, ALIEN_SHOTS = 15;
    static constexpr int32_t STAR_LAYERS = 3, STARS_PER_LAYER = 50, PLANET_SPEED = 120000, PLANET_DELAY = 1000;
    static constexpr int32_t ROWS = 5, KINDS = 8, DIRECTIONS = 16;
    // The score that earns the one extra ship.
    static constexpr int32_t EXTRA_SHIP_SCORE = 5000;

    Swarmline();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    // Sets up the level in `level`; a level past the last ends the game.
    virtual void startLevel();
    virtual void shipDestroyed();
    virtual void createMenu(int mode);

    // The alien kind (0 to 7) of a formation row at a level.
    static int32_t kindOf(int32_t level, int32_t row);
    // Gathers the aliens that may dive next into the candidate list; returns their count.
    static int32_t gatherCandidates();
    // Adds an alien's points to the score; the extra ship comes when the score first reaches 5000.
    static void addPoints(int32_t points);
    // Lets go of everything the game keeps in its statics.
    static void releaseStatics();

    // Tuning the loaded pictures and the screen set.
    static int32_t ALIEN_HALF_W, ALIEN_HALF_H, ALIEN_W, ALIEN_H, EXPL_HALF_W, EXPL_HALF_H;
    static int32_t RUN_ACCEL, SHOTS_PER_DIVE, KIND_W, KIND_H, SHIP_HALF_W, SHIP_W, SHIP_H;

    static SwarmlinePtr theGame;
    static int32_t gameState;
    static int32_t stateTimer;
    static int32_t menuMode;
    static int32_t previousMenuMode;
    static int32_t level;
    static int32_t score;
    static int32_t lives;
    static int32_t canvasWidth;
    static int32_t canvasHeight;

    // The player's ship: centre x, top y.
    static int32_t shipX;
    static int32_t shipY;
    static int32_t shipMaxX;
    static bool shipDead;
    static bool shipExplosionDone;
    static int32_t fireTimer;
    // (x, y) of the player's shot, x FREE when none flies; x is its centre, y its top.
    static dfc::lang::DintArrayPtr playerShot;
    static dfc::lang::DintArray2dPtr alienShots;

    static AlienShipArray2dPtr formation;
    // Every alien, row 0 first.
    static AlienShipArrayPtr aliens;
    static int32_t aliveCount;
    static int32_t swayOffset;
    static int32_t swayDirection;
    static int32_t swayLimit;
    // Where the aliens' runs end and how far right they aim.
    static int32_t alienBottom;
    static int32_t alienRightLimit;

    static int64_t diveTimer;
    static int64_t diveBase;
    static int64_t diveSpan;
    static int32_t maxDivers;
    static AlienShipArrayPtr diveCandidates;
    static int32_t candidateCount;
    static int32_t alienShotTimer;

    static dfc::microedition::lcdui::DImagePtr background;
    static int32_t backgroundScroll;
    // 16.16 (x, y) of each star; star i is in layer i / STARS_PER_LAYER.
    static dfc::lang::DintArray2dPtr stars;
    static GameImageArrayPtr planets;
    static int32_t planetIndex;
    static int32_t planetX;
    static int32_t planetY;
    static int32_t planetTimer;

    static GameImagePtr lifeImage;
    static GameImagePtr levelImage;
    static GameImagePtr shipImage;
    static GameImagePtr bulletImage;
    static AlienImageTablePtr alienImages;
    static AlienAnimationArrayPtr flyAnimations;
    static AnimationPtr shipAnimation;
    static AnimationPtr shipExplosion;
    static AnimationPtr shotAnimation;
    static AnimationPtr alienExplosion;
    static dfc::microedition::lcdui::DImagePtr splashImage;
    static GameMenuPtr menu;
    static dfc::lang::DStringArrayPtr menuTexts;

private:
    void loadShipImages();
    void loadAlienImages();
    void loadAnimations();
    void loadFormationAnimations();
    void buildFormation();
    void listAliens();
    void buildMenuTexts();
    void makeMenu();

    void layOutFormation();
    void layOutRow(int32_t row, int32_t y);
    void loadBackground();
    void scatterStars();

    void updateMenu();
    void storeEnteredName();
    void chooseItem(int32_t item);
    void startGame();
    void changeLevel(SoundOptions::Kind kind);
    void leaveMenuPage();
    void updateTimed();
    // The high-score road: the name entry for a score the table takes, else the main menu.
    void endGame();

    void updatePlay();
    bool pauseRequested() const;
    // Steers by the stylus and moves the ship; true when a stylus shot was asked for.
    bool steerShip();
    void fireShot(bool stylusShot);
    void scrollScenery();
    void moveStars();
    void movePlanet();
    // True when the ship has come back, or is still exploding: the frame ends there.
    bool waitForShip();
    void movePlayerShot();
    void moveAlienShots();
    void sway();
    void scheduleDives();
    int32_t activeDivers() const;
    void testHits();
    // True when the shot hit the alien.
    bool testShot(const AlienShipPtr& alien);
    void testRam(const AlienShipPtr& alien);
    void killAlien(const AlienShipPtr& alien);

    void paintPlay();
    void paintBackground();
    void paintStars();
    void paintShip();
    void paintShots();
    void paintHud();
    void paintIntro();
    void paintGameOver();
};
