#include "animation.h"
#include "dprintstream.h"
#include "dsystem.h"
#include "excerpt.h"
#include "gameimage.h"
#include "imageatlas.h"
#include "stringmanager.h"

using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;
using dfc::lang::DSystem;

AnimationPtr Animation::AnimationFromCount(int count) {
    AnimationPtr animation = new Animation();
    animation->frames = new GameImageArray(count);
    return animation;
}

AnimationPtr Animation::AnimationFromNames(const DStringArrayPtr& names) {
    AnimationPtr animation = framesOf(names);
    for (int i = 0; i < names->length; ++i)
        if (isMissing(animation->frames[i]) && DSystem::err && !ImageAtlas::cutShort)
            DSystem::err->println(u"No frame name:" + Excerpt::of(names[i]));
    return animation;
}

AnimationPtr Animation::framesOf(const DStringArrayPtr& names) {
    AnimationPtr animation = AnimationFromCount(names->length);
    for (int i = 0; i < names->length; ++i) animation->frames[i] = GameImage::load(names[i]);
    return animation;
}

bool Animation::isMissing(const GameImagePtr& frame) { return frame->width == 0 && frame->height == 0; }

AnimationPtr Animation::fromProperty(const DStringPtr& key) {
    const DStringPtr list = StringManager::getProperty(key);
    if (!list) return nullptr;  // the look-up has said which key is missing
    const DStringArrayPtr names = StringManager::split(list, u';');
    // The last name of a line cut short may be cut too: the cut has been named.
    AnimationPtr animation = StringManager::endsCutShort(key) ? framesOf(names) : AnimationFromNames(names);
    for (int i = 0; i < animation->frames->length; ++i)
        if (isMissing(animation->frames[i])) return nullptr;
    return animation;
}

DStringPtr Animation::toString() { return DStringPtr(); }

void Animation::addFrame(const GameImagePtr& frame) { frames[added++] = frame; }

void Animation::reset() {
    ticks = 0;
    playing = true;
    current = 0;
}

void Animation::paint(int x, int y) {
    if (current < frameCount() && frames[current]) frames[current]->drawAt(x, y);
    finished = false;
    // At or past the delay, so that a delay lowered by a game still moves the animation on.
    if (playing && ticks >= delay) {
        ticks = 0;
        if (++current >= frameCount()) {
            current = 0;
            finished = true;
        }
    }
    ++ticks;
}
