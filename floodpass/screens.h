#pragma once
#include <cstdint>
#include "ddatainputstream.h"
#include "dprimitives.h"
#include "entityarray.h"
#include "gameimagearray.h"
#include "riverrules.h"

// The river screens of "/fdp/screens.bin": blocks of 22 x 26 cells, each cell a tile word
// (first-layer tile + 256 x second-layer tile) and perhaps an object; and the levels, each
// a list of screens from the bottom up. Read once; a damaged file is refused whole with a
// diagnostic, so no level is ever built from half a file. Everything is static.
class Screens {
public:
    static constexpr int32_t columns = RiverRules::columns, rows = RiverRules::screenRows,
                             cellsPerScreen = columns * rows, maxObjects = 30;
    static constexpr int32_t noTile = 255, noObject = 255;
    static constexpr int32_t highestKind = 24;

    // Loads the land pictures and reads the file, unless it is read already. False, with a
    // diagnostic, when the file is missing or damaged.
    static bool load();
    // Reads a screens file; false, with a diagnostic, when it is damaged (nothing is kept then).
    static bool read(const dfc::io::DDataInputStreamPtr& in);
    // The land pictures, in the tile order of the property "land"; a text without it throws
    // DDamagedDataException naming the key.
    static void loadLand();
    static void release();

    static int32_t screenCount() { return templateCounts ? templateCounts->length : 0; }
    static int32_t levelCount() { return levels ? levels->length : 0; }
    static int32_t templateCount(int screen) { return templateCounts[screen]; }
    static EntityPtr templateOf(int screen, int index) { return templates[screen * maxObjects + index]; }

    // N x 572 tile words in file order.
    static dfc::lang::DintArrayPtr cells;
    // Up to 30 objects a screen, in file order: screen s's at s x 30.
    static EntityArrayPtr templates;
    static dfc::lang::DbyteArrayPtr templateCounts;
    // Each level's screens, the bottom one first.
    static dfc::lang::DintArray2dPtr levels;
    static GameImageArrayPtr land;
    // The screens of the level being played.
    static dfc::lang::DintArrayPtr currentLevel;

private:
    static int readScreen(const dfc::io::DDataInputStreamPtr& in, int screen);
    // False when a level names no screen or fewer than two.
    static bool readLevel(const dfc::io::DDataInputStreamPtr& in, int level);
    static void refuse(const dfc::lang::DStringPtr& why);
};
