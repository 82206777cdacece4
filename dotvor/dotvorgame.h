#pragma once
#include <cstdint>
#include "animation.h"
#include "ce_types.h"
#include "cellbase.h"
#include "dgraphics.h"
#include "dotvorbase.h"
#include "dotvorgame.ptr"
#include "fruitbase.h"
#include "gameimagearray.h"
#include "mapbase.h"
#include "pauselatch.h"
#include "spookybase.h"
#include "spritebase.h"
#include "vector3d.h"

// The maze game's play: its pictures and sounds, new games and levels over the map files,
// the game step (level rules of the four modes, the fruit, the actors), level end, life loss
// and game over, and the play screen. Play state lives in the statics below.
class DotvorGame : public dfc::lang::DObject {
public:
    enum SoundIndex {
        dotSound, ghostHomeSound, newLevelSound, dieSound, fruitSound, ghostSound, fruitMoveSound, lifeSound,
        menuTune, energiserSound, gameTune, soundCount
    };
    enum Mode { classic, fruitHunt, timeRun, ghostHunt };
    static constexpr int32_t stepsPerSecond = 10;
    // Milliseconds of game time per step.
    static constexpr int32_t stepMillis = 60;
    static constexpr int32_t mapCount = 13;
    static constexpr int32_t spriteSlots = 9;
    static constexpr int32_t fruitKinds = 7;
    // The kill mode's clock never falls below this.
    static constexpr int64_t shortestKillTime = 10000;
    // The kill mode's ghosts restart at least this many moves from the player's start, for
    // every life of the level.
    static constexpr int32_t huntRestartMoves = 6;
    // Where the ghost score stops doubling when ghosts are eaten without an energiser.
    static constexpr int32_t highestGhostScore = 204800;

    virtual void init();
    virtual void release();
    // |nextInt| mod n of the shared generator, never negative.
    virtual int32_t randomInt(int32_t n);
    virtual int32_t randomPercent();
    // False, with a diagnostic, when there is no playable maze: the menu stays.
    virtual bool newGame();
    virtual void update();
    // Counts down the level-end wait; when it runs out loads the next map and starts the
    // level. True when it did. A map that cannot be played ends the game.
    virtual bool loadLevel(int32_t unused);
    virtual void paint();
    virtual void centreView();
    void startLevel();
    // The loaded map's mode rules (the energiser, the ghosts' random starts), clocks and start.
    void prepareLevel();
    // The map of a level: in order, 00 to 12 and round again; at random 00 to 11.
    int32_t mapIndex(int32_t levelNumber);

    // The player's steering this step: -1 none, 0 left, 1 right, 2 up, 3 down, 4 fire.
    static int32_t readDirection();
    static int32_t& level();

    // The drawing routines of the maze and its actors, on the current drawing target.
    static void drawAt(const GameImagePtr& image, int x, int y);
    static void drawCentred(const GameImagePtr& image, int x, int y);
    static void fillScreen(int32_t colour);
    static const dfc::microedition::lcdui::DGraphicsPtr& screen();
    static int32_t frameCount(const AnimationPtr& animation);
    static GameImagePtr frame(const AnimationPtr& animation, int32_t index);
    // The rounded cell of a pixel position.
    static int32_t cellX(int32_t x) { return (x + cellWidth / 2) / cellWidth; }
    static int32_t cellY(int32_t y) { return (y + cellHeight / 2) / cellHeight; }
    static void releaseStatics();

    // The energiser of the time run.
    CellBasePtr energiserCell;
    // The pause key from the frame between two steps.
    PauseLatch pauseLatch;
    int32_t backgroundColour = 0;

    static DotvorGamePtr game;
    static int32_t playMode;
    static int32_t gameMode;
    static bool levelsRandom;
    static int32_t mapWidth, mapHeight;
    static int32_t cellWidth, cellHeight;
    static int32_t score;
    static int32_t lives;
    static int32_t fruitsEaten;
    static int32_t ghostsEaten;
    static bool ghostTouchEats;
    static bool levelEnded;
    static int32_t introSteps, levelEndSteps, gameOverSteps;
    static int32_t fruitDelay;
    static int32_t frightenSteps;
    static int64_t timeLimit, timeElapsed, pelletMoveTimer;
    static int32_t animTick;
    static DWORD animStamp;
    static bool animChanged;
    static int32_t wallSet;
    static int32_t viewX, viewY;
    // Set by the main mode each frame; the stylus steers once per new point.
    static bool newFrame;
    static int32_t lastPointerX, lastPointerY;

    static int32_t playerSpeed, ghostSpeedNormal, ghostSpeedKill, ghostSpeedFrightened, ghostSpeedEyes, fruitSpeed;

    static MapBasePtr map;
    static DotvorBasePtr player;
    static SpookyBasePtr ghosts[4];
    static FruitBasePtr fruit;
    static SpriteBasePtr sprites[spriteSlots];
    static vector_3dPtr ghostStartA, ghostStartB, ghostStartC, ghostStartD;
    static GameImageArrayPtr playerImages, poweredImages, ghostImages, scoreImages;
    static AnimationPtr deathFrames, changeFrames;
    static AnimationPtr fruitFrames[fruitKinds + 1];

private:
    void loadPictures();
    void setSpeeds();
    // Play cannot start: the cell size is unknown or the map is broken.
    bool refuse(const dfc::lang::DStringPtr& why);
    bool loadMap(int32_t index);
    void placeGhostsAtRandom();
    void placeEnergiser();
    bool checkGameOver();
    void applyLevelRules();
    void moveEnergiser();
    void stepFruit();
    void stepActors();
    void endGame();
    void paintIntro();
    void paintGameOver();
    void paintPlay();
    // The fruit, the ghosts, the player and the pop-ups over the maze.
    void paintActors();
    void paintCounter();
    // A random cell of the list; false when it is empty.
    bool drawCell(const MapBase::Cells& cells, int32_t* x, int32_t* y);
};
