#include "shellmenu.h"
#include "dgraphics.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "gamelib.h"
#include "gameregistry.h"
#include "imagefont.h"
#include "keystate.h"
#include "screencanvas.h"
#include "stringmanager.h"

using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImageArray;
using dfc::microedition::lcdui::DImagePtr;

int32_t ShellMenu::introTime = 0;
int32_t ShellMenu::launchDelay = 0;
int32_t ShellMenu::captionInTime = 200;
int32_t ShellMenu::captionOutTime = 200;

namespace {

constexpr int32_t gameCount = 8;
// The caption's font among the shared fonts.
constexpr int captionFont = 3;
// How hard a move pushes the newly selected icon.
constexpr int32_t kick = 0x15000;

const char16_t* const smallCaptionKeys[ShellMenu::itemCount] = {
    u"brixmoor", u"fdp", u"swarmline", u"tunnex", u"tanks", u"gdr", u"dotvor", u"rockvale", u"exit"};
const char16_t* const largeCaptionKeys[ShellMenu::itemCount] = {
    u"brixmoor", u"rockvale", u"dotvor", u"tunnex", u"tanks", u"gdr", u"swarmline", u"fdp", u"exit"};
const char16_t* const iconNames[ShellMenu::itemCount] = {u"bxm", u"fdp", u"swl", u"tnx", u"tanks",
                                                         u"gdr", u"dtv", u"rkv", u"exit"};
const char16_t* const gameArtNames[gameCount] = {u"/menu/bxr.png",    u"/menu/rkv.png",  u"/menu/zpk.png",
                                                 u"/menu/tunnex.png", u"/menu/irvx.png", u"/menu/gold.png",
                                                 u"/menu/starwell.png", u"/menu/river.png"};
const char16_t* const titleNames[ShellMenu::itemCount] = {u"bxr-ball", u"rockvale", u"zipkin",
                                                          u"tunnex",   u"real-irvx", u"gold",
                                                          u"starwell", u"banksway", u"exit"};

ImageFontPtr imageFont(int index) { return ScreenCanvas::fonts[index]; }

DGraphics& screen() { return *ScreenCanvas::screenGraphics; }

// Wraps an item index into 0..8: below 0 it gains 9 first.
int32_t wrap(int32_t item) { return (item < 0 ? item + ShellMenu::itemCount : item) % ShellMenu::itemCount; }

// Wraps a single step past either end to the other end.
int32_t wrapToEnds(int32_t item) {
    if (item < 0) return ShellMenu::itemCount - 1;
    return item >= ShellMenu::itemCount ? 0 : item;
}

}  // namespace

const GameRegistry::Game ShellMenu::smallLayoutGames[GameRegistry::gameCount] = {
    GameRegistry::brixmoor, GameRegistry::floodpass, GameRegistry::swarmline, GameRegistry::tunnex,
    GameRegistry::tanks,    GameRegistry::goldrift,  GameRegistry::dotvor,    GameRegistry::rockvale};

void ShellMenu::start() {
    StringManager::loadProperties(u"/res");
    largeLayout = ScreenCanvas::screenHeight >= largeScreenHeight;
    introTime = largeLayout ? 1000 : 500;
    launchDelay = largeLayout ? 1700 : 500;
    captionInTime = 200;
    captionOutTime = 200;
    state = introState;
    timer = introTime;
    gameChosen = exitChosen = captionShown = false;
    if (largeLayout)
        loadLargeLayout();
    else
        loadSmallLayout();
    selection = -1;
    previousSelection = -1;
    exitIndex = 8;
}

// Loading.

void ShellMenu::loadCaptions(const char16_t* const keys[itemCount]) {
    itemTexts = new DStringArray(itemCount);
    for (int32_t i = 0; i < itemCount; ++i) itemTexts[i] = StringManager::getProperty(keys[i]);
}

void ShellMenu::loadSmallLayout() {
    background = DImage::createImage(DStringPtr(u"/menu/small_back.jpg"));
    loadCaptions(smallCaptionKeys);
    GameLib::loadImageSet(u"/menu/small_icons");
    smallIcons = new GameImageArray(itemCount);
    smallSelectedIcons = new GameImageArray(itemCount);
    for (int32_t i = 0; i < itemCount; ++i) {
        smallIcons[i] = GameImage::load(iconNames[i] + DStringPtr(u".png"));
        smallSelectedIcons[i] = GameImage::load(iconNames[i] + DStringPtr(u"_s.png"));
    }
    cellWidth = smallIcons[0]->width + 10;
    cellHeight = smallIcons[0]->height - 2;
    icons.step = 0x7000;
    placeIcons();
}

