#include "gamemenu.h"
#include <algorithm>
#include "animation.h"
#include "ce_system.h"
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dgraphics.h"
#include "gamelib.h"
#include "gametables.h"
#include "helpbox.h"
#include "helplayout.h"
#include "helptext.h"
#include "highscores.h"
#include "imagefont.h"
#include "keystate.h"
#include "loadingbar.h"
#include "options.h"
#include "screencanvas.h"
#include "stringmanager.h"
#include "ticks.h"
#include "virtualkeyboard.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DintArray;
using dfc::lang::DintArrayPtr;
using dfc::lang::DObjectPtr;
using dfc::lang::DString;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DFont;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

dfc::microedition::lcdui::DImagePtr GameMenu::arrowUp;
dfc::microedition::lcdui::DImagePtr GameMenu::arrowDown;
dfc::microedition::lcdui::DImagePtr GameMenu::pauseImage;
DWORD GameMenu::lastKeyTime = 0;
int32_t GameMenu::charsPerLine = 1;
int32_t GameMenu::helpTop = 0;
int32_t GameMenu::helpBottom = 0;
int32_t GameMenu::helpLineHeight = 0;
bool GameMenu::nameEntered = false;
DStringPtr GameMenu::lastEnteredName;

namespace {

// Fonts of the menus, by their index among the shared fonts.
constexpr int itemFont = 0, selectedItemFont = 1, labelFont = 2, helpFont = 6;

ImageFontPtr imageFont(int index) { return ScreenCanvas::fonts[index]; }

DGraphics& screen() { return *ScreenCanvas::screenGraphics; }

int32_t screenWidth() { return ScreenCanvas::screenWidth; }
int32_t screenHeight() { return ScreenCanvas::screenHeight; }

// How many rows of step pixels fit into span; none for a step that is not set.
int32_t rowsIn(int32_t span, int32_t step) { return step > 0 ? span / step : 0; }

DStringPtr optionKey(int level, const char16_t* const keys[4]) {
    return level >= 0 && level <= 3 ? DStringPtr(keys[level]) : DStringPtr(u"");
}

DStringPtr optionLabel(const DStringPtr& key) {
    return key->length() > 0 ? StringManager::getProperty(key) : DStringPtr(u"");
}

// (c * (amount + 255)) >> 8 darker, c + ((255 - c) * amount) >> 8 lighter.
int32_t shade(int32_t c, int amount) {
    const int32_t shaded = amount <= 0 ? (c * (amount + 255)) >> 8 : c + (((255 - c) * amount) >> 8);
    return std::clamp(shaded, 0, 255);
}

// A picture that cannot be read stays null, and the menus go without it; that is named once,
// though every menu tries it again.
DImagePtr loadIfMissing(const DImagePtr& image, const char16_t* name) {
    if (image) return image;
    try {
        return DImage::createImage(DStringPtr(name));
    } catch (DExceptionPtr& e) {
        const DStringPtr why = DFailureReason::of(e);
        DamageLog::name(why, u"GameMenu: " + why + u"; the menus go without it");
        return nullptr;
    }
}

// The frame that sizes a help picture; null for one without frames.
GameImagePtr firstFrame(const Animation& picture) {
    return picture.frames && picture.frames->length > 0 ? GameImagePtr(picture.frames[0]) : nullptr;
}

}  // namespace

GameMenu::GameMenu()
    : boxX(HelpBox::boxX(ScreenCanvas::screenWidth)),
      boxHeight(ScreenCanvas::screenHeight - 40),
      font(DFont::getDefaultFont()) {
    visibleCount = listRows();
    // A game that ended may have dropped the shared pictures.
    loadArrowImages();
}

int32_t GameMenu::listRows() const { return rowsIn(boxHeight - 2 * boxBorder, lineHeight); }

int32_t GameMenu::helpRows() const { return rowsIn(helpBottom - helpTop, helpLineHeight); }

void GameMenu::setContent(DStringArrayPtr newItems, DintArrayPtr newValues) {
    items = newItems;
    values = newValues;
}

void GameMenu::detach() { titleImage = nullptr; }

// Pages.

void GameMenu::paint() {
    switch (mode) {
        case refreshPage:
            refresh();
            break;
        case listPage:
        case scorePage:
            paintList();
            break;
        case helpPage:
            paintHelp();
            break;
        case namePage:
            paintNameEntry();
            break;
        default:
            break;
    }
}

