#include "dotvor_fixture.h"
#include "byte_arrays.h"
#include "dbytearrayinputstream.h"
#include "ddatainputstream.h"
#include "captured_diagnostics.h"

using dfc::io::DByteArrayInputStream;
using dfc::io::DDataInputStream;

MapBasePtr DotvorTest::readMap(const std::string& bytes, int width, int height) {
    MapBasePtr map = new MapBase(width, height, DotvorGame::cellWidth, DotvorGame::cellHeight);
    map->read(new DDataInputStream(new DByteArrayInputStream(bytesOf(bytes))));
    return map;
}

void DotvorTest::useMaze(const std::vector<std::string>& rows) {
    std::string bytes;
    for (size_t i = 0; i < rows.size(); ++i) bytes += rows[i] + (i + 1 < rows.size() ? "\r\n" : "");
    DotvorGame::mapWidth = int(rows[0].size());
    DotvorGame::mapHeight = int(rows.size());
    DotvorGame::map = readMap(bytes, DotvorGame::mapWidth, DotvorGame::mapHeight);
    DotvorGame::map->chooseTiles();
}

void DotvorTest::startPlaying() {
    ASSERT_TRUE(DotvorGame::game->newGame());
    DotvorGame::playMode = 1;
    steps(DotvorGame::introSteps);
}

void DotvorTest::steps(int count) {
    for (int i = 0; i < count; ++i) DotvorGame::game->update();
}

SpookyBasePtr DotvorTest::ghostAt(int kind, int x, int y) {
    SpookyBasePtr ghost = new SpookyBase(kind, 0);
    ghost->setPosition(px(x), px(y));
    return ghost;
}

std::string DotvorTest::diagnostics() {
    return printedDiagnostics();
}
