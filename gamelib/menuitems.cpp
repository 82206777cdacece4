#include "menuitems.h"
#include "soundoptions.h"
#include "stringmanager.h"

using dfc::lang::DStringArray;
using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

namespace {

enum { startItem, scoresItem, helpItem, soundItem, musicItem };

DStringPtr text(const char16_t* key) { return StringManager::getProperty(key); }

DStringPtr firstItem(bool paused) { return text(paused ? u"continue" : u"start"); }

DStringPtr lastItem(bool paused) { return text(paused ? u"mainmenu" : u"exit"); }

}  // namespace

void MenuItems::setStandard(const DStringArrayPtr& items, bool paused) {
    items[startItem] = firstItem(paused);
    items[scoresItem] = text(u"highscores");
    items[helpItem] = text(u"help");
    items[soundItem] = SoundOptions::label(SoundOptions::effects);
    items[musicItem] = SoundOptions::label(SoundOptions::music);
    items[items->length - 1] = lastItem(paused);
}

void MenuItems::setEnds(const DStringArrayPtr& items, bool paused) {
    items[startItem] = firstItem(paused);
    items[items->length - 1] = lastItem(paused);
}

DStringArrayPtr MenuItems::levelChoice(int32_t highest) {
    DStringArrayPtr items = new DStringArray(highest + 1);
    const DStringPtr label = StringManager::getText(u"level") + u" ";
    for (int32_t i = 0; i < highest; ++i) items[i] = label + (highest - i);
    items[highest] = text(u"exit");
    return items;
}

DStringArrayPtr MenuItems::textsOf(const DStringArrayPtr& keys) {
    DStringArrayPtr texts = new DStringArray(keys->length);
    for (int32_t i = 0; i < keys->length; ++i) texts[i] = StringManager::getProperty(keys[i]);
    return texts;
}
