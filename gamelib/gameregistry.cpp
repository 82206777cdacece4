#include "gameregistry.h"

// Empty until the program installs its games.
GameRegistry::Entry GameRegistry::entries[gameCount] = {};

GameInterfacePtr GameRegistry::create(int game) {
    if (game < 0 || game >= gameCount || !entries[game].create) return nullptr;
    return entries[game].create();
}

void GameRegistry::releaseGames() {
    for (const Entry& entry : entries)
        if (entry.release) entry.release();
}
