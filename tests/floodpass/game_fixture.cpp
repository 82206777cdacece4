#include "game_fixture.h"
#include "entityarray.h"
#include "captured_diagnostics.h"
#include "screens.h"

using dfc::lang::DintArray;
using dfc::lang::DintArray2d;

bool FloodpassTest::runUntil(int state, int limit) {
    for (int i = 0; i < limit && Floodpass::state != state; ++i) frames(1);
    return Floodpass::state == state;
}

std::string FloodpassTest::diagnostics() {
    return printedDiagnostics();
}

void FloodpassTest::openRiver(int screens) {
    Screens::levels = new DintArray2d(1);
    Screens::levels[0] = new DintArray(screens);
    Screens::cells = new DintArray(Screens::cellsPerScreen);
    for (int i = 0; i < Screens::cellsPerScreen; ++i) {
        const int column = i % Screens::columns;
        Screens::cells[i] = column >= 3 && column < 19 ? 58 : 0;
    }
    Screens::templates = new EntityArray(Screens::maxObjects);
    Screens::templateCounts = new dfc::lang::DbyteArray(1);
    Floodpass::levelIndex = 0;
    Floodpass::lives = Floodpass::startLives;
    Floodpass::score = 0;
    ASSERT_TRUE(Floodpass::buildLevel());
    Floodpass::state = Floodpass::playState;
    Floodpass::invulnerableCounter = Floodpass::invulnerableFrames;
    Floodpass::invulnerable = false;
}

EntityPtr FloodpassTest::place(int kind, int x, int y) {
    EntityPtr entity = new Entity(kind, x, y, 0);
    onlyEntities({entity});
    return entity;
}

void FloodpassTest::onlyEntities(std::initializer_list<EntityPtr> list) {
    Floodpass::entities = new EntityArray(int(list.size()));
    int i = 0;
    for (const EntityPtr& entity : list) Floodpass::entities[i++] = entity;
    Floodpass::firstEntity = 0;
}

void FloodpassTest::putPlane(int x, int y) {
    Floodpass::planeX = x;
    Floodpass::planeY = y;
}
