#pragma once
#include "dobject.h"
#include "gameinterface.ptr"

// A full-screen mode: the shell menu, the name entry or a game. Exactly one is current; the
// frame tick updates and paints it.
class GameInterface : public dfc::lang::DObject {
public:
    virtual void start() {}
    virtual void update() {}
    virtual void paint() {}
    virtual void stop() {}
    virtual void reserved1() {}
    virtual void reserved2() {}
};
