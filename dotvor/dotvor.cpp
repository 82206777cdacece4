#include "dotvor.h"
#include "damagelog.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

int32_t Dotvor::stepToggle = 0;
int32_t Dotvor::menuPage = Dotvor::mainPage;
int32_t Dotvor::previousPage = Dotvor::mainPage;
int32_t Dotvor::highScoreTable = 0;
DStringArrayPtr Dotvor::mainTexts;
DStringArrayPtr Dotvor::settingsTexts;
DStringArrayPtr Dotvor::tableTexts;
DImagePtr Dotvor::splash;
bool Dotvor::gamePaused = false;

namespace {

GameMenuPtr menu() { return GameTables::dotvorMenu; }

DStringPtr text(const char16_t* key) { return StringManager::getProperty(key); }

const char16_t* modeKey(int32_t mode) {
    static const char16_t* const keys[] = {u"modeoriginal", u"modefruit", u"modetime", u"modekill"};
    return keys[mode & 3];
}

}  // namespace

Dotvor::Dotvor() : game(new DotvorGame()) {}

// ---- Loading ----

void Dotvor::start() {
    DotvorGame::game = game;
    splash = GameLib::showSplash(u"/dtv/splash.jpg", 10);
    SoundOptions(GameTables::dotvorId).load();
    GameLib::advanceLoadingBar();
    GameLib::loadImageSet(u"/dtv/all");
    GameLib::advanceLoadingBar();
    GameLib::diagnose(u"Begin buildBoard....");
    game->init();
    GameLib::diagnose(u"End buildBoard....");
    GameLib::advanceLoadingBar();
    StringManager::loadProperties(u"/res");
    GameTables::dotvorMainItems[soundItem] = GameMenu::soundOptionKey(Sound::getSoundLevel());
    GameTables::dotvorMainItems[musicItem] = GameMenu::musicOptionKey(Sound::getMusicLevel());
    buildTexts();
    GameLib::advanceLoadingBar();
    menuPage = previousPage = mainPage;
    showMenuPage(mainPage);
    DotvorGame::playMode = 0;
    measureMap();
    // The menu is the game-wide one, made before a game that ended could drop the shared pictures.
    GameMenu::loadArrowImages();
    menu()->blendImage(splash, menuShade);
    Sound::play(DotvorGame::menuTune, 1);
}

void Dotvor::buildTexts() {
    settingsTexts = MenuItems::textsOf(GameTables::dotvorStartItems);
    mainTexts = MenuItems::textsOf(GameTables::dotvorMainItems);
    tableTexts = new DStringArray(5);
    for (int i = 0; i < 4; ++i) tableTexts[i] = StringManager::getProperty(GameTables::dotvorModeItems[i]);
    tableTexts[4] = text(u"exit");
}

// The maze size comes from the first map: its line length and its count of line feeds.
void Dotvor::measureMap() {
    DotvorGame::mapWidth = 0;
    DotvorGame::mapHeight = 1;
    try {
        DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(u"/dtv/maps/map00.txt"));
        for (int32_t count = 0, byte; (byte = in->read()) != -1;) {
            count += 1;
            if (byte == 13) {
                DotvorGame::mapWidth = count - 2;
                count = 0;
            }
            if (byte == 10) DotvorGame::mapHeight += 1;
        }
        in->close();
    } catch (DExceptionPtr& e) {
        DamageLog::name(DStringPtr(u"Dotvor: no first map ") + DFailureReason::of(e));
        DotvorGame::mapWidth = DotvorGame::mapHeight = 0;
    }
}

// ---- Menu pages ----

void Dotvor::showMenuPage(int32_t page) {
    const GameMenuPtr gameMenu = menu();
    previousPage = menuPage;
    menuPage = page;
    gameMenu->selected = 0;
    gameMenu->firstVisible = 0;
    gameMenu->mode = GameMenu::listPage;
    switch (page) {
        case mainPage:
        case pausePage: {
            if (page == mainPage && gamePaused) leavePausedGame();
            if (page == pausePage) gamePaused = true;
            DStringArrayPtr items = new DStringArray(mainTexts->length);
            for (int i = 0; i < items->length; ++i) items[i] = DStringPtr(mainTexts[i]);
            MenuItems::setEnds(items, page == pausePage);
            gameMenu->setItems(items);
            break;
        }
        case settingsPage:
            // The levels item shows the flag as it is: a new start clears it.
            settingsTexts[orderItem] = text(DotvorGame::levelsRandom ? u"levelsrandom" : u"levelsoriginal");
            settingsTexts[modeItem] = text(modeKey(DotvorGame::gameMode));
            gameMenu->setItems(settingsTexts);
            break;
        case helpPage:
            gameMenu->layoutText(u"/dtv/help.txt", nullptr);
            gameMenu->mode = GameMenu::helpPage;
            break;
        case scoresPage:
            gameMenu->loadHighScores(highScoreTable, GameTables::dotvorId);
            gameMenu->mode = GameMenu::scorePage;
            break;
        case tablesPage: gameMenu->setItems(tableTexts); break;
        default: break;
    }
    if (page >= helpPage) gameMenu->closeRequested = false;
    KeyState::fire = false;
}

