#include "screens.h"
#include "damagelog.h"
#include "dexception.h"
#include "dfailurereason.h"
#include "entity.h"
#include "gameimage.h"
#include "gamelib.h"
#include "stringmanager.h"

using dfc::io::DDataInputStream;
using dfc::io::DDataInputStreamPtr;
using dfc::lang::DbyteArray;
using dfc::lang::DbyteArrayPtr;
using dfc::lang::DExceptionPtr;
using dfc::lang::DFailureReason;
using dfc::lang::DintArray;
using dfc::lang::DintArray2d;
using dfc::lang::DintArray2dPtr;
using dfc::lang::DintArrayPtr;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

DintArrayPtr Screens::cells;
EntityArrayPtr Screens::templates;
DbyteArrayPtr Screens::templateCounts;
DintArray2dPtr Screens::levels;
GameImageArrayPtr Screens::land;
DintArrayPtr Screens::currentLevel;

namespace {

const char16_t* const fileName = u"/fdp/screens.bin";

}  // namespace

bool Screens::load() {
    if (cells) return true;
    if (!land) loadLand();
    try {
        DDataInputStreamPtr in = new DDataInputStream(GameLib::openResource(fileName));
        const bool good = read(in);
        in->close();
        return good;
    } catch (DExceptionPtr& e) {
        refuse(DFailureReason::of(e));
        return false;
    }
}

bool Screens::read(const DDataInputStreamPtr& in) {
    try {
        const int count = in->readByte();
        if (count < 1) {
            refuse(DStringPtr(u"it holds ") + count + u" screens");
            return false;
        }
        cells = new DintArray(count * cellsPerScreen);
        templates = new EntityArray(count * maxObjects);
        templateCounts = new DbyteArray(count);
        int dropped = 0, droppingScreens = 0;
        for (int s = 0; s < count; ++s) {
            const int droppedHere = readScreen(in, s);
            dropped += droppedHere;
            droppingScreens += droppedHere > 0;
        }
        if (dropped > 0)
            DamageLog::name(u"Floodpass: " + GameLib::servingEntry(fileName) + u" drops " + dropped + u" objects of " +
                            droppingScreens + u" of its screens (more than 30 a screen, or of no kind)");
        const int levelTotal = in->readByte();
        if (levelTotal < 1) {
            refuse(DStringPtr(u"it holds ") + levelTotal + u" levels");
            return false;
        }
        levels = new DintArray2d(levelTotal);
        for (int level = 0; level < levelTotal; ++level)
            if (!readLevel(in, level)) return false;
        return true;
    } catch (DExceptionPtr& e) {
        refuse(DFailureReason::of(e));
        return false;
    }
}

// Objects past the thirtieth of a screen, or of no kind, are dropped; gives how many.
int Screens::readScreen(const DDataInputStreamPtr& in, int screen) {
    int x = 0, y = 0, count = 0, dropped = 0;
    for (int i = 0; i < cellsPerScreen; ++i) {
        const int layer1 = in->readUnsignedByte(), layer2 = in->readUnsignedByte(), kind = in->readUnsignedByte();
        cells[screen * cellsPerScreen + i] = layer1 + 256 * layer2;
        if (kind != noObject) {
            if (count == maxObjects || kind > highestKind) {
                ++dropped;
            } else {
                EntityPtr object = new Entity(kind, x, y, screen);
                object->onRoad = RiverRules::isRoad(layer2);
                templates[screen * maxObjects + count++] = object;
            }
        }
        x += 8;
        if (x == columns * 8) {
            x = 0;
            y += 8;
        }
    }
    templateCounts[screen] = int8_t(count);
    return dropped;
}

bool Screens::readLevel(const DDataInputStreamPtr& in, int level) {
    const int count = in->readByte();
    if (count < 2) {
        refuse(DStringPtr(u"level ") + (level + 1) + u" has " + count + u" screens, fewer than 2");
        return false;
    }
    DintArrayPtr list = new DintArray(count);
    for (int i = count - 1; i >= 0; --i) {
        const int screen = in->readByte();
        if (screen < 0 || screen >= screenCount()) {
            refuse(DStringPtr(u"level ") + (level + 1) + u" names screen " + screen + u" of " + screenCount());
            return false;
        }
        list[i] = screen;
    }
    levels[level] = list;
    return true;
}

void Screens::refuse(const DStringPtr& why) {
    cells = nullptr;
    templates = nullptr;
    templateCounts = nullptr;
    levels = nullptr;
    DamageLog::name(u"Floodpass: " + GameLib::servingEntry(fileName) + u" is damaged: " + why);
}

// Without its list the banks would be drawn as nothing while the plane still crashes on them.
void Screens::loadLand() {
    StringManager::requireKey(u"land");
    const DStringArrayPtr split = StringManager::split(StringManager::getProperty(u"land"), u';');
    land = new GameImageArray(split->length);
    for (int i = 0; i < split->length; ++i) land[i] = GameImage::load(split[i]);
}

void Screens::release() {
    cells = nullptr;
    templates = nullptr;
    templateCounts = nullptr;
    land = nullptr;
    currentLevel = nullptr;
    levels = nullptr;
}
