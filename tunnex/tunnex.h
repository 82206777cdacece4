#pragma once
#include <cstdint>
#include "animation.ptr"
#include "ce_types.h"
#include "dimage.h"
#include "dstringarray.h"
#include "firebolt.ptr"
#include "gameimage.h"
#include "gameinterface.h"
#include "gamemenu.ptr"
#include "pauselatch.h"
#include "soundoptions.h"
#include "tnxbagarray.h"
#include "tnxlevel.ptr"
#include "tnxmonsterarray.h"
#include "tnxplayer.ptr"
#include "tunnex.ptr"

// The tunnel game: its resources and menu, the states from the menu through the levels to
// the high-score table, the play tick, the field with its panels and head-up display, and the
// way back to the shell. Everything lives in the statics below, which stop lets go of.
class Tunnex : public GameInterface {
public:
    enum State { play, mainMenu, levelSelect, highScores, gameOver, pauseMenu, helpPage, levelIntro };
    // The sounds, in the order they are loaded.
    enum SoundIndex {
        eatSound, eatMonsterSound, dropBagSound, breakBagSound, deadSound, bornSound, shootSound, menuTune,
        gameTune, soundCount
    };
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };
    // Directions of every actor.
    static constexpr int32_t none = 0, right = 1, up = 2, left = 3, down = 4;
    static constexpr int32_t columns = 15, rows = 10, lastLevel = 72, monsterCount = 6, bagCount = 15;
    // What the level intro and the game-over screen last, in milliseconds.
    static constexpr int32_t statePause = 1500;

    Tunnex();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    // A new game at `level`; false, with the game ended to the menu, when its file is unreadable.
    static bool openLevel();
    static void setState(int n);
    // The speed class of the level: level / 7 + 1, at most 10.
    static int speed();
    // Whether the two boxes overlap, edges included.
    static bool touches(int x1, int y1, int x2, int y2, int w1, int h1, int w2, int h2);
    // The actor box at (x, y) against the other actor's box moved in by 1 and a step smaller.
    static bool touchesActor(int x, int y, int otherX, int otherY);
    // A fresh set of game objects for the loaded level data.
    static void newGame();
    static void releaseGame();
    // Whether the score beats an entry of high-score table 1, which it loads.
    static bool isHighScore(int score);
    // |next random| x k / (2^31 - 1): 0 to k.
    static int random(int k);
    static int randomPercent() { return random(100); }
    // Raises the open level to `reached` and stores it.
    static void openUpTo(int reached);
    // Ends play back to the menu, with a diagnostic.
    static void abandon(const dfc::lang::DStringPtr& why);
    static void releaseStatics();

    static TunnexPtr theGame;
    static int32_t state;
    static int32_t previousState;
    static int32_t level;
    static int32_t maxOpenLevel;
    static bool paused;
    static int32_t startDelay;
    static int32_t frameCounter;
    static bool fullRepaint;
    static DWORD stateTime;
    static int32_t cellSize;
    static int32_t step;
    static int32_t fieldX, fieldY, homeX, homeY, marginX, marginY;
    static int32_t lastFieldX, lastFieldY;

    static dfc::microedition::lcdui::DImagePtr splash;
    static dfc::microedition::lcdui::DImagePtr panelTop, panelBottomLeft, panelBottomCentre, panelBottomRight;
    static dfc::microedition::lcdui::DImagePtr panelLeft, panelRight, pauseIcon;
    static GameImagePtr lifeIcon;
    static GameMenuPtr menu;
    static dfc::lang::DStringArrayPtr menuItems;

    static LevelPtr field;
    static PlayerPtr player;
    static FireboltPtr firebolt;
    static MonsterArrayPtr monsters;
    static BagArrayPtr bags;
    // The bag pictures every bag shares.
    static GameImagePtr sackImage, fallingSackImage, goldImage;
    static AnimationPtr wobbleAnimation, breakAnimation;

private:
    void measureField();
    void makeObjects();
    void loadPanels();
    static void buildMenu();
    static void loadBagPictures();
    static void setItems(bool pausing);

    void tick();
    void scroll();
    void markAroundPlayer();
    // pauseKey: the pause key was down on a frame since the previous tick.
    bool pauseRequested(bool pauseKey) const;
    void fire();
    bool steerByKeys();
    void steerByStylus();
    void enterCode();

    void updateMenu();
    void chooseItem(int item);
    void changeSoundLevel(SoundOptions::Kind kind);
    void storeEnteredName();
    void updateLevelSelect();
    void updateHighScores();
    void updateGameOver();
    void updateHelp();
    void updateIntro();

    void paintField();
    void paintPanels();
    void paintHud();
    void paintGameOver();
    void paintIntro();

    // The pause key from the frame the divider skips.
    PauseLatch pauseLatch;
};
