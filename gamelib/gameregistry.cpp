#include "gameregistry.h"
#include "brixmoor.h"
#include "goldrift.h"

// One line per game, in the order of the enumeration; a game that lands puts its own in:
// {make<Brixmoor>, Brixmoor::releaseStatics}.
GameRegistry::Entry GameRegistry::entries[gameCount] = {
    {make<Brixmoor>, Brixmoor::releaseStatics},  // brixmoor
    {nullptr, nullptr},  // rockvale
    {nullptr, nullptr},  // dotvor
    {nullptr, nullptr},  // tunnex
    {nullptr, nullptr},  // tanks
    {make<Goldrift>, Goldrift::releaseStatics},  // goldrift
    {nullptr, nullptr},  // swarmline
    {nullptr, nullptr},  // floodpass
};

GameInterfacePtr GameRegistry::create(int game) {
    if (game < 0 || game >= gameCount || !entries[game].create) return nullptr;
    return entries[game].create();
}

void GameRegistry::releaseGames() {
    for (const Entry& entry : entries)
        if (entry.release) entry.release();
}
