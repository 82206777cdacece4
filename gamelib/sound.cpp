#include "sound.h"
#include <new>
#include "d7zipinputstream.h"
#include "damagelog.h"
#include "ddamageddataexception.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "dioexception.h"
#include "dmanager.h"
#include "gamelib.h"

using dfc::io::D7zipInputStream;
using dfc::io::DDamagedDataException;
using dfc::io::DFileNotFoundExceptionPtr;
using dfc::io::DIOExceptionPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::microedition::media::DManager;
using dfc::microedition::media::DPlayer;
using dfc::microedition::media::DPlayerArray;
using dfc::microedition::media::DPlayerArrayPtr;
using dfc::microedition::media::DPlayerPtr;

DPlayerArrayPtr Sound::soundTable;
DPlayerPtr Sound::currentPlayer;
int32_t Sound::loopCount = 1;
bool Sound::effectsOn = true;

namespace {

const char16_t* const wavType = u"audio/x-wav";
const char16_t* const modType = u"audio/mod";

bool isEffect(const DPlayerPtr& player) { return player->getContentType() == wavType; }

}  // namespace

void Sound::loadSounds(const DStringArrayPtr& names) {
    stopAll();
    soundTable = nullptr;
    currentPlayer = nullptr;
    soundTable = new DPlayerArray(names->length);
    for (int i = 0; i < names->length; ++i) soundTable[i] = loadSound(names[i]);
}

void Sound::loadSounds(const char16_t* const* names, int count) {
    DStringArrayPtr table = new DStringArray(count);
    for (int i = 0; i < count; ++i) table[i] = DStringPtr(names[i]);
    loadSounds(table);
}

DPlayerPtr Sound::loadSound(const DStringPtr& name) {
    const DStringPtr wav = name + u".wav", mod = name + u".mod";
    DStringPtr why;
    if (DPlayerPtr player = makePlayer(wav, wavType, why)) return player;
    if (DPlayerPtr player = makePlayer(mod, modType, why)) return player;
    if (!why)
        why = DDamagedDataException::missingReason(D7zipInputStream::archivePath(),
                                                   GameLib::servingEntry(wav) + u" nor " + GameLib::servingEntry(mod));
    // A fault many sounds share, a coder of the archive's say, is named with the first of them.
    DamageLog::name(why, u"Sound: cannot load " + wav + u" or " + mod + u": " + why);
    return nullptr;
}

DPlayerPtr Sound::makePlayer(const DStringPtr& file, const DStringPtr& type, DStringPtr& why) {
    try {
        DPlayerPtr player = DManager::createPlayer(GameLib::tryResource(file), type);
        player->prefetch();
        return player;
    } catch (DFileNotFoundExceptionPtr&) {
        // Only tried: the sound may be the other kind.
    } catch (DIOExceptionPtr& damaged) {
        why = DFailureReason::of(damaged);
    } catch (DExceptionPtr&) {
        why = u"the sound " + GameLib::servingEntry(file) + u" is damaged: it does not play";
    } catch (std::bad_alloc& e) {
        // No fault of the data: the game goes on without this sound, as without a damaged one.
        why = DFailureReason::of(e);
    }
    return nullptr;
}

void Sound::play(int n, int loops) {
    DPlayerPtr player = soundTable[n];
    if (!player) return;
    loopCount = loops;
    start(player);
}

bool Sound::start(const DPlayerPtr& player) {
    if (isEffect(player) && !effectsOn) return false;
    player->setLoopCount(loopCount);
    player->start();
    currentPlayer = player;
    return true;
}

bool Sound::isPlaying() {
    if (!currentPlayer) return false;
    return loopCount == -1 || currentPlayer->getState() == DPlayer::STARTED;
}

void Sound::rewind(const DPlayerPtr& player) {
    player->stop();
    player->setMediaTime(0);
}

void Sound::stop(int n) {
    if (!soundTable || n < 0 || n >= soundTable->length) return;
    if (DPlayerPtr player = soundTable[n]) rewind(player);
}

void Sound::stopCurrent() {
    if (!currentPlayer) return;
    if (currentPlayer->getState() == DPlayer::STARTED) rewind(currentPlayer);
    currentPlayer = nullptr;
}

void Sound::stopAll() {
    if (soundTable)
        for (int i = 0; i < soundTable->length; ++i)
            if (DPlayerPtr player = soundTable[i]) rewind(player);
    sndSpeaker* speaker = DManager::speaker();
    speaker->stopSounds();
    speaker->stopMusics();
}

void Sound::pauseAll() {
    sndSpeaker* speaker = DManager::speaker();
    speaker->pauseSounds();
    speaker->pauseMusics();
}

void Sound::resumeAll() {
    sndSpeaker* speaker = DManager::speaker();
    speaker->unpauseSounds();
    speaker->unpauseMusics();
}

void Sound::release() {
    stopAll();
    soundTable = nullptr;
}

bool Sound::volumeOf(int level, unsigned* volume) {
    if (level < 0 || level > 3) return false;
    *volume = unsigned(levelVolumes[level]);
    return true;
}

int Sound::levelOf(unsigned volume) {
    if (volume == 0) return 0;
    if (volume < 22) return 1;
    if (volume < 43) return 2;
    if (volume <= 64) return 3;
    return -1;
}

void Sound::setSoundLevel(int level) {
    effectsOn = level != 0;
    unsigned volume;
    if (volumeOf(level, &volume)) DManager::speaker()->volumeSounds(volume);
}

int Sound::getSoundLevel() { return levelOf(DManager::speaker()->volumeSounds()); }

void Sound::setMusicLevel(int level) {
    unsigned volume;
    if (volumeOf(level, &volume)) DManager::speaker()->volumeMusics(volume);
}

int Sound::getMusicLevel() { return levelOf(DManager::speaker()->volumeMusics()); }
