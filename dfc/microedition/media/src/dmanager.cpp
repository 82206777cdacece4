#include "dmanager.h"

namespace dfc::microedition::media {
namespace {
bool soundOpen = false;
}

void DManager::openSound() { soundOpen = true; }

void DManager::closeSound() {}

bool DManager::isSoundOpen() { return soundOpen; }

void DManager::suspendSound() {
    if (!soundOpen) openSound();
}

void DManager::resumeSound() {
    if (!soundOpen) openSound();
}

}  // namespace dfc::microedition::media
