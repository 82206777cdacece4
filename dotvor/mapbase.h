#pragma once
#include <cstdint>
#include <utility>
#include <vector>
#include "animation.h"
#include "cellbase.h"
#include "cellbasearray.h"
#include "ddatainputstream.h"
#include "dgraphics.h"
#include "dimage.h"
#include "mapbase.ptr"
#include "point.h"
#include "rectangle.h"
#include "vector3d.h"

// The maze: a grid of cells read from a map file inside a border that is always wall, the
// start points, the wall picture of every wall cell chosen from its neighbours, the queries
// and the collision test the actors use, and the maze picture that holds the drawn maze.
class MapBase : public dfc::lang::DObject {
public:
    static constexpr int32_t tileKinds = 42, tileSets = 4;
    // The wall picture of a wall cell no pattern fits.
    static constexpr int32_t anyWall = 25;
    using Cells = std::vector<std::pair<int32_t, int32_t>>;

    MapBase(int32_t width, int32_t height, int32_t cellWidth, int32_t cellHeight);

    virtual int32_t pixelWidth() { return (width + 2) * cellWidth - 14; }
    virtual int32_t pixelHeight() { return (height + 2) * cellHeight; }
    virtual CellBasePtr getCell(const pointPtr& at) { return getCell(at->x, at->y); }
    // Null outside the grid and its border.
    virtual CellBasePtr getCell(int32_t x, int32_t y);
    virtual CellBasePtr cellAt(const pointPtr& at) { return getCell(at->x, at->y); }
    // Draws the maze picture at (viewX, viewY), first bringing it up to date: every cell when
    // it is new (first pass), then the animated contents when the maze clock moved. The screen
    // is cleared to the background colour first unless the picture covers all of it.
    virtual void paint(int viewX, int viewY, int set, int32_t background);
    // Gives every cell its area and picture and makes a fresh maze picture.
    virtual void chooseTiles();
    // Reads a map file into the cells; the start points are those the file holds.
    virtual void load(const dfc::lang::DStringPtr& name);
    // The same from a stream: a byte a cell, other bytes skipped, rows wrapping at the width,
    // nothing read past the last row.
    virtual void read(const dfc::io::DDataInputStreamPtr& in);
    // Edges that only touch do not count.
    static bool intersects(const rectanglePtr& a, const rectanglePtr& b);
    virtual bool collides(const rectanglePtr& r, bool doorsBlock);

    // What keeps the loaded map from being played (no player or ghost start); null when none.
    dfc::lang::DStringPtr fault() const;
    // The wall picture for a wall cell whose 3 x 3 neighbourhood (row by row) is open where
    // the flags are set.
    static int32_t wallKind(const bool open[9]);
    // The tunnel cell met going from (x, y) against the direction (dx, dy), starting one cell
    // back; null when the walk leaves the grid first.
    pointPtr farTunnel(int32_t x, int32_t y, int32_t dx, int32_t dy);
    // Open cells without content that the player can walk to from the start, tunnels taken.
    Cells reachableEmptyCells();
    // Those of them at least fewestMoves moves from the start; when none lies that far, the
    // farthest ones.
    Cells emptyCellsAwayFromStart(int32_t fewestMoves);
    Cells tunnelCells();
    // Draws the floor of the current set over a cell in the maze picture (its content was taken).
    void clearCell(int32_t x, int32_t y);

    // The tile pictures of the four sets, the doors, and the dot, energiser and tunnel
    // animations; loaded once per start of the game.
    static void loadTiles();
    static void releaseStatics();

    CellBaseArrayPtr cells;
    int32_t width;
    int32_t height;
    int32_t cellWidth;
    int32_t cellHeight;
    vector_3dPtr playerStart;
    int32_t dotsLeft = 0;

    static GameImagePtr tiles[tileKinds][tileSets];
    static GameImagePtr doors[tileSets];
    static AnimationPtr dotFrames;
    static AnimationPtr energiserFrames;
    static AnimationPtr portalFrames;
    static dfc::microedition::lcdui::DImagePtr picture;
    static bool pictureDirty;
    static int32_t tileSet;

private:
    void setCell(int32_t x, int32_t y, int byte);
    void drawCells(bool animatedPass);
    bool isOpenAt(int32_t x, int32_t y);
    // For every cell the fewest moves from the player's start over walkable cells, tunnel
    // jumps included; -1 where the player cannot go.
    std::vector<int32_t> movesFromStart();
};