void GameMenu::refresh() {
    mode = listPage;
    ScreenCanvas::screenWidth = GameLib::screenCanvas->width;
    ScreenCanvas::screenHeight = GameLib::screenCanvas->height;
}

void GameMenu::paintBackground(int32_t fillColor) {
    DGraphics& g = screen();
    if (backgroundImage) {
        g.drawImage(backgroundImage, 0, 0, DGraphics::TOP | DGraphics::LEFT);
        return;
    }
    g.setColor(fillColor);
    g.fillRect(0, 0, screenWidth(), screenHeight());
}

void GameMenu::paintList() {
    screen().setFont(font);
    paintBackground(backgroundColor);
    if (titleImage) titleImage->drawAt((screenWidth() - titleImage->width) / 2, 0);
    if (drawBox) paintBox();
    if (!items) return;
    int32_t y = rowsTop();
    for (int32_t i = firstVisible; i < firstVisible + visibleCount && i < itemCount(); ++i) {
        paintRow(i, y);
        y += lineHeight;
    }
    if (itemCount() > visibleCount) paintArrows();
}

void GameMenu::paintBox() {
    DGraphics& g = screen();
    const int32_t width = screenWidth() - 2 * boxX;
    g.setClip(0, 0, screenWidth(), screenHeight());
    g.setColor(boxFrameColor);
    g.fillRect(boxX, boxY, width, boxHeight);
    g.setColor(boxFillColor);
    g.fillRect(boxX + boxBorder, boxY + boxBorder, width - 2 * boxBorder, boxHeight - 2 * boxBorder);
}

void GameMenu::paintRow(int32_t i, int32_t y) {
    DGraphics& g = screen();
    const DStringPtr text = items[i];
    if (mode == listPage) {
        if (i != selected) g.setColor(textColor);
        imageFont(i == selected ? selectedItemFont : itemFont)
            ->drawString(text, screenWidth() / 2, y, DGraphics::HCENTER | DGraphics::TOP);
        return;
    }
    g.setColor(scoreColor);
    imageFont(itemFont)->drawString(text, boxX + 10, y, DGraphics::TOP | DGraphics::LEFT);
    const int32_t score = values && i < values->length ? values[i] : 0;
    imageFont(itemFont)->drawString(DString::valueOf(score), screenWidth() - boxX - 10, y,
                                    DGraphics::TOP | DGraphics::RIGHT);
}

void GameMenu::paintArrows() {
    DGraphics& g = screen();
    const bool list = mode == listPage;
    if (arrowUp && (list || firstVisible > 0))
        g.drawImage(arrowUp, screenWidth() / 2, boxY - 2, DGraphics::BOTTOM | DGraphics::HCENTER);
    if (arrowDown && (list || firstVisible + visibleCount < itemCount()))
        g.drawImage(arrowDown, screenWidth() / 2, boxY + boxHeight, DGraphics::TOP | DGraphics::HCENTER);
}

void GameMenu::paintNameEntry() {
    paintBackground(backgroundColor);
    GameTables::virtualKeyboard->paint();
}

// The help page.

void GameMenu::layoutText(DStringPtr name, DObjectPtr pictures) {
    const DStringPtr text = HelpText::read(name);
    const int32_t maxWidth = HelpBox::textWidth(screenWidth(), boxX);
    helpBottom = screenHeight() - imageFont(labelFont)->getHeight();
    charsPerLine = HelpBox::charsPerLine(maxWidth, imageFont(helpFont)->stringWidth(u"W"));
    helpTop = imageFont(selectedItemFont)->getHeight() + 12;
    helpLineHeight = imageFont(helpFont)->getHeight() + 3;
    visibleCount = helpRows();
    firstVisible = 0;
    HelpLayout::layout(text, pictures, charsPerLine, maxWidth, imageFont(helpFont));
}

void GameMenu::paintHelp() {
    paintBackground(boxFillColor);
    imageFont(selectedItemFont)
        ->drawString(StringManager::getProperty(u"help"), screenWidth() / 2, 3, DGraphics::HCENTER | DGraphics::TOP);
    screen().setFont(DFont::getFont(64, 0, 8));
    paintHelpLines();
    paintScrollBar();
    paintHelpLabels();
}

