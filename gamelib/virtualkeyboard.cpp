#include "virtualkeyboard.h"
#include "damagelog.h"
#include "dfailurereason.h"
#include "gamelib.h"
#include "imagefont.h"
#include "keystate.h"
#include "screencanvas.h"
#include "ticks.h"

using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DFont;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DGraphicsPtr;
using dfc::microedition::lcdui::DImage;
using dfc::microedition::lcdui::DImagePtr;

VirtualKeyboard::VirtualKeyboard() : tapTime(GetTickCount()), text(u""), keyFont(DFont::getDefaultFont()) {}

DStringPtr VirtualKeyboard::label(int32_t key) const {
    const int32_t letters = alphabet->length();
    if (key < letters) return alphabet->substring(key, key + 1);
    return key == letters ? DStringPtr(u"ok") : DStringPtr(u"<-");
}

void VirtualKeyboard::drawLabel(const DGraphicsPtr& g, const ImageFontPtr& labelFont, int32_t key) const {
    const DStringPtr shown = label(key);
    const int32_t cellX = x + keyWidth * (key % columns);
    const int32_t cellY = y + keyHeight * (key / columns);
    labelFont->drawStringImpl(g, shown, cellX + (keyWidth - labelFont->stringWidth(shown)) / 2,
                              cellY + (keyHeight - labelFont->getHeight()) / 2, 0);
}

VirtualKeyboard::FrameRows VirtualKeyboard::drawFrame(const DGraphicsPtr& g) const {
    const DImagePtr parts[] = {DImage::createImage(DStringPtr(u"/input_top.png"), 0),
                               DImage::createImage(DStringPtr(u"/input_midd.png"), 0),
                               DImage::createImage(DStringPtr(u"/input_bot.png"), 0)};
    int32_t frameHeight = 0;
    for (const DImagePtr& part : parts) frameHeight += part->getHeight();
    FrameRows frame;
    frame.top = (ScreenCanvas::screenHeight - frameHeight) >> 1;
    frame.middleTop = frame.top + parts[0]->getHeight();
    frame.middleBottom = frame.middleTop + parts[1]->getHeight();
    int32_t partY = frame.top;
    for (const DImagePtr& part : parts) {
        g->drawImage(part, ScreenCanvas::screenWidth / 2, partY, DGraphics::HCENTER | DGraphics::TOP);
        partY += part->getHeight();
    }
    return frame;
}

VirtualKeyboard::FrameRows VirtualKeyboard::drawPlainFrame(const DGraphicsPtr& g) const {
    const int32_t textHeight = ScreenCanvas::font(ScreenCanvas::menuFont)->getHeight();
    const int32_t titleHeight = ScreenCanvas::font(ScreenCanvas::smallFont)->getHeight();
    // The grid's border, then the title and the typed text as the frame pictures leave room for them.
    const int32_t middleHeight = height + titleHeight + 2 * textHeight + 10;
    const int32_t top = (ScreenCanvas::screenHeight - middleHeight) >> 1;
    const FrameRows frame{top, top, top + middleHeight};
    g->setColor(0xFFFFFF);
    g->fillRect(x - 2, top - 2, width + 5, height + 5);
    g->setColor(0x000000);
    g->drawRect(x - 2, top - 2, width + 5, height + 5);
    g->drawRect(x - 3, top - 3, width + 7, height + 7);
    const int32_t nameTop = frame.middleBottom - textHeight - 7;
    g->setColor(0xFFFFFF);
    g->fillRect(x - 2, nameTop, width + 5, textHeight + 7);
    g->setColor(0xCCCCCC);
    g->drawRect(x - 1, nameTop + 1, width + 4, textHeight + 6);
    g->setColor(0x000000);
    g->drawRect(x - 2, nameTop, width + 5, textHeight + 7);
    return frame;
}

VirtualKeyboard::FrameRows VirtualKeyboard::drawFrameIfAny(const DGraphicsPtr& g) {
    if (useFrameImages) {
        try {
            return drawFrame(g);
        } catch (DExceptionPtr& e) {
            // The keyboard goes without its frame from then on.
            const DStringPtr why = DFailureReason::of(e);
            DamageLog::name(why, u"VirtualKeyboard: " + why + u"; the keyboard is drawn without its frame");
            useFrameImages = false;
        }
    }
    return drawPlainFrame(g);
}