void ShellMenu::placeIcons() {
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight;
    const int32_t h = imageFont(captionFont)->getHeight();
    dfc::util::DRandom& random = *GameLib::sharedRandom;
    for (int32_t i = 0; i < itemCount; ++i) {
        const int32_t row = i / 3, column = i % 3;
        const int32_t targetX = (width - 3 * cellWidth) / 2 + cellWidth / 2 + column * cellWidth;
        const int32_t targetY =
            height - 2 * h - 6 - (cellHeight * height) / 208 + cellHeight / 2 - 2 * cellHeight + row * cellHeight;
        int32_t startX = targetX, speedX = 0;
        if (column != 1) {
            const int32_t r = random.nextAbsMod(cellWidth);
            startX = column == 0 ? targetX - (cellWidth + r) : targetX + cellWidth + r;
            speedX = column == 0 ? IconSprings::one : -IconSprings::one;
        }
        int32_t startY = targetY, speedY = 0;
        if (row != 1) {
            const int32_t r = random.nextAbsMod(cellHeight);
            startY = row == 0 ? -(r + cellHeight / 2) : height + r + cellHeight / 2;
            speedY = row == 0 ? IconSprings::one : -IconSprings::one;
        }
        icons.target[i][IconSprings::x] = targetX << 16;
        icons.target[i][IconSprings::y] = targetY << 16;
        icons.position[i][IconSprings::x] = startX << 16;
        icons.position[i][IconSprings::y] = startY << 16;
        icons.velocity[i][IconSprings::x] = speedX;
        icons.velocity[i][IconSprings::y] = speedY;
    }
}

void ShellMenu::loadLargeLayout() {
    background = DImage::createImage(DStringPtr(u"/menu/back.jpg"));
    loadCaptions(largeCaptionKeys);
    gameArt = new DImageArray(gameCount);
    for (int32_t i = 0; i < gameCount; ++i) gameArt[i] = DImage::createImage(DStringPtr(gameArtNames[i]));
    panel = DImage::createImage(DStringPtr(u"/menu/panel.png"));
    startButton = DImage::createImage(DStringPtr(u"/menu/start.png"));
    selectedStartButton = DImage::createImage(DStringPtr(u"/menu/sel_start.png"));
    selectedFrame = DImage::createImage(DStringPtr(u"/menu/selected.png"));
    GameLib::loadImageSet(u"/menu/texts");
    titleImages = new GameImageArray(itemCount);
    selectedTitleImages = new GameImageArray(itemCount);
    for (int32_t i = 0; i < itemCount; ++i) {
        titleImages[i] = GameImage::load(titleNames[i] + DStringPtr(u".png"));
        selectedTitleImages[i] = GameImage::load(u"sel_" + (titleNames[i] + DStringPtr(u".png")));
    }
    startImage = GameImage::load(u"start.png");
    selectedStartImage = GameImage::load(u"sel_start.png");
    rowsLeft = 76;
    rowsTop = 36;
    rowGap = 1;
    pressedOffsetX = 1;
    pressedOffsetY = 12;
}

// One frame.

void ShellMenu::update() {
    if (!largeLayout) icons.move();
    // Once a game or exit is chosen, nothing may change what starts.
    if (state >= idleState && !gameChosen && !exitChosen) readInput();
    runState();
}

void ShellMenu::readInput() {
    readMoves();
    readChoice();
}

void ShellMenu::readMoves() {
    // Left and right move only in the small layout, where they are consumed.
    const bool left = !largeLayout && KeyState::left, right = !largeLayout && KeyState::right;
    if (left) KeyState::left = false;
    if (right) KeyState::right = false;
    if (KeyState::minusOneKey || left) moveBy(-1, KeyState::minusOneKey, IconSprings::x);
    if (KeyState::minusTwoKey || right) moveBy(1, KeyState::minusTwoKey, IconSprings::x);
    if (KeyState::up) {
        KeyState::up = false;
        moveBy(largeLayout ? -1 : -3, largeLayout, IconSprings::y);
    }
    if (KeyState::down) {
        KeyState::down = false;
        moveBy(largeLayout ? 1 : 3, false, IconSprings::y);
    }
}

