#include "animation.h"
#include "damagelog.h"
#include "excerpt.h"
#include "gameimage.h"
#include "imageatlas.h"
#include "stringmanager.h"

using dfc::lang::DStringArrayPtr;
using dfc::lang::DStringPtr;

AnimationPtr Animation::AnimationFromCount(int count) {
    AnimationPtr animation = new Animation();
    animation->frames = new GameImageArray(count);
    return animation;
}

AnimationPtr Animation::AnimationFromNames(const DStringArrayPtr& names) {
    AnimationPtr animation = framesOf(names);
    // A cut atlas has been named, with the pictures it lost.
    if (!ImageAtlas::cutShort) nameMissingFrames(*animation, names);
    return animation;
}

// Named once for the atlas, whatever list meets it next: a text may name thousands.
void Animation::nameMissingFrames(const Animation& animation, const DStringArrayPtr& names) {
    int32_t missing = 0;
    DStringPtr first;
    for (int i = 0; i < names->length; ++i)
        if (isMissing(animation.frames[i]) && missing++ == 0) first = names[i];
    if (missing == 0) return;
    const DStringPtr atlas = ImageAtlas::entry ? ImageAtlas::entry : DStringPtr(u"of this game");
    DamageLog::name(u"the pictures of " + atlas, DStringPtr(u"Animation: the image atlas ") + atlas + u" lacks " +
                                                     missing + u" of the " + names->length +
                                                     u" pictures of a list, the first " + Excerpt::quoted(first) +
                                                     u"; the others it lacks go unnamed");
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
