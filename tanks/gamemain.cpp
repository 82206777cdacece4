#include "gamemain.h"
#include <algorithm>
#include "animation.h"
#include "damagelog.h"
#include "dexception.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"
#include "tanktunables.h"
#include "ticks.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImageArray;
using dfc::microedition::lcdui::DImagePtr;

int32_t GameMain::screenState = GameMain::mainMenu;
GameMainPtr GameMain::current;
GameMenuPtr GameMain::itemMenu;
GameMenuPtr GameMain::scoreMenu;
GameMenuPtr GameMain::helpMenu;

namespace {

const char16_t* const soundNames[] = {u"/tanks/snd/menu", u"/tanks/snd/game", u"/tanks/snd/musicbcs",
                                      u"/tanks/snd/shoot", u"/tanks/snd/blow"};
const char16_t* const panelNames[] = {u"/tanks/panel_l.png", u"/tanks/panel_r.png", u"/tanks/panel_bot_l.png",
                                      u"/tanks/panel_bot_m.png", u"/tanks/panel_bot_r.png"};
constexpr int32_t menuShade = -160;
constexpr int32_t highScoreTable = 1;
// The value of a kill of each kind on the results screen.
constexpr int32_t killValues[] = {10, 20, 30, 40};
// The screen the results page is laid out for.
constexpr int32_t smallScreenHeight = 220;

}  // namespace

GameMain::GameMain() { current = this; }

void GameMain::releaseStatics() {
    current = nullptr;
    itemMenu = scoreMenu = helpMenu = nullptr;
    screenState = mainMenu;
}

// ---- Loading ----

void GameMain::start() {
    current = this;
    splashImage = GameLib::showSplash(u"/tanks/splash.jpg", 20);
    GameLib::loadImageSet(u"/tanks/all");
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    GameLib::advanceLoadingBar();
    StringManager::loadProperties(u"/res");
    loadOptions();
    TankTunables::load();
    GameLib::advanceLoadingBar();
    makeMenus();
    GameLib::advanceLoadingBar();
    loadPanels();
    GameLib::advanceLoadingBar();
    splash = new GameSplash();
    splash->init(this);
    createMenu(mainMenu);
    tanks = new GameTanks();
    tanks->init(this);
    Sound::play(menuTune, 1);
}

void GameMain::loadOptions() {
    SoundOptions(GameTables::tanksId).load();
    openLevel =
        std::clamp(GameMenu::loadOption(GameTables::tanksId + u"openlevel", 1), int(lowestStage), int(highestStage));
}

void GameMain::makeMenus() {
    itemMenu = new GameMenu();
    itemMenu->blendImage(splashImage, menuShade);
    scoreMenu = new GameMenu();
    scoreMenu->mode = GameMenu::scorePage;
    scoreMenu->loadHighScores(highScoreTable, GameTables::tanksId);
    scoreMenu->blendImage(splashImage, menuShade);
    helpMenu = new GameMenu();
    helpMenu->mode = GameMenu::helpPage;
    layoutHelp();
    helpMenu->blendImage(splashImage, menuShade);
}

// The help text with its picture, laid out again each time the page opens: leaving the page
// drops the layout.
void GameMain::layoutHelp() {
    DStringArrayPtr picture = new DStringArray(1);
    picture[0] = DStringPtr(u"help");
    helpMenu->layoutText(u"/tanks/help.txt", Animation::AnimationFromNames(picture));
}

void GameMain::loadPanels() {
    panelImages = new DImageArray(panelCount);
    for (int32_t i = 0; i < panelCount; ++i) panelImages[i] = DImage::createImage(DStringPtr(panelNames[i]));
}

void GameMain::stop() {
    if (splash) splash->release();
    if (tanks) tanks->release();
    splash = nullptr;
    tanks = nullptr;
    for (const GameMenuPtr& menu : {itemMenu, scoreMenu, helpMenu})
        if (menu) menu->detach();
    itemMenu = scoreMenu = helpMenu = nullptr;
    current = nullptr;
    Sound::stopAll();
    Sound::release();
    panelImages = nullptr;
    splashImage = nullptr;
}

