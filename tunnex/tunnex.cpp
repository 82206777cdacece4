#include "tunnex.h"
#include <algorithm>
#include <cstdlib>
#include "animation.h"
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "firebolt.h"
#include "gamelib.h"
#include "gamemenu.h"
#include "gametables.h"
#include "helplayout.h"
#include "imageatlas.h"
#include "imagefont.h"
#include "keystate.h"
#include "menuitems.h"
#include "screencanvas.h"
#include "sound.h"
#include "soundoptions.h"
#include "stringmanager.h"
#include "ticks.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DObjectArray;
using dfc::lang::DString;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

TunnexPtr Tunnex::theGame;
int32_t Tunnex::state = Tunnex::mainMenu;
int32_t Tunnex::previousState = Tunnex::mainMenu;
int32_t Tunnex::level = 1;
int32_t Tunnex::maxOpenLevel = 1;
bool Tunnex::paused = false;
int32_t Tunnex::startDelay = 0;
int32_t Tunnex::frameCounter = 0;
bool Tunnex::fullRepaint = false;
DWORD Tunnex::stateTime = 0;
int32_t Tunnex::cellSize = 15;
int32_t Tunnex::step = 3;
int32_t Tunnex::fieldX = 0, Tunnex::fieldY = 0, Tunnex::homeX = 0, Tunnex::homeY = 0;
int32_t Tunnex::marginX = 0, Tunnex::marginY = 0;
int32_t Tunnex::lastFieldX = 0, Tunnex::lastFieldY = 0;
DImagePtr Tunnex::splash;
DImagePtr Tunnex::panelTop, Tunnex::panelBottomLeft, Tunnex::panelBottomCentre, Tunnex::panelBottomRight;
DImagePtr Tunnex::panelLeft, Tunnex::panelRight, Tunnex::pauseIcon;
GameImagePtr Tunnex::lifeIcon;
GameMenuPtr Tunnex::menu;
DStringArrayPtr Tunnex::menuItems;
LevelPtr Tunnex::field;
PlayerPtr Tunnex::player;
FireboltPtr Tunnex::firebolt;
MonsterArrayPtr Tunnex::monsters;
BagArrayPtr Tunnex::bags;
GameImagePtr Tunnex::sackImage, Tunnex::fallingSackImage, Tunnex::goldImage;
AnimationPtr Tunnex::wobbleAnimation, Tunnex::breakAnimation;

namespace {

const char16_t* const soundNames[] = {
    u"/tnx/sound/eat crystall", u"/tnx/sound/eat monster2", u"/tnx/sound/drop bag",
    u"/tnx/sound/break bag",    u"/tnx/sound/hero dead",    u"/tnx/sound/Born",
    u"/tnx/sound/shoot",        u"/tnx/sound/menu",         u"/tnx/sound/game"};

constexpr int32_t menuColour = 0xF6B708;
constexpr int32_t menuShade = -160;
constexpr int32_t fieldBackdrop = 0x777777;

DGraphics& screen() { return *ScreenCanvas::screenGraphics; }

// A picture of the game's own; null, with a diagnostic, when it cannot be read.
DImagePtr loadPicture(const char16_t* name) {
    try {
        return DImage::createImage(DStringPtr(name));
    } catch (DExceptionPtr& e) {
        DamageLog::name(u"Tunnex: no picture " + DStringPtr(name) + u": " + DFailureReason::of(e));
        return nullptr;
    }
}

int widthOf(const DImagePtr& image) { return image ? image->getWidth() : 0; }
int heightOf(const DImagePtr& image) { return image ? image->getHeight() : 0; }

void drawPanel(const DImagePtr& image, int x, int y, int anchor) {
    if (image) screen().drawImage(image, x, y, anchor);
}

}  // namespace

Tunnex::Tunnex() { theGame = this; }

// ---- Loading ----

