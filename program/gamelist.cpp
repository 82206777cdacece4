#include "gamelist.h"
#include <algorithm>
#include <iterator>
#include "brixmoor.h"
#include "dotvor.h"
#include "floodpass.h"
#include "gamemain.h"
#include "gameregistry.h"
#include "goldrift.h"
#include "rockvale.h"
#include "swarmline.h"
#include "tunnex.h"

void GameList::install() {
    // One line per game, in the order of the registry's enumeration.
    static const GameRegistry::Entry games[GameRegistry::gameCount] = {
        {GameRegistry::make<Brixmoor>, Brixmoor::releaseStatics},    // brixmoor
        {GameRegistry::make<Rockvale>, Rockvale::releaseStatics},    // rockvale
        {GameRegistry::make<Dotvor>, Dotvor::releaseStatics},        // dotvor
        {GameRegistry::make<Tunnex>, Tunnex::releaseStatics},        // tunnex
        {GameRegistry::make<GameMain>, GameMain::releaseStatics},    // tanks
        {GameRegistry::make<Goldrift>, Goldrift::releaseStatics},    // goldrift
        {GameRegistry::make<Swarmline>, Swarmline::releaseStatics},  // swarmline
        {GameRegistry::make<Floodpass>, Floodpass::releaseStatics},  // floodpass
    };
    std::copy(std::begin(games), std::end(games), std::begin(GameRegistry::entries));
}
