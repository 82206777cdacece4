#pragma once
#include <cstdint>
#include "animation.ptr"
#include "dstringarray.h"
#include "gameimagearray.h"

// Sprites shown in turn, each for `delay` paints while the animation plays.
class Animation : public dfc::lang::DObject {
public:
    // An animation without frames.
    Animation() = default;
    // count empty frame slots, filled by addFrame.
    static AnimationPtr AnimationFromCount(int count);
    // One frame per atlas picture name; the first list with names the atlas lacks names the atlas.
    static AnimationPtr AnimationFromNames(const dfc::lang::DStringArrayPtr& names);
    // The animation whose frame names (";"-separated) are the value of the text property key;
    // null, with a diagnostic, when the key or one of the frames is missing (no second one for a
    // damaged text, which has been named).
    static AnimationPtr fromProperty(const dfc::lang::DStringPtr& key);

    // A null text: the help page tells its picture lines from its text lines by it.
    dfc::lang::DStringPtr toString() override;

    void addFrame(const GameImagePtr& frame);
    // Back to the first frame, playing.
    void reset();
    // Draws the current frame at (x, y) and counts towards the next.
    void paint(int x, int y);

    GameImageArrayPtr frames;
    int32_t current = 0;
    int32_t added = 0;
    int32_t delay = 2;
    int32_t ticks = 0;
    bool playing = false;
    // True for the one paint in which the last frame gave way to the first.
    bool finished = false;

private:
    // One frame per atlas picture name, an empty one for a name the atlas lacks.
    static AnimationPtr framesOf(const dfc::lang::DStringArrayPtr& names);
    static bool isMissing(const GameImagePtr& frame);
    static void nameMissingFrames(const Animation& animation, const dfc::lang::DStringArrayPtr& names);
    int32_t frameCount() const { return frames ? frames->length : 0; }
};