void GameMenu::paintHelpLines() {
    // A line that would run into the labels waits for the next page, which starts from the
    // last line drawn.
    lastDrawnLine = firstVisible;
    int32_t y = helpTop;
    for (int32_t i = firstVisible; i - firstVisible < visibleCount && i < HelpLayout::lineCount; ++i) {
        const DObjectPtr line = HelpLayout::line(i);
        auto* picture = dynamic_cast<Animation*>(line.get());
        const GameImagePtr first = picture ? firstFrame(*picture) : nullptr;
        const int32_t drawnHeight = picture ? (first ? first->height : 0) : imageFont(helpFont)->getHeight();
        if (y >= helpBottom || y + drawnHeight > helpBottom) break;
        lastDrawnLine = i;
        if (auto* text = dynamic_cast<DString*>(line.get())) {
            screen().setColor(textColor);
            imageFont(helpFont)->drawString(text, boxX + 5, y, DGraphics::TOP | DGraphics::LEFT);
            y += helpLineHeight;
        } else if (picture) {
            picture->paint(2, y);
            // A picture line takes the width of its picture in height.
            y += (first ? first->width : 0) + 2;
        } else {
            y += helpLineHeight;
        }
    }
}

GameMenu::Thumb GameMenu::scrollThumb(int32_t track, int32_t lines, int32_t visible, int32_t first) {
    const int32_t length = std::clamp(visible * track / lines, 0, track - 1);
    const int32_t travel = track - 1 - length;
    const int32_t offset = lines > visible ? std::clamp(first * travel / (lines - visible), 0, travel) : 0;
    return Thumb{offset, length};
}

void GameMenu::paintScrollBar() {
    DGraphics& g = screen();
    const int32_t x = screenWidth() - 8, track = helpBottom - helpTop, lines = HelpLayout::lineCount;
    g.setColor(0xCCCCCC);
    g.fillRect(x, helpTop, 6, track);
    g.setColor(0x444444);
    g.drawRect(x, helpTop, 6, track);
    if (lines <= 0 || track < 2) return;
    const Thumb thumb = scrollThumb(track, lines, visibleCount, firstVisible);
    g.setColor(0xFFFFFF);
    g.fillRect(x, helpTop + thumb.offset, 6, thumb.length);
    g.setColor(0x000000);
    g.drawRect(x, helpTop + thumb.offset, 6, thumb.length + 1);
}

void GameMenu::paintHelpLabels() {
    DGraphics& g = screen();
    g.setColor(textColor);
    g.setFont(DFont::getFont(64, 1, 8));
    imageFont(labelFont)->drawString(StringManager::getProperty(u"quit"), 0, screenHeight(),
                                     DGraphics::BOTTOM | DGraphics::LEFT);
    imageFont(labelFont)->drawString(StringManager::getProperty(u"down"), screenWidth(), screenHeight(),
                                     DGraphics::BOTTOM | DGraphics::RIGHT);
}

// Keys and stylus.

void GameMenu::handleKeys() {
    if (mode == namePage) {
        handleNameEntry();
        return;
    }
    if (mode < listPage || mode > helpPage) return;
    selectionMade = false;
    visibleCount = mode == helpPage ? helpRows() : listRows();
    // A negative difference (a clock set back) waits too.
    if (millisSince(lastKeyTime) < keyPauseMillis) return;
    if (act()) lastKeyTime = GetTickCount();
}

bool GameMenu::act() {
    if (KeyState::up || KeyState::minusOneKey)
        up();
    else if (KeyState::down || KeyState::minusTwoKey)
        down();
    else if (KeyState::fire)
        fire();
    else if (KeyState::leftSoft && mode != listPage)
        closeRequested = true;
    else if (KeyState::rightSoft && mode != listPage)
        rightSoftKey();
    else if (KeyState::pointerDown)
        tap();
    else
        return false;
    return true;
}

void GameMenu::up() {
    if (mode != listPage) {
        if (firstVisible > 0) --firstVisible;
        return;
    }
    const int32_t count = itemCount();
    if (count == 0) return;
    if (selected <= 0) {
        selected = count - 1;
        firstVisible = std::max(0, count - visibleCount);
    } else if (firstVisible > --selected) {
        firstVisible = selected;
    }
}

