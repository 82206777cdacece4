#include "gamesplash.h"
#include "gameimage.h"

using dfc::lang::DStringPtr;

void GameSplash::init(GameMain*) {
    const bool large = GameImage::load(u"ptnk00")->width > 16;
    icons = new GameImageArray(iconCount);
    for (int32_t i = 0; i < iconCount; ++i)
        icons[i] = GameImage::load(large ? DStringPtr(u"etnkx") + i + u"-dn" : DStringPtr(u"etnk0") + i + u"_dn");
}

void GameSplash::release() { icons = nullptr; }
