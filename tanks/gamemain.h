#pragma once
#include <cstdint>
#include "ce_types.h"
#include "dimagearray.h"
#include "dstringarray.h"
#include "gameinterface.h"
#include "gamemain.ptr"
#include "gamemenu.ptr"
#include "gamesplash.h"
#include "gametanks.h"
#include "soundoptions.h"

// The tank game: its resources, options and tunables, the menu, the stage list, the level
// intro, the battle, the pause menu, the results, the high scores and the help page.
class GameMain : public GameInterface {
public:
    // Screen states.
    static constexpr int32_t mainMenu = 1, highScores = 2, stageList = 3, results = 4, battle = 5, help = 6,
                             pauseMenu = 7, intro = 8;
    // Menu items.
    enum Item { startItem, scoresItem, helpItem, soundItem, musicItem, exitItem, itemCount };
    // The sounds, in the order they are loaded.
    enum SoundIndex { menuTune, gameLoop, stageTune, shootSound, blowSound, soundCount };
    // The panel pictures.
    enum Panel { sideLeft, sideRight, bottomLeft, bottomMiddle, bottomRight, panelCount };
    static constexpr int32_t introMillis = 1500;
    // A stored highest stage is kept within these (a damaged record must not make a list of
    // no stage or of millions).
    static constexpr int32_t lowestStage = 1, highestStage = 999;

    GameMain();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;
    virtual void clearKeys();

    void createMenu(int32_t state);
    void paintSidePanels();
    void saveOpenLevel();
    // "m:ss" of a battle clock in milliseconds.
    static dfc::lang::DStringPtr clockText(int64_t millis);
    static void releaseStatics();

    GameSplashPtr splash;
    GameTanksPtr tanks;
    dfc::lang::DStringArrayPtr menuItems;
    int32_t openLevel = 1;
    DWORD introTick = 0;
    dfc::microedition::lcdui::DImageArrayPtr panelImages;

    static int32_t screenState;
    static GameMainPtr current;
    static GameMenuPtr itemMenu;
    static GameMenuPtr scoreMenu;
    static GameMenuPtr helpMenu;

private:
    void loadOptions();
    void makeMenus();
    void layoutHelp();
    void loadPanels();

    void updateItemMenu();
    void chooseItem(int32_t item);
    void startChosen();
    void changeLevel(SoundOptions::Kind kind);
    void leaveItemMenu();
    void storeEnteredName();
    void updatePage(const GameMenuPtr& menu);
    void updateStageList();
    void updateBattle();
    bool pauseRequested() const;
    void updateResults();
    // Loads the level of the level counter and shows its intro; back to the main menu when
    // the level cannot be loaded.
    bool beginLevel();
    void startLevel();

    void paintIntro();
    void paintResults();
    void paintResultRow(int32_t kind, int32_t y);

    dfc::microedition::lcdui::DImagePtr splashImage;
};