// A paused game left for the menu: its sounds stop and the speaker is unpaused, else the
// next game would be silent.
void Dotvor::leavePausedGame() {
    gamePaused = false;
    Sound::stopAll();
    Sound::resumeAll();
}

// ---- Frames ----

void Dotvor::update() {
    DotvorGame::newFrame = true;
    if (DotvorGame::playMode == 1) {
        game->pauseLatch.hold();
        if (stepToggle == 0) game->update();
        stepToggle = (stepToggle - 1) & 1;
        return;
    }
    updateMenu();
}

void Dotvor::updateMenu() {
    const GameMenuPtr gameMenu = menu();
    gameMenu->handleKeys();
    if (gameMenu->selectionMade) {
        gameMenu->selectionMade = false;
        const int32_t item = gameMenu->selected;
        switch (menuPage) {
            case mainPage:
            case pausePage: chooseItem(item); break;
            case settingsPage: chooseSetting(item); break;
            case tablesPage: chooseTable(item); break;
            default: break;
        }
        if (!DotvorGame::game) return;  // left for the shell
    }
    if ((menuPage == helpPage || menuPage == scoresPage) && gameMenu->closeRequested &&
        gameMenu->mode != GameMenu::namePage) {
        HelpLayout::clear();
        showMenuPage(previousPage);
        gameMenu->closeRequested = false;
    }
    if (gameMenu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
}

void Dotvor::chooseItem(int32_t item) {
    switch (item) {
        case firstItem:
            if (menuPage == pausePage) {
                continueGame();
            } else {
                showMenuPage(settingsPage);
            }
            break;
        case tablesItem: showMenuPage(tablesPage); break;
        case helpItem: showMenuPage(helpPage); break;
        case soundItem: changeLevel(SoundOptions::effects); break;
        case musicItem: changeLevel(SoundOptions::music); break;
        case lastItem:
            if (menuPage == pausePage) {
                showMenuPage(mainPage);
            } else {
                GameLib::returnToShell();
            }
            break;
        default: break;
    }
}

void Dotvor::continueGame() {
    gamePaused = false;
    DotvorGame::playMode = 1;
    KeyState::fire = false;
    DotvorGame::fillScreen(game->backgroundColour);
    Sound::resumeAll();
}

// The label stays with the texts the pages are made from.
void Dotvor::changeLevel(SoundOptions::Kind kind) {
    const int32_t item = kind == SoundOptions::music ? musicItem : soundItem;
    const DStringPtr label = SoundOptions(GameTables::dotvorId).step(kind);
    menu()->items[item] = label;
    mainTexts[item] = label;
}

void Dotvor::chooseSetting(int32_t item) {
    switch (item) {
        case startItem: startGame(); break;
        case orderItem:
            DotvorGame::levelsRandom = !DotvorGame::levelsRandom;
            menu()->items[orderItem] = text(DotvorGame::levelsRandom ? u"levelsrandom" : u"levelsoriginal");
            KeyState::fire = false;
            break;
        case modeItem:
            DotvorGame::gameMode = (DotvorGame::gameMode + 1) % 4;
            menu()->items[modeItem] = text(modeKey(DotvorGame::gameMode));
            break;
        case backItem: showMenuPage(mainPage); break;
        default: break;
    }
}

// A maze that cannot be played keeps the menu up (the game said why).
void Dotvor::startGame() {
    KeyState::fire = false;
    if (!game->newGame()) {
        DotvorGame::playMode = 0;
        showMenuPage(mainPage);
        return;
    }
    DotvorGame::playMode = 1;
    stepToggle = 0;
    Sound::stop(DotvorGame::menuTune);
    Sound::play(DotvorGame::gameTune, -1);
}

void Dotvor::chooseTable(int32_t item) {
    if (item >= 4) {
        showMenuPage(mainPage);
        return;
    }
    highScoreTable = item;
    showMenuPage(scoresPage);
}

void Dotvor::storeEnteredName() {
    const GameMenuPtr gameMenu = menu();
    const int32_t table = DotvorGame::gameMode;
    gameMenu->loadHighScores(table, GameTables::dotvorId);
    gameMenu->insertHighScore(GameMenu::lastEnteredName, DotvorGame::score);
    gameMenu->saveHighScores(table, GameTables::dotvorId);
    highScoreTable = table;
    showMenuPage(scoresPage);
    previousPage = mainPage;
    KeyState::fire = false;
}

// ---- Drawing ----

void Dotvor::paint() {
    if (DotvorGame::playMode == 1) {
        game->paint();
    } else {
        menu()->paint();
    }
}

// ---- Leaving ----

void Dotvor::stop() {
    Sound::stopAll();
    Sound::resumeAll();
    if (menu()) menu()->detach();
    releaseStatics();
}

void Dotvor::releaseStatics() {
    DotvorGame::releaseStatics();
    mainTexts = settingsTexts = tableTexts = nullptr;
    splash = nullptr;
    if (GameMenuPtr gameMenu = menu()) gameMenu->backgroundImage = nullptr;
    stepToggle = 0;
    menuPage = previousPage = mainPage;
    highScoreTable = 0;
    gamePaused = false;
}
