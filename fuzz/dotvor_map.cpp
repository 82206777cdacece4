// libFuzzer target: the maze game's map reader and the searches the game runs on a map it
// has read (the start check, the reach of the player, the tunnel pairs, the wall choice).
// The first two bytes give the maze's size, the rest is the map file.
// Max length: 1048576 bytes
// Timeout: 60 s
#include <cstddef>
#include <cstdint>
#include "dbytearrayinputstream.h"
#include "ddatainputstream.h"
#include "dexception.h"
#include "dotvorgame.h"
#include "mapbase.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DDataInputStream;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int width = 1 + data[0] % 32, height = 1 + data[1] % 32;
    DbyteArrayPtr bytes = new DbyteArray(int(size - 2));
    for (size_t i = 2; i < size; ++i) bytes[int(i - 2)] = int8_t(data[i]);
    DotvorGame::gameMode = data[0] / 32 % 4;
    MapBasePtr map = new MapBase(width, height, 8, 8);
    map->read(new DDataInputStream(new DByteArrayInputStream(bytes)));
    if (map->fault()) return 0;
    map->chooseTiles();
    map->reachableEmptyCells();
    for (const auto& [x, y] : map->tunnelCells())
        for (int way = 0; way < 4; ++way) map->farTunnel(x, y, way < 2 ? way * 2 - 1 : 0, way < 2 ? 0 : way * 2 - 5);
    return 0;
}
