#pragma once
#include <cstdint>
#include "animation.h"
#include "animationarray.h"
#include "ballarray.h"
#include "ballwalk.h"
#include "bricklist.ptr"
#include "brixmoor.ptr"
#include "bxmplatform.ptr"
#include "ce_types.h"
#include "dimage.h"
#include "enemyarray.h"
#include "gameimage.h"
#include "gameinterface.h"
#include "gamemenu.ptr"
#include "particles.h"
#include "soundoptions.h"

// The brick game: its resources and menu, the states from the menu through the rounds to
// the high-score table, lives and rounds, the player's input, and the rules of a play frame
// (the ball walk, creatures, sparks, lost balls). The game keeps its state in the statics
// below, which start fills and stop lets go of.
class Brixmoor : public GameInterface {
public:
    // Game states.
    static constexpr int32_t loading = -1, menu = 0, scores = 1, help = 2, roundChoice = 3, ready = 253,
                             play = 254, lifeLost = 256, roundStart = 261, roundCheck = 300;
    // The sounds, in the order they are loaded.
    enum SoundIndex {
        menuTune, gameTune, respawnSound, dieSound, boomSound, hitBrickSound, hitPlatformSound,
        hitUndestroyBrickSound, hitRegenBrickSound, shootSound, hitWallSound, soundCount
    };
    // Menu items.
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };
    static constexpr int32_t lastRound = 50;
    // What a timed state lasts, in milliseconds.
    static constexpr int32_t statePause = 1500;

    Brixmoor();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    virtual void buildMenu();
    virtual void moveEnemies();
    virtual void moveBalls();
    virtual void compactBalls();
    virtual void loseBall();
    virtual void resetField();
    virtual void stepPlay();
    virtual void endGame();
    virtual void readInput();

    // Sparks from the game's particle rows; nothing while the game is not started.
    static void spawnParticles(int count, int kind, int x, int y, int colour);
    // A number from low to high, both included, from the shared generator.
    static int randomRange(int low, int high);
    // A new animation of its own over the frames of another; null for none.
    static AnimationPtr shareFrames(const AnimationPtr& source);
    static GameImagePtr firstFrame(const AnimationPtr& animation);
    static GameImagePtr lastFrame(const AnimationPtr& animation);
    static GameImagePtr currentFrame(const AnimationPtr& animation);
    // The first frame of an animation, or an empty picture when there is none.
    static GameImagePtr stillOf(const AnimationPtr& animation);
    // Lets go of everything the game keeps in its statics.
    static void releaseStatics();

    BallArrayPtr balls;
    int32_t ballCount = 32;
    int32_t lives = 5;
    EnemyArrayPtr enemies;
    int32_t enemyCount = 3;
    int32_t level = 1;
    // The ball walk's work fields.
    BallWalkPtr walk = new BallWalk();
    GameImagePtr lifeIcon;
    GameImagePtr abyssImage;
    dfc::microedition::lcdui::DImagePtr splashImage;

    static int32_t gameState;
    static BrixmoorPtr theGame;
    static PlatformPtr platform;
    static BrickListPtr brickList;
    static GameMenuPtr mainMenu;
    static GameMenuPtr scoreMenu;
    static ParticlesPtr particles;
    static AnimationArrayPtr bonusAnimations;
    static AnimationArrayPtr monsterAnimations;
    static AnimationPtr fireBallSmall;
    static AnimationPtr fireBall;
    static AnimationPtr fireBallBig;
    static GameImagePtr ballSmallImage;
    static GameImagePtr ballImage;
    static GameImagePtr ballBigImage;
    static GameImagePtr bulletImage;
    static GameImagePtr bombImage;
    static dfc::lang::DStringPtr scoreLabel;
    static dfc::lang::DStringPtr pauseLabel;
    // The highest round reached, 1 to 50.
    static int32_t openLevel;
    static bool gamePaused;
    static DWORD stateTimer;

private:
    // The score is the hits the bricks took.
    int32_t score() const;
    void setScore(int value);

    void loadOptions();
    void loadResources();
    void makeMenus();
    void loadBallImages();
    void loadAnimations();
    void makePlayThings();
    void loadLabels();

    void updateMenu();
    void chooseItem(int item, bool wasPaused);
    void startGame();
    void continueGame();
    void offerRounds();
    void changeSoundLevel(SoundOptions::Kind kind);
    void leave(bool wasPaused);
    void storeEnteredName();
    void updateScores();
    void updateHelp();
    void updateRoundChoice();
    void updatePlay();
    bool pauseRequested() const;
    void updateTimed();
    void checkRound();
    void jumpToRound(int round);
    void raiseOpenLevel();
    // Loads the round into the field and announces it; the game ends when it cannot be loaded.
    void goToRound(int round);
    // A new game's first round, to the play tune.
    void beginRound(int round);
    // False, with a diagnostic and the game ended, when the round cannot be loaded.
    bool loadLevel();

    void moveBall(const BallPtr& ball);
    void swallow(const EnemyPtr& enemy, const BallPtr& ball);
    void paintPlay();
    void reserveBall();
    void paintHud();
    void paintBanner();
};
