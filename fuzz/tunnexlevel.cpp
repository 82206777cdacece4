// A tunnel-game level file: two ignored bytes, then 8 levels of 10 rows of 15 cells. What
// reads whole is laid out level by level, its bags placed and every join and cell looked at.
// Seeds: tnx/data/*.txt
// Max length: 1048576 bytes
// Timeout: 60 s
#include "dexception.h"
#include "fuzz_app.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tunnex.h"

namespace {

void makeField() {
    using namespace dfc::lang;
    Level::grid = new DbyteArray(Level::fileCells);
    Level::allMasks = new DintArray(Level::fileCells);
    Level::crystalCounts = new DintArray(Level::levelsPerFile);
    Level::cells = new DintArray(Level::cellsPerLevel);
    Level::dirtyCells = new DintArray(Level::cellsPerLevel);
    Level::queued = new DboolArray(Level::cellsPerLevel);
    Tunnex::bags = new BagArray(Tunnex::bagCount);
    for (int i = 0; i < Tunnex::bagCount; ++i) Tunnex::bags[i] = new Bag();
}

void layOut(int level) {
    for (int i = 0; i < Level::cellsPerLevel; ++i) Level::cells[i] = Level::allMasks[level * Level::cellsPerLevel + i];
    for (int i = 0; i < Tunnex::bagCount; ++i) Tunnex::bags[i]->reset();
    Level::placeBags();
    Level::countCrystals();
    if (Level::crystalsLeft != Level::crystalCounts[level] || Level::crystalsLeft > Level::cellsPerLevel)
        __builtin_trap();
    int joins = 0;
    for (int row = -1; row <= Tunnex::rows; ++row)
        for (int column = -1; column <= Tunnex::columns; ++column) {
            joins += Level::openLeft(column, row) + Level::openRight(column, row) + Level::openUp(column, row) +
                     Level::openDown(column, row) + Level::bagAt(column, row);
            Level::markDirty(column, row);
        }
    if (joins < 0 || Level::dirtyCount > Level::cellsPerLevel) __builtin_trap();
    for (int i = 0; i < Level::cellsPerLevel; ++i) Level::queued[i] = false;
    Level::dirtyCount = 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::startApp();
    static bool made = false;
    if (!made) {
        makeField();
        made = true;
    }
    try {
        const int read = Level::readFrom(fuzz::dataStream(data, size));
        if (read > 0 || read < -Level::fileCells) __builtin_trap();
        if (read == 0)
            for (int level = 0; level < Level::levelsPerFile; ++level) layOut(level);
    } catch (dfc::lang::DExceptionPtr&) {
        __builtin_trap();  // the reader reports damage by its result, never by an exception
    }
    return 0;
}