void Tunnex::start() {
    splash = GameLib::showSplash(u"/tnx/splash.jpg", 20);
    // A damaged record must not offer levels that do not exist.
    maxOpenLevel = std::clamp(GameMenu::loadOption(GameTables::tunnexId + u"openlevel", 1), 1, int(lastLevel));
    GameLib::advanceLoadingBar();
    Sound::loadSounds(soundNames);
    SoundOptions(GameTables::tunnexId).load();
    GameLib::advanceLoadingBar();
    GameLib::loadImageSet(u"/tnx/all");
    StringManager::loadProperties(u"/res");
    GameLib::advanceLoadingBar();
    measureField();
    makeObjects();
    loadPanels();
    GameLib::advanceLoadingBar();
    newGame();
    GameLib::advanceLoadingBar();
    paused = false;
    if (splash) menu->blendImage(splash, menuShade);
    GameLib::present();
    Sound::play(menuTune, 1);
}

void Tunnex::measureField() {
    const int width = GameImage::load(u"earth_1.png")->width;
    // Without the art the cells are as the screen's art has them, the smallest multiple of 5 whose
    // row fills the screen: a narrower field asks for side panels that neither screen's data has.
    const int filling = (ScreenCanvas::screenWidth + columns - 1) / columns;
    cellSize = width >= 5 ? width : (filling + 4) / 5 * 5;
    step = cellSize / 5;
    homeY = (ScreenCanvas::screenHeight - rows * cellSize) / 2;
    marginX = marginY = 2 * cellSize;
    homeX = 0;
    if (columns * cellSize < ScreenCanvas::screenWidth) homeX = (ScreenCanvas::screenWidth - columns * cellSize) / 2;
    fieldX = lastFieldX = homeX;
    fieldY = lastFieldY = homeY;
}

void Tunnex::makeObjects() {
    lifeIcon = GameImage::load(u"lifeIcon.png");
    field = new Level();
    firebolt = new Firebolt();
    player = new Player();
    buildMenu();
}

void Tunnex::loadPanels() {
    panelTop = loadPicture(u"/tnx/panel-top.png");
    panelBottomLeft = loadPicture(u"/tnx/panel-bottom-l.png");
    panelBottomCentre = loadPicture(u"/tnx/panel-bottom-c.png");
    panelBottomRight = loadPicture(u"/tnx/panel-bottom-r.png");
    // Side panels exist only where the field is narrower than the screen.
    if (homeX > 0) {
        panelLeft = loadPicture(u"/tnx/panel-l.png");
        panelRight = loadPicture(u"/tnx/panel-r.png");
    }
    pauseIcon = loadPicture(u"/tnx/pause.png");
}

void Tunnex::buildMenu() {
    menu = new GameMenu();
    menu->backgroundColor = menuColour;
    menuItems = new DStringArray(itemCount);
    setItems(false);
    state = mainMenu;
}

void Tunnex::setItems(bool pausing) {
    MenuItems::setStandard(menuItems, pausing);
    menu->setItems(menuItems);
}

void Tunnex::newGame() {
    monsters = new MonsterArray(monsterCount);
    bags = new BagArray(bagCount);
    Level::init();
    player->init();
    firebolt->reset();
    loadBagPictures();
    for (int i = 0; i < bagCount; ++i) bags[i] = new Bag();
    for (int i = 0; i < monsterCount; ++i) monsters[i] = new Monster(i + 1);
    startDelay = 1;
}

void Tunnex::loadBagPictures() {
    const DStringArrayPtr& names = GameTables::tunnexSackFrames;
    sackImage = GameImage::load(names[0]);
    fallingSackImage = GameImage::load(names[3]);
    goldImage = GameImage::load(names[6]);
    DStringArrayPtr wobble = new DStringArray(4);
    for (int i = 0; i < 4; ++i) wobble[i] = DStringPtr(names[1 + i / 2]);
    wobbleAnimation = Animation::AnimationFromNames(wobble);
    wobbleAnimation->delay = 1;
    DStringArrayPtr breakUp = new DStringArray(3);
    for (int i = 0; i < 3; ++i) breakUp[i] = DStringPtr(names[4 + i]);
    breakAnimation = Animation::AnimationFromNames(breakUp);
    breakAnimation->delay = 1;
}

// ---- Rules shared by the field, the player, the monsters and the bags ----

int Tunnex::speed() { return std::min(level / 7 + 1, 10); }

