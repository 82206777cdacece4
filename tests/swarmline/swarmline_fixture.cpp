#include "swarmline_fixture.h"
#include "captured_diagnostics.h"
#include "gametables.h"

bool SwarmlineTest::runUntil(int state, int limit) {
    for (int i = 0; i < limit && Swarmline::gameState != state; ++i) frames(1);
    return Swarmline::gameState == state;
}

void SwarmlineTest::playLevel(int level) {
    Swarmline::level = level;
    Swarmline::theGame->startLevel();
    Swarmline::gameState = Swarmline::STATE_PLAY;
}

void SwarmlineTest::keepOnly(std::initializer_list<int> indices) {
    const AlienShipArrayPtr aliens = Swarmline::aliens;
    for (int i = 0; i < aliens->length; ++i) aliens[i]->state = AlienShip::GONE;
    for (int row = 0; row < Swarmline::ROWS; ++row) GameTables::swarmlineTableB[row] = 0;
    for (int i : indices) {
        aliens[i]->state = AlienShip::IN_FORMATION;
        GameTables::swarmlineTableB[aliens[i]->row] += 1;
    }
    Swarmline::aliveCount = int(indices.size());
}

AlienShipPtr SwarmlineTest::placeAlien(int index, int x, int y, int state) {
    AlienShipPtr alien = Swarmline::aliens[index];
    alien->x = x;
    alien->y = y;
    alien->fx = x << 16;
    alien->fy = y << 16;
    alien->dx = alien->dy = 0;
    alien->attackMode = AlienShip::plainRun;
    alien->state = state;
    return alien;
}

void SwarmlineTest::holdDives() { Swarmline::diveTimer = 1 << 30; }

std::string SwarmlineTest::diagnostics() {
    return printedDiagnostics();
}