// ---- Menus ----

void GameMain::createMenu(int32_t state) {
    screenState = state;
    itemMenu->selected = 0;
    itemMenu->firstVisible = 0;
    if (state == stageList) {
        itemMenu->setItems(MenuItems::levelChoice(openLevel));
    } else if (state == mainMenu || state == pauseMenu) {
        // The list is made once; later only its first and last items change.
        if (menuItems) {
            MenuItems::setEnds(menuItems, state == pauseMenu);
        } else {
            menuItems = new DStringArray(itemCount);
            MenuItems::setStandard(menuItems, state == pauseMenu);
        }
        itemMenu->setItems(menuItems);
    }
    itemMenu->closeRequested = false;
}

void GameMain::clearKeys() {
    KeyState::up = KeyState::down = KeyState::left = KeyState::right = KeyState::fire = false;
    KeyState::key0 = KeyState::key1 = KeyState::key3 = KeyState::key7 = KeyState::key9 = false;
    KeyState::star = KeyState::pound = KeyState::leftSoft = KeyState::rightSoft = false;
    KeyState::pauseKey = false;
    KeyState::pointerDown = KeyState::doubleTap = false;
}

void GameMain::saveOpenLevel() {
    openLevel = std::min(openLevel, int32_t(highestStage));
    GameMenu::saveOption(GameTables::tanksId + u"openlevel", openLevel);
}

// ---- States ----

void GameMain::update() {
    switch (screenState) {
        case mainMenu:
        case pauseMenu: updateItemMenu(); break;
        case highScores: updatePage(scoreMenu); break;
        case help: updatePage(helpMenu); break;
        case stageList: updateStageList(); break;
        case intro:
            if (millisSince(introTick) > introMillis) {
                screenState = battle;
                clearKeys();
            }
            break;
        case battle: updateBattle(); break;
        case results: updateResults(); break;
        default: break;
    }
}

