#pragma once
#include <cstdint>
#include "dimage.h"
#include "dotvor.ptr"
#include "dotvorgame.h"
#include "dstringarray.h"
#include "gameinterface.h"
#include "soundoptions.h"

// The maze game's mode: loading at start, the menu pages (main, pause, game settings with
// the map order and the game mode, help, the high-score table of each mode and the choice
// among them), the sound and music options, the name entry after a game, and the switch
// between menu frames and play frames (a game step every second frame).
class Dotvor : public GameInterface {
public:
    enum Page { mainPage, pausePage, settingsPage, helpPage, scoresPage, tablesPage };
    enum Item { firstItem, tablesItem, helpItem, soundItem, musicItem, lastItem };
    enum SettingsItem { startItem, orderItem, modeItem, backItem };
    static constexpr int32_t menuShade = -160;

    Dotvor();

    void start() override;
    void update() override;
    void paint() override;
    void stop() override;

    static void showMenuPage(int32_t page);
    // Lets go of everything the game keeps; only the game mode lasts the run.
    static void releaseStatics();

    DotvorGamePtr game;

    static int32_t stepToggle;
    static int32_t menuPage, previousPage;
    static int32_t highScoreTable;
    static dfc::lang::DStringArrayPtr mainTexts, settingsTexts, tableTexts;
    static dfc::microedition::lcdui::DImagePtr splash;
    // Whether the main page was left for the pause page: leaving the paused game must stop
    // and unpause the sound.
    static bool gamePaused;

private:
    static void buildTexts();
    static void measureMap();

    void updateMenu();
    void chooseItem(int32_t item);
    void chooseSetting(int32_t item);
    void chooseTable(int32_t item);
    void changeLevel(SoundOptions::Kind kind);
    void startGame();
    void continueGame();
    static void leavePausedGame();
    void storeEnteredName();
};
