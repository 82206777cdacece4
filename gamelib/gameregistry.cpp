#include "gameregistry.h"
#include "brixmoor.h"
#include "dotvor.h"
#include "gamemain.h"
#include "floodpass.h"
#include "goldrift.h"
#include "rockvale.h"
#include "swarmline.h"
#include "tunnex.h"

// One line per game, in the order of the enumeration; a game that lands puts its own in:
// {make<Brixmoor>, Brixmoor::releaseStatics}.
GameRegistry::Entry GameRegistry::entries[gameCount] = {
    {make<Brixmoor>, Brixmoor::releaseStatics},  // brixmoor
    {make<Rockvale>, Rockvale::releaseStatics},  // rockvale
    {make<Dotvor>, Dotvor::releaseStatics},  // dotvor
    {make<Tunnex>, Tunnex::releaseStatics},  // tunnex
    {make<GameMain>, GameMain::releaseStatics},  // tanks
    {make<Goldrift>, Goldrift::releaseStatics},  // goldrift
    {make<Swarmline>, Swarmline::releaseStatics},  // swarmline
    {make<Floodpass>, Floodpass::releaseStatics},  // floodpass
};

GameInterfacePtr GameRegistry::create(int game) {
    if (game < 0 || game >= gameCount || !entries[game].create) return nullptr;
    return entries[game].create();
}

void GameRegistry::releaseGames() {
    for (const Entry& entry : entries)
        if (entry.release) entry.release();
}
