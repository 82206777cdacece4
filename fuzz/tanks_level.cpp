// The tank game's level file reader and the field built from it, on any bytes: the first
// byte picks the level, the rest is the file. A record that reads is built into the field and
// played for a few steps, so that odd sizes, starts, items and types reach the battle.
// Seeds: tanks/dat/mapbcl.bin
// Max length: 1048576 bytes
// Timeout: 60 s
#include <cstddef>
#include <cstdint>
#include "dbytearrayinputstream.h"
#include "drandom.h"
#include "gamelib.h"
#include "gametables.h"
#include "gametanks.h"
#include "tanklevelrecord.h"
#include "sound.h"
#include "tanktunables.h"

using dfc::io::DByteArrayInputStream;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;

namespace {

// The tables the battle reads, as the program fills them at start-up.
bool setUp() {
    GameTables::initTanks();
    TankTunables::setDefaults();
    TankTunables::newUnitTime = 0;
    TankTunables::bornTime = 60;
    GameLib::sharedRandom = new dfc::util::DRandom();
    Sound::soundTable = new dfc::microedition::media::DPlayerArray(5);
    return true;
}

// Steps enough for enemies to arrive, appear, move and fire.
constexpr int steps = 40;
// Fields above this many tiles are read but not played, to keep each run short.
constexpr int playedTiles = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = setUp();
    (void)ready;
    if (size == 0) return 0;
    const int level = data[0];
    DbyteArrayPtr bytes = new DbyteArray(int(size - 1));
    for (size_t i = 1; i < size; ++i) bytes[int(i - 1)] = int8_t(data[i]);
    TankLevelRecordPtr record = TankLevelRecord::read(new DByteArrayInputStream(bytes), level);
    if (!record || record->widthTiles * record->heightTiles > playedTiles) return 0;
    GameLib::sharedRandom->setSeed(size);
    GameTanksPtr battle = new GameTanks();
    battle->makeObjects();
    battle->newGame();
    battle->levelCounter = level;
    if (!battle->buildField(record)) return 0;
    for (int step = 0; step < steps; ++step) battle->updateTanks();
    battle->placeBonus();
    battle->applyBonus(data[size - 1] % 6);
    battle->release();
    return 0;
}