bool Tunnex::touches(int x1, int y1, int x2, int y2, int w1, int h1, int w2, int h2) {
    if (y1 + h1 < y2 || y1 > y2 + h2 || x1 + w1 < x2) return false;
    return x1 <= x2 + w2;
}

bool Tunnex::touchesActor(int x, int y, int otherX, int otherY) {
    const int inner = cellSize - step;
    return touches(x, y, otherX + 1, otherY + 1, cellSize, cellSize, inner, inner);
}

// The magnitude of -2^31 is 2^31; the product needs 64 bits.
int Tunnex::random(int k) {
    const int32_t draw = GameLib::sharedRandom->nextInt();
    const int64_t magnitude = std::llabs(int64_t(draw));
    return int(magnitude * k / 2147483647LL);
}

void Tunnex::openUpTo(int reached) {
    if (reached <= maxOpenLevel) return;
    maxOpenLevel = std::min(reached, int(lastLevel));
    GameMenu::saveOption(GameTables::tunnexId + u"openlevel", maxOpenLevel);
}

bool Tunnex::isHighScore(int score) {
    menu->loadHighScores(GameTables::tunnexId, 1);
    return menu->isHighScore(score);
}

void Tunnex::abandon(const DStringPtr& why) {
    DamageLog::name(why);
    Sound::stopAll();
    paused = false;
    setState(mainMenu);
}

// ---- A new game and the states ----

bool Tunnex::openLevel() {
    const DStringPtr name = DStringPtr(u"/tnx/data/") + ((level - 1) / Level::levelsPerFile + 1) + u".txt";
    if (Level::readLevel(name) != 0) {
        abandon(u"Tunnex: level file " + name + u" is missing or damaged; back to the menu");
        return false;
    }
    openUpTo(level);
    Level::earthStyle = (level - 1) % 4 + 1;
    Level::start(level);
    player->newGame();
    fullRepaint = true;
    Level::setMonsterLimit();
    paused = false;
    return true;
}

void Tunnex::setState(int n) {
    previousState = state;
    state = n;
    menu->selected = 0;
    menu->firstVisible = 0;
    menu->mode = GameMenu::listPage;
    switch (n) {
        case play:
            screen().setColor(fieldBackdrop);
            screen().fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
            Sound::stop(menuTune);
            if (previousState == pauseMenu) {
                Sound::resumeAll();
            } else {
                Sound::play(gameTune, -1);
            }
            break;
        case mainMenu: setItems(false); break;
        case pauseMenu: setItems(true); break;
        case levelSelect: menu->setItems(MenuItems::levelChoice(maxOpenLevel)); break;
        case highScores:
            menu->loadHighScores(GameTables::tunnexId, 1);
            menu->mode = GameMenu::scorePage;
            break;
        case helpPage:
            menu->layoutText(u"/tnx/help.txt", nullptr);
            menu->mode = GameMenu::helpPage;
            break;
        case levelIntro:
        case gameOver: stateTime = GetTickCount(); break;
        default: break;
    }
    KeyState::leftSoft = KeyState::fire = false;
    KeyState::up = KeyState::down = KeyState::left = KeyState::right = false;
    KeyState::key0 = KeyState::key1 = KeyState::key3 = KeyState::key7 = KeyState::key9 = false;
}

void Tunnex::update() {
    if (state == play) pauseLatch.hold();
    if (++frameCounter >= 3) {
        frameCounter = 0;
        return;
    }
    switch (state) {
        case play: tick(); break;
        case mainMenu:
        case pauseMenu: updateMenu(); break;
        case levelSelect: updateLevelSelect(); break;
        case highScores: updateHighScores(); break;
        case gameOver: updateGameOver(); break;
        case helpPage: updateHelp(); break;
        case levelIntro: updateIntro(); break;
        default: break;
    }
}

void Tunnex::updateMenu() {
    menu->handleKeys();
    if (menu->selectionMade) {
        menu->selectionMade = false;
        chooseItem(menu->selected);
        if (!theGame) return;  // back in the shell
        KeyState::fire = false;
    }
    if (menu->mode == GameMenu::namePage && GameMenu::nameEntered) storeEnteredName();
}

