#include "soundoptions.h"
#include <utility>
#include "gamemenu.h"
#include "sound.h"

using dfc::lang::DStringPtr;

namespace {

constexpr int levelCount = 4;

int levelOf(SoundOptions::Kind kind) {
    return kind == SoundOptions::music ? Sound::getMusicLevel() : Sound::getSoundLevel();
}

DStringPtr labelOf(SoundOptions::Kind kind, int level) {
    return kind == SoundOptions::music ? GameMenu::musicOptionLabel(level) : GameMenu::soundOptionLabel(level);
}

}  // namespace

SoundOptions::SoundOptions(const DStringPtr& gameId)
    : effectsKey(gameId + u"sfx_level"), musicKey(gameId + u"music_level") {}

SoundOptions::SoundOptions(DStringPtr effects, DStringPtr musicLevel)
    : effectsKey(std::move(effects)), musicKey(std::move(musicLevel)) {}

void SoundOptions::load() const {
    Sound::setSoundLevel(GameMenu::loadOption(effectsKey, defaultLevel));
    Sound::setMusicLevel(GameMenu::loadOption(musicKey, defaultLevel));
}

// A level the speaker cannot name (-1) steps to 0 as well.
DStringPtr SoundOptions::step(Kind kind) const {
    const int level = (levelOf(kind) + 1) % levelCount;
    if (kind == music) {
        Sound::setMusicLevel(level);
        GameMenu::saveOption(musicKey, level);
    } else {
        Sound::setSoundLevel(level);
        GameMenu::saveOption(effectsKey, level);
    }
    return labelOf(kind, level);
}

DStringPtr SoundOptions::label(Kind kind) { return labelOf(kind, levelOf(kind)); }