void VirtualKeyboard::init(const DImagePtr& background) {
    done = false;
    if (!alphabet || columns < 1) return;
    rows = (keyCount() + columns - 1) / columns;
    lastRowKeys = keyCount() - (rows - 1) * columns;
    width = keyWidth * columns;
    height = keyHeight * rows;
    const int32_t screenWidth = ScreenCanvas::screenWidth, screenHeight = ScreenCanvas::screenHeight;
    cache = DImage::createImage(screenWidth, screenHeight);
    DGraphicsPtr g = cache->getGraphics();
    if (background) g->drawImage(background, 0, 0, DGraphics::TOP | DGraphics::LEFT);

    // The grid fills the frame's middle part, the title and the typed text at its foot.
    const FrameRows frame = drawFrameIfAny(g);
    const int32_t h = ScreenCanvas::font(ScreenCanvas::menuFont)->getHeight();
    y = frame.middleTop;
    textY = frame.middleBottom - h - 3;
    if (title)
        ScreenCanvas::font(ScreenCanvas::smallFont)
            ->drawStringImpl(g, title, screenWidth / 2, frame.middleBottom - 2 * h - 4,
                             DGraphics::HCENTER | DGraphics::BOTTOM);

    g->setFont(keyFont);
    g->setColor(keyTextColor);
    for (int32_t key = 0; key < keyCount(); ++key) drawLabel(g, ScreenCanvas::font(ScreenCanvas::menuFont), key);
}

void VirtualKeyboard::update() {
    move();
    if (KeyState::pointerDown) {
        tap();
        KeyState::pointerDown = false;
    }
    // Fire types the key of the cursor as it stood before this frame's moves, or the tapped one.
    if (KeyState::fire) press(cursor);
    if (KeyState::leftSoft) confirm();
    if (KeyState::rightSoft) deleteLast();
    cursor = column + row * columns;
    KeyState::up = KeyState::down = KeyState::left = KeyState::right = false;
    KeyState::fire = KeyState::leftSoft = KeyState::rightSoft = false;
}

void VirtualKeyboard::move() {
    if (KeyState::left && --column < 0) column = rowLength(row) - 1;
    if (KeyState::right && ++column >= rowLength(row)) column = 0;
    if (KeyState::up && --row < 0) row = rows - 1;
    if (KeyState::down && ++row >= rows) row = 0;
    // The last row may be shorter: a cursor moved into it lands on its last key at most.
    if (column >= rowLength(row)) column = rowLength(row) - 1;
}

void VirtualKeyboard::tap() {
    if (millisSince(tapTime) < tapPauseMillis) return;
    const int32_t px = KeyState::pointerX - x, py = KeyState::pointerY - y;
    if (px < 0 || px >= width || py < 0 || py >= height) return;
    const int32_t tappedColumn = px / keyWidth, tappedRow = py / keyHeight;
    if (tappedColumn >= rowLength(tappedRow)) return;
    column = tappedColumn;
    row = tappedRow;
    cursor = column + row * columns;
    KeyState::fire = true;
    tapTime = GetTickCount();
}

void VirtualKeyboard::press(int32_t key) {
    const int32_t letters = alphabet->length();
    if (key < letters)
        typeLetter(key);
    else if (key == letters)
        confirm();
    else
        deleteLast();
}

void VirtualKeyboard::typeLetter(int32_t key) {
    if (text->length() < maxLength) text = text + alphabet->substring(key, key + 1);
}

void VirtualKeyboard::confirm() {
    if (text->length() > 0) done = true;
}

void VirtualKeyboard::deleteLast() {
    if (text->length() > 0) text = text->substring(0, text->length() - 1);
}

void VirtualKeyboard::paint() {
    if (!cache) return;
    const DGraphicsPtr& g = ScreenCanvas::screenGraphics;
    g->drawImage(cache, 0, 0, DGraphics::TOP | DGraphics::LEFT);

    g->setColor(cursorColor);
    g->drawRect(x + keyWidth * column, y + keyHeight * row, keyWidth, keyHeight);
    drawLabel(g, ScreenCanvas::font(ScreenCanvas::menuSelectedFont), column + row * columns);

    const ImageFontPtr textFont = ScreenCanvas::font(ScreenCanvas::menuFont);
    textFont->drawStringImpl(g, text, textX, textY, 0);
    if (millisSince(blinkTime) >= blinkMillis) {
        blink = !blink;
        blinkTime = GetTickCount();
    }
    if (blink) {
        const int32_t end = textX + textFont->stringWidth(text);
        const int32_t underline = textY + textFont->getHeight();
        g->drawLine(end + 1, underline, end + 9, underline);
    }
}
