#pragma once

// The application's pause is a press and a release of key -1 on two frames in a row: the
// pause key is down for one frame. A game whose step does not run every frame holds the key
// here on each frame of play and takes it once at each step, so that no pause falls between
// two steps.
class PauseLatch {
public:
    // Every frame of play, before the step: keeps the pause key when it is down.
    void hold();
    // At each step: whether the pause key is down or was on a frame since the previous step.
    // The latch is empty again.
    bool take();

private:
    bool held = false;
};
