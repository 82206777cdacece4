#pragma once
#include <cstdint>
#include "dinputstream.h"
#include "dprimitives.h"
#include "tanklevelrecord.ptr"

// One level of the binary level file: the field size in tiles (two bytes at the start), then
// 20 records, each a byte per tile row by row and the types of the level's 20 enemies.
// Level L reads record L mod 20.
class TankLevelRecord : public dfc::lang::DObject {
public:
    static constexpr int32_t recordCount = 20;
    static constexpr int32_t enemyCount = 20;
    // Tile bytes: the ground in bits 0-2, the object code above.
    static constexpr int32_t coverCode = 1, firstWallCode = 2, lastWallCode = 4, playerStart = 5, enemyStart = 6,
                             baseCode = 7, firstYogCode = 8;

    // The record of the level; null, with a diagnostic, when the file is damaged (too short,
    // a zero size).
    static TankLevelRecordPtr read(const dfc::io::DInputStreamPtr& in, int32_t level);
    // Bytes skipped to reach the level's record.
    static int64_t recordOffset(int32_t widthTiles, int32_t heightTiles, int32_t level);

    int32_t tile(int32_t column, int32_t row) const { return tiles[row * widthTiles + column] & 0xFF; }
    int32_t type(int32_t enemy) const { return types[enemy] & 0xFF; }

    int32_t widthTiles = 0;
    int32_t heightTiles = 0;
    dfc::lang::DbyteArrayPtr tiles;
    dfc::lang::DbyteArrayPtr types;
};