void GameMenu::down() {
    if (mode == scorePage) {
        if (firstVisible < itemCount() - visibleCount) ++firstVisible;
        return;
    }
    if (mode == helpPage) {
        if (firstVisible + visibleCount < HelpLayout::lineCount) ++firstVisible;
        return;
    }
    const int32_t count = itemCount();
    if (count == 0) return;
    if (selected >= count - 1) {
        selected = 0;
        firstVisible = 0;
    } else if (++selected > firstVisible + visibleCount - 1) {
        ++firstVisible;
    }
}

void GameMenu::fire() {
    if (mode == helpPage) {
        pageDown();
        return;
    }
    if (mode == scorePage) {
        closeRequested = true;
        return;
    }
    selectionMade = true;
    // The last item of a list leaves it.
    if (selected == itemCount() - 1) closeRequested = true;
}

void GameMenu::rightSoftKey() {
    if (mode == scorePage)
        closeRequested = true;
    else
        pageDown();
}

void GameMenu::pageDown() {
    const int32_t lines = HelpLayout::lineCount;
    if (firstVisible + visibleCount >= lines) return;
    // At least one line on, even when a picture filled the whole page.
    firstVisible = std::max(lastDrawnLine, firstVisible + 1);
    if (firstVisible + visibleCount > lines) firstVisible = lines - visibleCount;
}

bool GameMenu::isPointerInRect(int x0, int y0, int x1, int y1) {
    const int32_t x = KeyState::pointerX, y = KeyState::pointerY;
    return x > x0 && x < x1 && y > y0 && y < y1;
}

void GameMenu::tap() {
    if (mode == listPage)
        tapList();
    else if (mode == scorePage)
        closeRequested = true;
    else
        tapHelp();
}

void GameMenu::tapList() {
    const int32_t middle = screenWidth() / 2;
    int32_t top = rowsTop();
    for (int32_t i = firstVisible; i < firstVisible + visibleCount && i < itemCount(); ++i, top += lineHeight) {
        const int32_t halfWidth = imageFont(itemFont)->stringWidth(items[i]) / 2;
        if (!isPointerInRect(middle - halfWidth, top + 1, middle + halfWidth, top + lineHeight - 1)) continue;
        selected = i;
        selectionMade = true;
        paint();
        GameLib::screenCanvas->DCanvas::repaint();
        break;
    }
    if (itemCount() > visibleCount) {
        if (arrowUp && isPointerInRect(middle - arrowUp->getWidth() / 2, boxY - 2 - arrowUp->getHeight(),
                                       middle + arrowUp->getWidth() / 2, boxY - 2))
            up();
        else if (arrowDown &&
                 isPointerInRect(middle - arrowDown->getWidth() / 2, boxY + boxHeight + 2,
                                 middle + arrowDown->getWidth() / 2, boxY + boxHeight + 2 + arrowDown->getHeight()))
            down();
    }
    if (selectionMade && selected == itemCount() - 1) closeRequested = true;
}

void GameMenu::tapHelp() {
    const int32_t labelTop = screenHeight() - imageFont(labelFont)->getHeight();
    const int32_t quitWidth = imageFont(labelFont)->stringWidth(StringManager::getProperty(u"quit"));
    const int32_t downWidth = imageFont(labelFont)->stringWidth(StringManager::getProperty(u"down"));
    const int32_t x = KeyState::pointerX, y = KeyState::pointerY;
    if (x >= 1 && x < quitWidth && y > labelTop && y < screenHeight()) {
        closeRequested = true;
    } else if (isPointerInRect(screenWidth() - downWidth, labelTop, screenWidth(), screenHeight())) {
        pageDown();
    } else if (isPointerInRect(0, helpTop, screenWidth(), helpBottom)) {
        // The lower half of the screen scrolls on, the upper half back.
        if (y > screenHeight() / 2) {
            if (firstVisible + visibleCount < HelpLayout::lineCount) ++firstVisible;
        } else if (firstVisible > 0) {
            --firstVisible;
        }
    }
}

// Name entry.

