#pragma once
#include <cstdint>
#include "animationarray.h"
#include "brickarray2d.h"
#include "bricklist.ptr"
#include "dgraphics.h"
#include "dimage.h"
#include "gameimagearray.h"
#include "roundfile.ptr"

// The brick field: 21 rows of 11 bricks below the top wall, the pictures behind them (the
// round's background with the frame, and the buffer the bricks are drawn into), and the
// hits still needed to clear the round.
class BrickList : public dfc::lang::DObject {
public:
    static constexpr int rows = 21;
    static constexpr int columns = 11;

    BrickList();

    // The cell under a pixel, truncating towards zero.
    virtual int columnAt(int atX);
    virtual int rowAt(int atY);
    // Cell edges in 28.4 fixed point.
    virtual int rowTop16(int row);
    virtual int rowBottom16(int row);
    virtual int columnLeft16(int column);
    virtual int columnRight16(int column);
    // Fills the field from the round's file and deals out the bonuses. Throws DIOException
    // when the file is missing or malformed, and then leaves the field as it was.
    virtual void loadRound(int newRound);
    // Plays the bricks' animations (and moves their states on) on the screen.
    virtual void tickAll();
    // Draws the round's background and the frame into the background picture.
    virtual void loadBackground();

    BrickPtr brickAt(int row, int column);
    // The first bomb brick still standing, row by row; null when there is none.
    BrickPtr firstBomb();
    // Draws the bricks left and right of a cell into the buffer again.
    void repaintBeside(int row, int column);
    // The hits the standing bricks that count still take.
    int standingHits();
    // The bomb bricks lit by a blast and not yet gone off: the round waits for them.
    int litBombs();

    // The x of the field's first column, and the gap between columns.
    static int32_t fieldLeft;
    static int32_t columnGap;

    BrickArray2dPtr bricks;
    int32_t toClear = 0;
    int32_t hitsTaken = 0;
    int32_t brickWidth = 0;
    int32_t brickHeight = 0;
    int32_t top = 0;
    int32_t fieldWidth = 0;
    int32_t fieldHeight = 0;
    int32_t round = 0;
    dfc::microedition::lcdui::DImagePtr buffer;
    dfc::microedition::lcdui::DImagePtr background;
    dfc::microedition::lcdui::DImagePtr picture;
    dfc::microedition::lcdui::DGraphicsPtr bufferGraphics;
    dfc::microedition::lcdui::DGraphicsPtr backgroundGraphics;
    GameImageArrayPtr wallLeft = new GameImageArray(4);
    GameImageArrayPtr wallRight = new GameImageArray(4);
    GameImagePtr wallTop;
    GameImageArrayPtr kindImages = new GameImageArray(10);
    GameImageArrayPtr kind1Images = new GameImageArray(2);
    GameImageArrayPtr kind2Images = new GameImageArray(3);
    GameImageArrayPtr armourPieces = new GameImageArray(4);
    AnimationArrayPtr animations = new AnimationArray(4);

private:
    void loadImages();
    void fitCells();
    void fitPaddleZone();
    void makeGrid();
    void drawFrame();
    void drawTopWall();
    void dealBonuses();
    // The round's bricks over its background in the buffer, and the hits they need.
    void paintIntoBuffer(const RoundFilePtr& file);
};
