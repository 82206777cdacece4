#include "bricklist.h"
#include <algorithm>
#include "ball.h"
#include "brick.h"
#include "brixmoor.h"
#include "bxmplatform.h"
#include "drawingtarget.h"
#include "roundfile.h"
#include "screencanvas.h"
#include "sound.h"

using dfc::lang::DStringPtr;
using dfc::microedition::lcdui::DGraphics;
using dfc::microedition::lcdui::DImage;

int32_t BrickList::fieldLeft = 6;
int32_t BrickList::columnGap = 0;

namespace {

GameImagePtr load(const DStringPtr& name) { return GameImage::load(name); }

}  // namespace

BrickList::BrickList() {
    loadImages();
    fieldLeft = 6;
    columnGap = ScreenCanvas::screenWidth == 208 ? -2 : 0;
    top = wallLeft[3]->height;
    fitCells();
    fitPaddleZone();
    makeGrid();
    fieldWidth = (brickWidth + columnGap) * columns;
    fieldHeight = brickHeight * rows;
    background = DImage::createImage(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    buffer = DImage::createImage(ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    backgroundGraphics = background->getGraphics();
    bufferGraphics = buffer->getGraphics();
}

void BrickList::loadImages() {
    for (int i = 0; i < 4; ++i) {
        wallLeft[i] = load(DStringPtr(u"t") + (i + 1) + u"_L.png");
        wallRight[i] = load(DStringPtr(u"t") + (i + 1) + u"_L.png_mr");
        armourPieces[i] = load(DStringPtr(u"b9_p") + i + u".png");
    }
    wallTop = load(u"t1_L.png_dn");
    kindImages[0] = load(u"b_flash.png");
    kindImages[3] = load(u"b3_0.png");
    for (int kind = 4; kind <= 7; ++kind) kindImages[kind] = load(DStringPtr(u"b") + kind + u".png");
    kindImages[8] = load(u"b8_0.png");
    kindImages[9] = load(u"b9_0.png");
    for (int i = 0; i < 2; ++i) kind1Images[i] = load(DStringPtr(u"b1_") + i + u".png");
    for (int i = 0; i < 3; ++i) kind2Images[i] = load(DStringPtr(u"b2_") + i + u".png");
    const char16_t* names[] = {u"b3dis", u"b3app", u"iskra", u"detonation"};
    for (int i = 0; i < 4; ++i) animations[i] = Animation::fromProperty(names[i]);
}

// Eleven cells and the two margins fit the screen's width; 21 rows and the paddle's zone
// its height, a pixel narrower or lower when they would not.
void BrickList::fitCells() {
    const GameImagePtr flash = kindImages[0];
    brickWidth = flash->width + 1;
    fieldWidth = (brickWidth + columnGap) * columns;
    if (fieldWidth + 2 * fieldLeft > ScreenCanvas::screenWidth + 2) {
        brickWidth -= 1;
        fieldWidth -= columns;
    }
    fieldLeft = (ScreenCanvas::screenWidth - fieldWidth) >> 1;
    brickHeight = flash->height + 1;
    fieldHeight = brickHeight * rows;
    const int zone = Brixmoor::platform ? Brixmoor::platform->height : 12;
    if (zone + fieldHeight + top > ScreenCanvas::screenHeight + 2) {
        brickHeight -= 1;
        fieldHeight -= rows;
    }
}

// On a short screen the field moves up and the paddle's zone shrinks so that a ball fits
// twice between the field and the paddle.
void BrickList::fitPaddleZone() {
    const PlatformPtr& paddle = Brixmoor::platform;
    if (!paddle || !Brixmoor::theGame || !Brixmoor::theGame->balls) return;
    const int ball = Brixmoor::theGame->balls[0]->radius;
    const int height = ScreenCanvas::screenHeight;
    if (fieldHeight + paddle->height + 2 * ball + paddle->bottomGap + top <= height) return;
    top = std::clamp(height - 2 * ball - fieldHeight - paddle->height - paddle->bottomGap, -2, 7);
    paddle->height = std::min(12, height - 2 * ball - paddle->bottomGap - fieldHeight - top);
}

void BrickList::makeGrid() {
    bricks = new BrickArray2d(rows, columns);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            bricks[r][c] = new Brick(fieldLeft + c * (brickWidth + columnGap), top + r * brickHeight, c, r);
}

int BrickList::columnAt(int atX) { return (atX - fieldLeft) / (brickWidth + columnGap); }

int BrickList::rowAt(int atY) { return (atY - top) / brickHeight; }

int BrickList::rowTop16(int row) { return (top + brickHeight * row) * 16; }

int BrickList::rowBottom16(int row) { return rowTop16(row + 1); }

int BrickList::columnLeft16(int column) { return (fieldLeft + (brickWidth + columnGap) * column) * 16; }

int BrickList::columnRight16(int column) { return columnLeft16(column + 1); }

void BrickList::loadRound(int newRound) {
    RoundFilePtr file = RoundFile::load(newRound);
    round = newRound;
    loadBackground();
    toClear = 0;
    paintIntoBuffer(file);
    dealBonuses();
    Sound::play(Brixmoor::respawnSound, 1);
}

void BrickList::paintIntoBuffer(const RoundFilePtr& file) {
    const DrawingTarget target(bufferGraphics);
    bufferGraphics->setClip(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    bufferGraphics->drawImage(background, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            BrickPtr brick = bricks[r][c];
            brick->setKind(file->kindAt(r, c), file->hitsAt(r, c));
            if (brick->kind != Brick::regrowing && brick->kind != Brick::solid) toClear += brick->hits;
            brick->animation = nullptr;
            brick->paint();
        }
}

// Three bricks in four carry a bonus, the twelve kinds alike.
void BrickList::dealBonuses() {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            BrickPtr brick = bricks[r][c];
            const int kind = brick->kind;
            if (kind == Brick::empty || kind == Brick::regrowing || kind == Brick::solid) continue;
            const int bonus = Brixmoor::randomRange(1, 16);
            brick->bonus = bonus < 13 ? bonus : 0;
        }
}

void BrickList::tickAll() {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            BrickPtr brick = bricks[r][c];
            if (brick->kind != Brick::empty) brick->paintAnimation();
        }
}

void BrickList::loadBackground() {
    const DrawingTarget target(backgroundGraphics);
    backgroundGraphics->setClip(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
    picture = DImage::createImage(RoundFile::backgroundName(round));
    backgroundGraphics->drawImage(picture, 0, 0, DGraphics::TOP | DGraphics::LEFT);
    drawFrame();
    backgroundGraphics->setClip(0, 0, ScreenCanvas::screenWidth, ScreenCanvas::screenHeight);
}

// The side pipes run down the whole height, under a corner cap when the field leaves room
// for one; the top pipe spans the field.
void BrickList::drawFrame() {
    const int left = fieldLeft - wallLeft[3]->width;
    const int right = fieldLeft + fieldWidth;
    backgroundGraphics->setClip(left, 0, right + 2, ScreenCanvas::screenHeight);
    const int corner = wallLeft[3]->height, length = wallLeft[0]->height;
    int y = 0, count = length > 0 ? ScreenCanvas::screenHeight / length : 0;
    if (top >= corner) {
        wallLeft[3]->drawAt(left, 0);
        wallRight[3]->drawAt(right, 0);
        y = corner;
        count = length > 0 ? (ScreenCanvas::screenHeight - corner) / length : 0;
    }
    for (int i = 0; i <= count; ++i, y += length) {
        wallLeft[i % 3]->drawAt(left, y);
        wallRight[i % 3]->drawAt(right, y);
    }
    if (top >= corner) drawTopWall();
}

// Whole lengths of pipe, overlapping evenly so that they end flush with the field's right edge.
void BrickList::drawTopWall() {
    const int width = wallTop->width;
    if (width <= 0) return;
    int n = fieldWidth / width;
    int rest = (n + 1) * width - fieldWidth;
    if (rest == width) {
        n -= 1;
        rest = 0;
    }
    for (int j = 0; j <= n; ++j) wallTop->drawAt(width * j - (j * rest) / (n + 1) + fieldLeft, 0);
}

BrickPtr BrickList::brickAt(int row, int column) { return bricks[row][column]; }

BrickPtr BrickList::firstBomb() {
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (bricks[r][c]->kind == Brick::bomb) return bricks[r][c];
    return nullptr;
}

void BrickList::repaintBeside(int row, int column) {
    const DrawingTarget target(bufferGraphics);
    if (column > 0) bricks[row][column - 1]->paint();
    if (column < columns - 1) bricks[row][column + 1]->paint();
}

int BrickList::standingHits() {
    int total = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const BrickPtr brick = bricks[r][c];
            if (brick->kind > Brick::empty && brick->kind != Brick::regrowing && brick->kind != Brick::solid)
                total += brick->hits;
        }
    return total;
}

int BrickList::litBombs() {
    int count = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            if (bricks[r][c]->kind == Brick::bombLit) ++count;
    return count;
}