void GameMain::updateItemMenu() {
    itemMenu->handleKeys();
    if (itemMenu->selectionMade) {
        itemMenu->selectionMade = false;
        chooseItem(itemMenu->selected);
    }
    if (itemMenu->closeRequested) {
        leaveItemMenu();
        return;
    }
    if (itemMenu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
}

void GameMain::chooseItem(int32_t item) {
    switch (item) {
        case startItem:
            clearKeys();
            if (screenState == pauseMenu) {
                tanks->paused = false;
                screenState = battle;
                Sound::resumeAll();
            } else {
                startChosen();
            }
            break;
        case scoresItem:
            screenState = highScores;
            scoreMenu->closeRequested = false;
            break;
        case helpItem:
            screenState = help;
            helpMenu->closeRequested = false;
            helpMenu->firstVisible = 0;
            layoutHelp();
            break;
        case soundItem: changeLevel(SoundOptions::effects); break;
        case musicItem: changeLevel(SoundOptions::music); break;
        default: break;
    }
}

void GameMain::startChosen() {
    tanks->newGame();
    if (openLevel == 1) {
        tanks->levelCounter = 1;
        startLevel();
    } else {
        createMenu(stageList);
    }
}

void GameMain::changeLevel(SoundOptions::Kind kind) {
    const int32_t item = kind == SoundOptions::music ? musicItem : soundItem;
    menuItems[item] = SoundOptions(GameTables::tanksId).step(kind);
}

void GameMain::leaveItemMenu() {
    Sound::stopAll();
    clearKeys();
    if (!tanks->loaded || !tanks->paused) {
        GameLib::returnToShell();
        return;
    }
    tanks->paused = false;
    createMenu(mainMenu);
}

void GameMain::storeEnteredName() {
    GameMenu::nameEntered = false;
    scoreMenu->loadHighScores(highScoreTable, GameTables::tanksId);
    scoreMenu->insertHighScore(GameMenu::lastEnteredName, tanks->score);
    scoreMenu->saveHighScores(highScoreTable, GameTables::tanksId);
    screenState = highScores;
    scoreMenu->closeRequested = false;
    itemMenu->mode = GameMenu::listPage;
    clearKeys();
}

void GameMain::updatePage(const GameMenuPtr& menu) {
    menu->handleKeys();
    if (!menu->closeRequested) return;
    menu->closeRequested = false;
    if (menu.get() == helpMenu.get()) HelpLayout::clear();
    createMenu(tanks->paused ? pauseMenu : mainMenu);
}

// Its last entry goes back to the main menu only: it is chosen and left at once.
void GameMain::updateStageList() {
    itemMenu->handleKeys();
    const int32_t exitEntry = openLevel;
    if (itemMenu->selectionMade && itemMenu->selected < exitEntry) {
        itemMenu->selectionMade = false;
        tanks->levelCounter = openLevel - itemMenu->selected;
        startLevel();
    } else if (itemMenu->selectionMade || itemMenu->closeRequested) {
        itemMenu->selectionMade = false;
        createMenu(mainMenu);
    }
}

void GameMain::startLevel() {
    if (!beginLevel()) return;
    Sound::stopAll();
    Sound::play(gameLoop, -1);
    Sound::play(stageTune, 1);
}

bool GameMain::beginLevel() {
    tanks->loadLevel();
    if (!tanks->levelLoaded) {
        DamageLog::name(DStringPtr(u"tanks: level ") + tanks->levelCounter + u" cannot be played; back to the menu");
        Sound::stopAll();
        createMenu(mainMenu);
        return false;
    }
    screenState = intro;
    introTick = GetTickCount();
    clearKeys();
    return true;
}

void GameMain::updateBattle() {
    if (!tanks->updateTanks()) {
        screenState = results;
        tanks->score += tanks->killPoints();
        clearKeys();
        return;
    }
    if (!pauseRequested()) return;
    clearKeys();
    tanks->paused = true;
    createMenu(pauseMenu);
    Sound::pauseAll();
}

// A soft key, the system's pause, or the stylus on the pause sign of the bottom-left panel.
bool GameMain::pauseRequested() const {
    if (KeyState::leftSoft || KeyState::rightSoft || KeyState::pauseKey) return true;
    const DImagePtr& piece = panelImages[bottomLeft];
    if (!KeyState::pointerDown || !piece) return false;
    const int32_t height = ScreenCanvas::screenHeight;
    return KeyState::pointerX >= 0 && KeyState::pointerX <= piece->getWidth() * 3 / 4 &&
           KeyState::pointerY >= height - piece->getHeight() && KeyState::pointerY < height;
}

void GameMain::updateResults() {
    if (KeyState::fire || KeyState::key0 || KeyState::pointerDown) {
        if (tanks->player->armour > 0) {
            tanks->nextLevel();
            beginLevel();
        } else {
            Sound::stopAll();
            scoreMenu->loadHighScores(highScoreTable, GameTables::tanksId);
            if (scoreMenu->isHighScore(tanks->score)) itemMenu->enterName();
            createMenu(mainMenu);
        }
    }
    clearKeys();
}

// ---- Painting ----

void GameMain::paint() {
    switch (screenState) {
        case mainMenu:
        case stageList:
        case pauseMenu: itemMenu->paint(); break;
        case highScores: scoreMenu->paint(); break;
        case help: helpMenu->paint(); break;
        case battle: tanks->paint(); break;
        case intro: paintIntro(); break;
        case results: paintResults(); break;
        default: break;
    }
}

void GameMain::paintSidePanels() {
    DGraphics& g = *ScreenCanvas::screenGraphics;
    if (panelImages[sideLeft]) g.drawImage(panelImages[sideLeft], 0, 0, DGraphics::TOP | DGraphics::LEFT);
    if (panelImages[sideRight])
        g.drawImage(panelImages[sideRight], ScreenCanvas::screenWidth, 0, DGraphics::TOP | DGraphics::RIGHT);
}

void GameMain::paintIntro() {
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    DGraphics& g = *ScreenCanvas::screenGraphics;
    g.setColor(0x000000);
    g.fillRect(0, 0, width, height);
    const ImageFontPtr hud = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int32_t line = hud->getHeight();
    const int32_t top = height / 2 - 2 * line - 3;
    hud->drawString(StringManager::getText(u"level") + u" " + tanks->levelCounter, width / 2, top,
                    DGraphics::HCENTER | DGraphics::TOP);
    hud->drawString(StringManager::getText(u"score") + u" " + tanks->score, width / 2, top + line + 3,
                    DGraphics::HCENTER | DGraphics::TOP);
}

DStringPtr GameMain::clockText(int64_t millis) {
    const int32_t seconds = int32_t(std::max<int64_t>(0, millis) / 1000);
    return DStringPtr(u"") + seconds / 60 + u":" + (seconds % 60 < 10 ? u"0" : u"") + seconds % 60;
}

void GameMain::paintResults() {
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    DGraphics& g = *ScreenCanvas::screenGraphics;
    g.setColor(0x000000);
    g.fillRect(0, 0, width, height);
    const ImageFontPtr hud = ScreenCanvas::font(ScreenCanvas::hudFont1);
    hud->drawString(StringManager::getText(u"score") + u" " + tanks->score, width / 2, 4,
                    DGraphics::HCENTER | DGraphics::TOP);
    const int32_t iconHeight = std::max(1, splash->icons[0]->height);
    // One and a half icon heights apart on the small screen; a taller screen spreads the rows
    // in proportion, so that they take the same share of the page.
    const int32_t rowStep = iconHeight * 3 * std::max(height, smallScreenHeight) / (2 * smallScreenHeight);
    int32_t y = 4 + hud->getHeight() + iconHeight / 2 + 4;
    for (int32_t kind = 0; kind < 4; ++kind, y += rowStep) paintResultRow(kind, y);
    hud->drawString(StringManager::getText(u"time") + u" " + clockText(tanks->battleClock), width / 2, height - 4,
                    DGraphics::HCENTER | DGraphics::BOTTOM);
}

// Two icons, then "count x value = points", the numbers right-aligned in columns.
void GameMain::paintResultRow(int32_t kind, int32_t y) {
    const ImageFontPtr hud = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const ImageFontPtr digits = ScreenCanvas::font(ScreenCanvas::numberFont0);
    const GameImagePtr& icon = splash->icons[kind];
    const GameImagePtr& marked = splash->icons[kind + 4];
    const int32_t column = digits->stringWidth(u"999") + 2;
    // The signs keep a blank's room on each side, clear of numbers as wide as the columns.
    const int32_t times = hud->stringWidth(u" x "), equals = hud->stringWidth(u" = ");
    const int32_t rowWidth = icon->width + marked->width + 3 * column + times + equals + 4;
    int32_t x = (ScreenCanvas::screenWidth - rowWidth) / 2;
    const int32_t middle = y + icon->height / 2;
    icon->drawAt(x, y);
    marked->drawAt(x + icon->width + 2, y);
    x += icon->width + marked->width + 4;
    const int32_t count = tanks->kills(kind), value = killValues[kind];
    const int anchor = DGraphics::RIGHT | DGraphics::VCENTER;
    digits->drawString(DStringPtr(u"") + count, x + column, middle, anchor);
    x += column;
    hud->drawString(u"x", x + times / 2, middle, DGraphics::HCENTER | DGraphics::VCENTER);
    x += times;
    digits->drawString(DStringPtr(u"") + value, x + column, middle, anchor);
    x += column;
    hud->drawString(u"=", x + equals / 2, middle, DGraphics::HCENTER | DGraphics::VCENTER);
    x += equals;
    digits->drawString(DStringPtr(u"") + value * count, x + column, middle, anchor);
}