void Tunnex::chooseItem(int item) {
    const bool inPause = state == pauseMenu;
    switch (item) {
        case startItem:
            if (inPause) {
                paused = false;
                setState(play);
                fullRepaint = true;
            } else if (maxOpenLevel < 2) {
                level = 1;
                if (openLevel()) setState(levelIntro);
            } else {
                setState(levelSelect);
            }
            break;
        case scoresItem: setState(highScores); break;
        case helpItem:
            setState(helpPage);
            menu->closeRequested = false;
            break;
        case soundItem: changeSoundLevel(SoundOptions::effects); break;
        case musicItem: changeSoundLevel(SoundOptions::music); break;
        case exitItem:
            Sound::stopAll();
            KeyState::fire = false;
            if (!inPause) {
                GameLib::returnToShell();
                return;
            }
            paused = false;
            setState(mainMenu);
            break;
        default: break;
    }
}

void Tunnex::changeSoundLevel(SoundOptions::Kind kind) {
    const int item = kind == SoundOptions::music ? musicItem : soundItem;
    menuItems[item] = SoundOptions(GameTables::tunnexId).step(kind);
    menu->setItems(menuItems);
}

void Tunnex::storeEnteredName() {
    GameMenu::nameEntered = false;
    menu->loadHighScores(GameTables::tunnexId, 1);
    menu->insertHighScore(GameMenu::lastEnteredName, player->score);
    menu->saveHighScores(GameTables::tunnexId, 1);
    menu->mode = GameMenu::listPage;
    menu->closeRequested = false;
    KeyState::fire = false;
    setState(highScores);
}

void Tunnex::updateLevelSelect() {
    menu->handleKeys();
    if (!menu->selectionMade) return;
    menu->selectionMade = false;
    const int chosen = menu->selected;
    if (chosen >= maxOpenLevel) {
        setState(mainMenu);
        return;
    }
    level = maxOpenLevel - chosen;
    if (openLevel()) setState(levelIntro);
}

void Tunnex::updateHighScores() {
    menu->closeRequested = false;
    if (!KeyState::fire && !KeyState::pointerDown) return;
    KeyState::pointerDown = false;
    setState(paused ? pauseMenu : mainMenu);
}

void Tunnex::updateGameOver() {
    if (millisSince(stateTime) <= statePause) return;
    Sound::stopAll();
    const bool entersTable = isHighScore(player->score);
    paused = false;
    setState(mainMenu);
    if (entersTable) menu->enterName();
}

void Tunnex::updateHelp() {
    menu->handleKeys();
    if (!KeyState::leftSoft && !menu->closeRequested) return;
    menu->closeRequested = false;
    // The laid-out help is dropped with the page.
    HelpLayout::clear();
    setState(previousState);
}

void Tunnex::updateIntro() {
    if (millisSince(stateTime) <= statePause) return;
    setState(play);
    fullRepaint = true;
}

// ---- The play tick ----

void Tunnex::tick() {
    const bool pauseKey = pauseLatch.take();
    if (startDelay > 0) {
        --startDelay;
        return;
    }
    if (KeyState::numberEntered) {
        enterCode();
        if (state != play) return;
    }
    for (int i = 0; i < monsterCount; ++i) monsters[i]->update(0);
    Level::tick();
    if (state != play) return;
    firebolt->update();
    scroll();
    markAroundPlayer();
    if (pauseRequested(pauseKey)) {
        Sound::pauseAll();
        KeyState::leftSoft = KeyState::rightSoft = KeyState::pauseKey = false;
        paused = true;
        setState(pauseMenu);
        return;
    }
    fire();
    if (steerByKeys()) return;
    steerByStylus();
}

// Only the levels that exist may be entered.
void Tunnex::enterCode() {
    KeyState::numberEntered = false;
    const int number = KeyState::enteredNumber;
    if (number < 1 || number > lastLevel) return;
    level = number;
    openLevel();
}