void GameMenu::enterName() {
    mode = namePage;
    nameEntered = false;
    // A choice made before the entry must not be acted on again once it ends.
    selectionMade = false;
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    keyboard.alphabet = DStringPtr(u"abcdefghijklmnopqrstuvwxyz-_");
    keyboard.keyTextColor = 0x000000;
    keyboard.cursorColor = 0x555555;
    keyboard.keyWidth = 21;
    keyboard.keyHeight = 19;
    keyboard.keyFont = DFont::getFont(0, 1, 8);
    keyboard.columns = 6;
    keyboard.x = (screenWidth() - keyboard.keyWidth * keyboard.columns) >> 1;
    keyboard.text = lastEnteredName ? lastEnteredName : DStringPtr(u"");
    keyboard.title = StringManager::getProperty(u"entername");
    keyboard.init(backgroundImage);
    keyboard.textX = keyboard.x + 5;
}

void GameMenu::handleNameEntry() {
    VirtualKeyboard& keyboard = *GameTables::virtualKeyboard;
    keyboard.update();
    if (!keyboard.done) return;
    nameEntered = true;
    lastEnteredName = keyboard.text;
}

// High scores and options.

void GameMenu::loadHighScores(DStringPtr prefix, int number) {
    if (HighScores::load(prefix, number, &items, &values)) return;
    DStringArrayPtr names;
    DintArrayPtr scores;
    HighScores::defaults(StringManager::getText(u"empty"), &names, &scores);
    setContent(names, scores);
    saveHighScores(prefix, number);
}

void GameMenu::saveHighScores(DStringPtr prefix, int number) { HighScores::save(prefix, number, items, values); }

void GameMenu::insertHighScore(DStringPtr name, int score) { HighScores::insert(items, values, name, score); }

bool GameMenu::isHighScore(int score) { return HighScores::isHighScore(values, score); }

void GameMenu::saveOption(const DStringPtr& key, int value) { Options::save(key, value); }

int GameMenu::loadOption(const DStringPtr& key, int defaultValue) { return Options::load(key, defaultValue); }

// Shared pictures, the loading bar and the option labels.

void GameMenu::loadArrowImages() {
    arrowUp = loadIfMissing(arrowUp, u"/arrowUp.png");
    arrowDown = loadIfMissing(arrowDown, u"/arrowDown.png");
    pauseImage = loadIfMissing(pauseImage, u"/pause.png");
}

void GameMenu::drawProgress(int y, int percent, int step, int frameColor, int barColor) {
    LoadingBar::start(y, percent, step, frameColor, barColor);
}

void GameMenu::drawProgressBar() { LoadingBar::advance(); }

DStringPtr GameMenu::soundOptionKey(int level) {
    static const char16_t* const keys[4] = {u"soundfxoff", u"soundfxlow", u"soundfxnormal", u"soundfxhigh"};
    return optionKey(level, keys);
}

DStringPtr GameMenu::musicOptionKey(int level) {
    static const char16_t* const keys[4] = {u"musicoff", u"musiclow", u"musicnormal", u"musichigh"};
    return optionKey(level, keys);
}

DStringPtr GameMenu::soundOptionLabel(int level) { return optionLabel(soundOptionKey(level)); }

DStringPtr GameMenu::musicOptionLabel(int level) { return optionLabel(musicOptionKey(level)); }

// Background shading.

void GameMenu::blendImage(DImagePtr image, int amount) {
    drawBox = false;
    backgroundImage = shadeImage(image, amount, boxX, screenWidth() - boxX);
}

DImagePtr GameMenu::shadeImage(DImagePtr image, int amount, int xFrom, int xTo) {
    const int32_t width = image->getWidth(), height = image->getHeight();
    DintArrayPtr pixels = new DintArray(width * height);
    image->getRGB(pixels, 0, width, 0, 0, width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = std::max(xFrom, 0); x <= xTo && x < width; ++x) {
            const uint32_t argb = uint32_t(pixels[y * width + x]);
            if ((argb >> 24) == 0) continue;
            const int32_t red = shade(int32_t(argb >> 16 & 0xFF), amount);
            const int32_t green = shade(int32_t(argb >> 8 & 0xFF), amount);
            const int32_t blue = shade(int32_t(argb & 0xFF), amount);
            pixels[y * width + x] = int32_t((argb & 0xFF000000u) | uint32_t(red << 16 | green << 8 | blue));
        }
    return DImage::createRGBImage(pixels, width, height, true);
}
