#include "tunnex_fixture.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include "captured_diagnostics.h"
#include "gamelib.h"
#include "screencanvas.h"
#include "tnxbag.h"
#include "tnxlevel.h"
#include "tnxmonster.h"
#include "tnxplayer.h"

void TunnexTest::damageEntry(const std::string& entry, int size) {
    const std::string stage = folder.file("stage");
    if (!std::filesystem::exists(stage))
        std::filesystem::copy(std::string(MOSSYARD_BINARY_DIR) + "/gamedat-stage", stage,
                              std::filesystem::copy_options::recursive);
    const std::string path = stage + "/" + entry;
    if (size < 0) {
        std::filesystem::remove(path);
    } else {
        std::filesystem::resize_file(path, size_t(size));
    }
    std::filesystem::remove(folder.file("game.dat"));
    const std::string command =
        "cd '" + stage + "' && 7zz a -bso0 -bsp0 -t7z -m0=LZMA -mf=off -ms=off -mtm=off -mtc=off -mta=off -mtr=off '" +
        folder.file("game.dat") + "' * > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

bool TunnexTest::runUntil(int state, int limit) {
    for (int i = 0; i < limit && Tunnex::state != state; ++i) frames(1);
    return Tunnex::state == state;
}

// Held for three frames: the game acts on two frames of three.
void TunnexTest::key(int code) {
    GameLib::screenCanvas->keyPressed(code);
    frames(3);
    GameLib::screenCanvas->keyReleased(code);
    frames(8);
}

void TunnexTest::startPlay() {
    Tunnex::level = 1;
    ASSERT_TRUE(Tunnex::openLevel());
    Tunnex::setState(Tunnex::play);
    Tunnex::startDelay = 0;
}

void TunnexTest::clearField() {
    for (int row = 0; row < Tunnex::rows; ++row)
        for (int column = 0; column < Tunnex::columns; ++column) Level::setCell(column, row, 0);
    for (int i = 0; i < Tunnex::bagCount; ++i) Tunnex::bags[i]->reset();
    for (int i = 0; i < Tunnex::monsterCount; ++i) {
        Tunnex::monsters[i]->reset();
        Tunnex::monsters[i]->spawnCounter = 1000000;
    }
    Level::crystalsLeft = 1;
    Level::recountTimer = 1000000;
    Level::bonusTimer = 1000000;
    Tunnex::player->respawn();
    Tunnex::player->spawnGuard = 0;
}

void TunnexTest::putPlayer(int column, int row, int direction) {
    const PlayerPtr& player = Tunnex::player;
    player->column = column;
    player->row = row;
    player->x = column * Tunnex::cellSize;
    player->y = row * Tunnex::cellSize;
    player->dx = player->dy = 0;
    player->direction = direction;
}

std::string TunnexTest::diagnostics() {
    return printedDiagnostics();
}