void Tunnex::scroll() {
    const int width = ScreenCanvas::screenWidth;
    switch (player->direction) {
        case right:
            if (player->x > width - marginX) fieldX = width - columns * cellSize;
            break;
        case left:
            if (player->x + fieldX < marginX) fieldX = homeX;
            break;
        case up:
            if (player->y + fieldY < marginY) fieldY = homeY;
            break;
        default: break;
    }
    if (fieldX != lastFieldX || fieldY != lastFieldY) fullRepaint = true;
    lastFieldX = fieldX;
    lastFieldY = fieldY;
}

void Tunnex::markAroundPlayer() {
    const int c = player->column, r = player->row;
    Level::markDirty(c, r);
    Level::markDirty(c + 1, r);
    if (c < columns - 1 && r < rows - 1) Level::markDirty(c + 1, r + 1);
    Level::markDirty(c + 2, r);
    Level::markDirty(c, r + 2);
    Level::markDirty(c, r + 1);
}

bool Tunnex::pauseRequested(bool pauseKey) const {
    if (KeyState::leftSoft || KeyState::rightSoft || pauseKey) return true;
    if (!KeyState::pointerDown) return false;
    const int iconWidth = widthOf(pauseIcon), iconHeight = heightOf(pauseIcon);
    const int top = ScreenCanvas::screenHeight - heightOf(panelBottomLeft) / 2 - iconHeight / 2;
    const int x = KeyState::pointerX, y = KeyState::pointerY;
    return x > 1 && x <= iconWidth + 2 && y >= top && y < top + iconHeight;
}

void Tunnex::fire() {
    if (!KeyState::fire && !KeyState::doubleTap) return;
    if (!player->dead) firebolt->fire(player->column * cellSize, player->row * cellSize, player->direction);
    KeyState::fire = KeyState::doubleTap = false;
}

bool Tunnex::steerByKeys() {
    int d = none;
    if (KeyState::left) {
        d = left;
    } else if (KeyState::right) {
        d = right;
    } else if (KeyState::up) {
        d = up;
    } else if (KeyState::down) {
        d = down;
    }
    if (d == none) return false;
    player->move(d);
    return true;
}

void Tunnex::steerByStylus() {
    if (!KeyState::pointerDown) return;
    const int fx = KeyState::pointerX - fieldX, fy = KeyState::pointerY - fieldY;
    const int x = player->x, y = player->y;
    const bool inRow = y < fy && fy < y + cellSize;
    const bool inColumn = x < fx && fx < x + cellSize;
    const int dx = fx - x, dy = fy - y;
    if (inRow && inColumn) return;
    if (inRow) {
        player->move(dx < 1 ? left : right);
    } else if (inColumn) {
        player->move(dy < 1 ? up : down);
    } else if (std::abs(dx) <= std::abs(dy)) {
        player->move(dy < 1 ? up : down);
    } else {
        player->move(dx < 1 ? left : right);
    }
}

// ---- Drawing ----

void Tunnex::paint() {
    switch (state) {
        case play: paintField(); break;
        case gameOver: paintGameOver(); break;
        case levelIntro: paintIntro(); break;
        default: menu->paint(); break;
    }
}

void Tunnex::paintField() {
    if (startDelay != 0) return;
    ImageAtlas::currentGraphics = ScreenCanvas::screenGraphics;
    if (fullRepaint) {
        fullRepaint = false;
        Level::paintAll();
    } else {
        Level::paintDirty();
    }
    for (int i = 0; i < monsterCount; ++i) monsters[i]->paint();
    player->paint();
    if (state != play) return;
    firebolt->paint();
    paintPanels();
    paintHud();
}

void Tunnex::paintPanels() {
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    const int bottomLeft = DGraphics::BOTTOM | DGraphics::LEFT, topLeft = DGraphics::TOP | DGraphics::LEFT;
    drawPanel(panelTop, 0, 0, topLeft);
    drawPanel(panelBottomLeft, 0, height, bottomLeft);
    drawPanel(panelBottomCentre, widthOf(panelBottomLeft), height, bottomLeft);
    drawPanel(panelBottomRight, widthOf(panelBottomLeft) + widthOf(panelBottomCentre), height, bottomLeft);
    drawPanel(panelLeft, 0, heightOf(panelTop), topLeft);
    drawPanel(panelRight, width, heightOf(panelTop), DGraphics::TOP | DGraphics::RIGHT);
    drawPanel(pauseIcon, 2, height - heightOf(panelBottomLeft) / 2, DGraphics::LEFT | DGraphics::VCENTER);
}

