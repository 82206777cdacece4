#pragma once
#include <cstdint>
#include "ddatainputstream.h"
#include "dprimitives.h"
#include "dstring.h"
#include "gameimagearray.h"
#include "tnxlevel.ptr"

// The playing field: the level file, the cell masks of earth and tunnels with crystals and
// bag places, carving by moving actors, the joins the monsters and the firebolt follow, the
// painting of cells through the dirty-cell queue, and the rules of a tick (crystals, the
// cherry and its bonus mode, the next level). The field lives in the statics below.
class Level : public dfc::lang::DObject {
public:
    // Mask bits.
    static constexpr int32_t verticalFull = 0xF800, horizontalFull = 0x07C0, crossing = 0xFFC0;
    static constexpr int32_t contentMask = 0x000F, startContent = 1, bagPlace = 13, crystal = 14, eatenCrystal = 15;
    static constexpr int32_t levelsPerFile = 8, cellsPerLevel = 150, fileCells = 1200, fileBytes = 1202;

    // Tile pictures, the arrays and the empty queue; the limit and style of a new game.
    static void init();
    static void release();
    // 0 when read; -1 when the file is missing or holds no cell, else minus the cells read.
    static int readLevel(const dfc::lang::DStringPtr& name);
    // The same from an open stream: two ignored bytes, then the 1200 cells.
    static int readFrom(const dfc::io::DDataInputStreamPtr& in);
    // The masks of all levels of the grid.
    static void buildMasks();
    static void start(int level);
    static void nextLevel();
    static void tick();
    static void restartAfterDeath();
    static void countCrystals();
    static void placeBags();
    static void setMonsterLimit();
    // The cell's mask; 0 outside the field.
    static int cellAt(int column, int row);
    static void setCell(int column, int row, int mask);
    // Queues the cell for the next paint; cells outside the field are ignored.
    static void markDirty(int column, int row);
    // Queues every cell a cell-sized sprite at field point (x, y) covers.
    static void markSprite(int x, int y);
    static void paintDirty();
    static void paintAll();
    static void paintCell(int mask, int x, int y);
    static void carve(int column, int row, int dx, int dy, int direction);
    // One step of a digging actor in the direction, carving as it goes.
    static void dig(int& column, int& row, int& dx, int& dy, int& x, int& y, int direction);
    static bool openDown(int column, int row);
    static bool openUp(int column, int row);
    static bool openLeft(int column, int row);
    static bool openRight(int column, int row);
    static bool bagAt(int column, int row);
    static bool bagFallingInColumn(int column);
    // 0, or the direction in which a bag blocks the actor; who is 0xFF for the player, else
    // the monster's number.
    static int checkBags(int x, int y, int direction, int who);
    static void checkPlayer();

    static constexpr int32_t playerId = 0xFF;

    static dfc::lang::DbyteArrayPtr grid;
    static dfc::lang::DintArrayPtr allMasks;
    static dfc::lang::DintArrayPtr crystalCounts;
    static dfc::lang::DintArrayPtr cells;
    static int32_t crystalsLeft;
    static dfc::lang::DintArrayPtr dirtyCells;
    static dfc::lang::DboolArrayPtr queued;
    static int32_t dirtyCount;
    static int32_t recountTimer;
    static int32_t bonusTimer;
    static bool cherryShown;
    static bool bonusMode;
    static bool levelStartSound;
    static int32_t earthStyle;
    static int32_t monsterLimit;

    static GameImageArrayPtr tiles;
    static GameImagePtr cherry;
    static GameImagePtr earthTile, verticalTile, horizontalTile, crossingTile, crystalTile;

private:
    static int maskOf(const dfc::lang::DbyteArrayPtr& cells, int base, int column, int row);
    static void loadStyleTiles();
    static void paintOverlays(int mask, int x, int y);
    static void paintSprites();
    static void checkMonsters();
    static void takeCrystals(int column, int row, int dx, int dy, int reach, bool byPlayer);
    static void takeCrystal(int column, int row, bool byPlayer);
    static void takeCherry();
    static int bagContact(int index, int x, int y, int direction, int who);
};