void ShellMenu::moveBy(int32_t step, bool toEnds, IconSprings::Axis axis) {
    selection = toEnds ? wrapToEnds(selection + step) : wrap(selection + step);
    if (!largeLayout) icons.kick(selection, axis, step < 0 ? -kick : kick);
    afterMove();
}

void ShellMenu::afterMove() {
    if (state == idleState) {
        state = captionOutState;
        timer = captionShown ? captionOutTime : 0;
    } else if (state == captionInState) {
        state = captionOutState;
        timer = captionInTime - timer;
    }
}

void ShellMenu::readChoice() {
    if (KeyState::fire || KeyState::leftSoft) {
        KeyState::fire = KeyState::leftSoft = false;
        choose();
    } else if (KeyState::pointerDown) {
        if (largeLayout)
            pressPanel();
        else
            pressIcon();
        KeyState::pointerDown = false;
    }
}

void ShellMenu::choose() {
    if (selection < 0) return;
    if (selection == exitIndex)
        exitChosen = true;
    else
        gameChosen = true;
    afterMove();
}

void ShellMenu::pressIcon() {
    const int32_t px = KeyState::pointerX, py = KeyState::pointerY;
    for (int32_t i = 0; i < itemCount; ++i) {
        const GameImagePtr icon = i == selection ? smallSelectedIcons[i] : smallIcons[i];
        const int32_t left = icons.pixel(i, IconSprings::x) - icon->width / 2;
        const int32_t top = icons.pixel(i, IconSprings::y) - icon->height / 2;
        if (px < left || px >= left + icon->width || py < top || py >= top + icon->height) continue;
        selection = i;
        choose();
        return;
    }
}

void ShellMenu::pressPanel() {
    const int32_t px = KeyState::pointerX, py = KeyState::pointerY;
    const int32_t row = rowAt(px, py);
    if (row >= 0) {
        const bool wasSelected = row == selection;
        if (!wasSelected) {
            selection = row;
            afterMove();
        }
        // Exit goes at the first press; a game, and exit once selected, want a double tap.
        if (row == exitIndex ? !wasSelected || KeyState::doubleTap : KeyState::doubleTap) choose();
        return;
    }
    const int32_t left = pressedOffsetX;
    const int32_t top = ScreenCanvas::screenHeight - startButton->getHeight() + pressedOffsetY;
    if (px >= left && px < left + selectedStartButton->getWidth() && py >= top &&
        py < top + selectedStartButton->getHeight()) {
        choose();
        KeyState::doubleTap = false;
    }
}

int32_t ShellMenu::rowAt(int32_t x, int32_t y) const {
    const int32_t left = panelX() + rowsLeft;
    for (int32_t row = 0; row < itemCount; ++row) {
        const GameImagePtr title = titleImages[row];
        const int32_t top = rowY(row);
        if (x >= left && x < left + title->width && y >= top && y < top + title->height) return row;
    }
    return -1;
}

bool ShellMenu::timeUp() {
    timer -= 25;
    return timer <= 0;
}

void ShellMenu::runState() {
    switch (state) {
        case introState:
            if (timeUp()) state = idleState;
            break;
        case launchState:
            if (timeUp()) launch();
            break;
        case captionInState:
            captionShown = true;
            if (timeUp()) state = idleState;
            break;
        case captionOutState:
            if (timeUp()) endCaption();
            break;
        default:
            break;
    }
}

void ShellMenu::endCaption() {
    captionShown = false;
    if (gameChosen || exitChosen) {
        state = launchState;
        timer = launchDelay;
    } else if (largeLayout && selection == exitIndex) {
        state = idleState;
    } else {
        previousSelection = selection;
        state = captionInState;
        timer = captionInTime;
    }
}

void ShellMenu::launch() {
    if (!gameChosen) {
        GameLib::gameLib->notifyDestroyed();
        return;
    }
    const int32_t game = largeLayout ? selection : ShellMenu::smallLayoutGames[selection];
    GameInterfacePtr chosen = GameRegistry::create(game);
    if (!chosen) {
        if (DSystem::err) DSystem::err->println(u"ShellMenu: this game is not installed: " + itemTexts[selection]);
        // The shell stays, showing the caption of the game again.
        gameChosen = false;
        previousSelection = selection;
        state = captionInState;
        timer = captionInTime;
        return;
    }
    // The game takes the shell's place, which releases the shell.
    GameLib::currentMode = chosen;
    chosen->start();
}