void Tunnex::paintHud() {
    const int width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    const ImageFontPtr numbers = ScreenCanvas::font(ScreenCanvas::numberFont0);
    const ImageFontPtr label = ScreenCanvas::font(ScreenCanvas::hudFont0);
    numbers->drawString(DString::valueOf(player->score), width - 2,
                        height - numbers->getHeight() / 2 - heightOf(panelBottomCentre) / 2,
                        DGraphics::TOP | DGraphics::RIGHT);
    const int iconX = widthOf(panelBottomLeft);
    const int iconY = height - heightOf(panelTop) / 2 - lifeIcon->height / 2;
    lifeIcon->drawAt(iconX, iconY);
    const int middle = iconY + lifeIcon->height / 2;
    const DStringPtr times = u"x";
    const int timesX = iconX + lifeIcon->width + 1;
    label->drawString(times, timesX, middle - label->getHeight() / 2, DGraphics::TOP | DGraphics::LEFT);
    numbers->drawString(DString::valueOf(std::max(player->lives, 0)), timesX + label->stringWidth(times) + 2,
                        middle - numbers->getHeight() / 2, DGraphics::TOP | DGraphics::LEFT);
}

void Tunnex::paintGameOver() {
    screen().setColor(0);
    screen().fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int h = banner->getHeight(), x = ScreenCanvas::screenWidth / 2;
    const int y0 = ScreenCanvas::screenHeight / 2 - 2 * h - 3, anchor = DGraphics::HCENTER | DGraphics::TOP;
    banner->drawString(u"Game over", x, y0, anchor);
    banner->drawString(StringManager::getText(u"score") + u" " + player->score, x, y0 + h + 3, anchor);
}

void Tunnex::paintIntro() {
    screen().setColor(0);
    screen().fillRect(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    const ImageFontPtr banner = ScreenCanvas::font(ScreenCanvas::hudFont1);
    const int h = banner->getHeight(), x = ScreenCanvas::screenWidth / 2;
    const int y0 = ScreenCanvas::screenHeight / 2 - 2 * h - 3, y1 = y0 + h + 3;
    const int anchor = DGraphics::HCENTER | DGraphics::TOP;
    banner->drawString(StringManager::getText(u"level") + u" " + level, x, y0, anchor);
    banner->drawString(StringManager::getText(u"score") + u" " + player->score, x, y1, anchor);
    const AnimationPtr& walk = Player::walk[right];
    if (!walk || !walk->frames || walk->frames->length == 0) return;
    const GameImagePtr icon = walk->frames[0];
    const int lives = std::max(player->lives, 0), spacing = icon->width + 3;
    const int rowWidth = lives * spacing - 3;
    ImageAtlas::currentGraphics = ScreenCanvas::screenGraphics;
    for (int i = 0; i < lives; ++i) icon->drawAt((ScreenCanvas::screenWidth - rowWidth) / 2 + i * spacing, y1 + h + 3);
}

// ---- Leaving ----

void Tunnex::stop() {
    Sound::stopAll();
    if (menu) menu->detach();
    HelpLayout::clear();
    releaseGame();
    releaseStatics();
}

void Tunnex::releaseGame() {
    if (player) player->release();
    if (firebolt) firebolt->release();
    Level::release();
    monsters = nullptr;
    bags = nullptr;
    sackImage = fallingSackImage = goldImage = nullptr;
    wobbleAnimation = breakAnimation = nullptr;
}

void Tunnex::releaseStatics() {
    releaseGame();
    panelTop = panelBottomLeft = panelBottomCentre = panelBottomRight = nullptr;
    panelLeft = panelRight = pauseIcon = nullptr;
    splash = nullptr;
    lifeIcon = nullptr;
    menu = nullptr;
    menuItems = nullptr;
    field = nullptr;
    player = nullptr;
    firebolt = nullptr;
    state = previousState = mainMenu;
    paused = false;
    frameCounter = 0;
    theGame = nullptr;
}
