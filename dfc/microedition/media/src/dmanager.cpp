#include "dmanager.h"
#include "dfileinputstream.h"
#include "dmediaexception.h"
#include "dplayermod.h"
#include "dplayerwav.h"

namespace dfc::microedition::media {
namespace {

sndSpeaker* device = nullptr;
bool deviceOpen = false;

sndSpeaker* makeSpeaker() { return new sndSpeaker(); }

}  // namespace

DManager::SpeakerFactory DManager::speakerFactory = makeSpeaker;

void DManager::openSound() {
    if (deviceOpen) return;
    delete device;
    device = speakerFactory();
    if (device->open(44000, 16, true, 4, 16) != 0) return;
    device->volumeMusics(32);
    device->volumeSounds(64);
    deviceOpen = true;
}

void DManager::closeSound() {
    if (!device) return;
    if (deviceOpen) device->close();
    delete device;
    device = nullptr;
    deviceOpen = false;
}

bool DManager::isSoundOpen() { return deviceOpen; }

DPlayerPtr DManager::createPlayer(io::DInputStreamPtr stream, lang::DStringPtr type) {
    if (!stream) DFC_THROW(lang::DIllegalArgumentException);
    if (!type) DFC_THROW(DMediaException);
    openSound();
    if (type == u"audio/x-wav") return new DPlayerWav(stream);
    if (type == u"audio/mod") return new DPlayerMod(stream);
    return DPlayerPtr();
}

DPlayerPtr DManager::createPlayer(lang::DStringPtr locator) {
    if (!locator) DFC_THROW(lang::DIllegalArgumentException);
    openSound();
    io::DInputStreamPtr stream = io::DFileInputStream::open(locator);
    if (locator->endsWith(u".wav")) return new DPlayerWav(stream);
    if (locator->endsWith(u".mod")) return new DPlayerMod(stream);
    return DPlayerPtr();
}

sndSpeaker* DManager::speaker() {
    openSound();
    return device;
}

sndChannel* DManager::channel(int number) { return deviceOpen ? device->channel(number) : nullptr; }

}  // namespace dfc::microedition::media