// Painting.

void ShellMenu::paint() {
    screen().drawImage(background, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    if (largeLayout)
        paintLarge();
    else
        paintSmall();
}

void ShellMenu::paintSmall() {
    for (int32_t i = 0; i < itemCount; ++i) {
        const GameImagePtr icon = i == selection ? smallSelectedIcons[i] : smallIcons[i];
        icon->drawAt(icons.pixel(i, IconSprings::x) - icon->width / 2,
                     icons.pixel(i, IconSprings::y) - icon->height / 2);
    }
    if (captionShown && previousSelection >= 0) paintCaption();
}

DStringArrayPtr ShellMenu::captionLines(const DStringPtr& caption, int32_t maxWidth,
                                        const std::function<int(const DStringPtr&)>& measure) {
    const int32_t blank = caption->indexOf(u' ');
    if (blank < 0 || measure(caption) <= maxWidth) {
        DStringArrayPtr lines = new DStringArray(1);
        lines[0] = caption;
        return lines;
    }
    DStringArrayPtr lines = new DStringArray(2);
    lines[0] = caption->substring(0, blank);
    lines[1] = caption->substring(blank + 1);
    return lines;
}

void ShellMenu::paintCaption() {
    const ImageFontPtr font = imageFont(captionFont);
    const int32_t width = ScreenCanvas::screenWidth, height = ScreenCanvas::screenHeight, h = font->getHeight();
    const DStringPtr caption = itemTexts[previousSelection];
    if (!caption) return;
    const DStringArrayPtr lines =
        captionLines(caption, width - 20, [&font](const DStringPtr& text) { return font->stringWidth(text); });
    const int32_t block = lines->length * (h + 1) + 1;
    int32_t top = height - block;
    if (state == captionInState) top = height - (captionInTime - timer) * block / captionInTime;
    if (state == captionOutState) top = height - timer * block / captionOutTime;
    for (int32_t i = 0; i < lines->length; ++i)
        font->drawString(lines[i], width / 2, top + 1 + i * (h + 1), DGraphics::HCENTER | DGraphics::TOP);
}

int32_t ShellMenu::panelX() const { return ScreenCanvas::screenWidth - panel->getWidth(); }

int32_t ShellMenu::panelY() const { return (ScreenCanvas::screenHeight - panel->getHeight()) / 2; }

int32_t ShellMenu::rowY(int32_t row) const {
    int32_t y = panelY() + rowsTop;
    for (int32_t i = 0; i < row; ++i) y += titleImages[i]->height + rowGap;
    return y;
}

void ShellMenu::paintLarge() {
    DGraphics& g = screen();
    const int32_t x = panelX(), y = panelY();
    g.drawImage(panel, x, y, DGraphics::TOP | DGraphics::LEFT);
    if (selection >= 0 && selection < gameCount)
        g.drawImage(gameArt[selection], x + 6, y + rowsTop, DGraphics::TOP | DGraphics::LEFT);
    for (int32_t row = 0; row < itemCount; ++row) {
        const int32_t top = rowY(row);
        if (row == selection) {
            g.drawImage(selectedFrame, x + rowsLeft - 1, top - 1, DGraphics::TOP | DGraphics::LEFT);
            selectedTitleImages[row]->drawAt(x + rowsLeft, top);
        } else {
            titleImages[row]->drawAt(x + rowsLeft, top);
        }
    }
    paintStartButton();
}

void ShellMenu::paintStartButton() {
    DGraphics& g = screen();
    const int32_t top = ScreenCanvas::screenHeight - startButton->getHeight();
    const bool pressed = gameChosen;
    const int32_t dx = pressed ? pressedOffsetX : 0, dy = pressed ? pressedOffsetY : 0;
    g.drawImage(pressed ? selectedStartButton : startButton, dx, top + dy, DGraphics::TOP | DGraphics::LEFT);
    // The caption sits on the button's face, which is as big as the pressed button.
    const GameImagePtr caption = pressed ? selectedStartImage : startImage;
    caption->drawAt(dx + (selectedStartButton->getWidth() - caption->width) / 2,
                    top + dy + (selectedStartButton->getHeight() - caption->height) / 2);
}
