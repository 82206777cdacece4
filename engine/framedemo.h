#pragma once
#include "dmidlet.h"

// The frame's own small application: a square the arrow keys or the stylus move on the
// window, until a soft key ends it. It stands in until the game library is linked.
class FrameDemo : public dfc::microedition::midlet::DMIDlet {
public:
    void destroyApp(bool) override {}
    void pauseApp() override {}
    void startApp() override;
    void tick() override;

    static dfc::microedition::midlet::DMIDletPtr create();
};
